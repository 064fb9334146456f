#pragma once

#include "RelaxedAtomic.h"

// Plain records of the phaser's signal path. Every recursive update adds
// 1e-25 to keep the filters out of denormal numbers.

constexpr float kAntiDenormal = 1e-25f;

// Highest one-pole cut-off, as a fraction of the sample rate. tan(pi * fc / fs)
// turns negative past half the rate and the feedback loop then diverges; at
// 44100 Hz and above no cut-off of the phaser comes near this limit.
constexpr float kMaxCutoffFraction = 0.45f;

struct AllpassStage
{
    explicit AllpassStage (float rate) noexcept : sampleRate (rate) {}

    // Truncated tan series for the break frequency w = f * pi / rate, which
    // callers form in single precision (the constructor from constant products).
    static float coefficientForW (float w) noexcept;

    void setCoefficient (float a) noexcept { b0 = a; a1 = a; }

    float sampleRate;
    float x1 = 0.0f, x2 = 0.0f, y1 = 0.0f, y2 = 0.0f;
    float b0 = 0.0f, b1 = 1.0f, b2 = 0.0f, a1 = 0.0f, a2 = 0.0f;
};

struct OnePoleFilter
{
    // twoPiCutoff is 2 * pi * cutoff, which the constructors pass as a
    // precomputed single-precision product.
    OnePoleFilter (float rate, float cutoffHz, float twoPiCutoff) noexcept;

    // Cut-off in Hz; the coefficient follows the one-pole rule.
    void setCutoff (float hz) noexcept;

    // One step; returns the low-pass output (the high-pass output is x - lp).
    float processLowPass (float x) noexcept
    {
        const float v = (x - state) * g.get();
        const float lp = (state + v) + kAntiDenormal;
        state = lp + v;
        return lp;
    }

    float state = 0.0f;
    RelaxedAtomic<float> g { 0.0f };
    RelaxedAtomic<float> cutoff { 0.0f };
    float sampleRate;
    float period;

private:
    void applyCoefficient (float twoPiCutoff) noexcept;
};

struct DcBlocker
{
    float x1 = 0.0f;
    float y1 = 0.0f;
};

struct ModSmoother
{
    explicit ModSmoother (float rate) noexcept : sampleRate (rate) {}

    float sampleRate;
    float y = 0.0f;
    RelaxedAtomic<float> divisor { 1.0f };
};
