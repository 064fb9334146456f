#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace ondrel::host
{

// The number a VST2 plug-in answers to effGetVendorVersion. JUCE only keeps
// a decoded version string, and hosts show the raw number.
int getVst2VendorVersion (juce::AudioPluginInstance& plugin);

} // namespace ondrel::host
