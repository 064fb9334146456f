#pragma once

#include <juce_core/juce_core.h>

#include <memory>
#include <optional>

// Text and XML that came from outside the program.

// Text from bytes that came from outside (a host chunk, a file): up to the
// first zero byte, without a UTF-8 byte-order mark, and only when it is valid
// UTF-8. The framework's decoder and XML parser read past the end of a
// malformed sequence, so such text is refused before either sees it.
std::optional<juce::String> decodeUtf8 (const void* data, size_t numBytes);

// The one element of an XML text that came from outside, or null when the
// text does not parse as a whole. The framework's parser takes an element
// whose text ends inside its start tag as complete (half its attributes), and
// recurses once per nested element; such texts are refused instead.
std::unique_ptr<juce::XmlElement> parseUntrustedXml (const juce::String& text);

// Far above any file this program writes (under 2 kB).
constexpr juce::int64 kMaxXmlFileBytes = 8 * 1024 * 1024;

// The bytes of a regular file of at most `maxBytes`, or nothing: a file that
// is missing, not a regular file (a FIFO or device would block or never end)
// or larger.
std::optional<juce::MemoryBlock> readSmallRegularFile (const juce::File& file, juce::int64 maxBytes = kMaxXmlFileBytes);

// The element of an XML file that came from outside (a preset, the settings
// or MIDI-table file), or null: a file that readSmallRegularFile refuses,
// not UTF-8, or not parsed whole by parseUntrustedXml.
std::unique_ptr<juce::XmlElement> readUntrustedXmlFile (const juce::File& file);
