#include "Tamberlo_PluginMenuPresetHandler.h"

#include "editor/Ondrel_Gui_Common.h"

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
