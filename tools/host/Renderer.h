#pragma once

#include "BlockSchedule.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace ondrel::host
{

// The channel count a host buffer for this plug-in needs (its wider side).
int getHostBufferChannels (const juce::AudioProcessor& plugin);

// `audio` with exactly `numChannels` channels: a mono signal is copied to
// every channel, missing channels are silent, surplus ones dropped.
juce::AudioBuffer<float> fitChannels (const juce::AudioBuffer<float>& audio, int numChannels);

// Runs `audio` through a prepared plug-in in place, one block after another
// with the sizes `schedule` gives (the last block is cut to what is left).
// `audio` must have getHostBufferChannels() channels.
void processInBlocks (juce::AudioProcessor& plugin, juce::AudioBuffer<float>& audio, BlockSchedule& schedule);

// A copy of `input`, fitted to the plug-in's channels, run through a
// prepared plug-in; the result has the plug-in's output channels.
juce::AudioBuffer<float> renderThrough (juce::AudioProcessor& plugin, const juce::AudioBuffer<float>& input,
                                        BlockSchedule schedule = BlockSchedule::fixed (512));

// The largest finite magnitude in `audio`, and how many samples are NaN or infinite.
struct Levels
{
    float peak = 0.0f;
    juce::int64 nonFinite = 0;
};

Levels measureLevels (const juce::AudioBuffer<float>& audio);

} // namespace ondrel::host
