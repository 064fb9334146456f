#include "Phaser_unit.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace
{
constexpr float kPi = 3.1415927f;

int delayLengthFor (float rate) noexcept
{
    // 10 ms of delay line; at least one entry at any positive rate, and no
    // integer overflow at absurd ones (only the newest two entries are read).
    const float length = floorf (0.01f * rate);

    if (! (length >= 1.0f))
        return 1;

    return length < 1048576.0f ? (int) length : 1048576;
}

// 20^x - 1 scaled into [base, base + span], all in single precision.
float cutoffLaw (float x, float span, float base) noexcept
{
    return (expf (2.9957323f * x) - 1.0f) / 19.0f * span + base;
}
} // namespace

Phaser_unit::Phaser_unit (float rate)
    : sampleRate (rate),
      delayLength (delayLengthFor (rate))
{
    delayBuffer.reset (new float[(size_t) delayLength]());
    writePosition = delayLength - 1;

    const float stageW[3] = { 50.265484f / sampleRate, 103.67256f / sampleRate, 150.79645f / sampleRate };

    for (int s = 0; s < 3; ++s)
    {
        allpass[s] = std::make_unique<AllpassStage> (sampleRate);
        allpass[s]->setCoefficient (AllpassStage::coefficientForW (stageW[s]));
    }

    hpFilter = std::make_unique<OnePoleFilter> (sampleRate, 20.0f, 125.6637f);
    lpFilter = std::make_unique<OnePoleFilter> (sampleRate, 16000.0f, 100530.96f);
    lfo = std::make_unique<TableLfo> (sampleRate);
    dcBlocker = std::make_unique<DcBlocker>();
    modSmoother = std::make_unique<ModSmoother> (sampleRate);
}

Phaser_unit::~Phaser_unit() = default;

void Phaser_unit::setHpCf (float x) noexcept
{
    hpFilter->setCutoff (x >= 0.0f && x <= 1.0f ? cutoffLaw (x, 2920.0f, 80.0f) : 20.0f);
}

void Phaser_unit::setLpCf (float x) noexcept
{
    lpFilter->setCutoff (x >= 0.0f && x <= 1.0f ? cutoffLaw (x, 11500.0f, 500.0f) : 16000.0f);
}

// The per-sample work of one unit, with the unit's state held in locals for
// the length of a block (so that writes through the sample pointers cannot
// force reloads), written back at the end.
class PhaserUnitKernel
{
public:
    explicit PhaserUnitKernel (Phaser_unit& unit) noexcept
        : u (unit), lfo (*unit.lfo)
    {
        lfo.applyPendingChanges();

        for (int s = 0; s < 3; ++s)
        {
            const AllpassStage& stage = *u.allpass[s];
            x1[s] = stage.x1; x2[s] = stage.x2; y1[s] = stage.y1; y2[s] = stage.y2;
            a[s] = stage.b0;
        }

        dcX1 = u.dcBlocker->x1;
        dcY1 = u.dcBlocker->y1;
        hpState = u.hpFilter->state;
        hpG = u.hpFilter->g;
        lpState = u.lpFilter->state;
        lpG = u.lpFilter->g;
        feedback = u.feedback;

        buffer = u.delayBuffer.get();
        writePosition = u.writePosition;
        delayLength = u.delayLength;
        const float d = (float) u.delaySamples;
        const float whole = floorf (d);
        delayWhole = (int) whole;
        eta = 1.0f - (d - whole);
        interpState = u.interpState;

        lfoCountdown = u.lfoCountdown;
        controlCountdown = u.controlCountdown;
        currentDepth = u.currentDepth;
        modulation = u.modSmoother->y;
        phase = lfo.phase;
        increment = lfo.increment;
        holdPending = lfo.sampleHoldPending;
    }

    void store() noexcept
    {
        clearNonFiniteState();

        for (int s = 0; s < 3; ++s)
        {
            AllpassStage& stage = *u.allpass[s];
            stage.x1 = x1[s]; stage.x2 = x2[s]; stage.y1 = y1[s]; stage.y2 = y2[s];
        }

        u.dcBlocker->x1 = dcX1;
        u.dcBlocker->y1 = dcY1;
        u.hpFilter->state = hpState;
        u.lpFilter->state = lpState;
        u.writePosition = writePosition;
        u.interpState = interpState;
        u.lfoCountdown = lfoCountdown;
        u.controlCountdown = controlCountdown;
        u.currentDepth = currentDepth;
        u.modSmoother->y = modulation;
        lfo.phase = phase;
        lfo.increment = increment;
        lfo.sampleHoldPending = holdPending;
    }

