#include "PresetFile.h"

#include "processor/SettingsFiles.h"

namespace PresetFile
{
// The temporary file is hidden and has no preset extension, so a save cut
// short by a crash never shows up in the preset menu.
bool write (const juce::XmlElement& element, const juce::File& file)
{
    return SettingsFiles::write (element, file);
}
} // namespace PresetFile
