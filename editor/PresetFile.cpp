#include "PresetFile.h"

namespace PresetFile
{
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
