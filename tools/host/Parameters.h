#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <optional>
#include <vector>

namespace ondrel::host
{

// A normalised value for one parameter, named by its host index ("3") or by
// its display name (any case).
struct ParameterSetting
{
    juce::String key;
    float value = 0.0f;
};

// Parses "key=value", the value a number from 0 to 1; the key may itself
// hold blanks ("Dry/Wet=0.25").
std::optional<ParameterSetting> parseParameterSetting (const juce::String& text);

juce::AudioProcessorParameter* findParameter (juce::AudioPluginInstance& plugin, const juce::String& key);

// Sets each value through the host's parameter setter, in order. Stops at
// the first unknown key and names it in `error`.
bool applyParameterSettings (juce::AudioPluginInstance& plugin,
                             const std::vector<ParameterSetting>& settings,
                             juce::String& error);

} // namespace ondrel::host
