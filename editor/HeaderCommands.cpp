#include "HeaderCommands.h"

#include "OndrelAudioProcessorEditor.h"

namespace HeaderCommands
{
juce::PopupMenu::Options menuOptions (const juce::Component& editor, juce::Component& target, float widthFactor,
                                      float heightFactor)
{
    using OndrelLayout::part;
    return juce::PopupMenu::Options()
        .withMinimumWidth (part (widthFactor, editor.getWidth()))
        .withMaximumNumColumns (16)
        .withStandardItemHeight (part (heightFactor, editor.getHeight()))
        .withTargetComponent (&target);
}

juce::String aboutText()
{
    return juce::StringArray { "Ondrel by Kesmark, version 2.0.0", " ",
                               "VST is a trademark of Steinberg Media Technologies GmbH",
                               "Audio Units is a trademark of Apple Inc" }
        .joinIntoString ("\n");
}

namespace
{
void showPluginMenu (OndrelAudioProcessorEditor& editor, juce::Button& button)
{
    juce::PopupMenu menu;
    menu.setLookAndFeel (&editor.menuLookAndFeel);

    // 0 is a separator.
    const std::pair<int, const char*> items[] = {
        { save, "Save" },
        { saveAs, "Save as..." },
        { 0, nullptr },
        { initialize, "Initialize All Param Values" },
        { 0, nullptr },
        { setPresetFolder, "Set Preset Folder Location" },
        { openPresetFolder, "Open Preset Folder" },
        { 0, nullptr },
        { resetWindowSize, "Reset Window Size" },
        { 0, nullptr },
        { visitKesmark, "Visit Kesmark" },
        { bugReport, "Bug Report" },
        { 0, nullptr },
        { about, "About" },
    };

    for (auto [id, text] : items)
    {
        if (id == 0)
            menu.addSeparator();
        else
            menu.addItem (id, text, true, false);
    }

    // Modal: returns once an item is chosen (its id) or the menu dismissed
    // (0). The host may close the window while the menu, or a dialog of the
    // chosen command, runs its own loop.
    juce::Component::SafePointer<juce::Component> alive (&editor);
    juce::Component::SafePointer<juce::Button> clicked (&button);
    const int result = menu.showMenu (menuOptions (editor, button, 0.22f, 0.09f));

    if (result > 0 && alive != nullptr)
        editor.menuItemSelected (result);

    if (clicked != nullptr)
        clicked->setState (juce::Button::buttonNormal);
}

void initializeAll (OndrelAudioProcessor& p)
{
    // Every parameter but bypass: a bypassed plug-in stays bypassed.
    for (int i = 0; i < 13 && i < p.paramIDs.size(); ++i)
        if (auto* parameter = p.findParameter (p.paramIDs[i]))
            parameter->setValue (parameter->getDefaultValue());

    p.setPresetName ("init*");
}

void setPresetFolderLocation (OndrelAudioProcessor& p)
{
    const juce::File current (p.presetLocation.toString());
    juce::FileChooser chooser ("Select Preset Folder of Ondrel", current.getParentDirectory(), "", true, false);
    // The host may close the plug-in while the dialog runs.
    const juce::WeakReference<OndrelAudioProcessor> plugin (&p);

    if (chooser.showDialog (juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectDirectories,
                            nullptr)
        && plugin != nullptr)
    {
        p.presetLocation = chooser.getResult().getFullPathName();
        p.updateSettingFile();
    }
}

void openPresetFolderInFileBrowser (OndrelAudioProcessor& p)
{
    const auto path = p.presetLocation.toString();

    // The framework hands the path to /bin/sh inside double quotes, where $
    // and ` still expand and " or \ end or escape the quoting: a folder whose
    // path holds one of them is not opened.
    if (path.isEmpty() || path.containsAnyOf ("$`\"\\") || ! juce::File (path).exists())
        return;

    juce::Process::openDocument (path, "");
}
} // namespace
} // namespace HeaderCommands

void OndrelAudioProcessorEditor::buttonClicked (juce::Button* button)
{
    using namespace HeaderCommands;
    const auto id = button->getComponentID();
    auto& undo = *processorRef.undoManager;

    if (id == "undo" && undo.canUndo())
        undo.undo();

    if (id == "redo" && undo.canRedo())
        undo.redo();

    if (id == "randomize")
    {
        processorRef.paramRndReset (0);
        processorRef.setPresetName (juce::String (random_string (8)) + "*");
    }

    if (id == "reset")
    {
        processorRef.paramRndReset (1);
        processorRef.setPresetName ("init*");
    }

    if (id == "plugin_menu")
        showPluginMenu (*this, *button);

    if (id == "button_preset")
        showPresetMenu (*this, *button);

    if (id == "button_preset_left" || id == "button_preset_right")
        stepPreset (*this, id == "button_preset_right");
}

void OndrelAudioProcessorEditor::menuItemSelected (int itemId)
{
    using namespace HeaderCommands;

    switch (itemId)
    {
        case Command::save: savePreset (*this); break;
        case Command::saveAs: saveAs(); break;
        case Command::initialize: initializeAll (processorRef); break;
        case Command::setPresetFolder: setPresetFolderLocation (processorRef); break;
        case Command::openPresetFolder: openPresetFolderInFileBrowser (processorRef); break;
        case Command::visitKesmark: homePageLink.triggerClick(); break;
        case Command::bugReport: contactLink.triggerClick(); break;
        case Command::resetWindowSize:
            setBounds (getX(), getY(), processorRef.defaultWindowWidth, processorRef.defaultWindowHeight);
            break;
        case Command::about:
            juce::AlertWindow::showMessageBoxAsync (juce::AlertWindow::NoIcon, "", aboutText(), "OK", this, nullptr);
            break;
        default:
            if (itemId < Command::firstCommand || itemId > Command::lastCommand)
                loadPreset (*this, itemId);
            break;
    }
}
