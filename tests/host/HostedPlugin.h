#pragma once

// The built plug-in through the JUCE-based test host (ondrel-host's code).

#include "PluginLoader.h"
#include "Renderer.h"

#include <gtest/gtest.h>

namespace ondrel::hosttests
{

// Loads a fresh instance, not yet prepared; adds a test failure when it cannot.
host::LoadedPlugin openPlugin (double sampleRate = 44100.0, int blockSize = 512);

// Every sample of every channel holds the same bits in both buffers.
::testing::AssertionResult bitIdentical (const juce::AudioBuffer<float>& expected, const juce::AudioBuffer<float>& actual);

} // namespace ondrel::hosttests
