#include "WavFiles.h"

#include "AudioFileHeader.h"
#include "Limits.h"
#include "OutputFile.h"

#include <memory>

namespace ondrel::host
{

namespace
{
    std::unique_ptr<juce::AudioFormatReader> createReader (const juce::File& file, const AudioFileHeader& header)
    {
        std::unique_ptr<juce::AudioFormat> format;

        if (header.isAiff)
            format = std::make_unique<juce::AiffAudioFormat>();
        else
            format = std::make_unique<juce::WavAudioFormat>();

        return std::unique_ptr<juce::AudioFormatReader> (format->createReaderFor (file.createInputStream().release(), true));
    }

    juce::String describeFrames (juce::int64 frames, double sampleRate)
    {
        return juce::String (frames) + " sample frames (" + juce::String ((double) frames / sampleRate, 3) + " s)";
    }
}

bool readAudioFile (const juce::File& file, juce::AudioBuffer<float>& audio, double& sampleRate,
                    juce::StringArray& warnings, juce::String& error)
{
    const auto header = readAudioFileHeader (file, error);

    if (! header)
        return false;

    const auto reader = createReader (file, *header);
    const auto name = file.getFullPathName();

    // The header was checked above; JUCE must have read it the same way.
    if (reader == nullptr || (int) reader->numChannels != header->numChannels
        || (int) reader->bitsPerSample != header->bitsPerSample)
        error = "cannot read audio from " + name;
    else if (! (reader->sampleRate >= limits::minRate && reader->sampleRate <= limits::maxRate))
        error = "cannot read audio from " + name + ": its sample rate " + juce::String (reader->sampleRate)
                + " Hz is outside " + juce::String (limits::minRate) + " to " + juce::String (limits::maxRate) + " Hz";

    if (error.isNotEmpty())
        return false;

    // Both bounded by the header's checks: no more than the file holds, no more than two channels.
    const auto numFrames = (int) juce::jlimit<juce::int64> (0, header->framesInFile, reader->lengthInSamples);
    const auto numChannels = juce::jmin (header->numChannels, limits::maxChannels);
    sampleRate = reader->sampleRate;
    audio.setSize (numChannels, numFrames);

    if (! reader->read (audio.getArrayOfWritePointers(), numChannels, 0, numFrames))
    {
        error = "read error in " + name;
        return false;
    }

    if (numFrames < header->claimedFrames)
        warnings.add (name + " is shorter than its header says: read " + describeFrames (numFrames, sampleRate)
                      + " of " + describeFrames (header->claimedFrames, sampleRate));

    if (header->numChannels > numChannels)
        warnings.add (name + " has " + juce::String (header->numChannels) + " channels; "
                      + (header->numChannels == numChannels + 1 ? "channel " : "channels " + juce::String (numChannels + 1) + " to ")
                      + juce::String (header->numChannels) + " left out");

    return true;
}

bool writeFloatWav (const juce::File& file, const juce::AudioBuffer<float>& audio, double sampleRate, juce::String& error)
{
    return writeThroughTemporaryFile (file, [&] (juce::OutputStream& out)
    {
        juce::WavAudioFormat wav;
        auto stream = std::make_unique<ForwardingStream> (out);
        std::unique_ptr<juce::AudioFormatWriter> writer (
            wav.createWriterFor (stream.get(), sampleRate, (unsigned int) audio.getNumChannels(), 32, {}, 0));

        if (writer == nullptr)
        {
            error = "cannot write WAV with " + juce::String (audio.getNumChannels()) + " channels at "
                    + juce::String (sampleRate) + " Hz";
            return false;
        }

        stream.release(); // the writer owns it now
        const auto written = writer->writeFromAudioSampleBuffer (audio, 0, audio.getNumSamples());
        writer.reset(); // writes the final sizes into the header, which the caller then checks
        return written;
    }, error);
}

} // namespace ondrel::host
