#include "DspTestSupport.h"

#include <algorithm>
#include <cmath>

using namespace dsptest;

namespace
{
float readAt (TableLfo& lfo, int waveform, float phase)
{
    lfo.waveform = waveform;
    lfo.phase = phase;
    return lfo.readValue();
}

// A unit whose LFO runs at 20 Hz, processed one sample at a time.
struct FastLfoUnit
{
    explicit FastLfoUnit (int waveform, juce::int64 seed)
    {
        unit.lfoRate = 20.0f;
        unit.lfo->waveform = waveform;
        unit.lfo->randomGenerator.setSeed (seed);
    }

    // Returns true when the phase wrapped during this sample.
    bool step()
    {
        const float before = unit.lfo->phase;
        processSample (unit);
        ++samples;
        return unit.lfo->phase < before;
    }

    Phaser_unit unit { 44100.0f };
    int samples = 0;
};
} // namespace

TEST (TableLfo, TablesHoldTheirShapes)
{
    TableLfo lfo (44100.0f);
    const float* sine = lfo.tables[0].getRawDataPointer();
    const float* tri = lfo.tables[1].getRawDataPointer();

    for (const auto& table : lfo.tables)
        ASSERT_EQ (table.size(), 257);

    for (int i = 0; i < 256; ++i)
    {
        const double x = 2.0 * kPi * i / 257.0;
        EXPECT_NEAR (sine[i], 0.475 - 0.5 * std::cos (x) + 0.025 * std::cos (2.0 * x), 5e-7) << i;
        const double triangle = 0.5 * (1.0 - std::cos (2.0 * kPi * i / 256.0)) * std::exp (-2.5 * std::abs (256 - 2 * i) / 256.0);
        EXPECT_NEAR (tri[i], triangle, 5e-7) << i;
        EXPECT_EQ (lfo.tables[2][i], i / 256.0f) << i;
        EXPECT_EQ (lfo.tables[3][i], 1.0f - i / 256.0f) << i;
        EXPECT_EQ (lfo.tables[4][i], i < 128 ? 1.0f : 0.0f) << i;
    }

    // The sine's guard entry is its own formula in single precision, not the double one (0.00011954133).
    EXPECT_NEAR (sine[256], 0.00011954270, 2e-11);
    EXPECT_EQ (tri[256], 0.0f);
    EXPECT_EQ (lfo.tables[2][256], 0.0f);
    EXPECT_EQ (lfo.tables[3][256], 1.0f);
    EXPECT_EQ (lfo.tables[4][256], 1.0f);

    EXPECT_NEAR (sine[0], 0.0, 1e-8); // 0.025 + (0.475 - 0.5) in single precision
    EXPECT_NEAR (sine[128], 0.99996, 1e-5);
    EXPECT_NEAR (sine[129], 0.99996, 1e-5);
    EXPECT_NEAR (tri[128], 1.0, 1e-6);
}

TEST (TableLfo, ReadsInterpolateAcrossTheCycle)
{
    TableLfo lfo (44100.0f);
    constexpr double scale = 255.999 / 256.0;

    for (float p : { 0.1f, 0.37f, 0.5f, 0.9f })
    {
        EXPECT_NEAR (readAt (lfo, 2, p), p * scale, 1e-5) << p;
        EXPECT_NEAR (readAt (lfo, 3, p), 1.0 - p * scale, 1e-5) << p;
    }

    // Within the last 1/256 of the cycle "Up" falls back to 0 and "Down" rises to 1.
    const float lastStretch = 255.5f / 255.999f;
    EXPECT_NEAR (readAt (lfo, 2, lastStretch), 0.5 * 255.0 / 256.0, 1e-4);
    EXPECT_NEAR (readAt (lfo, 3, lastStretch), 0.5 + 0.5 / 256.0, 1e-4);

    // "Rect" falls across positions 127..128 and rises across 255..256.
    EXPECT_EQ (readAt (lfo, 4, 126.5f / 255.999f), 1.0f);
    EXPECT_NEAR (readAt (lfo, 4, 127.5f / 255.999f), 0.5, 1e-4);
    EXPECT_EQ (readAt (lfo, 4, 200.0f / 255.999f), 0.0f);
    EXPECT_NEAR (readAt (lfo, 4, lastStretch), 0.5, 1e-4);

    EXPECT_EQ (readAt (lfo, 0, 0.0f), 0.0f);
    EXPECT_NEAR (readAt (lfo, 0, 0.5f), 1.0, 1e-3);

    // Values within 1e-8 of 0 are snapped to 0.
    EXPECT_EQ (readAt (lfo, 2, 5e-9f), 0.0f);
    EXPECT_GT (readAt (lfo, 2, 1e-6f), 0.0f);

    for (int outside : { 6, -1, 100 })
        EXPECT_EQ (readAt (lfo, outside, 0.5f), 0.0f) << outside;
}