    inline __attribute__ ((always_inline)) float tick (float input, const float* envelope, int i) noexcept
    {
        const int controlRead = controlCountdown--;

        if (controlRead < 2)
            controlUpdate (envelope[i]);

        phase += increment;

        if (phase > 1.0f)
        {
            phase -= 1.0f;
            holdPending = true;
        }

        const int lfoRead = lfoCountdown--;

        if (lfoRead < 2)
            lfoUpdate();

        // Feedback read through the interpolating delay tap.
        int tap = writePosition - delayWhole;
        if (tap < 0) tap += delayLength;
        int tap2 = tap - 1;
        if (tap2 < 0) tap2 += delayLength;
        const float r = eta * buffer[tap] + buffer[tap2] - eta * interpState;
        interpState = r;

        // The stages' b1 is 1 and b2, a2 are 0; the zero terms cannot change a
        // finite sum that ends by adding 1e-25, so they are left out.
        float x = r + input;

        for (int s = 0; s < 3; ++s)
        {
            const float y = ((x1[s] + a[s] * x) - a[s] * y1[s]) + kAntiDenormal;
            y2[s] = y1[s];
            y1[s] = y;
            x2[s] = x1[s];
            x1[s] = x;
            x = y;
        }

        const float out = x;

        // Feedback path: DC blocker, high-pass, low-pass, into the delay line.
        const float f = feedback * out;
        const float dc = (0.9999f * dcY1 + (f - dcX1)) + kAntiDenormal;
        dcY1 = dc;
        dcX1 = f;

        const float hv = (dc - hpState) * hpG;
        const float hpLow = (hpState + hv) + kAntiDenormal;
        hpState = hpLow + hv;
        const float highPassed = dc - hpLow;

        const float lv = (highPassed - lpState) * lpG;
        const float lowPassed = (lpState + lv) + kAntiDenormal;
        lpState = lowPassed + lv;

        buffer[writePosition] = lowPassed;

        if (++writePosition == delayLength)
            writePosition = 0;

        return out;
    }

private:
    Phaser_unit& u;
    TableLfo& lfo;

    float x1[3], x2[3], y1[3], y2[3], a[3];
    float dcX1, dcY1, hpState, hpG, lpState, lpG, feedback;
    float* buffer;
    int writePosition, delayLength, delayWhole;
    float eta, interpState;
    int lfoCountdown, controlCountdown;
    float currentDepth, modulation, phase, increment;
    bool holdPending;

    // Every state here is recursive, so a NaN or an infinity that reached it
    // (from the input, or from the envelope through the modulation) would
    // stay for good. Checked once per block, at its end: the loop, or the
    // modulation, that holds one starts the next block as a new unit's does.
    // A finite value, however large, is left alone.
    void clearNonFiniteState() noexcept
    {
        if (! allFinite ({ x1[0], y1[0], y1[1], y1[2], dcX1, dcY1, hpState, lpState, interpState }))
        {
            for (int s = 0; s < 3; ++s)
                x1[s] = x2[s] = y1[s] = y2[s] = 0.0f;

            dcX1 = dcY1 = hpState = lpState = interpState = 0.0f;
            std::fill_n (buffer, delayLength, 0.0f);
        }

        if (! allFinite ({ phase, increment, currentDepth, modulation }))
        {
            // Both countdowns at 0: the first sample recomputes the rate,
            // depth and stage coefficients before they are used.
            phase = increment = currentDepth = modulation = 0.0f;
            holdPending = false;
            controlCountdown = lfoCountdown = 0;
            u.coefficientsValid = false;
        }
    }

    static bool allFinite (std::initializer_list<float> values) noexcept
    {
        return std::all_of (values.begin(), values.end(), [] (float v) { return std::isfinite (v); });
    }

    void controlUpdate (float envelopeValue) noexcept
    {
        const float toRate = u.envToRate;
        float rate = u.lfoRate + (toRate != 0.0f ? toRate * envelopeValue * 9.0f : 0.0f);

        if ((double) rate < (double) 0.08f) rate = 0.08f;
        if ((double) rate > (double) 20.0f) rate = 20.0f;

        increment = rate / lfo.sampleRate;

        const float toDepth = u.envToDepth;
        float depth = u.lfoDepth + (toDepth != 0.0f ? toDepth * envelopeValue : 0.0f);

        if ((double) depth < (double) 0.05f) depth = 0.05f;
        if ((double) depth > (double) 1.0f) depth = 1.0f;

        currentDepth = depth;
        controlCountdown = 64;
    }

    void lfoUpdate() noexcept
    {
        lfo.phase = phase;
        lfo.sampleHoldPending = holdPending;
        const float v = lfo.readValue();
        holdPending = lfo.sampleHoldPending;

        const float target = v * currentDepth;
        modulation = modulation + (1.0f / u.modSmoother->divisor.get()) * (target - modulation);
        lfoCountdown = 32;

        updateCoefficients();
    }

    // The stage coefficients depend only on the smoothed modulation, which
    // changes only here; recomputing them per sample would give the same bits.
    void updateCoefficients() noexcept
    {
        if (u.coefficientsValid && modulation == u.coefficientsModulation)
            return;

        const float m = modulation;
        const float frequencies[3] = { 3267.0f * m + 33.0f, 4752.0f * m + 48.0f, 9702.0f * m + 98.0f };

        for (int s = 0; s < 3; ++s)
        {
            const float coefficient = AllpassStage::coefficientForW ((frequencies[s] * kPi) / u.allpass[s]->sampleRate);
            a[s] = coefficient;
            u.allpass[s]->setCoefficient (coefficient);
        }

        u.coefficientsModulation = m;
        u.coefficientsValid = true;
    }
};

void Phaser_unit::process_block (float* samples, float* envelope, int numSamples) noexcept
{
    if (numSamples < 1)
        return;

    PhaserUnitKernel kernel (*this);

    for (int i = 0; i < numSamples; ++i)
        samples[i] = kernel.tick (samples[i], envelope, i);

    kernel.store();
}

void Phaser_unit::process_block_pair (Phaser_unit& left, float* leftSamples,
                                      Phaser_unit& right, float* rightSamples,
                                      const float* envelope, int numSamples) noexcept
{
    if (numSamples < 1)
        return;

    PhaserUnitKernel l (left);
    PhaserUnitKernel r (right);

    for (int i = 0; i < numSamples; ++i)
    {
        leftSamples[i] = l.tick (leftSamples[i], envelope, i);
        rightSamples[i] = r.tick (rightSamples[i], envelope, i);
    }

    l.store();
    r.store();
}
