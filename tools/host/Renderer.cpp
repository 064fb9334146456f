#include "Renderer.h"

#include <cmath>

namespace ondrel::host
{

int getHostBufferChannels (const juce::AudioProcessor& plugin)
{
    return juce::jmax (plugin.getTotalNumInputChannels(), plugin.getTotalNumOutputChannels());
}

juce::AudioBuffer<float> fitChannels (const juce::AudioBuffer<float>& audio, int numChannels)
{
    juce::AudioBuffer<float> fitted (numChannels, audio.getNumSamples());
    fitted.clear();

    for (int ch = 0; ch < numChannels; ++ch)
    {
        const auto source = audio.getNumChannels() == 1 ? 0 : ch;

        if (source < audio.getNumChannels())
            fitted.copyFrom (ch, 0, audio, source, 0, audio.getNumSamples());
    }

    return fitted;
}

void processInBlocks (juce::AudioProcessor& plugin, juce::AudioBuffer<float>& audio, BlockSchedule& schedule)
{
    jassert (audio.getNumChannels() == getHostBufferChannels (plugin));
    juce::MidiBuffer midi;

    for (int start = 0; start < audio.getNumSamples();)
    {
        const auto length = juce::jmin (schedule.next(), audio.getNumSamples() - start);
        juce::AudioBuffer<float> block (audio.getArrayOfWritePointers(), audio.getNumChannels(), start, length);
        plugin.processBlock (block, midi);
        midi.clear();
        start += length;
    }
}

juce::AudioBuffer<float> renderThrough (juce::AudioProcessor& plugin, const juce::AudioBuffer<float>& input,
                                        BlockSchedule schedule)
{
    auto audio = fitChannels (input, getHostBufferChannels (plugin));
    processInBlocks (plugin, audio, schedule);
    return fitChannels (audio, plugin.getTotalNumOutputChannels());
}

Levels measureLevels (const juce::AudioBuffer<float>& audio)
{
    Levels levels;

    for (int ch = 0; ch < audio.getNumChannels(); ++ch)
        for (int i = 0; i < audio.getNumSamples(); ++i)
        {
            const auto sample = audio.getSample (ch, i);

            if (std::isfinite (sample))
                levels.peak = juce::jmax (levels.peak, std::abs (sample));
            else
                ++levels.nonFinite;
        }

    return levels;
}

} // namespace ondrel::host
