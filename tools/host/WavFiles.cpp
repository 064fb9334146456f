#include "WavFiles.h"

#include <memory>

namespace ondrel::host
{

bool readAudioFile (const juce::File& file, juce::AudioBuffer<float>& audio, double& sampleRate, juce::String& error)
{
    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (file));

    if (reader == nullptr)
    {
        error = "cannot read audio from " + file.getFullPathName();
        return false;
    }

    if (reader->lengthInSamples > std::numeric_limits<int>::max())
    {
        error = "file too long: " + file.getFullPathName();
        return false;
    }

    const auto numSamples = (int) reader->lengthInSamples;
    audio.setSize ((int) reader->numChannels, numSamples);
    sampleRate = reader->sampleRate;

    if (! reader->read (&audio, 0, numSamples, 0, true, true))
    {
        error = "read error in " + file.getFullPathName();
        return false;
    }

    return true;
}

bool writeFloatWav (const juce::File& file, const juce::AudioBuffer<float>& audio, double sampleRate, juce::String& error)
{
    file.deleteFile();
    std::unique_ptr<juce::OutputStream> stream (file.createOutputStream());

    if (stream == nullptr)
    {
        error = "cannot write " + file.getFullPathName();
        return false;
    }

    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatWriter> writer (
        wav.createWriterFor (stream.get(), sampleRate, (unsigned int) audio.getNumChannels(), 32, {}, 0));

    if (writer == nullptr)
    {
        error = "cannot write WAV with " + juce::String (audio.getNumChannels()) + " channels at "
                + juce::String (sampleRate) + " Hz";
        return false;
    }

    stream.release(); // the writer owns it now

    if (! writer->writeFromAudioSampleBuffer (audio, 0, audio.getNumSamples()))
    {
        error = "write error in " + file.getFullPathName();
        return false;
    }

    return true;
}

} // namespace ondrel::host
