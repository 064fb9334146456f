#include "DspTestSupport.h"

#include <cmath>
#include <limits>

using namespace dsptest;

TEST (PhaserUnit, DelayLineHoldsTenMilliseconds)
{
    EXPECT_EQ (Phaser_unit (44100.0f).delayLength, 441);
    EXPECT_EQ (Phaser_unit (48000.0f).delayLength, 480);

    // Below 100 Hz the line would have no entry at all.
    Phaser_unit tiny (50.0f);
    EXPECT_GE (tiny.delayLength, 1);
    EXPECT_TRUE (std::isfinite (run (tiny, noise (2000, 1), constant (2000, 0.5f), fixedBlocks (64)).back()));
}

TEST (PhaserUnit, StagesSitAtTheEndsOfTheSweep)
{
    struct Case { float m; double f[3]; };
    const Case cases[] = { { 0.0f, { 33.0, 48.0, 98.0 } }, { 1.0f, { 3300.0, 4800.0, 9800.0 } } };

    for (float rate : { 44100.0f, 48000.0f, 96000.0f })
    {
        for (const auto& c : cases)
        {
            SCOPED_TRACE (testing::Message() << "rate " << rate << ", m " << c.m);

            // m = 0: no modulation at all; m = 1: "Rect" reads 1 in its first
            // half, at full depth and without smoothing.
            Phaser_unit unit (rate);
            unit.lfo->waveform = c.m == 0.0f ? 6 : 4;
            unit.lfoDepth = 1.0f;
            processSample (unit);
            ASSERT_NEAR (unit.modSmoother->y, c.m, 1e-6);

            for (int s = 0; s < 3; ++s)
            {
                const AllpassStage& stage = *unit.allpass[s];
                EXPECT_EQ (stage.b0, stage.a1);
                EXPECT_NEAR (stage.b0, seriesCoefficient (c.f[s], rate), 2e-6);
                // The truncated series puts -90 degrees close to the nominal frequency.
                EXPECT_NEAR (allpassPhase (stage.b0, c.f[s], rate), -kPi / 2.0, 0.01);
            }
        }
    }
}

TEST (PhaserUnit, FeedbackFilterCutoffs)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const double mid = (std::sqrt (20.0) - 1.0) / 19.0;
    struct Case { float x; double hp, lp; };
    const Case cases[] = {
        { 0.0f, 80.0, 500.0 },
        { 1.0f, 3000.0, 12000.0 },
        { 0.5f, mid * 2920.0 + 80.0, mid * 11500.0 + 500.0 },
        { 1.5f, 20.0, 16000.0 },
        { -0.1f, 20.0, 16000.0 },
        { nan, 20.0, 16000.0 },
    };

    Phaser_unit unit (44100.0f);
    EXPECT_NEAR (cutoffFromCoefficient (unit.hpFilter->g, 44100.0), 20.0, 20.0 * 1e-4);
    EXPECT_NEAR (cutoffFromCoefficient (unit.lpFilter->g, 44100.0), 16000.0, 16000.0 * 1e-4);

    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << "x = " << c.x);
        unit.setHpCf (c.x);
        unit.setLpCf (c.x);
        EXPECT_NEAR (unit.hpFilter->cutoff, c.hp, c.hp * 1e-5);
        EXPECT_NEAR (unit.lpFilter->cutoff, c.lp, c.lp * 1e-5);
        EXPECT_NEAR (cutoffFromCoefficient (unit.hpFilter->g, 44100.0), c.hp, c.hp * 1e-4);
        EXPECT_NEAR (cutoffFromCoefficient (unit.lpFilter->g, 44100.0), c.lp, c.lp * 1e-4);
    }
}

TEST (PhaserUnit, NonPositiveCountLeavesUnitAndBufferAlone)
{
    Phaser_unit unit (44100.0f);
    apply (unit, { 3.0f, 0.7f, 0.9f, 0.5f, 0.5f, 0.3f, 0.6f, 4.41f, 1, 0.25f });
    run (unit, noise (1000, 7), constant (1000, 0.4f), fixedBlocks (128));

    const auto snapshot = [&unit]
    {
        std::vector<float> s (unit.delayBuffer.get(), unit.delayBuffer.get() + unit.delayLength);
        for (const auto& stage : unit.allpass)
            s.insert (s.end(), { stage->x1, stage->x2, stage->y1, stage->y2, stage->b0 });
        s.insert (s.end(), { unit.interpState, unit.currentDepth, unit.modSmoother->y, unit.hpFilter->state,
                             unit.lpFilter->state, unit.dcBlocker->x1, unit.dcBlocker->y1, unit.lfo->phase,
                             unit.lfo->increment, unit.lfo->phaseOffsetSmoother->getCurrentValue(),
                             (float) unit.writePosition, (float) unit.lfoCountdown, (float) unit.controlCountdown });
        return s;
    };

    const auto before = snapshot();
    auto samples = noise (16, 8);
    const auto input = samples;
    auto envelope = constant (16, 1.0f);

    for (int n : { 0, -1, -64 })
        unit.process_block (samples.data(), envelope.data(), n);

    Phaser_unit other (44100.0f);
    Phaser_unit::process_block_pair (unit, samples.data(), other, samples.data(), envelope.data(), 0);

    EXPECT_TRUE (bitIdentical (snapshot(), before));
    EXPECT_TRUE (bitIdentical (samples, input));
}

