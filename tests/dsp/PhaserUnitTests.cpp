#include "DspTestSupport.h"

using namespace dsptest;

namespace
{
const float kAllRates[] = { 1000.0f, 8000.0f, 11025.0f, 16000.0f, 22050.0f, 32000.0f, 44100.0f, 48000.0f, 96000.0f };

// A one-pole filter at nominal Hz: exact from 44100 Hz up; at lower rates the
// same where the cut-off is far from half the rate, otherwise limited below it.
void expectCutoff (const OnePoleFilter& filter, double nominal, float rate)
{
    const double cutoff = cutoffFromCoefficient (filter.g, rate);
    const bool unlimited = rate >= 44100.0f || nominal < 0.4 * rate;
    EXPECT_GT (filter.g, 0.0f);
    EXPECT_LT (filter.g, 1.0f);
    EXPECT_NEAR (cutoff, unlimited ? nominal : 0.45 * rate, unlimited ? nominal * 1e-4 : 0.05 * rate);
    EXPECT_TRUE (rate < 44100.0f || std::abs (filter.cutoff - nominal) <= nominal * 1e-6) << filter.cutoff;
}
} // namespace

TEST (PhaserUnit, DelayLineHoldsTenMilliseconds)
{
    EXPECT_EQ (Phaser_unit (44100.0f).delayLength, 441);
    EXPECT_EQ (Phaser_unit (48000.0f).delayLength, 480);

    // Below 100 Hz the line would have no entry at all.
    Phaser_unit tiny (50.0f);
    EXPECT_GE (tiny.delayLength, 1);
    EXPECT_TRUE (std::isfinite (run (tiny, noise (2000, 1), std::vector<float> (2000, 0.5f), fixedBlocks (64)).back()));
}

TEST (PhaserUnit, StagesSitAtTheEndsOfTheSweepAtEveryRate)
{
    struct Case { float m; double f[3]; };
    const Case cases[] = { { 0.0f, { 33.0, 48.0, 98.0 } }, { 1.0f, { 3300.0, 4800.0, 9800.0 } } };

    for (float rate : kAllRates)
    {
        for (const auto& c : cases)
        {
            SCOPED_TRACE (testing::Message() << "rate " << rate << ", m " << c.m);

            // m = 0: no modulation ("None"); m = 1: "Rect" reads 1 in its first
            // half, here at full depth and without smoothing.
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
                EXPECT_LT (std::abs (stage.b0), 1.0f); // even where the stage lies above half the rate

                // The truncated series puts -90 degrees close to the nominal frequency.
                if (rate >= 44100.0f)
                {
                    EXPECT_NEAR (allpassPhase (stage.b0, c.f[s], rate), -kPi / 2.0, 0.01);
                }
            }
        }
    }
}

TEST (PhaserUnit, FeedbackAndFollowerCutoffsAtEveryRate)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const double mid = (std::sqrt (20.0) - 1.0) / 19.0;
    struct Case { bool set; float x; double hp, lp; };
    const Case cases[] = {
        { false, 0.0f, 20.0, 16000.0 }, // as built
        { true, 0.0f, 80.0, 500.0 },
        { true, 1.0f, 3000.0, 12000.0 },
        { true, 0.5f, mid * 2920.0 + 80.0, mid * 11500.0 + 500.0 },
        { true, 1.5f, 20.0, 16000.0 },
        { true, -0.1f, 20.0, 16000.0 },
        { true, nan, 20.0, 16000.0 },
    };

    for (float rate : kAllRates)
    {
        for (const auto& c : cases)
        {
            SCOPED_TRACE (testing::Message() << "rate " << rate << (c.set ? ", x = " : ", as built ") << c.x);
            Phaser_unit unit (rate);

            if (c.set)
                unit.setHpCf (c.x), unit.setLpCf (c.x);

            expectCutoff (*unit.hpFilter, c.hp, rate);
            expectCutoff (*unit.lpFilter, c.lp, rate);
        }

        SCOPED_TRACE (testing::Message() << "envelope follower at " << rate);
        expectCutoff (*Phaser_engine (rate).envelopeFollower->lowPass, 711.408, rate);
    }
}

TEST (PhaserUnit, ZeroFeedbackIsTheAllpassChainAlone)
{
    // No modulation: the stages stay at 33, 48 and 98 Hz.
    Phaser_unit unit (44100.0f);
    apply (unit, { 1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 6 });

    const auto input = noise (20000, 11);
    const auto output = run (unit, input, std::vector<float> (input.size(), 1.0f), fixedBlocks (333));

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
            y1[s] = x = y;
        }

        ASSERT_NEAR (output[i], x, 1e-4) << "sample " << i;
    }

    for (int i = 0; i < unit.delayLength; ++i)
        EXPECT_LT (std::abs (unit.delayBuffer[(size_t) i]), 1e-20f);
}

TEST (PhaserUnit, OutputDoesNotDependOnBlockSizesOrEmptyCallsAndAllocatesNothing)
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

    // Calls with 0 or fewer samples between blocks must leave unit and buffer alone.
    auto render = [&] (const UnitSettings& s, const BlockSizes& blocks, bool emptyCalls)
    {
        Phaser_unit unit (44100.0f), other (44100.0f);
        unit.lfo->randomGenerator.setSeed (99);
        apply (unit, s);
        auto out = input;
        auto env = envelope;
        AllocationCounter allocations;

        forEachBlock ((int) out.size(), blocks, [&] (int start, int n)
        {
            float* x = out.data() + start;
            unit.process_block (x, env.data() + start, n);

            if (emptyCalls)
            {
                unit.process_block (x, env.data() + start, 0);
                unit.process_block (x, env.data() + start, -64);
                Phaser_unit::process_block_pair (unit, x, other, x, env.data() + start, 0);
            }
        });
        EXPECT_TRUE (allocations.count() == 0 || ! AllocationCounter::available());
        return out;
    };

    for (const auto& s : settings)
    {
        SCOPED_TRACE (testing::Message() << "settings " << (&s - settings));
        const auto expected = render (s, fixedBlocks (100), false);
        EXPECT_TRUE (bitIdentical (render (s, fixedBlocks (64), false), expected));
        EXPECT_TRUE (bitIdentical (render (s, randomBlocks (5, 700), true), expected));
    }
}
