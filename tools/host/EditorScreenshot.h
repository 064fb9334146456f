#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace ondrel::host
{

// Opens the plug-in's editor in a window on the X display, waits until the
// plug-in's window is shown and painted, writes all of that window as a PNG
// (also where it lies off the screen: the X server keeps its picture) and
// closes the editor again. Returns the editor's size, or
// an empty one with `error` set. Call on the message thread, which runs its
// loop meanwhile; the display must have been checked first.
juce::Rectangle<int> saveEditorScreenshot (juce::AudioPluginInstance& plugin, const juce::File& png, juce::String& error);

} // namespace ondrel::host
