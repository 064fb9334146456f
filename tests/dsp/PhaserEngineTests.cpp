#include "DspTestSupport.h"

#include <array>

using namespace dsptest;

namespace
{
std::array<juce::LinearSmoothedValue<float>*, 3> smoothersOf (Phaser_engine& engine)
{
    return { engine.inputGainSmoother.get(), engine.outputGainSmoother.get(), engine.dryWetSmoother.get() };
}

// One block the way the audio loop drives the engine: the left input is the
// detector, both units run in one loop, the smoothers step once.
void processBlock (Phaser_engine& engine, const float* left, const float* right, int n)
{
    engine.applyPendingTargets();
    std::copy (left, left + n, engine.envelopeBuffer.getWritePointer (0));
    engine.processEnvelope (n);
    engine.workBuffer.copyFrom (0, 0, left, n);
    engine.workBuffer.copyFrom (1, 0, right, n);
    Phaser_unit::process_block_pair (engine.left(), engine.workBuffer.getWritePointer (0), engine.right(),
                                     engine.workBuffer.getWritePointer (1), engine.envelopeBuffer.getReadPointer (0), n);
    for (auto* smoother : smoothersOf (engine))
        smoother->getNextValue();
}

void applyBoth (Phaser_engine& engine, const UnitSettings& s)
{
    apply (engine.left(), s);
    apply (engine.right(), rightOf (s));
}
} // namespace

