#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <vector>

namespace ondrel::host
{

struct ParameterInfo
{
    int index = 0;
    juce::String name, label, text;
    float value = 0.0f;
};

struct BusInfo
{
    juce::String name;
    int numChannels = 0;
};

// What a host learns about a plug-in when it loads it.
struct PluginInfo
{
    juce::String name, vendor, version;
    int uniqueId = 0;
    int vendorVersion = 0;
    int numInputChannels = 0, numOutputChannels = 0;
    std::vector<BusInfo> inputBuses, outputBuses;
    bool acceptsMidi = false, producesMidi = false;
    double tailSeconds = 0.0;
    int numPrograms = 0;
    juce::StringArray programNames;
    std::vector<ParameterInfo> parameters;
};

PluginInfo describePlugin (juce::AudioPluginInstance& plugin, const juce::PluginDescription& description);

// The four characters of a VST2 unique ID, or its hex form when they are not printable.
juce::String uniqueIdToText (int uniqueId);

// One line per item, for the command line.
juce::String formatPluginInfo (const PluginInfo& info);

} // namespace ondrel::host
