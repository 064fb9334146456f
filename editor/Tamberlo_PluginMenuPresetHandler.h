#pragma once

#include "lookandfeel/Ondrel_CLAF_ComboBox.h"

#include <cstddef>
#include <set>
#include <string>
#include <sys/types.h>
#include <utility>

// The editor's preset browsing: the preset menu built from the sub-folders of
// the preset folder, previous/next steps through it, random preset names,
// the hidden web links of the plug-in menu and the look of the editor's menus.
class Tamberlo_PluginMenuPresetHandler
{
public:
    Tamberlo_PluginMenuPresetHandler();
    virtual ~Tamberlo_PluginMenuPresetHandler();

    // Rebuilds presetPaths and returns the menu of the presets below `folder`.
    juce::PopupMenu getMyPresetPopupMenu (juce::String folder);

    // Adds every sub-folder of `folder`, with its presets and its own
    // sub-folders, as a sub-menu of `menu`. Item ids continue presetPaths.
    // Links to folders are followed; no folder is entered twice.
    void addFilesToMenu (juce::PopupMenu* menu, juce::String folder);

    // The 1-based item id of the previous or next preset, or 0.
    int presetSelectArrow (bool forward, juce::String currentPath, juce::String folder);

    // `length` characters drawn from digits and letters with the C library's rand().
    static std::string random_string (std::size_t length);

    juce::Array<juce::String> presetPaths;
    int currentPresetIndex = -1;
    int presetMenuResult = 0;
    juce::HyperlinkButton homePageLink;
    juce::HyperlinkButton manualLink;
    juce::HyperlinkButton contactLink;
    Ondrel_CLAF_ComboBox menuLookAndFeel;

    // A folder as the system knows it, whatever path reached it.
    using FolderId = std::pair<dev_t, ino_t>;

private:
    // The walk behind addFilesToMenu, on the folder's bytes: its presets
    // (when `withPresets`), then one sub-menu per sub-folder not in
    // `entered`. Each entry is looked at once, so the cost follows the
    // number of entries, not the depth of the tree.
    void addFolderToMenu (juce::PopupMenu& menu, const std::string& folder, std::set<FolderId>& entered, bool withPresets);

    JUCE_DECLARE_NON_COPYABLE (Tamberlo_PluginMenuPresetHandler)
};
