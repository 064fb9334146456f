#include "Phaser_engine.h"

#include <cmath>

EnvelopeFollower::EnvelopeFollower (float rate)
    : sampleRate (rate),
      attackCoef (powf (0.01f, 1.0f / (0.005f * rate))),
      releaseCoef (powf (0.01f, 1.0f / (0.12f * rate))),
      lowPass (std::make_unique<OnePoleFilter> (rate, 711.408f, 4469.9087f))
{
    buffer.setSize (1, 4096);
}

Phaser_engine::Phaser_engine (float rate)
    : sampleRate (rate)
{
    envelopeFollower = std::make_unique<EnvelopeFollower> (sampleRate);

    for (auto* smoother : { &inputGainSmoother, &outputGainSmoother, &dryWetSmoother })
    {
        *smoother = std::make_unique<juce::LinearSmoothedValue<float>> (0.0f);
        (*smoother)->reset ((double) sampleRate, 0.0005);
        (*smoother)->setTargetValue (0.5f);
    }

    dryBuffer.setSize (2, 4096);
    workBuffer.setSize (2, 4096);

    makePhaserUnits();
}

Phaser_engine::~Phaser_engine() = default;

void Phaser_engine::makePhaserUnits()
{
    units.push_back (std::make_unique<Phaser_unit> (sampleRate));
    leftUnit.store (units.back().get(), std::memory_order_release);

    units.push_back (std::make_unique<Phaser_unit> (sampleRate));
    rightUnit.store (units.back().get(), std::memory_order_release);
}

void Phaser_engine::setBufferSize (int numSamples)
{
    dryBuffer.setSize (2, numSamples, false, false, true);
    workBuffer.setSize (2, numSamples, false, false, true);
    envelopeBuffer.setSize (1, numSamples, false, false, true);
    envelopeFollower->buffer.setSize (1, numSamples, false, false, true);
}

void Phaser_engine::applyPendingTargets() noexcept
{
    inputGainTarget.applyTo (*inputGainSmoother);
    outputGainTarget.applyTo (*outputGainSmoother);
    dryWetTarget.applyTo (*dryWetSmoother);
}

void Phaser_engine::processEnvelope (int numSamples) noexcept
{
    if (numSamples < 1)
        return;

    EnvelopeFollower& follower = *envelopeFollower;
    float* detector = follower.buffer.getWritePointer (0);
    float* envelope = envelopeBuffer.getWritePointer (0);

    juce::FloatVectorOperations::abs (detector, envelope, numSamples);

    const float attack = follower.attackCoef;
    const float release = follower.releaseCoef;
    const float g = follower.lowPass->g;
    float level = follower.level;
    float state = follower.lowPass->state;

    for (int i = 0; i < numSamples; ++i)
    {
        const float x = detector[i];
        level = x + (level - x) * (x > level ? attack : release);

        const float v = (level - state) * g;
        const float out = (state + v) + kAntiDenormal;
        state = out + v;
        detector[i] = out;
    }

    // A NaN or an infinity in the detector would hold the level for good:
    // the follower starts the next block at rest instead.
    if (! (std::isfinite (level) && std::isfinite (state)))
        level = state = 0.0f;

    follower.level = level;
    follower.lowPass->state = state;

    juce::FloatVectorOperations::multiply (envelope, detector, 1.3f, numSamples);
}
