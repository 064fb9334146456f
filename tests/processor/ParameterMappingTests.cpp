#include "TestSupport.h"

#include <limits>
#include <map>
#include <tuple>

using namespace ondrel_test;

using ParameterMapping = ProcessorTest;

TEST_F (ParameterMapping, EveryRowFollowsItsLawAcrossTheRange)
{
    OndrelAudioProcessor p;
    juce::Random random (1234);
    const float fixed[] = { 0.0f, 0.1f, 0.25f, 0.3f, 0.5f, 0.7f, 0.999f, 1.0f };

    for (int k = 0; k < 28; ++k) // every parameter at fixed values, then at random ones
    {
        std::array<float, kNumParameters> own {};

        for (size_t i = 0; i < own.size(); ++i)
            own[i] = (k < 8 ? fixed[k] : random.nextFloat()) * (i == 6 ? 5.0f : 1.0f); // lfo_wave runs 0..5

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
}

TEST_F (ParameterMapping, AnchorsAndThresholds)
{
    OndrelAudioProcessor p;

    const std::tuple<const char*, float, double, double> rows[] = { // id, value in its own range, expected, tolerance
        // Unity exactly at the middle, -40 dB and +12 dB at the ends; continuous at 0.5.
        { "output_in", 0.5f, 1.0, 0.0 }, { "output_in", 0.0f, 0.01f, 0.0 }, { "output_in", 1.0f, 3.981072, 5e-7 },
        { "output_in", std::nextafter (0.5f, 0.0f), 1.0, 1e-5 },
        { "output_in", std::nextafter (0.5f, 1.0f), 1.0, 1e-5 },
        { "phaser_rate", 0.0f, 0.01, 1e-8 }, { "phaser_rate", 1.0f, 20.0, 2e-5 },
        { "phaser_rate", 0.3f, 0.0977933, 1e-7 },
        { "phaser_fb", 1.0f, 1.0, 0.0 },     { "phaser_fb", 0.0f, 0.0, 0.0 },     { "phaser_fb", 0.5f, 0.817256, 1e-6 },
        { "lfo_smooth", 1.0f, 885.3075, 1e-3 }, { "lfo_smooth", 0.0f, 4.41, 1e-5 },
        // The waveform truncates towards zero; any bypass value above zero bypasses.
        { "lfo_wave", 0.999f, 0.0, 0.0 }, { "lfo_wave", 1.0f, 1.0, 0.0 }, { "lfo_wave", 2.5f, 2.0, 0.0 },
        { "lfo_wave", 4.999f, 4.0, 0.0 }, { "lfo_wave", 5.0f, 5.0, 0.0 }, { "bypass", 1e-6f, 1.0, 0.0 },
        { "bypass", 0.0f, 0.0, 0.0 },     { "bypass", 0.5f, 1.0, 0.0 },
    };

    for (const auto& [id, value, expected, tolerance] : rows)
    {
        p.parameterChanged (id, value);
        const auto s = captureDsp (p);
        const auto& u = s.units[1]; // the right unit; the left one is checked elsewhere
        const std::map<std::string, float> fields { { "output_in", s.inputGain }, { "phaser_rate", u.lfoRate },
                                                    { "phaser_fb", u.feedback },  { "lfo_smooth", u.divisor },
                                                    { "lfo_wave", u.waveform },   { "bypass", s.bypassed } };
        EXPECT_NEAR (fields.at (id), expected, tolerance) << id << " at " << value;
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
