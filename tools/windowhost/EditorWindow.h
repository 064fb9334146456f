#pragma once

// A hosted plug-in's editor in a top-level window at a fixed place on the
// screen. There is no window manager under a bare Xvfb, so the window lands
// exactly where it is put. Used from a thread other than the message thread
// (see MessageThread.h).

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

namespace ondrel::windowhost
{

class EditorWindow
{
public:
    static constexpr int screenX = 100, screenY = 100;

    // With `keepPicture`, the X server keeps the whole of the plug-in's window
    // in memory (see editorPicture), wherever the window lies.
    explicit EditorWindow (juce::AudioPluginInstance& pluginToShow, bool keepPicture = false)
        : plugin (pluginToShow), keepsPicture (keepPicture) {}
    ~EditorWindow() { close(); }

    // Opens the editor and waits until the plug-in's window is mapped;
    // false, with `error` set, when there is no editor or no window.
    bool open (juce::String& error, int timeoutMs = 30000);
    void close();

    // The plug-in's own X window inside the host's, as the server has it;
    // empty while the editor is closed or not yet mapped.
    juce::Rectangle<int> editorScreenBounds() const;
    // All of the plug-in's window as the plug-in drew it, also where it lies
    // off the screen; invalid unless opened with `keepPicture`.
    juce::Image editorPicture() const;
    // The host's window (the hosting component on the desktop).
    juce::Rectangle<int> hostWindowBounds();
    // Waits until the plug-in's window is mapped with this size.
    bool waitForEditorSize (int width, int height, int timeoutMs = 30000) const;

private:
    juce::AudioPluginInstance& plugin;
    std::unique_ptr<juce::AudioProcessorEditor> editor;
    const bool keepsPicture;
    unsigned long hostWindow = 0;
};

} // namespace ondrel::windowhost
