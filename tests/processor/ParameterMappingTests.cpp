#include "TestSupport.h"

#include <limits>
#include <tuple>

using namespace ondrel_test;

using ParameterMapping = ProcessorTest;

TEST_F (ParameterMapping, EveryRowFollowsItsLawAcrossTheRange)
{
    OndrelAudioProcessor p;
    juce::Random random (1234);
    // The ends, the gains' middle from both sides, the waveform's truncation and any bypass above zero.
    const float fixed[] = { 0.0f, 1e-6f, 0.1f, 0.2f, 0.25f, 0.3f, std::nextafter (0.5f, 0.0f), 0.5f,
                            std::nextafter (0.5f, 1.0f), 0.7f, 0.999f, 1.0f };
    const int numFixed = (int) std::size (fixed);

    for (int k = 0; k < numFixed + 20; ++k) // every parameter at the fixed values, then at random ones
    {
        std::array<float, kNumParameters> own {};
        for (size_t i = 0; i < own.size(); ++i)
            own[i] = (k < numFixed ? fixed[k] : random.nextFloat()) * (i == 6 ? 5.0f : 1.0f); // lfo_wave runs 0..5

        SCOPED_TRACE (k);
        setAll (p, own);
        expectDspFollows (p, own, 44100.0);
    }

    // Low rates bring the smoothing divisor to its floor of one.
    for (double rate : { 8000.0, 1000.0 })
    {
        prepare (p, rate, 256);

        for (float v : { 0.0f, 0.2f, 0.5f, 1.0f })
        {
            p.parameterChanged ("lfo_smooth", v);
            const auto s = captureDsp (p);
            EXPECT_NEAR (s.units[0].divisor, referenceSmoothDivisor (v, rate), 1e-4) << rate << " " << v;
            EXPECT_EQ (s.units[0].divisor, s.units[1].divisor);
        }
    }

    // Through the parameter: normalised 0.5 is 2.5 of the 0..5 range.
    setNormalised (p, "lfo_wave", 0.5f);
    EXPECT_EQ (p.phaserEngine->left().lfo->waveform.get(), 2);
}

TEST_F (ParameterMapping, WidthRestartsBothLfoCycles)
{
    OndrelAudioProcessor p;
    processSilence (p, 8, 512);
    const float phaseBefore = p.phaserEngine->left().lfo->phase;
    ASSERT_GT (phaseBefore, 0.005f);

    setNormalised (p, "phaser_width", 0.8f);

    // 64 samples after the restart both LFOs are near the start of their cycle.
    processSilence (p, 1, 64);
    auto& left = *p.phaserEngine->left().lfo;
    auto& right = *p.phaserEngine->right().lfo;
    EXPECT_LT (left.phase, phaseBefore / 10.0f);
    EXPECT_EQ (left.phase, right.phase);

    // The offset ramp ends within a block: left half a cycle times the width, right none.
    processSilence (p, 1, 1024);
    EXPECT_EQ (left.phaseOffsetSmoother->getCurrentValue(), 0.4f);
    EXPECT_EQ (right.phaseOffsetSmoother->getCurrentValue(), 0.0f);
}

TEST_F (ParameterMapping, UnknownIdsAndNonFiniteValuesKeepTheDsp)
{
    OndrelAudioProcessor p;

    for (const char* id : kParameterIDs)
        setNormalised (p, id, 0.3f);

    processSilence (p, 8, 512);
    const auto before = captureDsp (p);

    for (const char* id : { "phaser_speed", "PHASER_DEPTH", "bypass ", "", "lfo" })
    {
        undoTimer (p).stopTimer (0);
        p.parameterChanged (id, 0.2f);
        EXPECT_TRUE (sameBits (captureDsp (p), before)) << id;
        EXPECT_TRUE (undoTimer (p).isTimerRunning (0)) << id;
    }

    for (const char* id : kParameterIDs)
        for (float v : { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity() })
        {
            p.parameterChanged (id, v);
            EXPECT_TRUE (sameBits (captureDsp (p), before)) << id << " " << v;
        }
}

TEST_F (ParameterMapping, ResetRestoresTheMainEightAndRandomiseDrawsThem)
{
    OndrelAudioProcessor p;
    const auto setAllTo = [&p] (float v) {
        for (const char* id : kParameterIDs)
            setNormalised (p, id, v);
    };

    // Only the first eight (the phaser's own) are reset or drawn.
    for (int mode : { 1, 2, -1 })
    {
        SCOPED_TRACE (mode);
        setAllTo (0.9f);
        p.paramRndReset (mode);
        const auto v = captureState (p).values;

        for (int i = 0; i < kNumParameters; ++i)
            EXPECT_EQ (v[(size_t) i], i < 8 ? kOwnRangeDefaults[(size_t) i] / (i == 6 ? 5.0f : 1.0f) : 0.9f)
                << kParameterIDs[(size_t) i];

        EXPECT_TRUE (p.phaserEngine->isBypassed.get());
        EXPECT_EQ (p.phaserEngine->left().lfoDepth.get(), 0.25f);
    }

    setAllTo (0.9f);
    p.paramRndReset (0);
    const auto first = captureState (p).values;
    p.paramRndReset (0);
    auto second = captureState (p).values;
    int changedBetweenCalls = 0;

    for (int i = 0; i < kNumParameters; ++i)
    {
        const float v = second[(size_t) i];
        EXPECT_TRUE (i < 8 ? v >= 0.0f && v <= 1.0f : v == 0.9f) << kParameterIDs[(size_t) i];
        changedBetweenCalls += first[(size_t) i] != v ? 1 : 0;
    }

    EXPECT_GE (changedBetweenCalls, 7);

    // The sound path follows the drawn values.
    second[6] *= 5.0f;
    expectDspFollows (p, second, 44100.0);
}
