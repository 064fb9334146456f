#pragma once

#include <juce_core/juce_core.h>

#include <memory>

// Preset files on disk: an XML declaration and one element, read as untrusted
// input and written so that a failed save never leaves a partial preset.
namespace PresetFile
{
constexpr const char* kExtension = ".kespreset";

// Far above any preset this program writes (under 2 kB); a larger file is refused unread.
constexpr juce::int64 kMaxBytes = 8 * 1024 * 1024;

// The document element, or null when the file is missing, not a regular
// file, too large, not UTF-8, nests too deep, does not parse, or ends inside
// the element's start tag.
std::unique_ptr<juce::XmlElement> read (const juce::File& file);

// Writes to a hidden temporary file beside `file` and then moves it over
// `file`; on failure `file` keeps its former content.
bool write (const juce::XmlElement& element, const juce::File& file);
} // namespace PresetFile
