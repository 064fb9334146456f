#pragma once

#include <juce_core/juce_core.h>

#include <memory>

// Preset files on disk: an XML declaration and one element, written so that a
// failed save never leaves a partial preset (they are read as untrusted input
// with readUntrustedXmlFile).
namespace PresetFile
{
constexpr const char* kExtension = ".kespreset";

// Writes to a hidden temporary file beside `file` (beside its target, for a
// link) and then moves it over `file`; on failure `file` keeps its former
// content, or stays absent.
bool write (const juce::XmlElement& element, const juce::File& file);
} // namespace PresetFile
