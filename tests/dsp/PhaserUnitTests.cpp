// A phaser unit written out step by step, the slow and obvious way: every
// field read where it is used and all stage coefficients, b1, b2 and a2 terms
// included, recomputed every sample. Phaser_unit must match it to the bit.
// The LFO tables are checked on their own in TableLfoTests.

#include "DspTestSupport.h"

using namespace dsptest;

namespace
{
// Cut-offs above 0.45 of the rate are limited to it.
struct RefOnePole
{
    RefOnePole (float rate, float hz, float twoPiHz) : limit (0.45f * rate), period (1.0f / rate)
    {
        hz > limit ? setCutoff (hz) : setCoefficient (twoPiHz);
    }
    void setCutoff (float hz) { setCoefficient (6.283185f * std::min (hz, limit)); }
    void setCoefficient (float twoPiHz)
    {
        const float G = tanf (twoPiHz * period * 0.5f) * (2.0f / period) * period * 0.5f;
        g = G / (1.0f + G);
    }
    float lowPass (float x)
    {
        const float v = (x - state) * g;
        const float lp = state + v + 1e-25f;
        state = lp + v;
        return lp;
    }
    float state = 0.0f, g = 0.0f, limit, period;
};

struct RefStage
{
    void setBreakFrequency (float f)
    {
        const float w = f * 3.1415927f / sampleRate;
        const float w2 = w * w, w3 = w * w2, w5 = w2 * w3;
        const float t = (float) (((double) w3 * 0.333333 + (double) w5 * 0.133333) + (double) w);
        b0 = a1 = (t - 1.0f) / (t + 1.0f);
    }
    float process (float x)
    {
        const float y = ((b1 * x1 + b0 * x) + x2 * b2) - a1 * y1 - y2 * a2 + 1e-25f;
        y2 = y1, y1 = y, x2 = x1, x1 = x;
        return y;
    }
    float sampleRate, x1 = 0.0f, x2 = 0.0f, y1 = 0.0f, y2 = 0.0f;
    float b0 = 0.0f, b1 = 1.0f, b2 = 0.0f, a1 = 0.0f, a2 = 0.0f;
};

struct RefLfo
{
    RefLfo (float rate, juce::int64 seed) : sampleRate (rate), increment (0.09779328f / rate), tables (rate)
    {
        offset.reset ((double) rate, 0.0003);
        random.setSeed (seed);
    }
    float read()
    {
        const float o = offset.getNextValue();
        const float pos = fmodf (phase * 255.99899f + o * 255.99899f, 256.0f);
        const float k = std::isfinite (pos) ? floorf (pos) : 0.0f, frac = pos - k; // a NaN phase reads 0
        float v = 0.0f;
        if (waveform >= 0 && waveform <= 4)
        {
            const auto& t = tables.tables[waveform];
            v = frac * t[(int) k + 1] + (1.0f - frac) * t[(int) k];
        }
        else if (waveform == 5)
        {
            if (sampleHoldPending)
                heldValue = random.nextFloat();
            sampleHoldPending = false;
            v = heldValue;
        }
        return (double) v > 1e-8 || (double) v < -1e-8 ? v : 0.0f;
    }
    float sampleRate;
    int waveform = 0;
    float increment, phase = 0.0f, heldValue = 0.0f;
    bool sampleHoldPending = false;
    TableLfo tables;
    juce::LinearSmoothedValue<float> offset { 0.0f };
    juce::Random random;
};

struct RefUnit
{
    RefUnit (float rate, juce::int64 seed)
        : delayLength ((int) floorf (0.01f * rate)), hp (rate, 20.0f, 125.6637f), lp (rate, 16000.0f, 100530.96f), lfo (rate, seed)
    {
        delay.assign ((size_t) delayLength, 0.0f);
        writePosition = delayLength - 1;
        for (auto& s : stages)
            s.sampleRate = rate;
    }

