#include "SettingsFiles.h"
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

juce::File settingsFile() { return folder().getChildFile ("Ondrel.settings"); }
juce::File midiTableFile() { return folder().getChildFile ("Ondrel.miditable"); }

juce::String defaultPresetFolder()
{
    return juce::File::getSpecialLocation (juce::File::commonApplicationDataDirectory)
        .getChildFile ("Audio/Presets/Kesmark/Ondrel")
        .getFullPathName();
}

void write (const juce::XmlElement& element, const juce::File& file)
{
    juce::XmlElement::TextFormat format;
    format.customEncoding = "UTF-8";
    element.writeTo (file, format);
}

int toInt (const juce::String& text)
{
    const long value = std::strtol (text.toRawUTF8(), nullptr, 10);
    return (int) juce::jlimit ((long) INT_MIN, (long) INT_MAX, value);
}
} // namespace SettingsFiles
