#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// The fourteen parameter definitions. Their order is the parameter index
// everywhere: host index, state attribute order, learnable list, and the
// randomise/reset walk.
class Ondrel_ParamProfile
{
public:
    Ondrel_ParamProfile();

    int size() const noexcept { return ids.size(); }

    juce::Array<juce::String> ids;
    juce::Array<juce::String> names;
    juce::Array<juce::NormalisableRange<float>> ranges;
    juce::Array<float> defaults;

private:
    void add (const char* id, const char* name, float end, float defaultValue);
};
