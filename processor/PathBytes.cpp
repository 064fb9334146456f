#include "PathBytes.h"
#include "Utf8Text.h"

#include <cerrno>
#include <sys/stat.h>

namespace PathBytes
{
bool readsAsWritten (const std::string& bytes)
{
    // The framework's own decoder, which stops at the terminating zero.
    juce::CharPointer_UTF8 text (bytes.c_str());
    const auto* end = bytes.c_str() + bytes.size();

    while (text.getAddress() < end)
    {
        const auto* start = text.getAddress();
        const auto c = text.getAndAdvance();
        const auto length = (size_t) (text.getAddress() - start);
        const bool fromOtherBytes = (juce::uint8) *start >= 0x80 && (c == 0 || (c >= 0x20 && c < 0x80));

        // An overlong form also makes the framework's copies shorter than the bytes copied.
        if (fromOtherBytes || juce::CharPointer_UTF8::getBytesRequiredFor (c) < length)
            return false;
    }

    return true;
}

std::optional<std::string> of (const juce::File& file)
{
    std::string bytes (file.getFullPathName().toRawUTF8());

    if (! readsAsWritten (bytes))
        return std::nullopt;

    return bytes;
}

juce::String toString (const std::string& bytes)
{
    // Two pointers of the string's own encoding: copied byte for byte.
    return juce::String (juce::CharPointer_UTF8 (bytes.c_str()), juce::CharPointer_UTF8 (bytes.c_str() + bytes.size()));
}

std::optional<juce::File> toFile (const std::string& bytes)
{
    if (! readsAsWritten (bytes) || bytes.empty() || bytes.front() != '/')
        return std::nullopt;

    juce::File file (toString (bytes));

    if (file.getFullPathName().toRawUTF8() != bytes)
        return std::nullopt;

    return file;
}

juce::String shownName (const std::string& bytes)
{
    if (const auto text = decodeUtf8 (bytes.data(), bytes.size()); text.has_value() && text->getNumBytesAsUTF8() == bytes.size())
        return *text;

    juce::String latin1;

    for (const auto byte : bytes)
        latin1 += (juce::juce_wchar) (juce::uint8) byte;

    return latin1;
}

std::string folderOf (const std::string& path)
{
    const auto slash = path.find_last_of ('/');
    return slash == std::string::npos ? std::string (".") : path.substr (0, slash == 0 ? 1 : slash);
}

std::string nameOf (const std::string& path)
{
    return path.substr (path.find_last_of ('/') + 1);
}

std::string stemOf (const std::string& name)
{
    const auto dot = name.find_last_of ('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr (0, dot);
}

bool createFolders (const std::string& path)
{
    struct stat info;

    if (::stat (path.c_str(), &info) == 0)
        return S_ISDIR (info.st_mode);

    const auto parent = folderOf (path);

    if (parent != path && ! createFolders (parent))
        return false;

    return ::mkdir (path.c_str(), 0777) == 0 || errno == EEXIST;
}
} // namespace PathBytes
