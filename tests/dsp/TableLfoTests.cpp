#include "DspTestSupport.h"

using namespace dsptest;

namespace
{
float readAt (TableLfo& lfo, int waveform, float phase)
{
    lfo.waveform = waveform;
    lfo.phase = phase;
    return lfo.readValue();
}
} // namespace

TEST (TableLfo, TablesHoldTheirShapes)
{
    TableLfo lfo (44100.0f);
    const auto& t = lfo.tables;

    for (const auto& table : t)
        ASSERT_EQ (table.size(), 257);

    for (int i = 0; i < 256; ++i)
    {
        const double x = 2.0 * kPi * i / 257.0;
        EXPECT_NEAR (t[0][i], 0.475 - 0.5 * std::cos (x) + 0.025 * std::cos (2.0 * x), 5e-7) << i;
        EXPECT_NEAR (t[1][i], 0.5 * (1.0 - std::cos (2.0 * kPi * i / 256.0)) * std::exp (-2.5 * std::abs (256 - 2 * i) / 256.0), 5e-7) << i;
        EXPECT_EQ (t[2][i], i / 256.0f) << i;
        EXPECT_EQ (t[3][i], 1.0f - i / 256.0f) << i;
        EXPECT_EQ (t[4][i], i < 128 ? 1.0f : 0.0f) << i;
    }

    // The sine's guard entry is its formula in single precision, not the double one (0.00011954133).
    EXPECT_NEAR (t[0][256], 0.00011954270, 2e-11);
    for (int w : { 1, 2, 3, 4 })
        EXPECT_EQ (t[w][256], w < 3 ? 0.0f : 1.0f) << w;
    EXPECT_NEAR (t[0][0], 0.0, 1e-8); // 0.025 + (0.475 - 0.5) in single precision
}

TEST (TableLfo, ReadsInterpolateAcrossTheCycle)
{
    constexpr double scale = 255.999 / 256.0;
    const float lastStretch = 255.5f / 255.999f; // between the last entry and the guard
    struct Case { int waveform; float phase; double expected, tolerance; };
    const Case cases[] = {
        { 2, 0.1f, 0.1 * scale, 1e-5 }, { 2, 0.37f, 0.37 * scale, 1e-5 }, { 2, 0.9f, 0.9 * scale, 1e-5 },
        { 3, 0.1f, 1.0 - 0.1 * scale, 1e-5 }, { 3, 0.5f, 1.0 - 0.5 * scale, 1e-5 },
        // Within the last 1/256 "Up" falls back to 0 and "Down" rises to 1.
        { 2, lastStretch, 0.5 * 255.0 / 256.0, 1e-4 }, { 3, lastStretch, 0.5 + 0.5 / 256.0, 1e-4 },
        // "Rect" falls across positions 127..128 and rises across 255..256.
        { 4, 126.5f / 255.999f, 1.0, 0.0 }, { 4, 127.5f / 255.999f, 0.5, 1e-4 },
        { 4, 200.0f / 255.999f, 0.0, 0.0 }, { 4, lastStretch, 0.5, 1e-4 },
        { 0, 0.0f, 0.0, 0.0 }, { 0, 0.5f, 1.0, 1e-3 },
        // Values within 1e-8 of 0 are snapped to 0.
        { 2, 5e-9f, 0.0, 0.0 }, { 2, 1e-6f, 1e-6 * scale, 1e-7 },
        // No table: silence.
        { 6, 0.5f, 0.0, 0.0 }, { -1, 0.5f, 0.0, 0.0 }, { 100, 0.5f, 0.0, 0.0 },
    };

    TableLfo lfo (44100.0f);
    for (const auto& c : cases)
        EXPECT_NEAR (readAt (lfo, c.waveform, c.phase), c.expected, c.tolerance) << "waveform " << c.waveform << ", phase " << c.phase;
}

TEST (TableLfo, RandomDrawsOncePerCycleAtTheFirstReadAfterTheWrap)
{
    // At 20 Hz the phase wraps every 2205 samples; reads come every 32. The
    // unit turns to "Rnd" only after three wraps, whose draw it still owes.
    constexpr int switchAt = 250 * 32;
    Phaser_unit unit (44100.0f);
    unit.lfoRate = 20.0f;
    unit.lfo->randomGenerator.setSeed (1234);
    juce::Random expected (1234);
    std::vector<int> due, draws;
    float held = 0.0f;

    for (int i = 0; i < 44100; ++i)
    {
        unit.lfo->waveform = i < switchAt ? 0 : 5;
        const float before = unit.lfo->phase;
        processSample (unit);

        const int d = std::max (switchAt, (i + 31) / 32 * 32); // several owed wraps: one draw
        if (unit.lfo->phase < before && d < 44100 && (due.empty() || due.back() != d))
            due.push_back (d);

        if (unit.lfo->heldValue != held)
        {
            draws.push_back (i);
            held = unit.lfo->heldValue;
            ASSERT_EQ (held, expected.nextFloat()) << "draw " << draws.size();
        }
    }

    ASSERT_GE (due.size(), 15u);
    EXPECT_EQ (due.front(), switchAt);
    EXPECT_EQ (draws, due);
}

TEST (TableLfo, WidthOffsetIsReachedAfterItsRampOfReadsAndPutsReadsHalfACycleApart)
{
    for (float rate : { 8000.0f, 22050.0f, 44100.0f, 48000.0f })
    {
        const int reads = (int) std::floor (0.0003 * rate);
        SCOPED_TRACE (testing::Message() << "rate " << rate << ", " << reads << " reads");

        Phaser_unit unit (rate);
        unit.lfo->setPhaseOffsetTarget (0.5f);
        const auto& offset = *unit.lfo->phaseOffsetSmoother;

        // One read every 32 samples, the first at sample 0.
        const size_t before = (size_t) (reads - 1) * 32;
        run (unit, std::vector<float> (before), std::vector<float> (before), fixedBlocks (100));
        EXPECT_LT (offset.getCurrentValue(), 0.5f);
        processSample (unit);
        EXPECT_EQ (offset.getCurrentValue(), 0.5f);

        // Half a cycle apart, away from the tables' guard stretch where "Up" and "Down" jump.
        TableLfo plain (rate);
        for (int waveform : { 0, 1, 2, 3 })
            for (float p = 1.0f / 80.0f; p < 0.5f; p += 1.0f / 80.0f)
                EXPECT_NEAR (readAt (*unit.lfo, waveform, p), readAt (plain, waveform, p + 0.5f), 1e-4)
                    << "waveform " << waveform << ", phase " << p;
    }
}
