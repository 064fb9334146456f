#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class OndrelAudioProcessorEditor;

// The plug-in menu's command ids (preset items use 1..N) and the steps behind
// the header's menu and preset buttons.
namespace HeaderCommands
{
enum Command : int
{
    save = 100000001,
    saveAs = 100000002,
    initialize = 100000003,
    setPresetFolder = 100000006,
    openPresetFolder = 100000007,
    visitKesmark = 100000008,
    bugReport = 100000010,
    about = 100000013,
    resetWindowSize = 100000014,
    firstCommand = save,
    lastCommand = resetWindowSize
};

// A menu's options (the header's and the MIDI-learn menu's): minimum width and item height as single-precision
// fractions of the editor's size, truncated; at most 16 columns; opens at `target`.
juce::PopupMenu::Options menuOptions (const juce::Component& editor, juce::Component& target, float widthFactor,
                                      float heightFactor);

juce::String aboutText();

// Preset steps, in PresetFiles.cpp.
void showPresetMenu (OndrelAudioProcessorEditor& editor, juce::Button& button);
void stepPreset (OndrelAudioProcessorEditor& editor, bool forward);
void loadPreset (OndrelAudioProcessorEditor& editor, int itemId);
void savePreset (OndrelAudioProcessorEditor& editor);
} // namespace HeaderCommands
