#include "TestSupport.h"

#include <limits>

using namespace ondrel_test;

using ParameterMapping = ProcessorTest;

TEST_F (ParameterMapping, EveryRowFollowsItsLawAcrossTheRangeAndWidthRestartsBothCycles)
{
    OndrelAudioProcessor p;
    expectDspFollows (p, kOwnRangeDefaults, 44100.0);
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
        setNormalised (p, "bypass", 0.0f);
        processSilence (p, 1, 64); // the LFOs move on; a new width sends both back to the start
        setAll (p, own);
        expectDspFollows (p, own, 44100.0);
    }

    // Low rates bring the smoothing divisor to its floor of one (the low-pass
    // below the cut-off limit of these rates).
    for (double rate : { 8000.0, 2000.0 })
    {
        prepare (p, rate, 256);
        for (float v : { 0.0f, 0.2f, 0.5f, 1.0f })
        {
            auto own = kOwnRangeDefaults;
            own[5] = 0.0f;
            own[7] = v;
            setAll (p, own);
            expectDspFollows (p, own, rate);
        }
    }
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
    // Only the first eight (the phaser's own) are reset or drawn.
    for (int mode : { 1, 2, -1, 0, 0 })
    {
        SCOPED_TRACE (mode);
        const auto before = captureState (p).values;
        for (const char* id : kParameterIDs)
            setNormalised (p, id, 0.9f);
        p.paramRndReset (mode);
        auto v = captureState (p).values;
        int changed = 0;
        for (size_t i = 0; i < v.size(); ++i)
        {
            const float reset = kOwnRangeDefaults[i] / (i == 6 ? 5.0f : 1.0f);
            EXPECT_TRUE (i >= 8 ? v[i] == 0.9f : mode != 0 ? v[i] == reset : v[i] >= 0.0f && v[i] <= 1.0f) << kParameterIDs[i];
            changed += before[i] != v[i] ? 1 : 0;
        }
        EXPECT_TRUE (p.phaserEngine->isBypassed.get());
        v[6] *= 5.0f; // the sound path follows the reset or drawn values
        expectDspFollows (p, v, 44100.0);
        EXPECT_TRUE (mode != 0 || changed >= 7) << "a new draw each time";
    }
}