TEST (PhaserEngine, FollowerRisesIn220AndFallsIn5292SamplesAndFeedsTheEnvelope)
{
    Phaser_engine engine (44100.0f);
    const auto& follower = *engine.envelopeFollower;
    const double attack = std::pow (0.01, 1.0 / 220.5), release = std::pow (0.01, 1.0 / 5292.0);
    EXPECT_NEAR (follower.attackCoef, attack, 1e-6);
    EXPECT_NEAR (follower.releaseCoef, release, 1e-6);

    // A step to -1 (the detector is rectified), silence, bursts of noise at
    // falling levels, then a constant.
    std::vector<float> detector (4000, -1.0f);
    detector.resize (12000, 0.0f);
    for (float amplitude : { 0.9f, 0.3f, 0.05f })
        for (float x : noise (6000, (juce::int64) (amplitude * 100.0f), amplitude))
            detector.push_back (x);
    detector.resize (detector.size() + 6000, 0.5f);

    // Single samples through the step and the fall, then blocks of 256.
    std::vector<float> envelope (detector.size()), level (detector.size(), -1.0f);
    int done = 0;
    engine.setBufferSize (256);
    forEachBlock ((int) detector.size(), [&] { return done < 12000 ? 1 : 256; }, [&] (int start, int n)
    {
        float* buffer = engine.envelopeBuffer.getWritePointer (0);
        std::copy (detector.begin() + start, detector.begin() + start + n, buffer);
        engine.processEnvelope (n);
        std::copy (buffer, buffer + n, envelope.begin() + start);
        done = start + n;
        level[(size_t) done - 1] = follower.level;
    });

    // The envelope is 1.3 times the level smoothed by a 711.408 Hz one-pole.
    const double G = std::tan (kPi * 711.408 / 44100.0), g = G / (1.0 + G);
    double model = 0.0, state = 0.0;
    int risen = -1, fallen = -1;

    for (size_t i = 0; i < detector.size(); ++i)
    {
        const double x = std::abs (detector[i]);
        model = x + (model - x) * (x > model ? attack : release);
        const double v = (model - state) * g;
        ASSERT_NEAR (envelope[i], 1.3 * (state + v), 2e-5) << "sample " << i;
        state += 2.0 * v;

        risen = risen < 0 && level[i] >= 0.99f ? (int) i + 1 : risen;
        fallen = fallen < 0 && i >= 4000 && level[i] >= 0.0f && level[i] <= 0.01f ? (int) i - 3999 : fallen;
    }

    EXPECT_NEAR (risen, 220.5, 1.0);
    EXPECT_NEAR (fallen, 5292.0, 2.0);
    EXPECT_NEAR (envelope.back(), 0.65, 1e-4);
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
    // Part of the start-up ramp; away and back before the next block (the ramp
    // restarts); the current target again (nothing happens); a new target mid-ramp
    // and away and back mid-ramp; away and back once the ramp is over.
    const Event events[] = { { -1.0f, 5 }, { 1.0f, 0 }, { 0.5f, 3 }, { 0.5f, 30 }, { 0.2f, 2 },
                             { 0.9f, 0 },  { 0.2f, 25 }, { 0.7f, 0 }, { 0.2f, 25 }, { 0.0f, 22 } };

    for (const auto& e : events)
    {
        if (e.target >= 0.0f)
            engine.setDryWetTarget (e.target), reference.setTargetValue (e.target);

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
    engine.workBuffer.setSample (1, 511, 0.25f);
    engine.envelopeBuffer.setSample (0, 7, -0.5f);
    engine.setBufferSize (512); // the same size leaves the buffers as they are
    EXPECT_EQ (engine.workBuffer.getSample (1, 511), 0.25f);
    EXPECT_EQ (engine.envelopeBuffer.getSample (0, 7), -0.5f);

    // Back to any size up to the largest seen allocates nothing.
    engine.setBufferSize (8192);
    AllocationCounter allocations;
    for (int n : { 512, 480, 1, 8192, 4096, 512, 480 })
        EXPECT_TRUE ((engine.setBufferSize (n), sizesAre (n))) << n;
    EXPECT_TRUE (allocations.count() == 0 || ! AllocationCounter::available());
}

TEST (PhaserEngine, StaysFiniteAndBoundedAtLowRatesAndAllocatesNothing)
{
    // As built, then in unit terms the defaults, every control at its low end
    // and every one at its high end: ten seconds of full-scale noise and of silence.
    const UnitSettings settings[] = {
        {},
        { 0.01f, 0.0f, 0.0f, -1.0f, -1.0f, 0.0f, 0.0f, 1.0f, 0, 0.0f },
        { 20.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 5, 0.5f },
    };

    for (float rate : { 8000.0f, 11025.0f, 16000.0f, 22050.0f, 32000.0f })
    {
        for (int k = -1; k < 3; ++k)
        {
            for (float amplitude : { 1.0f, 0.0f })
            {
                SCOPED_TRACE (testing::Message() << rate << " Hz, settings " << k << ", amplitude " << amplitude);
                Phaser_engine engine (rate);
                engine.setBufferSize (512);
                if (k >= 0)
                    applyBoth (engine, settings[k]);

                const auto input = noise ((size_t) rate * 10, k + 2, amplitude);
                int outside = 0;
                AllocationCounter allocations;

                forEachBlock ((int) input.size(), fixedBlocks (512), [&] (int start, int n)
                {
                    processBlock (engine, input.data() + start, input.data() + start, n);
                    for (int c = 0; c < 2; ++c)
                        for (int i = 0; i < n; ++i)
                            outside += std::abs (engine.workBuffer.getSample (c, i)) < 100.0f ? 0 : 1; // NaN too
                });

                EXPECT_EQ (outside, 0);
                EXPECT_TRUE (allocations.count() == 0 || ! AllocationCounter::available());
            }
        }
    }
}

TEST (PhaserEngine, SmoothersRampOverHalfAMillisecondAndKeepItThroughARebuild)
{
    for (float rate : { 44100.0f, 48000.0f })
    {
        SCOPED_TRACE (testing::Message() << "rate " << rate);
        const int steps = (int) std::floor (0.0005 * rate); // 22 at 44100 Hz
        Phaser_engine engine (rate);

        for (auto* smoother : smoothersOf (engine))
        {
            for (int k = 1; k < steps; ++k)
                ASSERT_NEAR (smoother->getNextValue(), 0.5 * k / steps, 1e-6) << "step " << k;
            EXPECT_EQ (smoother->getNextValue(), 0.5f);
            EXPECT_FALSE (smoother->isSmoothing());
        }

        // New units at the new rate; follower and smoothers stay as built.
        const auto& follower = *engine.envelopeFollower;
        const float attack = follower.attackCoef, release = follower.releaseCoef, g = follower.lowPass->g;
        const Phaser_unit* oldLeft = &engine.left();
        engine.sampleRate = 96000.0f;
        engine.makePhaserUnits();

        EXPECT_NE (&engine.left(), oldLeft);
        for (auto* unit : { &engine.left(), &engine.right() })
        {
            EXPECT_EQ (unit->delayLength, 960);
            EXPECT_EQ (unit->sampleRate, 96000.0f);
            EXPECT_EQ (unit->lfo->sampleRate, 96000.0f);
            EXPECT_EQ (unit->modSmoother->sampleRate, 96000.0f);
        }

        EXPECT_EQ (follower.sampleRate, rate);
        EXPECT_EQ (follower.attackCoef, attack);
        EXPECT_EQ (follower.releaseCoef, release);
        EXPECT_EQ (follower.lowPass->g, g);

        engine.setInputGainTarget (1.0f);
        engine.setOutputGainTarget (0.1f);
        engine.setDryWetTarget (0.9f);
        engine.applyPendingTargets();
        for (auto* smoother : smoothersOf (engine))
        {
            int ramp = 0;
            for (; smoother->isSmoothing() && ramp < 1000; ++ramp)
                smoother->getNextValue();
            EXPECT_EQ (ramp, steps);
        }
    }
}
