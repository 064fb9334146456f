// A phaser unit written out step by step, the slow and obvious way: every
// field read where it is used and all stage coefficients, b1, b2 and a2 terms
// included, recomputed every sample. Phaser_unit must match it to the bit.

#include "DspTestSupport.h"

#include <cstdlib>

using namespace dsptest;

namespace
{
struct RefOnePole
{
    RefOnePole (float rate, float hz, float twoPiHz) : cutoff (hz), period (1.0f / rate) { setCoefficient (twoPiHz); }

    void setCutoff (float hz) { cutoff = hz; setCoefficient (6.283185f * hz); }

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

    float state = 0.0f, g = 0.0f, cutoff, period;
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
    RefLfo (float rate, juce::int64 seed) : sampleRate (rate), increment (0.09779328f / rate)
    {
        for (int i = 0; i < 257; ++i)
            tables[0][i] = cosf (((float) i * 12.566371f) / 257.0f) * 0.025f + (0.475f - cosf (((float) i * 6.2831855f) / 257.0f) * 0.5f);

        for (int i = 0; i < 256; ++i)
        {
            const float x = (float) i * 6.2831855f * 0.00390625f;
            tables[1][i] = expf ((float) std::abs (256 - (i + i)) * -2.5f * 0.00390625f) * ((1.0f - cosf (x)) * 0.5f);
            tables[2][i] = (float) i * 0.00390625f;
            tables[3][i] = 1.0f - (float) i * 0.00390625f;
            tables[4][i] = i < 128 ? 1.0f : 0.0f;
        }

        tables[1][256] = tables[2][256] = 0.0f;
        tables[3][256] = tables[4][256] = 1.0f;
        offset.reset ((double) rate, 0.0003);
        random.setSeed (seed);
    }

    float read()
    {
        const float o = offset.getNextValue();
        const float pos = fmodf (phase * 255.99899f + o * 255.99899f, 256.0f);
        const float k = floorf (pos);
        const float frac = pos - k;
        float v = 0.0f;

        if (waveform >= 0 && waveform <= 4)
        {
            v = frac * tables[waveform][(int) k + 1] + (1.0f - frac) * tables[waveform][(int) k];
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
    float tables[5][257] {};
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

    void apply (const UnitSettings& s)
    {
        lfoRate = s.lfoRate, lfoDepth = s.lfoDepth, feedback = s.feedback, envToRate = s.envToRate;
        envToDepth = s.envToDepth, divisor = s.divisor, lfo.waveform = s.waveform;
        hp.setCutoff (s.hp >= 0.0f && s.hp <= 1.0f ? (expf (2.9957323f * s.hp) - 1.0f) / 19.0f * 2920.0f + 80.0f : 20.0f);
        lp.setCutoff (s.lp >= 0.0f && s.lp <= 1.0f ? (expf (2.9957323f * s.lp) - 1.0f) / 19.0f * 11500.0f + 500.0f : 16000.0f);

        if (s.widthOffset >= 0.0f)
        {
            lfo.offset.setTargetValue (s.widthOffset);
            lfo.phase = 0.0f;
        }
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
        {
            lfo.phase -= 1.0f;
            lfo.sampleHoldPending = true;
        }

        if (lfoCountdown-- < 2)
        {
            const float target = lfo.read() * currentDepth;
            modY = modY + (1.0f / divisor) * (target - modY);
            lfoCountdown = 32;
        }

        const float m = modY;
        stages[0].setBreakFrequency (3267.0f * m + 33.0f);
        stages[1].setBreakFrequency (4752.0f * m + 48.0f);
        stages[2].setBreakFrequency (9702.0f * m + 98.0f);

        const float d = (float) delaySamples;
        const float k = floorf (d);
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

    float lfoRate = 0.09779328f, lfoDepth = 0.5f, feedback = 0.5f, envToRate = 0.0f, envToDepth = 0.0f;
    std::vector<float> delay;
    int delayLength, writePosition, delaySamples = 1, lfoCountdown = 0, controlCountdown = 0;
    float interpState = 0.0f, currentDepth = 0.0f, dcX1 = 0.0f, dcY1 = 0.0f, modY = 0.0f, divisor = 1.0f;
    RefStage stages[3];
    RefOnePole hp, lp;
    RefLfo lfo;
};

struct Step { UnitSettings settings; int samples; };

const float nan = std::numeric_limits<float>::quiet_NaN();

// Every waveform, feedback up to 1, both envelope directions, every depth and
// rate clamp, all smoothing extremes and the filters' fallbacks; width
// changes restart the LFO cycle.
const Step scenario[] = {
    { { 0.09779328f, 0.25f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 4.41f, 1, 0.25f }, 9000 },
    { { 5.0f, 0.8f, 0.9568f, 1.0f, -0.5f, 0.3f, 0.6f, 1.0f, 0, 0.5f }, 9000 },
    { { 20.0f, 1.0f, 1.0f, -1.0f, 1.0f, 1.0f, 0.0f, 885.3f, 2 }, 9000 },
    { { 0.01f, 0.0f, 0.5f, -0.3f, 0.2f, 1.5f, -0.1f, 20.0f, 3, 0.0f }, 9000 },
    { { 3.0f, 0.5f, 0.8f, 0.5f, 0.5f, nan, nan, 1.0f, 4, 0.1f }, 9000 },
    { { 12.0f, 0.6f, 0.95f, 1.0f, 1.0f, 0.2f, 0.9f, 2.0f, 5 }, 12000 },
    { { 8.0f, 0.7f, 0.9f, 0.0f, 0.0f, 0.1f, 0.8f, 1.0f, 6 }, 5000 },
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

TEST (PhaserUnitReference, ProcessBlockAndPairMatchTheSampleBySampleUnit)
{
    int n = 0;
    for (const auto& step : scenario)
        n += step.samples;

    for (float rate : { 44100.0f, 48000.0f, 96000.0f })
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

        // Settings change between blocks of random size.
        auto blocks = randomBlocks (1, 600);
        int start = 0;

        for (const auto& step : scenario)
        {
            const UnitSettings right = rightOf (step.settings);
            refL.apply (step.settings);
            refR.apply (right);
            apply (single, step.settings);
            apply (pairL, step.settings);
            apply (pairR, right);

            forEachBlock (step.samples, blocks, [&] (int offset, int count)
            {
                const size_t i0 = (size_t) (start + offset);
                for (size_t i = i0; i < i0 + (size_t) count; ++i)
                {
                    expected[0][i] = refL.process (expected[0][i], envelope[i]);
                    expected[1][i] = refR.process (expected[1][i], envelope[i]);
                }

                single.process_block (actual.data() + i0, envelope.data() + i0, count);
                Phaser_unit::process_block_pair (pairL, pair[0].data() + i0, pairR, pair[1].data() + i0, envelope.data() + i0, count);
            });
            start += step.samples;
        }

        EXPECT_TRUE (bitIdentical (actual, expected[0]));
        EXPECT_TRUE (bitIdentical (pair[0], expected[0]));
        EXPECT_TRUE (bitIdentical (pair[1], expected[1]));
        EXPECT_EQ (single.lfo->heldValue, refL.lfo.heldValue);
        EXPECT_EQ (pairR.lfo->heldValue, refR.lfo.heldValue);
    }
}