    void apply (const UnitSettings& s, bool right)
    {
        lfoRate = s.lfoRate, lfoDepth = s.lfoDepth, feedback = s.feedback, envToRate = s.envToRate;
        envToDepth = s.envToDepth, divisor = s.divisor, lfo.waveform = s.waveform;
        hp.setCutoff (s.hp >= 0.0f && s.hp <= 1.0f ? (expf (2.9957323f * s.hp) - 1.0f) / 19.0f * 2920.0f + 80.0f : 20.0f);
        lp.setCutoff (s.lp >= 0.0f && s.lp <= 1.0f ? (expf (2.9957323f * s.lp) - 1.0f) / 19.0f * 11500.0f + 500.0f : 16000.0f);
        if (s.widthOffset >= 0.0f)
            lfo.offset.setTargetValue (right ? 0.0f : s.widthOffset), lfo.phase = 0.0f;
    }

    float process (float input, float envelope)
    {
        if (controlCountdown-- < 2)
        {
            float rate = lfoRate + (envToRate != 0.0f ? envToRate * envelope * 9.0f : 0.0f);
            if ((double) rate < (double) 0.08f) rate = 0.08f;
            if ((double) rate > (double) 20.0f) rate = 20.0f;
            lfo.increment = rate / lfo.sampleRate;

            float depth = lfoDepth + (envToDepth != 0.0f ? envToDepth * envelope : 0.0f);
            if ((double) depth < (double) 0.05f) depth = 0.05f;
            if ((double) depth > (double) 1.0f) depth = 1.0f;
            currentDepth = depth;
            controlCountdown = 64;
        }

        lfo.phase += lfo.increment;
        if (lfo.phase > 1.0f)
            lfo.phase -= 1.0f, lfo.sampleHoldPending = true;

        if (lfoCountdown-- < 2)
        {
            const float target = lfo.read() * currentDepth;
            modY = modY + (1.0f / divisor) * (target - modY);
            lfoCountdown = 32;
        }

        stages[0].setBreakFrequency (3267.0f * modY + 33.0f);
        stages[1].setBreakFrequency (4752.0f * modY + 48.0f);
        stages[2].setBreakFrequency (9702.0f * modY + 98.0f);

        const float d = (float) delaySamples, k = floorf (d);
        int tap = writePosition - (int) k;
        if (tap < 0) tap += delayLength;
        int tap2 = tap - 1;
        if (tap2 < 0) tap2 += delayLength;
        const float eta = 1.0f - (d - k);
        const float r = eta * delay[(size_t) tap] + delay[(size_t) tap2] - eta * interpState;
        interpState = r;

        const float out = stages[2].process (stages[1].process (stages[0].process (r + input)));

        const float f = feedback * out;
        const float dc = (0.9999f * dcY1 + (f - dcX1)) + 1e-25f;
        dcY1 = dc, dcX1 = f;
        delay[(size_t) writePosition] = lp.lowPass (dc - hp.lowPass (dc));
        if (++writePosition == delayLength)
            writePosition = 0;
        return out;
    }

    // As a new unit has them: the loop's states, or the modulation's.
    void restart (bool loop, bool modulation)
    {
        if (loop)
        {
            for (auto& s : stages)
                s.x1 = s.x2 = s.y1 = s.y2 = 0.0f;
            std::fill (delay.begin(), delay.end(), 0.0f);
            interpState = dcX1 = dcY1 = hp.state = lp.state = 0.0f;
        }
        if (modulation)
            lfo.phase = modY = currentDepth = 0.0f, lfo.sampleHoldPending = false, lfoCountdown = controlCountdown = 0;
    }

