#pragma once

#include <juce_core/juce_core.h>

// The bounds of what the tool renders, so that no option and no file header
// can make it allocate without limit. The usage text and the README state them.
namespace ondrel::host::limits
{
    // Per channel: 512 MiB of float, about 50 minutes at 44.1 kHz.
    constexpr juce::int64 maxSamples = juce::int64 { 1 } << 27;
    // Channels a file may have; the tool reads the first two of them.
    constexpr int maxFileChannels = 64;
    constexpr int maxChannels = 2;
    constexpr double minRate = 1000.0, maxRate = 768000.0;
    constexpr int maxBlockSize = 65536;
    // A --state file is read whole before the plug-in sees it.
    constexpr juce::int64 maxStateBytes = juce::int64 { 256 } << 20;
}
