#pragma once

#include <juce_core/juce_core.h>

#include <optional>

// Text from bytes that came from outside (a host chunk, a file): up to the
// first zero byte, without a UTF-8 byte-order mark, and only when it is valid
// UTF-8. The framework's decoder and XML parser read past the end of a
// malformed sequence, so such text is refused before either sees it.
std::optional<juce::String> decodeUtf8 (const void* data, size_t numBytes);
