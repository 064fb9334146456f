#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

namespace ondrel::host
{

struct LoadedPlugin
{
    juce::PluginDescription description;
    std::unique_ptr<juce::AudioPluginInstance> instance;
};

// Opens the first VST2 plug-in in `file` through JUCE's VST2 hosting code.
// The instance is created for the given rate and block size but not yet
// prepared, so parameters can still be set before prepareToPlay.
// Must run on the message thread. Returns an empty instance and sets
// `error` on failure.
LoadedPlugin loadVst2Plugin (const juce::File& file, double sampleRate, int blockSize, juce::String& error);

} // namespace ondrel::host
