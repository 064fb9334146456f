#include "DspTestSupport.h"

#include "dsp/Phaser_engine.h"

#include <array>
#include <cmath>

using namespace dsptest;

namespace
{
// Runs the envelope step over a detector signal in blocks of blockSize.
std::vector<float> envelopeOf (Phaser_engine& engine, const std::vector<float>& detector, int blockSize)
{
    std::vector<float> out (detector.size());
    engine.setBufferSize (blockSize);

    forEachBlock ((int) detector.size(), fixedBlocks (blockSize), [&] (int start, int n)
    {
        float* buffer = engine.envelopeBuffer.getWritePointer (0);
        std::copy (detector.begin() + start, detector.begin() + start + n, buffer);
        engine.processEnvelope (n);
        std::copy (buffer, buffer + n, out.begin() + start);
    });

    return out;
}

// Samples of a constant detector value until the follower's level crosses the threshold.
int samplesUntilLevelCrosses (Phaser_engine& engine, float detector, float threshold)
{
    engine.setBufferSize (1);
    const bool rising = engine.envelopeFollower->level < threshold;

    for (int n = 1; n < 100000; ++n)
    {
        engine.envelopeBuffer.setSample (0, 0, detector);
        engine.processEnvelope (1);

        if (rising == (engine.envelopeFollower->level >= threshold))
            return n;
    }

    return -1;
}

// Steps until a smoother stops moving; returns the number of steps.
int rampLength (juce::LinearSmoothedValue<float>& smoother)
{
    int steps = 0;
    while (smoother.isSmoothing() && steps < 100000)
    {
        smoother.getNextValue();
        ++steps;
    }
    return steps;
}

std::array<juce::LinearSmoothedValue<float>*, 3> smoothersOf (Phaser_engine& engine)
{
    return { engine.inputGainSmoother.get(), engine.outputGainSmoother.get(), engine.dryWetSmoother.get() };
}
} // namespace

TEST (PhaserEngine, FollowerRisesInFiveAndFallsInHundredTwentyMilliseconds)
{
    Phaser_engine engine (44100.0f);
    const auto& follower = *engine.envelopeFollower;
    EXPECT_NEAR (follower.attackCoef, std::pow (0.01, 1.0 / 220.5), 1e-6);
    EXPECT_NEAR (follower.releaseCoef, std::pow (0.01, 1.0 / 5292.0), 1e-6);

    // The detector is rectified: a step to -1 rises like a step to 1.
    EXPECT_NEAR (samplesUntilLevelCrosses (engine, -1.0f, 0.99f), 220.5, 1.0);

    envelopeOf (engine, constant (4000, 1.0f), 500);
    ASSERT_GT (follower.level, 0.99999f);

    EXPECT_NEAR (samplesUntilLevelCrosses (engine, 0.0f, 0.01f), 5292.0, 2.0);
}

TEST (PhaserEngine, EnvelopeIsTheSmoothedLevelTimesOnePointThree)
{
    // Bursts of noise at falling levels, then silence, then a constant.
    std::vector<float> detector;
    for (float amplitude : { 0.9f, 0.3f, 0.05f, 0.0f })
    {
        const auto burst = noise (6000, (juce::int64) (amplitude * 100.0f), amplitude);
        detector.insert (detector.end(), burst.begin(), burst.end());
    }
    detector.insert (detector.end(), 6000, 0.5f);

    Phaser_engine engine (44100.0f);
    const auto envelope = envelopeOf (engine, detector, 256);

    const double attack = std::pow (0.01, 1.0 / 220.5), release = std::pow (0.01, 1.0 / 5292.0);
    const double G = std::tan (kPi * 711.408 / 44100.0), g = G / (1.0 + G);
    double level = 0.0, state = 0.0;

    for (size_t i = 0; i < detector.size(); ++i)
    {
        const double x = std::abs (detector[i]);
        level = x + (level - x) * (x > level ? attack : release);
        const double v = (level - state) * g;
        const double out = state + v;
        state = out + v;
        ASSERT_NEAR (envelope[i], 1.3 * out, 2e-5) << "sample " << i;
    }

    EXPECT_NEAR (envelope.back(), 0.65, 1e-4);
}

TEST (PhaserEngine, SmoothersRampInOverTheirSteps)
{
    for (float rate : { 44100.0f, 48000.0f })
    {
        const int steps = (int) std::floor (0.0005 * rate); // 22 at 44100 Hz
        Phaser_engine engine (rate);

        for (auto* smoother : smoothersOf (engine))
        {
            for (int k = 1; k < steps; ++k)
            {
                const float v = smoother->getNextValue();
                ASSERT_NEAR (v, 0.5 * k / steps, 1e-6) << "rate " << rate << ", step " << k;
                ASSERT_LT (v, 0.5f);
            }

            EXPECT_EQ (smoother->getNextValue(), 0.5f);
            EXPECT_EQ (smoother->getNextValue(), 0.5f);
        }
    }
}

