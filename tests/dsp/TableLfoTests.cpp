#include "DspTestSupport.h"

using namespace dsptest;

// Reads, interpolation and the guard entries are checked against the
// reference unit in PhaserUnitTests.
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