TEST (PhaserUnit, DepthAndRateAreClamped)
{
    struct Case { float lfoDepth, envToDepth, lfoRate, envToRate, envelope, depth, rate; };
    const Case cases[] = {
        { 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.05f, 1.0f },        // the sweep never stops completely
        { 0.5f, -1.0f, 1.0f, 0.0f, 1.0f, 0.05f, 1.0f },
        { 0.9f, 1.0f, 1.0f, 0.0f, 0.5f, 1.0f, 1.0f },
        { 0.5f, 0.0f, 19.0f, 1.0f, 1.0f, 0.5f, 20.0f },       // 19 + 9 Hz, clamped
        { 0.5f, 0.0f, 2.0f, 1.0f, 1.0f, 0.5f, 11.0f },
        { 0.5f, 0.0f, 2.0f, 0.0f, 1e30f, 0.5f, 2.0f },        // no amount, no effect
        { 0.5f, 0.0f, 0.01f, 0.0f, 0.0f, 0.5f, 0.08f },
        { 0.5f, 0.0f, 5.0f, -1.0f, 1.3f, 0.5f, 0.08f },
    };

    for (const auto& c : cases)
    {
        Phaser_unit unit (44100.0f);
        unit.lfoDepth = c.lfoDepth;
        unit.envToDepth = c.envToDepth;
        unit.lfoRate = c.lfoRate;
        unit.envToRate = c.envToRate;
        processSample (unit, c.envelope);

        EXPECT_FLOAT_EQ (unit.currentDepth, c.depth) << "lfoDepth " << c.lfoDepth << ", envToDepth " << c.envToDepth;
        EXPECT_FLOAT_EQ (unit.lfo->increment * 44100.0f, c.rate) << "lfoRate " << c.lfoRate << ", envToRate " << c.envToRate;
    }
}

TEST (PhaserUnit, EnvelopeIsReadOnlyAtControlUpdates)
{
    constexpr int n = 64 * 40;
    auto ragged = constant (n, std::numeric_limits<float>::quiet_NaN());
    auto smooth = constant (n, 0.0f);

    for (int i = 0; i < n; i += 64)
        ragged[(size_t) i] = smooth[(size_t) i] = (float) ((i / 64) % 5) * 0.3f;

    const UnitSettings settings { 2.0f, 0.4f, 0.8f, 1.0f, 1.0f, 0.2f, 0.8f, 1.0f, 0 };
    Phaser_unit a (44100.0f), b (44100.0f);
    apply (a, settings);
    apply (b, settings);
    const auto input = noise (n, 3);

    EXPECT_TRUE (bitIdentical (run (a, input, ragged, randomBlocks (4, 150)), run (b, input, smooth, fixedBlocks (n))));
}

TEST (PhaserUnit, ModulationMovesOncePerLfoRead)
{
    // "Rect" at full depth reads 1 for the first half cycle: a step target.
    for (float divisor : { 1.0f, 4.0f })
    {
        Phaser_unit unit (44100.0f);
        unit.lfo->waveform = 4;
        unit.lfoDepth = 1.0f;
        unit.modSmoother->divisor = divisor;

        double expected = 0.0;

        for (int i = 0; i < 32 * 20; ++i)
        {
            if (i % 32 == 0)
                expected += (1.0 - expected) / divisor;

            processSample (unit);
            ASSERT_NEAR (unit.modSmoother->y, expected, 1e-6) << "divisor " << divisor << ", sample " << i;
        }
    }
}

TEST (PhaserUnit, ZeroFeedbackIsTheAllpassChainAlone)
{
    // No modulation: the stages stay at 33, 48 and 98 Hz.
    Phaser_unit unit (44100.0f);
    apply (unit, { 1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 6 });

    const auto input = noise (20000, 11);
    const auto output = run (unit, input, constant (input.size(), 1.0f), fixedBlocks (333));

    const double a[3] = { seriesCoefficient (33.0, 44100.0), seriesCoefficient (48.0, 44100.0),
                          seriesCoefficient (98.0, 44100.0) };
    double x1[3] = {}, y1[3] = {};

    for (size_t i = 0; i < input.size(); ++i)
    {
        double x = input[i];

        for (int s = 0; s < 3; ++s)
        {
            const double y = a[s] * x + x1[s] - a[s] * y1[s];
            x1[s] = x;
            y1[s] = y;
            x = y;
        }

        ASSERT_NEAR (output[i], x, 1e-4) << "sample " << i;
    }

    for (int i = 0; i < unit.delayLength; ++i)
        EXPECT_LT (std::abs (unit.delayBuffer[(size_t) i]), 1e-20f);
}

TEST (PhaserUnit, OutputDoesNotDependOnBlockSizes)
{
    const UnitSettings settings[] = {
        { 0.09779328f, 0.25f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 4.41f, 1 },
        { 7.0f, 0.8f, 0.9568f, 1.0f, -0.6f, 0.4f, 0.3f, 1.0f, 0, 0.5f },
        { 0.5f, 0.1f, 1.0f, -1.0f, 1.0f, 1.0f, 0.0f, 885.3f, 4, 0.1f },
        { 12.0f, 0.6f, 0.7f, 0.5f, 0.5f, 0.2f, 0.9f, 20.0f, 5 },
    };

    const auto input = noise (30000, 21);
    auto envelope = noise (30000, 22, 1.3f);
    for (auto& e : envelope)
        e = std::abs (e);

    int caseIndex = 0;
    for (const auto& s : settings)
    {
        SCOPED_TRACE (testing::Message() << "settings " << caseIndex++);
        std::vector<float> outputs[3];
        const std::function<int()> blocks[3] = { fixedBlocks (100), fixedBlocks (64), randomBlocks (5, 700) };

        for (int k = 0; k < 3; ++k)
        {
            Phaser_unit unit (44100.0f);
            unit.lfo->randomGenerator.setSeed (99);
            apply (unit, s);
            outputs[k] = run (unit, input, envelope, blocks[k]);
        }

        EXPECT_TRUE (bitIdentical (outputs[0], outputs[1]));
        EXPECT_TRUE (bitIdentical (outputs[0], outputs[2]));
    }
}
