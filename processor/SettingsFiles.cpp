#include "SettingsFiles.h"
#include "FileReplacement.h"
#include "PathBytes.h"
#include "Utf8Text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace SettingsFiles
{
juce::File folder()
{
    return juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory)
        .getChildFile ("Application Support")
        .getChildFile ("Kesmark");
}

bool createFolder()
{
    // On the path's bytes: the framework finds the parents of a folder whose
    // name is not UTF-8 at the wrong places.
    const auto path = PathBytes::of (folder());
    return path.has_value() && PathBytes::createFolders (*path);
}

juce::File settingsFile() { return folder().getChildFile ("Ondrel.settings"); }
juce::File midiTableFile() { return folder().getChildFile ("Ondrel.miditable"); }

juce::String defaultPresetFolder()
{
    return juce::File::getSpecialLocation (juce::File::commonApplicationDataDirectory)
        .getChildFile ("Audio/Presets/Kesmark/Ondrel")
        .getFullPathName();
}

bool write (const juce::XmlElement& element, const juce::File& file)
{
    juce::XmlElement::TextFormat format;
    format.customEncoding = "UTF-8";
    juce::MemoryOutputStream text;
    element.writeTo (text, format);
    return FileReplacement::replaceContent (file, text.getMemoryBlock());
}

namespace
{
// True when nothing of the file's would be lost by writing over it. A
// folder, a FIFO or a file far beyond any settings file is not copied, and so
// not written over either.
bool keepUnreadable (const juce::File& file)
{
    const auto target = FileReplacement::finalTarget (file);

    if (! target.has_value())
        return false;

    if (! target->exists())
        return true;

    const auto bytes = readSmallRegularFile (*target);
    const auto copy = PathBytes::toFile (target->getFullPathName().toRawUTF8() + std::string (".unreadable"));
    return bytes.has_value() && copy.has_value() && FileReplacement::replaceContent (*copy, *bytes);
}
} // namespace

bool writeKeepingUnreadable (const juce::XmlElement& element, const juce::File& file)
{
    return (readUntrustedXmlFile (file) != nullptr || keepUnreadable (file)) && write (element, file);
}

int toInt (const juce::String& text)
{
    const long value = std::strtol (text.toRawUTF8(), nullptr, 10);
    return (int) juce::jlimit ((long) INT_MIN, (long) INT_MAX, value);
}
} // namespace SettingsFiles
