#pragma once

#include <juce_core/juce_core.h>

#include <optional>

namespace ondrel::host
{

// What a WAV or AIFF file's chunks say about its samples, read without
// trusting them. JUCE's readers take a header's channel count and sizes as
// they stand (a huge channel count corrupts the heap or loops forever, a
// huge metadata chunk is allocated whole), so a file is checked here before
// a reader sees it.
struct AudioFileHeader
{
    bool isAiff = false;
    int numChannels = 0, bitsPerSample = 0;
    juce::int64 claimedFrames = 0;   // what the header announces
    juce::int64 framesInFile = 0;    // what the file really holds of them
};

// The header of `file`; nothing, with `error` set, when it is no regular
// file or no WAV or AIFF file this tool reads: no format or data chunk, a
// sample format other than 8/16/24/32-bit PCM or 32-bit float, no channels or
// more than limits::maxFileChannels, more than limits::maxSamples frames in
// the file, data in the file beyond the size the file gives for itself, or
// any other chunk running past the file's end. Data running past the file's
// end is a cut file, or one written to a pipe with placeholder sizes:
// allowed, and framesInFile says how much of it is there.
std::optional<AudioFileHeader> readAudioFileHeader (const juce::File& file, juce::String& error);

} // namespace ondrel::host
