#include "PresetFile.h"

namespace PresetFile
{
bool write (const juce::XmlElement& element, const juce::File& file)
{
    // Beside the target, so that the final rename stays on one file system;
    // hidden and without the preset extension, so that a save cut short by a
    // crash never shows up in the preset menu; short and of fixed length, so
    // that any name the target may have leaves room for it.
    const auto temporary = file.getParentDirectory().getNonexistentChildFile (
        ".preset-" + juce::String::toHexString (juce::Random::getSystemRandom().nextInt()), ".part", false);
    const juce::TemporaryFile temp (file, temporary);

    {
        juce::FileOutputStream out (temp.getFile());

        if (! out.openedOk())
            return false;

        juce::XmlElement::TextFormat format;
        format.customEncoding = "UTF-8";
        element.writeTo (out, format);
        out.flush(); // fsync before the rename

        // A short write (a full disk) sets no error status: compare sizes.
        if (out.getStatus().failed() || temp.getFile().getSize() != out.getPosition())
            return false;
    }

    return temp.overwriteTargetFileWithTemporary();
}
} // namespace PresetFile