    float lfoRate = 0.09779328f, lfoDepth = 0.5f, feedback = 0.5f, envToRate = 0.0f, envToDepth = 0.0f;
    std::vector<float> delay;
    int delayLength, writePosition, delaySamples = 1, lfoCountdown = 0, controlCountdown = 0;
    float interpState = 0.0f, currentDepth = 0.0f, dcX1 = 0.0f, dcY1 = 0.0f, modY = 0.0f, divisor = 1.0f;
    RefStage stages[3];
    RefOnePole hp, lp;
    RefLfo lfo;
};

const float kNaN = std::numeric_limits<float>::quiet_NaN();

// Every waveform, feedback up to 1, both envelope directions, every depth and
// rate clamp, all smoothing extremes and the filters' fallbacks; width
// changes restart the LFO cycle. Samples per step last.
const std::pair<UnitSettings, int> scenario[] = {
    { { 0.09779328f, 0.25f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 4.41f, 1, 0.25f }, 9000 },
    { { 5.0f, 0.8f, 0.9568f, 1.0f, -0.5f, 0.3f, 0.6f, 1.0f, 0, 0.5f }, 9000 },
    { { 20.0f, 1.0f, 1.0f, -1.0f, 1.0f, 1.0f, 0.0f, 885.3f, 2 }, 9000 },
    { { 0.01f, 0.0f, 0.5f, -0.3f, 0.2f, 1.5f, -0.1f, 20.0f, 3, 0.0f }, 9000 },
    { { 3.0f, 0.5f, 0.8f, 0.5f, 0.5f, kNaN, kNaN, 1.0f, 4, 0.1f }, 9000 },
    { { 12.0f, 0.6f, 0.95f, 1.0f, 1.0f, 0.2f, 0.9f, 2.0f, 5 }, 12000 },
    { { 8.0f, 0.7f, 0.9f, 0.0f, 0.0f, 0.1f, 0.8f, 1.0f, 6 }, 5000 },
    { { 8.0f, 0.7f, 0.9f, 0.0f, 0.0f, 0.1f, 0.8f, 1.0f, -1 }, 3000 },
    { { 2.0f, 0.5f, 0.7f, 0.4f, -0.3f, 0.1f, 0.8f, 1.0f, 5, 0.4f }, 9000 },
};

// Noise with some DC for the blocker; silence from the start (where only the
// 1e-25 terms move the state) and for a stretch later on.
std::vector<float> inputSignal (size_t n, juce::int64 seed)
{
    auto v = noise (n, seed, 0.8f);
    for (size_t i = 0; i < n; ++i)
        v[i] = i < 3000 || (i >= 40000 && i < 52000) ? 0.0f : v[i] + 0.1f;
    return v;
}
} // namespace

