#include "PhaserRecords.h"

#include <cmath>

float AllpassStage::coefficientForW (float w) noexcept
{
    const float w2 = w * w;
    const float w3 = w * w2;
    const float w5 = w2 * w3;
    const float t = (float) (((double) w3 * 0.333333 + (double) w5 * 0.133333) + (double) w);
    return (t - 1.0f) / (t + 1.0f);
}

OnePoleFilter::OnePoleFilter (float rate, float cutoffHz, float twoPiCutoff) noexcept
    : sampleRate (rate), period (1.0f / rate)
{
    const float limit = kMaxCutoffFraction * sampleRate;

    if (cutoffHz > limit)
    {
        setCutoff (limit);
        return;
    }

    cutoff = cutoffHz;
    applyCoefficient (twoPiCutoff);
}

void OnePoleFilter::setCutoff (float hz) noexcept
{
    const float limit = kMaxCutoffFraction * sampleRate;

    if (! (hz <= limit))
        hz = limit;

    cutoff = hz;
    applyCoefficient (6.283185f * hz);
}

void OnePoleFilter::applyCoefficient (float twoPiCutoff) noexcept
{
    const float G = tanf (twoPiCutoff * period * 0.5f) * (2.0f / period) * period * 0.5f;
    g = G / (1.0f + G);
}
