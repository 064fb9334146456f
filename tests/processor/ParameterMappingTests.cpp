#include "TestSupport.h"

#include <cmath>
#include <limits>

using namespace ondrel_test;

namespace
{
class ParameterMapping : public ProcessorTest
{
protected:
    OndrelAudioProcessor p;

    // Sets all fourteen from values in their own ranges, through the parameters.
    void setAll (const std::array<float, kNumParameters>& own)
    {
        for (int i = 0; i < kNumParameters; ++i)
        {
            auto& param = parameter (p, kParameterIDs[(size_t) i]);
            param.setValue (param.convertTo0to1 (own[(size_t) i]));
        }
    }

    // Runs some audio so that LFO phases are not at their start values.
    void runAWhile() { processSilence (p, 8, 512); }
};

std::array<float, kNumParameters> uniform (float normalisedValue)
{
    std::array<float, kNumParameters> own {};
    own.fill (normalisedValue);
    own[6] = 5.0f * normalisedValue; // lfo_wave runs 0..5
    return own;
}
} // namespace

TEST_F (ParameterMapping, EveryRowFollowsItsLawAcrossTheRange)
{
    for (float v : { 0.0f, 0.1f, 0.25f, 0.3f, 0.5f, 0.7f, 0.999f, 1.0f })
    {
        SCOPED_TRACE (v);
        setAll (uniform (v));
        expectDspFollows (p, uniform (v), 44100.0);
    }

    juce::Random random (1234);

    for (int k = 0; k < 20; ++k)
    {
        std::array<float, kNumParameters> own {};

        for (int i = 0; i < kNumParameters; ++i)
            own[(size_t) i] = random.nextFloat() * (i == 6 ? 5.0f : 1.0f);

        SCOPED_TRACE (k);
        setAll (own);
        expectDspFollows (p, own, 44100.0);
    }
}

TEST_F (ParameterMapping, RateFeedbackAndGainsHitTheirAnchors)
{
    auto& unit = p.phaserEngine->left();
    auto& engine = *p.phaserEngine;

    const auto gainsAt = [&] (float v) {
        p.parameterChanged ("output_in", v);
        p.parameterChanged ("output_out", v);
        engine.applyPendingTargets();
        EXPECT_EQ (engine.inputGainSmoother->getTargetValue(), engine.outputGainSmoother->getTargetValue());
        return engine.inputGainSmoother->getTargetValue();
    };

    EXPECT_EQ (gainsAt (0.5f), 1.0f);
    EXPECT_EQ (gainsAt (0.0f), 0.01f);
    EXPECT_NEAR (gainsAt (1.0f), 3.981072, 5e-7);

    // Continuous at 0.5 from both sides.
    EXPECT_NEAR (gainsAt (std::nextafter (0.5f, 0.0f)), 1.0, 1e-5);
    EXPECT_NEAR (gainsAt (std::nextafter (0.5f, 1.0f)), 1.0, 1e-5);

    p.parameterChanged ("phaser_rate", 0.0f);
    EXPECT_NEAR (unit.lfoRate.get(), 0.01, 1e-8);
    p.parameterChanged ("phaser_rate", 1.0f);
    EXPECT_NEAR (unit.lfoRate.get(), 20.0, 2e-5);
    p.parameterChanged ("phaser_rate", 0.3f);
    EXPECT_NEAR (unit.lfoRate.get(), 0.0977933, 1e-7);

    p.parameterChanged ("phaser_fb", 1.0f);
    EXPECT_EQ (unit.feedback.get(), 1.0f);
    p.parameterChanged ("phaser_fb", 0.0f);
    EXPECT_EQ (unit.feedback.get(), 0.0f);
    p.parameterChanged ("phaser_fb", 0.5f);
    EXPECT_NEAR (unit.feedback.get(), 0.817256, 1e-6);
}

