#pragma once

#include <juce_core/juce_core.h>

// The host chunk around the state element: a 32-bit magic, the length of the
// XML text, the text on one line without a declaration, and a zero byte.
namespace StateChunk
{
constexpr juce::uint32 kMagic = 0x21324356;

// A number as the state element writes it: 20 significant digits in the
// shorter of fixed and exponent form, trailing zeros removed (C's %.20g),
// whatever the process's locale.
juce::String formatNumber (double value);

void write (const juce::XmlElement& element, juce::MemoryBlock& destData);

// The element in a chunk, or null when the size, magic, length or XML is wrong.
std::unique_ptr<juce::XmlElement> read (const void* data, int sizeInBytes);
} // namespace StateChunk
