#include "Utf8Text.h"

#include <cstring>
#include <sys/stat.h>
#include <limits>

namespace
{
// The framework's decoder reads an overlong form as the character it spells,
// so an overlong NUL would end the text early, inside an attribute, and the
// element would read as complete without the attributes after it.
bool hasOverlongForm (const char* bytes, size_t length)
{
    for (size_t i = 0; i + 1 < length; ++i)
    {
        const auto lead = (juce::uint8) bytes[i], next = (juce::uint8) bytes[i + 1];

        if (lead == 0xc0 || lead == 0xc1 || (lead == 0xe0 && next < 0xa0) || (lead == 0xf0 && next < 0x90))
            return true;
    }

    return false;
}
} // namespace

std::optional<juce::String> decodeUtf8 (const void* data, size_t numBytes)
{
    if (data == nullptr || numBytes == 0)
        return juce::String();

    auto* bytes = static_cast<const char*> (data);
    const auto* zero = static_cast<const char*> (std::memchr (bytes, 0, numBytes));
    size_t length = zero != nullptr ? (size_t) (zero - bytes) : numBytes;

    if (length >= 3 && (juce::uint8) bytes[0] == 0xef && (juce::uint8) bytes[1] == 0xbb && (juce::uint8) bytes[2] == 0xbf)
    {
        bytes += 3;
        length -= 3;
    }

    if (length == 0)
        return juce::String();

    if (length > (size_t) std::numeric_limits<int>::max()
        || ! juce::CharPointer_UTF8::isValidString (bytes, (int) length)
        || hasOverlongForm (bytes, length))
        return std::nullopt;

    return juce::String::fromUTF8 (bytes, (int) length);
}

std::unique_ptr<juce::XmlElement> parseUntrustedXml (const juce::String& text)
{
    // Every element this program reads is a single one without children:
    // a few hundred tags are plenty, and bound the parser's recursion.
    constexpr int maxTags = 256;
    int tags = 0;

    for (auto c : text)
        if (c == '<' && ++tags > maxTags)
            return nullptr;

    // Appended after the text, these three characters are never reached once
    // the start tag has closed, and make every unfinished one a parse error:
    // an attribute value open in either quote, a missing value after "=", or
    // a name without "=".
    return juce::XmlDocument::parse (text + "\"'<");
}

std::optional<juce::MemoryBlock> readSmallRegularFile (const juce::File& file, juce::int64 maxBytes)
{
    struct stat info;

    if (stat (file.getFullPathName().toRawUTF8(), &info) != 0 || ! S_ISREG (info.st_mode)
        || info.st_size > maxBytes)
        return std::nullopt;

    juce::MemoryBlock bytes;
    juce::FileInputStream in (file);

    // The size is checked again while reading: the file may grow meanwhile.
    if (! in.openedOk() || in.readIntoMemoryBlock (bytes, maxBytes + 1) > (size_t) maxBytes)
        return std::nullopt;

    return bytes;
}

std::unique_ptr<juce::XmlElement> readUntrustedXmlFile (const juce::File& file)
{
    const auto bytes = readSmallRegularFile (file);
    const auto text = bytes.has_value() ? decodeUtf8 (bytes->getData(), bytes->getSize()) : std::nullopt;
    return text.has_value() ? parseUntrustedXml (*text) : nullptr;
}
