#pragma once

#include <juce_core/juce_core.h>

#include <memory>
#include <optional>

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