TEST (PhaserUnit, ProcessBlockAndPairMatchTheSampleBySampleUnitStayBoundedAndAllocateNothing)
{
    int n = 0;
    for (const auto& step : scenario)
        n += step.second;

    for (float rate : { 8000.0f, 22050.0f, 44100.0f, 48000.0f, 96000.0f })
    {
        SCOPED_TRACE (testing::Message() << "rate " << rate);
        const std::vector<float> input[2] = { inputSignal ((size_t) n, 1), inputSignal ((size_t) n, 2) };
        auto envelope = noise ((size_t) n, 3, 0.65f);
        for (auto& e : envelope)
            e += 0.65f;

        RefUnit refL (rate, 10), refR (rate, 20);
        Phaser_unit single (rate), pairL (rate), pairR (rate);
        single.lfo->randomGenerator.setSeed (10);
        pairL.lfo->randomGenerator.setSeed (10);
        pairR.lfo->randomGenerator.setSeed (20);
        std::vector<float> expected[2] = { input[0], input[1] }, actual = input[0], pair[2] = { input[0], input[1] };

        // Settings change between blocks of random size; calls with no samples change nothing.
        juce::Random sizes (1);
        int start = 0;
        AllocationCounter allocations;

        for (const auto& [settings, samples] : scenario)
        {
            refL.apply (settings, false);
            refR.apply (settings, true);
            apply (single, settings);
            apply (pairL, settings);
            apply (pairR, settings, true);

            forEachBlock (samples, [&] { return 1 + sizes.nextInt (600); }, [&] (int offset, int count)
            {
                const size_t i0 = (size_t) (start + offset);
                for (size_t i = i0; i < i0 + (size_t) count; ++i)
                {
                    expected[0][i] = refL.process (expected[0][i], envelope[i]);
                    expected[1][i] = refR.process (expected[1][i], envelope[i]);
                }

                float* x = actual.data() + i0;
                single.process_block (x, envelope.data() + i0, count);
                single.process_block (x, envelope.data() + i0, 0);
                single.process_block (x, envelope.data() + i0, -64);
                Phaser_unit::process_block_pair (pairL, pair[0].data() + i0, pairR, pair[1].data() + i0, envelope.data() + i0, count);
                Phaser_unit::process_block_pair (pairL, pair[0].data() + i0, pairR, pair[1].data() + i0, envelope.data() + i0, 0);
            });
            start += samples;
        }

        EXPECT_TRUE (noAllocations (allocations));
        EXPECT_TRUE (std::all_of (actual.begin(), actual.end(), [] (float x) { return std::abs (x) < 100.0f; })); // NaN too
        EXPECT_TRUE (bitIdentical (actual, expected[0]));
        EXPECT_TRUE (bitIdentical (pair[0], expected[0]));
        EXPECT_TRUE (bitIdentical (pair[1], expected[1]));
        EXPECT_EQ (single.lfo->heldValue, refL.lfo.heldValue);
        EXPECT_EQ (pairR.lfo->heldValue, refR.lfo.heldValue);
    }
}

// A NaN or an infinity at sample 960 (a control update and an LFO read) in
// blocks of 512: what it reached (the input's loop; the envelope's
// modulation, and so both loops) starts the next block as a new unit's, the
// rest goes on. With no envelope on the rate, a NaN envelope reaches the
// modulation through the depth alone; in a block of 2048 the depth is read
// again from a finite envelope before the block ends, the smoothed modulation
// is not. Blocks of 100 end between LFO reads. A huge finite value is
// processed as any other.
TEST (PhaserUnit, WhatANonFiniteValueReachedRestartsAfterItsBlockAndHugeValuesAreProcessed)
{
    const float inf = std::numeric_limits<float>::infinity();
    const struct { float value; bool left, right, envelope; float envToRate = 0.5f; int block = 512; } rows[] = {
        { kNaN, true, false, false }, { inf, true, true, false }, { -inf, false, true, false },
        { kNaN, false, false, true }, { 1e30f, true, true, true },
        { kNaN, false, false, true, 0.0f }, { kNaN, false, false, true, 0.0f, 2048 }, { kNaN, false, false, true, 0.5f, 100 },
    };

    for (const auto& row : rows)
    {
        SCOPED_TRACE (testing::Message() << row.value << " in " << row.left << row.right << row.envelope << ", rate "
                                         << row.envToRate << ", blocks of " << row.block);
        UnitSettings settings { 3.0f, 0.6f, 0.9f, 0.5f, 0.5f, 0.2f, 0.9f, 1.0f, 0, 0.25f };
        settings.envToRate = row.envToRate;
        std::vector<float> x[2] = { noise (4096, 1, 0.8f), noise (4096, 2, 0.8f) }, envelope = noise (4096, 3, 0.65f);
        for (auto [v, put] : { std::pair (&x[0], row.left), std::pair (&x[1], row.right), std::pair (&envelope, row.envelope) })
            (*v)[960] = put ? row.value : (*v)[960];
        std::vector<float> expected[2] = { x[0], x[1] }, single = x[0];
        RefUnit ref[2] = { { 44100.0f, 10 }, { 44100.0f, 20 } };
        Phaser_unit pairL (44100.0f), pairR (44100.0f), singleL (44100.0f);
        for (int c = 0; c < 2; ++c)
            ref[c].apply (settings, c == 1), apply (c == 0 ? pairL : pairR, settings, c == 1);
        apply (singleL, settings);
        const bool bad = ! std::isfinite (row.value);
        const int badEnd = (960 / row.block + 1) * row.block;

        forEachBlock (4096, [&] { return row.block; }, [&] (int i0, int n)
        {
            for (int c = 0; c < 2; ++c)
                for (int i = i0; i < i0 + n; ++i)
                    expected[c][(size_t) i] = ref[c].process (expected[c][(size_t) i], envelope[(size_t) i]);
            Phaser_unit::process_block_pair (pairL, x[0].data() + i0, pairR, x[1].data() + i0, envelope.data() + i0, n);
            singleL.process_block (single.data() + i0, envelope.data() + i0, n);
            if (i0 + n == badEnd)
                for (int c = 0; c < 2; ++c)
                    ref[c].restart (bad && (row.envelope || (c == 0 ? row.left : row.right)), bad && row.envelope);
        });

        // The block that carried a NaN or an infinity is not compared.
        const auto from = [&] (const std::vector<float>& v) { return std::vector<float> (v.begin() + (bad ? badEnd : 0), v.end()); };
        EXPECT_TRUE (bitIdentical (from (x[0]), from (expected[0])));
        EXPECT_TRUE (bitIdentical (from (x[1]), from (expected[1])));
        EXPECT_TRUE (bitIdentical (from (single), from (expected[0])));
        for (const auto* v : { &x[0], &x[1], &single })
            EXPECT_EQ (std::count_if (v->begin() + badEnd, v->end(), [] (float s) { return ! std::isfinite (s); }), 0);
    }
}