TEST_F (ParameterMapping, WaveformTruncatesTowardZero)
{
    const auto waveformAt = [&] (float ownValue) {
        p.parameterChanged ("lfo_wave", ownValue);
        EXPECT_EQ (p.phaserEngine->left().lfo->waveform.get(), p.phaserEngine->right().lfo->waveform.get());
        return p.phaserEngine->left().lfo->waveform.get();
    };

    EXPECT_EQ (waveformAt (2.5f), 2);
    EXPECT_EQ (waveformAt (4.999f), 4);
    EXPECT_EQ (waveformAt (5.0f), 5);
    EXPECT_EQ (waveformAt (0.999f), 0);
    EXPECT_EQ (waveformAt (1.0f), 1);

    // Through the parameter: normalised 0.5 is 2.5 of the 0..5 range.
    setNormalised (p, "lfo_wave", 0.5f);
    EXPECT_EQ (p.phaserEngine->left().lfo->waveform.get(), 2);
    setNormalised (p, "lfo_wave", 1.0f);
    EXPECT_EQ (p.phaserEngine->left().lfo->waveform.get(), 5);
}

TEST_F (ParameterMapping, BypassIsOnForAnyValueAboveZero)
{
    for (float v : { 0.01f, 1e-6f, 0.5f, 1.0f })
    {
        setNormalised (p, "bypass", v);
        EXPECT_TRUE (p.phaserEngine->isBypassed.get()) << v;
        setNormalised (p, "bypass", 0.0f);
        EXPECT_FALSE (p.phaserEngine->isBypassed.get()) << v;
    }
}

TEST_F (ParameterMapping, EnvelopeAmountsSpanMinusOneToOne)
{
    for (float v : { 0.0f, 0.25f, 0.5f, 0.75f, 1.0f })
    {
        p.parameterChanged ("env_todepth", v);
        p.parameterChanged ("env_torate", 1.0f - v);

        for (auto* unit : { &p.phaserEngine->left(), &p.phaserEngine->right() })
        {
            EXPECT_EQ (unit->envToDepth.get(), 2.0f * v - 1.0f) << v;
            EXPECT_EQ (unit->envToRate.get(), 1.0f - 2.0f * v) << v;
        }
    }
}

TEST_F (ParameterMapping, SmoothingDivisorIsNeverBelowOne)
{
    p.parameterChanged ("lfo_smooth", 1.0f);
    EXPECT_NEAR (p.phaserEngine->left().modSmoother->divisor.get(), 885.3075, 1e-3);

    for (double rate : { 8000.0, 1000.0 })
    {
        SCOPED_TRACE (rate);
        prepare (p, rate, 256);

        for (float v : { 0.0f, 0.2f, 0.5f, 1.0f })
        {
            p.parameterChanged ("lfo_smooth", v);

            for (auto* unit : { &p.phaserEngine->left(), &p.phaserEngine->right() })
            {
                EXPECT_GE (unit->modSmoother->divisor.get(), 1.0f) << v;
                EXPECT_NEAR (unit->modSmoother->divisor.get(), reference::smoothDivisor (v, rate), 1e-4) << v;
            }
        }
    }
}

TEST_F (ParameterMapping, WidthRestartsBothLfoCycles)
{
    runAWhile();
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

TEST_F (ParameterMapping, UnknownIdChangesNothingButRestartsTheUndoTimer)
{
    setAll (uniform (0.7f));
    runAWhile();
    const auto before = captureDsp (p);

    for (const char* id : { "phaser_speed", "PHASER_DEPTH", "bypass ", "", "lfo" })
    {
        undoTimer (p).stopTimer (0);
        p.parameterChanged (id, 0.2f);
        EXPECT_TRUE (sameBits (captureDsp (p), before)) << id;
        EXPECT_TRUE (undoTimer (p).isTimerRunning (0)) << id;
    }
}

TEST_F (ParameterMapping, NonFiniteValueKeepsTheDsp)
{
    setAll (uniform (0.3f));
    runAWhile();
    const auto before = captureDsp (p);

    for (const char* id : kParameterIDs)
        for (float v : { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity() })
        {
            p.parameterChanged (id, v);
            EXPECT_TRUE (sameBits (captureDsp (p), before)) << id << " " << v;
        }
}
