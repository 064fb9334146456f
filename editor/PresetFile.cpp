#include "PresetFile.h"

#include "processor/Utf8Text.h"

#include <sys/stat.h>

namespace PresetFile
{
namespace
{
constexpr int kMaxTags = 256;

// A FIFO or device named like a preset would block or never end.
bool isRegularFile (const juce::File& file)
{
    struct stat info;
    return stat (file.getFullPathName().toRawUTF8(), &info) == 0 && S_ISREG (info.st_mode);
}

int countTags (const juce::String& text)
{
    int tags = 0;

    for (auto c : text)
        tags += c == '<' ? 1 : 0;

    return tags;
}
} // namespace

std::unique_ptr<juce::XmlElement> read (const juce::File& file)
{
    if (! isRegularFile (file) || file.getSize() > kMaxBytes)
        return nullptr;

    juce::MemoryBlock bytes;
    juce::FileInputStream in (file);

    if (! in.openedOk() || in.readIntoMemoryBlock (bytes, kMaxBytes + 1) > (size_t) kMaxBytes)
        return nullptr;

    const auto text = decodeUtf8 (bytes.getData(), bytes.getSize());

    // Each nested element is one more level of the parser's recursion: a
    // preset has no children, so a few hundred tags are plenty.
    if (! text.has_value() || countTags (*text) > kMaxTags)
        return nullptr;

    // The parser takes an element whose text ends inside its start tag (a
    // truncated file) as complete. Appended after the text, these three
    // characters are never reached once the start tag has closed, and make
    // every unfinished one a parse error: an attribute value open in either
    // quote, a missing value after "=", or a name without "=".
    return juce::XmlDocument::parse (*text + "\"'<");
}

bool write (const juce::XmlElement& element, const juce::File& file)
{
    // Beside the target, so that the final rename stays on one file system;
    // hidden and without the preset extension, so that a save cut short by a
    // crash never shows up in the preset menu.
    const auto temporary = file.getParentDirectory().getNonexistentChildFile (
        "." + file.getFileName() + "-" + juce::String::toHexString (juce::Random::getSystemRandom().nextInt()),
        ".part", false);
    const juce::TemporaryFile temp (file, temporary);

    {
        juce::FileOutputStream out (temp.getFile());

        if (! out.openedOk())
            return false;

        juce::XmlElement::TextFormat format;
        format.customEncoding = "UTF-8";
        element.writeTo (out, format);
        out.flush(); // fsync before the rename

        if (out.getStatus().failed())
            return false;
    }

    return temp.overwriteTargetFileWithTemporary();
}
} // namespace PresetFile
