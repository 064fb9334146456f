#pragma once

// The built plug-in through the JUCE-based test host (ondrel-host's code).

#include "Renderer.h"
#include "PluginLoader.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace ondrel::hosttests
{

juce::File getPluginFile();

// Loads a fresh instance, not yet prepared; adds a test failure when it cannot.
host::LoadedPlugin openPlugin (double sampleRate = 44100.0, int blockSize = 512);

void setParameter (juce::AudioPluginInstance& plugin, int index, float value);

// Uniform noise in [-amplitude, amplitude), independent on two channels.
juce::AudioBuffer<float> stereoNoise (int numSamples, float amplitude = 0.5f, juce::int64 seed = 1);

// Samples [start, end) of every channel hold the same bits in both buffers.
::testing::AssertionResult bitIdentical (const juce::AudioBuffer<float>& expected,
                                         const juce::AudioBuffer<float>& actual,
                                         int start = 0, int end = -1);

// Some sample in [start, end) differs by more than `margin` between the
// buffers: the plug-in did something audible.
::testing::AssertionResult differAudibly (const juce::AudioBuffer<float>& a,
                                          const juce::AudioBuffer<float>& b,
                                          int start = 0, int end = -1,
                                          float margin = 1.0e-3f);

// The plug-in's normalised parameter values, in host order.
std::vector<float> parameterValues (juce::AudioPluginInstance& plugin);

// A host chunk framed the way the plug-in frames its state: the magic
// 0x21324356 ("VC2!"), the text length L, the element as L bytes of
// single-line XML without declaration, and a zero byte (L + 9 in all).
juce::MemoryBlock frameChunk (const juce::XmlElement& element);

// The element inside such a chunk; null when the framing does not hold.
std::unique_ptr<juce::XmlElement> unframeChunk (const juce::MemoryBlock& chunk);

// One channel of `buffer` as a buffer of its own.
juce::AudioBuffer<float> channel (const juce::AudioBuffer<float>& buffer, int index);

} // namespace ondrel::hosttests
