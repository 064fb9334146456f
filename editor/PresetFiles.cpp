#include "HeaderCommands.h"
#include "OndrelAudioProcessorEditor.h"
#include "processor/PathBytes.h"
#include "processor/SettingsFiles.h"
#include "processor/Utf8Text.h"

namespace
{
constexpr const char* kExtension = ".kespreset";

// The element as saved under the file's name and folder; the processor takes
// that name and folder only once the file is written. The file is replaced in
// one step through a hidden temporary file without the preset extension, so a
// failed or interrupted save leaves no empty or partial preset in the menu.
// The path's own bytes name the file, its folder and the preset (an old
// Latin-1 name is saved over, under that very name); a path the framework
// would read as another one is not written at all.
bool writePreset (OndrelAudioProcessor& p, const juce::File& file)
{
    const auto path = PathBytes::of (file);

    if (! path.has_value())
        return false;

    const auto folderBytes = PathBytes::folderOf (*path);
    const auto name = PathBytes::shownName (PathBytes::stemOf (PathBytes::nameOf (*path)));
    // A folder that is not UTF-8 cannot stand in the XML as it is: Save as...
    // then starts in the preset folder instead.
    const auto folder = decodeUtf8 (folderBytes.data(), folderBytes.size()).value_or (juce::String());
    auto element = p.getXmlStateForSaveingPreset();
    element.setAttribute ("presetName", name);
    element.setAttribute ("lastPresetFolderPath", folder);
    PathBytes::createFolders (folderBytes);

    if (! SettingsFiles::write (element, file))
        return false;

    p.lastPresetFolderPath = folder;
    p.setPresetName (name);
    return true;
}
} // namespace

namespace HeaderCommands
{
void showPresetMenu (OndrelAudioProcessorEditor& editor, juce::Button& button)
{
    const auto folder = editor.processorRef.presetLocation.toString();

    // The host may close the window while the menu runs its own loop.
    juce::Component::SafePointer<juce::Component> alive (&editor);
    juce::Component::SafePointer<juce::Button> clicked (&button);

    if (folder.isNotEmpty())
    {
        editor.presetMenuResult = 0;
        auto menu = editor.getMyPresetPopupMenu (folder);
        // A menu without items is not shown and gives 0.
        const int result = menu.showMenu (menuOptions (editor, button, 0.2f, 0.1f));

        if (alive == nullptr)
            return;

        editor.presetMenuResult = result;

        if (result > 0)
            editor.menuItemSelected (result);
    }

    if (clicked != nullptr)
        clicked->setToggleState (false, juce::dontSendNotification);
}

void stepPreset (OndrelAudioProcessorEditor& editor, bool forward)
{
    auto& p = editor.processorRef;
    const int id = editor.presetSelectArrow (forward, p.currentPresetPath, p.presetLocation.toString());

    if (id > 0 && id <= editor.presetPaths.size())
        editor.menuItemSelected (id);
}

void loadPreset (OndrelAudioProcessorEditor& editor, int itemId)
{
    auto& p = editor.processorRef;

    if (itemId >= 1 && itemId <= editor.presetPaths.size())
    {
        const auto path = editor.presetPaths[itemId - 1];

        if (juce::File (path).existsAsFile())
        {
            // A file that cannot be read or parsed changes no state but
            // still becomes the current preset file.
            if (auto element = readUntrustedXmlFile (juce::File (path)))
                p.loadStateFromXML (element.get());

            p.currentPresetPath = path;
            return;
        }
    }

    p.currentPresetPath = juce::String();
}

void savePreset (OndrelAudioProcessorEditor& editor)
{
    auto& p = editor.processorRef;

    // Checked before a File folds a "../" that the framework reads in the name.
    if (p.currentPresetPath.isEmpty())
        editor.saveAs();
    else if (PathBytes::readsAsWritten (p.currentPresetPath.toRawUTF8()))
        writePreset (p, juce::File (p.currentPresetPath));
}
} // namespace HeaderCommands

void OndrelAudioProcessorEditor::saveAs()
{
    auto start = processorRef.lastPresetFolderPath.get();

    if (start.isEmpty())
        start = processorRef.presetLocation.toString();

    juce::FileChooser chooser ("save preset as...", juce::File (start), "*.kespreset", true, false);
    using Browser = juce::FileBrowserComponent;

    // The processor outlives a window the host closes while the dialog runs,
    // but not the plug-in closed meanwhile: then nothing is written.
    auto& p = processorRef;
    const juce::WeakReference<OndrelAudioProcessor> plugin (&p);

    if (! chooser.showDialog (Browser::saveMode | Browser::canSelectFiles | Browser::warnAboutOverwriting, nullptr)
        || plugin == nullptr)
        return;

    auto file = chooser.getResult();

    if (! file.getFileExtension().equalsIgnoreCase (kExtension))
        file = juce::File (file.getFullPathName() + kExtension);

    // The dialog asked about the name as typed, not with the extension added.
    // Not tied to the window, which the host may close while the question runs.
    if (file != chooser.getResult() && file.existsAsFile()
        && ! juce::AlertWindow::showOkCancelBox (juce::MessageBoxIconType::WarningIcon, "File already exists",
                                                 "There's already a file called: " + file.getFullPathName()
                                                     + "\n\nAre you sure you want to overwrite it?",
                                                 "Overwrite", "Cancel", nullptr, nullptr))
        return;

    if (plugin == nullptr)
        return;

    if (writePreset (p, file))
        p.currentPresetPath = file.getFullPathName();
}
