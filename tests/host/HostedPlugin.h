#pragma once

// The built plug-in through the JUCE-based test host (ondrel-host's code).

#include "PluginLoader.h"
#include "Renderer.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace ondrel::hosttests
{

inline juce::File getPluginFile() { return juce::File (ONDREL_PLUGIN_FILE); }

// Loads a fresh instance, not yet prepared; adds a test failure when it cannot.
host::LoadedPlugin openPlugin (double sampleRate = 44100.0, int blockSize = 512);

inline void setParameter (juce::AudioPluginInstance& plugin, int index, float value)
{
    plugin.getParameters()[index]->setValue (value);
}

// Uniform noise in [-amplitude, amplitude), independent on two channels.
juce::AudioBuffer<float> stereoNoise (int numSamples, float amplitude = 0.5f, juce::int64 seed = 1);

// Every sample of every channel holds the same bits in both buffers.
::testing::AssertionResult bitIdentical (const juce::AudioBuffer<float>& expected, const juce::AudioBuffer<float>& actual);

// The plug-in's normalised parameter values, in host order.
std::vector<float> parameterValues (juce::AudioPluginInstance& plugin);

// A host chunk framed the way the plug-in frames its state: the magic
// 0x21324356 ("VC2!"), the text length L, the element as L bytes of
// single-line XML without declaration, and a zero byte (L + 9 in all).
juce::MemoryBlock frameChunk (const juce::XmlElement& element);

// The element inside such a chunk; null when the framing does not hold.
std::unique_ptr<juce::XmlElement> unframeChunk (const juce::MemoryBlock& chunk);

} // namespace ondrel::hosttests
