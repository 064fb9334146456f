#include "DspTestSupport.h"

using namespace dsptest;

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
    {
        lfo.waveform = c.waveform, lfo.phase = c.phase;
        EXPECT_NEAR (lfo.readValue(), c.expected, c.tolerance) << "waveform " << c.waveform << ", phase " << c.phase;
    }
}
