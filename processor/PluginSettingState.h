#pragma once

#include <juce_data_structures/juce_data_structures.h>

// Per-user settings and preset bookkeeping that outlive an editor window.
// The preset folder and the window size live in the settings file.
class PluginSettingState
{
public:
    PluginSettingState();
    virtual ~PluginSettingState() = default;

    // Writes the preset folder and window size to the settings file, creating
    // folder and file when missing.
    void updateSettingFile();

    juce::String currentPresetPath;
    juce::String lastPresetFolderPath;
    juce::Value presetName;
    juce::Value presetLocation;
    int windowWidth = 718;
    int windowHeight = 222;
    int defaultWindowWidth = 718;
    int defaultWindowHeight = 222;

protected:
    // Reads the settings file at construction, or writes it for the first time.
    void readSettingFile();

private:
    // The settings file's root element; a missing or unparsable file is
    // written afresh with the defaults instead, and null returned.
    std::unique_ptr<juce::XmlElement> readOrCreateSettingFile();
    void writeDefaultSettingFile();
};
