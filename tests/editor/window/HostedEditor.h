#pragma once

// The built Ondrel.so in JUCE's VST2 host, with its editor open in a
// top-level window at a fixed place on the screen. There is no window
// manager under a bare Xvfb, so the window lands exactly where it is put.

#include "PluginLoader.h"

#include <memory>

namespace ondrel::windowtests
{

class HostedEditor
{
public:
    static constexpr int screenX = 100, screenY = 100;
    static constexpr double sampleRate = 44100.0;
    static constexpr int blockSize = 512;

    // Loads and prepares a fresh instance and opens its editor (adds a test
    // failure when either fails). The settings file is read at this point.
    HostedEditor();
    ~HostedEditor();

    bool isLoaded() const { return plugin != nullptr; }
    juce::AudioPluginInstance& instance() { return *plugin; }

    void openEditor();
    void closeEditor();

    // The plug-in's own X window inside the host's, as the server has it;
    // empty while the editor is closed or not yet mapped.
    juce::Rectangle<int> editorScreenBounds() const;
    juce::Point<int> toScreen (juce::Point<int> editorPoint) const;
    // The host's window (the hosting component on the desktop).
    juce::Rectangle<int> hostWindowBounds();
    // Waits until the plug-in's window is mapped with this size.
    bool waitForEditorSize (int width, int height, int timeoutMs = 5000) const;

    float value (int parameterIndex) const;
    void setValue (int parameterIndex, float normalised);

    // One block of silence, with the given MIDI, through processBlock on the calling thread.
    void process (const juce::MidiBuffer& midi = {});

private:
    std::unique_ptr<juce::AudioPluginInstance> plugin;
    std::unique_ptr<juce::AudioProcessorEditor> editor;
    unsigned long hostWindow = 0;
    juce::AudioBuffer<float> buffer { 2, blockSize };
};

// The per-user files the plug-in reads at construction and writes later,
// under the test process's own HOME.
juce::File settingsFile();
juce::File midiTableFile();
// Removes every per-user file, then writes a settings file.
void writeSettings (int windowWidth, int windowHeight, const juce::String& presetLocation = {});

} // namespace ondrel::windowtests
