#pragma once

#include <juce_core/juce_core.h>

// The LFO waveform a value of lfo_wave's 0..5 range selects: its integer part.
// The value is continuous (hosts automate it, Randomise draws it), so the
// sound path and the editor's waveform box must both truncate it this way.
// Finite values beyond the range give -1 or 6, which the LFO plays as no
// modulation.
inline int lfoWaveformIndex (float value) noexcept
{
    return (int) juce::jlimit (-1.0f, 6.0f, value);
}
