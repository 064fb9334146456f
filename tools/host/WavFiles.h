#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

namespace ondrel::host
{

// Reads a WAV or AIFF file into floats, its first two channels at most, once
// its header has passed readAudioFileHeader's checks. A file shorter than its
// header says, or with channels left out, is read with a line for each in
// `warnings`.
bool readAudioFile (const juce::File& file, juce::AudioBuffer<float>& audio, double& sampleRate,
                    juce::StringArray& warnings, juce::String& error);

// Writes 32-bit float WAV, so a render keeps every bit the plug-in produced;
// through a temporary file, so a failure leaves no partial file behind.
bool writeFloatWav (const juce::File& file, const juce::AudioBuffer<float>& audio, double sampleRate, juce::String& error);

} // namespace ondrel::host
