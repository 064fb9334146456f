#include "Tamberlo_PluginMenuPresetHandler.h"

#include "editor/Ondrel_Gui_Common.h"

#include "processor/PathBytes.h"

#include <cstdlib>
#include <dirent.h>
#include <fnmatch.h>
#include <memory>
#include <sys/stat.h>
#include <vector>

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

namespace
{
constexpr const char* kPresetPattern = "*.kespreset";

struct Entry
{
    std::string name;
    bool isFolder;
    Tamberlo_PluginMenuPresetHandler::FolderId id;
};

// The entries of a folder in the system's order, each looked at once with
// links followed, by name within the open folder. Names of dots only are left
// out, as the framework's listing leaves them out.
std::vector<Entry> entriesOf (const std::string& folder)
{
    std::vector<Entry> entries;
    struct Closer
    {
        void operator() (DIR* open) const { ::closedir (open); }
    };
    const std::unique_ptr<DIR, Closer> dir (::opendir (folder.c_str()));

    if (dir == nullptr)
        return entries;

    while (const auto* entry = ::readdir (dir.get()))
    {
        const std::string name (entry->d_name);

        // A name the framework would read as another (an overlong "../") could
        // only be loaded or saved elsewhere: it is not listed.
        if (name.find_first_not_of ('.') == std::string::npos || ! PathBytes::readsAsWritten (name))
            continue;

        struct stat info;
        const bool found = ::fstatat (::dirfd (dir.get()), entry->d_name, &info, 0) == 0;
        entries.push_back ({ name, found && S_ISDIR (info.st_mode), { found ? info.st_dev : 0, found ? info.st_ino : 0 } });
    }

    return entries;
}
} // namespace

void Tamberlo_PluginMenuPresetHandler::addFilesToMenu (juce::PopupMenu* menu, juce::String folder)
{
    if (folder.isEmpty())
        return;

    // The path's bytes as given, without a trailing slash.
    const std::string root (juce::File (folder).getFullPathName().toRawUTF8());
    std::set<FolderId> entered;
    struct stat info;

    if (::stat (root.c_str(), &info) == 0)
        entered.insert ({ info.st_dev, info.st_ino });

    addFolderToMenu (*menu, root, entered, false);
}

void Tamberlo_PluginMenuPresetHandler::addFolderToMenu (juce::PopupMenu& menu, const std::string& folder,
                                                        std::set<FolderId>& entered, bool withPresets)
{
    const auto entries = entriesOf (folder);
    const auto inside = [&] (const std::string& name) { return (folder == "/" ? folder : folder + "/") + name; };

    if (withPresets)
    {
        for (const auto& entry : entries)
        {
            if (entry.isFolder || ::fnmatch (kPresetPattern, entry.name.c_str(), FNM_CASEFOLD) != 0)
                continue;

            menu.addItem (presetPaths.size() + 1, PathBytes::shownName (PathBytes::stemOf (entry.name)), true, false);
            presetPaths.add (PathBytes::toString (inside (entry.name)));
        }
    }

    for (const auto& entry : entries)
    {
        // Links to folders are followed (a preset pack linked in), but a
        // folder reached before, through a link back up the tree or a second
        // link to the same pack, is not entered again: the walk ends.
        if (! entry.isFolder || ! entered.insert (entry.id).second)
            continue;

        juce::PopupMenu subMenu;
        addFolderToMenu (subMenu, inside (entry.name), entered, true);
        menu.addSubMenu (PathBytes::shownName (entry.name), std::move (subMenu), true);
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
