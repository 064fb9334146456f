#include "Tamberlo_PluginMenuPresetHandler.h"

#include "editor/Ondrel_Gui_Common.h"

#include <cstdlib>
#include <memory>

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

    std::set<std::string> entered { resolvedPath (juce::File (folder)) };
    addFolderToMenu (*menu, juce::File (folder), entered);
}

void Tamberlo_PluginMenuPresetHandler::addFolderToMenu (juce::PopupMenu& menu, const juce::File& folder,
                                                        std::set<std::string>& entered)
{
    for (const auto& subFolder : folder.findChildFiles (juce::File::findDirectories, false, "*"))
    {
        // Links to folders are followed (a preset pack linked in), but a
        // folder reached before, through a link back up the tree or a second
        // link to the same pack, is not entered again: the walk ends.
        if (! entered.insert (resolvedPath (subFolder)).second)
            continue;

        juce::PopupMenu subMenu;

        for (const auto& preset : subFolder.findChildFiles (juce::File::findFiles, false, "*.kespreset"))
        {
            subMenu.addItem (presetPaths.size() + 1, preset.getFileNameWithoutExtension(), true, false);
            presetPaths.add (preset.getFullPathName());
        }

        addFolderToMenu (subMenu, subFolder, entered);
        menu.addSubMenu (subFolder.getFileName(), subMenu, true);
    }
}

std::string Tamberlo_PluginMenuPresetHandler::resolvedPath (const juce::File& folder)
{
    // Every link resolved; a path that cannot be resolved stands for itself.
    std::unique_ptr<char, decltype (&std::free)> resolved (realpath (folder.getFullPathName().toRawUTF8(), nullptr),
                                                           &std::free);
    return resolved != nullptr ? std::string (resolved.get()) : folder.getFullPathName().toStdString();
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
