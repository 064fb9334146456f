#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

namespace ondrel::host
{

// Reads any file JUCE's basic formats know (WAV, AIFF) into floats.
bool readAudioFile (const juce::File& file, juce::AudioBuffer<float>& audio, double& sampleRate, juce::String& error);

// Writes 32-bit float WAV, so a render keeps every bit the plug-in produced.
bool writeFloatWav (const juce::File& file, const juce::AudioBuffer<float>& audio, double sampleRate, juce::String& error);

} // namespace ondrel::host
