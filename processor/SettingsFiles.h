#pragma once

#include <juce_core/juce_core.h>

// Where the per-user files live and how they are written: the settings file
// and the MIDI-table file share one folder.
namespace SettingsFiles
{
// "Application Support/Kesmark" under the user's application-data folder.
juce::File folder();

// Creates that folder (and those above it); true when it exists.
bool createFolder();

juce::File settingsFile();
juce::File midiTableFile();

// The all-users default preset folder, as a full path.
juce::String defaultPresetFolder();

// Writes with an XML declaration (encoding "UTF-8") and no DTD, replacing
// the file's content in one step (FileReplacement): a link stays a link, and
// a failed write leaves the file as it was (and returns false).
bool write (const juce::XmlElement& element, const juce::File& file);

// Writes `element` over a file that reads as XML or is missing. What an
// unreadable file holds is kept first, byte for byte, as "<name>.unreadable"
// beside its final target (replacing an older copy); when that copy cannot be
// made, the file is left alone instead (false).
bool writeKeepingUnreadable (const juce::XmlElement& element, const juce::File& file);

// The C library's atoi on an attribute text, with out-of-range values
// clamped instead of undefined.
int toInt (const juce::String& text);
} // namespace SettingsFiles