TEST (TableLfo, RandomHoldsOneDrawPerCycle)
{
    FastLfoUnit f (5, 1234);
    juce::Random expected (1234);
    std::vector<int> drawsDue;
    std::vector<int> draws;
    float held = 0.0f;

    while (f.samples < 44100 / 2)
    {
        const int i = f.samples;

        if (f.step())
            drawsDue.push_back ((i + 31) / 32 * 32); // the first read at or after the wrap

        if (f.unit.lfo->heldValue != held)
        {
            draws.push_back (i);
            held = f.unit.lfo->heldValue;
            ASSERT_EQ (held, expected.nextFloat()) << "draw " << draws.size();
        }

        if (drawsDue.empty())
        {
            ASSERT_EQ (held, 0.0f) << "sample " << i;
        }
    }

    ASSERT_GE (drawsDue.size(), 9u);
    drawsDue.erase (std::remove_if (drawsDue.begin(), drawsDue.end(), [&] (int d) { return d >= f.samples; }),
                    drawsDue.end());
    EXPECT_EQ (draws, drawsDue);
}

TEST (TableLfo, SwitchingToRandomDrawsAtTheNextRead)
{
    FastLfoUnit f (0, 77);
    int wraps = 0;

    while (wraps < 3)
        wraps += f.step() ? 1 : 0;

    while (f.samples % 32 != 0)
        f.step();

    f.unit.lfo->waveform = 5;
    f.step();
    const float first = juce::Random (77).nextFloat();
    EXPECT_EQ (f.unit.lfo->heldValue, first);

    for (int i = 0; i < 32 * 10; ++i)
        ASSERT_FALSE (f.step());

    EXPECT_EQ (f.unit.lfo->heldValue, first);
}

TEST (TableLfo, WidthOffsetIsReachedAfterItsRampOfReads)
{
    for (float rate : { 8000.0f, 22050.0f, 44100.0f, 48000.0f })
    {
        const int reads = (int) std::floor (0.0003 * rate);
        SCOPED_TRACE (testing::Message() << "rate " << rate << ", " << reads << " reads");

        Phaser_unit unit (rate);
        unit.lfo->setPhaseOffsetTarget (0.5f);
        auto& offset = *unit.lfo->phaseOffsetSmoother;

        // One read every 32 samples, the first at sample 0.
        const int before = (reads - 1) * 32;
        run (unit, constant ((size_t) before, 0.0f), constant ((size_t) before, 0.0f), fixedBlocks (100));
        EXPECT_LT (offset.getCurrentValue(), 0.5f);
        run (unit, constant (1, 0.0f), constant (1, 0.0f), fixedBlocks (1));
        EXPECT_EQ (offset.getCurrentValue(), 0.5f);
    }
}

TEST (TableLfo, WidthOffsetPutsReadsHalfACycleApart)
{
    TableLfo left (44100.0f), right (44100.0f);
    left.setPhaseOffsetTarget (0.5f);
    left.applyPendingChanges();

    while (left.phaseOffsetSmoother->isSmoothing())
        left.readValue();

    for (int waveform : { 0, 1, 2, 3 })
    {
        for (int k = 1; k < 40; ++k)
        {
            // Away from the tables' guard stretch, where "Up" and "Down" jump.
            const float p = (float) k / 80.0f;
            EXPECT_NEAR (readAt (left, waveform, p), readAt (right, waveform, p + 0.5f), 1e-4)
                << "waveform " << waveform << ", phase " << p;
        }
    }
}
