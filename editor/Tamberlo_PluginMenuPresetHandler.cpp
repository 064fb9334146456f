#include "Tamberlo_PluginMenuPresetHandler.h"

#include "editor/Ondrel_Gui_Common.h"

#include <cstdlib>

Tamberlo_PluginMenuPresetHandler::Tamberlo_PluginMenuPresetHandler()
{
    presetPaths.clear();
    homePageLink.setURL (juce::URL ("https://kesmark.example/"));
    manualLink.setURL (juce::URL ("https://kesmark.example/ondrel/manual"));
    contactLink.setURL (juce::URL ("https://kesmark.example/contact"));
    setMenuColours (menuLookAndFeel, 0xff363636);
}

Tamberlo_PluginMenuPresetHandler::~Tamberlo_PluginMenuPresetHandler()
{
    presetPaths.clear();
}

juce::PopupMenu Tamberlo_PluginMenuPresetHandler::getMyPresetPopupMenu (juce::String folder)
{
    presetPaths.clearQuick();
    juce::PopupMenu menu;
    menu.setLookAndFeel (&menuLookAndFeel);
    addFilesToMenu (&menu, folder);
    return menu;
}

void Tamberlo_PluginMenuPresetHandler::addFilesToMenu (juce::PopupMenu* menu, juce::String folder)
{
    if (folder.isEmpty())
        return;

    folder = juce::File::addTrailingSeparator (juce::File (folder).getFullPathName());

    for (const auto& subFolder : juce::File (folder).findChildFiles (juce::File::findDirectories, false, "*"))
    {
        // A link to a folder may lead back up the tree; links are not followed.
        if (subFolder.isSymbolicLink())
            continue;

        juce::PopupMenu subMenu;

        for (const auto& preset : subFolder.findChildFiles (juce::File::findFiles, false, "*.kespreset"))
        {
            subMenu.addItem (presetPaths.size() + 1, preset.getFileNameWithoutExtension(), true, false);
            presetPaths.add (preset.getFullPathName());
        }

        addFilesToMenu (&subMenu, subFolder.getFullPathName());
        menu->addSubMenu (subFolder.getFileName(), subMenu, true);
    }
}

int Tamberlo_PluginMenuPresetHandler::presetSelectArrow (bool forward, juce::String currentPath, juce::String folder)
{
    if (currentPath.isEmpty())
        return 0;

    getMyPresetPopupMenu (folder);
    const int n = presetPaths.size();

    if (n == 0)
        return 0;

    // A current preset outside the list steps from the last arrow position.
    if (const int found = presetPaths.indexOf (currentPath); found >= 0)
        currentPresetIndex = found;

    if (forward)
        currentPresetIndex = currentPresetIndex < n - 1 ? currentPresetIndex + 1 : 0;
    else if (--currentPresetIndex < 0)
        currentPresetIndex = n - 1;

    return currentPresetIndex + 1;
}

std::string Tamberlo_PluginMenuPresetHandler::random_string (std::size_t length)
{
    static constexpr char charset[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    std::string text (length, '0');

    // Never seeded: names follow the C library's default sequence.
    for (auto& c : text)
        c = charset[std::rand() % (int) (sizeof (charset) - 1)];

    return text;
}
