#include "TableLfo.h"

#include <cmath>
#include <cstdlib>

TableLfo::TableLfo (float rate)
    : sampleRate (rate),
      increment (0.09779328f / rate)
{
    fillTables();

    phaseOffsetSmoother = std::make_unique<juce::LinearSmoothedValue<float>> (0.0f);
    phaseOffsetSmoother->reset ((double) sampleRate, 0.0003);
    randomGenerator.setSeedRandomly();
}

TableLfo::~TableLfo() = default;

void TableLfo::fillTables()
{
    for (auto& table : tables)
        table.resize (kTableSize);

    float* sine = tables[0].getRawDataPointer();
    float* tri = tables[1].getRawDataPointer();
    float* up = tables[2].getRawDataPointer();
    float* down = tables[3].getRawDataPointer();
    float* rect = tables[4].getRawDataPointer();

    // A three-term cosine window of period 257: 0 at entry 0, peak between 128 and 129.
    for (int i = 0; i < kTableSize; ++i)
    {
        const float x = ((float) i * 6.2831855f) / 257.0f;
        const float y = ((float) i * 12.566371f) / 257.0f;
        sine[i] = cosf (y) * 0.025f + (0.475f - cosf (x) * 0.5f);
    }

    for (int i = 0; i < 256; ++i)
    {
        // A raised cosine over 256 entries shaped by a two-sided exponential peak.
        const float x = (float) i * 6.2831855f * 0.00390625f;
        tri[i] = expf ((float) std::abs (256 - (i + i)) * -2.5f * 0.00390625f) * ((1.0f - cosf (x)) * 0.5f);

        up[i] = (float) i * 0.00390625f;
        down[i] = 1.0f - (float) i * 0.00390625f;
        rect[i] = i < 128 ? 1.0f : 0.0f;
    }

    // Guard entries: the read returns to the start value within the last 1/256 of the cycle.
    tri[256] = 0.0f;
    up[256] = 0.0f;
    down[256] = 1.0f;
    rect[256] = 1.0f;
}

void TableLfo::applyPendingChanges() noexcept
{
    offsetTarget.applyTo (*phaseOffsetSmoother);

    if (phaseResetPending.exchange (false, std::memory_order_acquire))
        phase = 0.0f;
}

float TableLfo::readValue() noexcept
{
    const float offset = phaseOffsetSmoother->getNextValue();
    const float pos = fmodf (phase * 255.99899f + offset * 255.99899f, 256.0f);

    // pos lies in 0..256 for the non-negative phases and offsets the unit
    // produces; the clamp only keeps a non-finite phase from indexing outside.
    const float whole = floorf (pos);
    const int k = (whole >= 0.0f && whole <= 255.0f) ? (int) whole : 0;
    const float frac = pos - (float) k;

    float v;
    const int wave = waveform.get();

    if (wave >= 0 && wave < kNumTables)
    {
        const float* table = tables[wave].getRawDataPointer();
        v = frac * table[k + 1] + (1.0f - frac) * table[k];
    }
    else if (wave == 5)
    {
        if (sampleHoldPending)
            heldValue = randomGenerator.nextFloat();

        sampleHoldPending = false;
        v = heldValue;
    }
    else
    {
        v = 0.0f;
    }

    if (! ((double) v > 1e-8 || (double) v < -1e-8))
        v = 0.0f;

    return v;
}
