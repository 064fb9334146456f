#include "PresetFile.h"

#include "processor/FileReplacement.h"

namespace PresetFile
{
bool write (const juce::XmlElement& element, const juce::File& file)
{
    juce::MemoryOutputStream text;
    juce::XmlElement::TextFormat format;
    format.customEncoding = "UTF-8";
    element.writeTo (text, format);

    // The temporary file is hidden and has no preset extension, so a save cut
    // short by a crash never shows up in the preset menu.
    return FileReplacement::replaceContent (file, text.getMemoryBlock());
}
} // namespace PresetFile
