#pragma once

#include <juce_data_structures/juce_data_structures.h>
#include <juce_events/juce_events.h>

// A text that one thread may replace while another reads it (the host saves
// its state on threads of its own while the editor saves presets).
class LockedText
{
public:
    LockedText& operator= (const juce::String& text)
    {
        const juce::ScopedLock sl (lock);
        value = text;
        return *this;
    }

    juce::String get() const
    {
        const juce::ScopedLock sl (lock);
        return value;
    }

    operator juce::String() const { return get(); }

private:
    juce::CriticalSection lock;
    juce::String value;
};

// Per-user settings and preset bookkeeping that outlive an editor window.
// The preset folder and the window size live in the settings file.
class PluginSettingState
{
public:
    PluginSettingState();
    virtual ~PluginSettingState();

    // Writes the preset folder and window size to the settings file, creating
    // folder and file when missing.
    void updateSettingFile();

    // The preset name from any thread. `presetName`, which the editor's label
    // shows, is only ever touched on the message thread: a name set on
    // another thread (a host restoring its state) reaches it asynchronously.
    void setPresetName (const juce::String& name);
    juce::String getPresetName() const;

    juce::String currentPresetPath;
    LockedText lastPresetFolderPath;
    juce::Value presetName;
    juce::Value presetLocation;
    int windowWidth = 718;
    int windowHeight = 222;
    int defaultWindowWidth = 718;
    int defaultWindowHeight = 222;

    // The editor corner's limits (half and six times the default size, as the
    // editor computes them); a size read from the settings file is kept inside.
    static constexpr int minWindowWidth = 359, minWindowHeight = 111;
    static constexpr int maxWindowWidth = 4308, maxWindowHeight = 1332;

protected:
    // Reads the settings file at construction, or writes it for the first time.
    void readSettingFile();

private:
    // Carries names between `presetName` and the copy other threads read.
    struct PresetNameRelay : juce::AsyncUpdater, juce::Value::Listener
    {
        explicit PresetNameRelay (PluginSettingState& s) : owner (s) {}
        void handleAsyncUpdate() override;
        void valueChanged (juce::Value&) override;
        PluginSettingState& owner;
    };

    juce::CriticalSection presetNameLock;
    juce::String presetNameText;
    bool presetNameInFlight = false; // set on another thread, not yet in presetName
    PresetNameRelay presetNameRelay { *this };

    // The settings file's root element; a missing or unparsable file is
    // written afresh with the defaults instead (an unparsable one kept as
    // "Ondrel.settings.unreadable"), and null returned.
    std::unique_ptr<juce::XmlElement> readOrCreateSettingFile();
    void writeDefaultSettingFile();
};
