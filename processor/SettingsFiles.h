#pragma once

#include <juce_core/juce_core.h>

// Where the per-user files live and how they are written: the settings file
// and the MIDI-table file share one folder.
namespace SettingsFiles
{
// "Application Support/Kesmark" under the user's application-data folder.
juce::File folder();

juce::File settingsFile();
juce::File midiTableFile();

// The all-users default preset folder, as a full path.
juce::String defaultPresetFolder();

// Writes with an XML declaration (encoding "UTF-8") and no DTD; failures are ignored.
void write (const juce::XmlElement& element, const juce::File& file);

// The C library's atoi on an attribute text, with out-of-range values
// clamped instead of undefined.
int toInt (const juce::String& text);
} // namespace SettingsFiles
