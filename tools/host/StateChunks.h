#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <optional>

namespace ondrel::host
{

// The plug-in's own VST2 chunk (effGetChunk), as a host stores it in a
// project; nothing when the plug-in keeps no chunk or returns an empty one.
std::optional<juce::MemoryBlock> getChunk (juce::AudioPluginInstance& plugin);

// The state to save: the chunk, or for plug-ins without one JUCE's
// standard bank form of their parameter values.
juce::MemoryBlock getPluginState (juce::AudioPluginInstance& plugin);

// Restores what getPluginState gave, into this or a fresh instance.
bool setPluginState (juce::AudioPluginInstance& plugin, const juce::MemoryBlock& state);

} // namespace ondrel::host
