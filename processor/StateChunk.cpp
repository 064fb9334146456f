#include "StateChunk.h"
#include "Utf8Text.h"

#include <locale>
#include <sstream>

namespace StateChunk
{
juce::String formatNumber (double value)
{
    std::ostringstream out;
    out.imbue (std::locale::classic());
    out.precision (20);
    out << value;
    return juce::String (out.str());
}

void write (const juce::XmlElement& element, juce::MemoryBlock& destData)
{
    const auto text = element.toString (juce::XmlElement::TextFormat().singleLine().withoutHeader());
    const size_t textBytes = text.getNumBytesAsUTF8();

    destData.setSize (8 + textBytes + 1, false);
    auto* bytes = static_cast<char*> (destData.getData());

    const juce::uint32 magic = juce::ByteOrder::swapIfBigEndian (kMagic);
    const juce::uint32 length = juce::ByteOrder::swapIfBigEndian ((juce::uint32) textBytes);
    std::memcpy (bytes, &magic, 4);
    std::memcpy (bytes + 4, &length, 4);
    std::memcpy (bytes + 8, text.toRawUTF8(), textBytes);
    bytes[8 + textBytes] = 0;
}

std::unique_ptr<juce::XmlElement> read (const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes <= 8)
        return nullptr;

    const auto* bytes = static_cast<const char*> (data);

    if (juce::ByteOrder::littleEndianInt (bytes) != kMagic)
        return nullptr;

    const auto length = (juce::int32) juce::ByteOrder::littleEndianInt (bytes + 4);

    if (length <= 0)
        return nullptr;

    const auto text = decodeUtf8 (bytes + 8, (size_t) juce::jmin (sizeInBytes - 8, (int) length));

    if (! text.has_value())
        return nullptr;

    return parseUntrustedXml (*text);
}
} // namespace StateChunk