TEST (PhaserEngine, TargetsPostedBetweenBlocksActLikeDirectSetValue)
{
    // The reference takes every target the moment it is set; the engine's
    // smoother only at the next block. The values per block must agree.
    Phaser_engine engine (44100.0f);
    juce::LinearSmoothedValue<float> reference (0.0f);
    reference.reset (44100.0, 0.0005);
    reference.setTargetValue (0.5f);

    struct Event { float target; int steps; };
    const Event events[] = {
        { -1.0f, 5 },     // part of the start-up ramp
        { 1.0f, 0 },      // a target and, before the next block, back again: the ramp restarts
        { 0.5f, 3 },
        { 0.5f, 30 },     // the current target again: nothing happens
        { 0.2f, 2 },
        { 0.9f, 0 },
        { 0.2f, 25 },
        { 0.7f, 0 },      // away and back once the ramp is over
        { 0.2f, 25 },
        { 0.0f, 22 },
    };

    for (const auto& e : events)
    {
        if (e.target >= 0.0f)
        {
            engine.setDryWetTarget (e.target);
            reference.setTargetValue (e.target);
        }

        for (int k = 0; k < e.steps; ++k)
        {
            engine.applyPendingTargets();
            ASSERT_EQ (engine.dryWetSmoother->getNextValue(), reference.getNextValue()) << "target " << e.target << ", step " << k;
        }
    }
}

TEST (PhaserEngine, BuffersFollowTheBlockSizeAndKeepTheirCapacity)
{
    Phaser_engine engine (44100.0f);
    auto sizesAre = [&engine] (int n)
    {
        return engine.dryBuffer.getNumSamples() == n && engine.workBuffer.getNumSamples() == n
            && engine.envelopeBuffer.getNumSamples() == n && engine.envelopeFollower->buffer.getNumSamples() == n
            && engine.dryBuffer.getNumChannels() == 2 && engine.workBuffer.getNumChannels() == 2
            && engine.envelopeBuffer.getNumChannels() == 1;
    };

    engine.setBufferSize (512);
    EXPECT_TRUE (sizesAre (512));

    // The same size leaves the buffers as they are.
    engine.workBuffer.setSample (1, 511, 0.25f);
    engine.envelopeBuffer.setSample (0, 7, -0.5f);
    engine.setBufferSize (512);
    EXPECT_EQ (engine.workBuffer.getSample (1, 511), 0.25f);
    EXPECT_EQ (engine.envelopeBuffer.getSample (0, 7), -0.5f);

    engine.setBufferSize (480);
    EXPECT_TRUE (sizesAre (480));
    engine.setBufferSize (8192);
    EXPECT_TRUE (sizesAre (8192));

    if (! AllocationCounter::available())
        GTEST_SKIP() << "no allocation count in sanitizer builds";

    AllocationCounter allocations;
    for (int n : { 512, 480, 1, 8192, 4096, 512, 480 })
    {
        engine.setBufferSize (n);
        EXPECT_TRUE (sizesAre (n)) << n;
    }
    EXPECT_EQ (allocations.count(), 0);
}

TEST (PhaserEngine, BlockProcessingAllocatesNothing)
{
    if (! AllocationCounter::available())
        GTEST_SKIP() << "no allocation count in sanitizer builds";

    Phaser_engine engine (44100.0f);
    engine.setBufferSize (512);
    for (auto* unit : { &engine.left(), &engine.right() })
        apply (*unit, { 9.0f, 0.7f, 0.9f, 1.0f, 1.0f, 0.2f, 0.8f, 4.0f, 5, 0.3f });

    const auto input = noise (512, 5);
    AllocationCounter allocations;

    for (int block = 0; block < 50; ++block)
    {
        engine.applyPendingTargets();
        std::copy (input.begin(), input.end(), engine.envelopeBuffer.getWritePointer (0));
        engine.processEnvelope (512);
        engine.workBuffer.copyFrom (0, 0, input.data(), 512);
        engine.workBuffer.copyFrom (1, 0, input.data(), 512);
        Phaser_unit::process_block_pair (engine.left(), engine.workBuffer.getWritePointer (0), engine.right(),
                                         engine.workBuffer.getWritePointer (1), engine.envelopeBuffer.getReadPointer (0), 512);
        engine.left().process_block (engine.workBuffer.getWritePointer (0), engine.envelopeBuffer.getWritePointer (0), 512);
        for (auto* smoother : smoothersOf (engine))
            smoother->getNextValue();
    }

    EXPECT_EQ (allocations.count(), 0);
}

TEST (PhaserEngine, RebuildAtANewRateKeepsFollowerAndSmoothers)
{
    Phaser_engine engine (44100.0f);
    for (auto* smoother : smoothersOf (engine))
        rampLength (*smoother);

    const auto& follower = *engine.envelopeFollower;
    const float attack = follower.attackCoef, release = follower.releaseCoef, g = follower.lowPass->g;
    const Phaser_unit* oldLeft = &engine.left();

    engine.sampleRate = 48000.0f;
    engine.makePhaserUnits();

    EXPECT_NE (&engine.left(), oldLeft);
    for (auto* unit : { &engine.left(), &engine.right() })
    {
        EXPECT_EQ (unit->sampleRate, 48000.0f);
        EXPECT_EQ (unit->delayLength, 480);
        EXPECT_EQ (unit->lfo->sampleRate, 48000.0f);
        EXPECT_EQ (unit->modSmoother->sampleRate, 48000.0f);
    }

    EXPECT_EQ (follower.sampleRate, 44100.0f);
    EXPECT_EQ (follower.attackCoef, attack);
    EXPECT_EQ (follower.releaseCoef, release);
    EXPECT_EQ (follower.lowPass->g, g);
    EXPECT_NEAR (cutoffFromCoefficient (g, 44100.0), 711.408, 0.01);

    engine.setInputGainTarget (1.0f);
    engine.setOutputGainTarget (0.1f);
    engine.setDryWetTarget (0.9f);
    engine.applyPendingTargets();
    for (auto* smoother : smoothersOf (engine))
        EXPECT_EQ (rampLength (*smoother), 22);
}