// Ten milliseconds of delay, as the reference unit has it, but never none.
TEST (PhaserUnit, DelayLineHoldsAtLeastOneEntryAtTinyRates)
{
    Phaser_unit tiny (50.0f);
    auto x = noise (2000, 1);
    std::vector<float> envelope (2000, 0.5f);
    tiny.process_block (x.data(), envelope.data(), 2000);
    EXPECT_TRUE (tiny.delayLength >= 1 && std::isfinite (x.back()));
}

TEST (PhaserUnit, FeedbackAndFollowerCutoffsAtEveryRate)
{
    const double mid = (std::sqrt (20.0) - 1.0) / 19.0;
    struct Case { bool set; float x; double hp, lp; };
    const Case cases[] = {
        { false, 0.0f, 20.0, 16000.0 }, // as built
        { true, 0.0f, 80.0, 500.0 },  { true, 1.0f, 3000.0, 12000.0 },
        { true, 0.5f, mid * 2920.0 + 80.0, mid * 11500.0 + 500.0 },
        { true, 1.5f, 20.0, 16000.0 }, { true, -0.1f, 20.0, 16000.0 }, { true, kNaN, 20.0, 16000.0 },
    };

    // Exact from 44100 Hz up; at lower rates the same where the cut-off is far
    // from half the rate, otherwise limited below it.
    const auto expectCutoff = [] (const OnePoleFilter& filter, double nominal, float rate) {
        const double g = filter.g, cutoff = std::atan (g / (1.0 - g)) * rate / kPi;
        const bool unlimited = rate >= 44100.0f || nominal < 0.4 * rate;
        EXPECT_TRUE (g > 0.0 && g < 1.0) << g;
        EXPECT_NEAR (cutoff, unlimited ? nominal : 0.45 * rate, unlimited ? nominal * 1e-4 : 0.05 * rate);
        EXPECT_TRUE (rate < 44100.0f || std::abs (filter.cutoff - nominal) <= nominal * 1e-6) << filter.cutoff;
    };

    for (float rate : { 1000.0f, 8000.0f, 11025.0f, 16000.0f, 22050.0f, 32000.0f, 44100.0f, 48000.0f, 96000.0f })
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
