#pragma once

// The built Ondrel.so in JUCE's VST2 host with its editor open in a
// top-level window (windowhost's EditorWindow), under the test process's
// own HOME.

#include "EditorWindow.h"
#include "ScreenDriver.h"

namespace ondrel::windowtests
{

class HostedEditor
{
public:
    // Removes every per-user file and writes a settings file with this window
    // size, then loads and prepares a fresh instance, which reads it, and
    // opens the editor. A plug-in that does not load fails the test and
    // throws, which ends it; an editor that does not open fails it.
    explicit HostedEditor (int width = 718, int height = 222);
    ~HostedEditor();

    EditorWindow& window() { return *editor; }
    void openEditor();
    void closeEditor() { editor->close(); }
    juce::Point<int> toScreen (juce::Point<int> editorPoint) const { return editor->editorScreenBounds().getPosition() + editorPoint; }

    juce::AudioProcessorParameter& parameter (int index) const { return *plugin->getParameters()[index]; }
    float value (int parameterIndex) const { return parameter (parameterIndex).getValue(); }
    void setValue (int parameterIndex, float normalised) { parameter (parameterIndex).setValue (normalised); }

    // A mapped window may not take input yet (the plug-in handles its events
    // in the host's idle calls): waits until the pointer over the bypass
    // button (a point inside its frame, against one left of it) lights it
    // up, and leaves the pointer there.
    bool waitUntilTakingInput() const { return waitUntilHovered (toScreen ({ 612, 207 }), toScreen ({ 602, 207 })); }

    // One block of silence through processBlock on the calling thread, with a
    // change of `controller` on channel 1 when there is one.
    void process (int controller = -1, int value = 0);

private:
    std::unique_ptr<juce::AudioPluginInstance> plugin;
    std::unique_ptr<EditorWindow> editor;
    juce::AudioBuffer<float> buffer { 2, 512 };
};

// The per-user files the plug-in reads at construction and writes later.
juce::File settingsFile();
juce::File midiTableFile();
// An attribute of the root element of such a file: "(none)" when it has
// none, "(no file)" when there is no readable file.
juce::String storedAttribute (const juce::File& file, const char* name);

} // namespace ondrel::windowtests
