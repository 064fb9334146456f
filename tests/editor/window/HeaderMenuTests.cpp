// The header's plug-in menu and preset buttons, clicked with the real
// pointer: Initialize All Param Values, a preset chosen from the preset
// menu, and the next preset by the right arrow.

#include "HostedEditor.h"
#include "HostedPlugin.h"
#include "MessageThread.h"
#include "ParameterProfile.h"
#include "PopupMenus.h"
#include "ScreenDriver.h"
#include "StateChunks.h"

namespace ondrel::windowtests
{

using namespace hosttests;

namespace
{
    const char* const parameterIDs[numParameters] = {
        "phaser_depth", "phaser_rate", "phaser_fb", "phaser_width", "filter_hp", "filter_lp", "lfo_wave",
        "lfo_smooth", "output_in", "output_out", "output_drywet", "env_todepth", "env_torate", "bypass",
    };

    // Header buttons at 718 x 222: "Menu", the preset name, the right arrow.
    const juce::Point<int> menuButton { 242 + 28, 7 + 9 }, presetButton { 302 + 89, 7 + 9 },
                           nextButton { 501 + 7, 7 + 9 };

    juce::String presetName (HostedEditor& host)
    {
        std::optional<juce::MemoryBlock> chunk;
        onMessageThread ([&] { chunk = host::getChunk (host.instance()); });
        // The plug-in's chunk: magic, length, the element's text, a zero byte.
        auto element = chunk && chunk->getSize() > 9
                           ? juce::parseXML (juce::String::fromUTF8 (static_cast<const char*> (chunk->getData()) + 8,
                                                                     (int) chunk->getSize() - 9))
                           : nullptr;
        return element != nullptr ? element->getStringAttribute ("presetName") : "(no state)";
    }

    ScreenBox openMenuFrom (HostedEditor& host, juce::Point<int> button, const juce::String& shotName)
    {
        const auto before = viewableTopLevels();
        click (host.toScreen (button));
        const auto menu = waitForNewWindow (before);
        screenshot (shotName);
        return menu;
    }

    struct Preset
    {
        const char* file;
        const char* name;
        float first, step;   // parameter i gets first + i * step; bypass stays off

        float value (int i) const { return i == bypass ? 0.0f : first + (float) i * step; }
    };

    void writePreset (const juce::File& folder, const Preset& preset)
    {
        juce::XmlElement element ("ONDREL2");
        element.setAttribute ("pluginVersion", "2.0.0");
        element.setAttribute ("presetName", preset.name);
        element.setAttribute ("lastPresetFolderPath", folder.getFullPathName());

        for (int i = 0; i < numParameters; ++i)
            element.setAttribute (parameterIDs[i], preset.value (i));

        folder.createDirectory();
        ASSERT_TRUE (element.writeTo (folder.getChildFile (juce::String (preset.file) + ".kespreset")));
    }

    ::testing::AssertionResult holdsPreset (HostedEditor& host, const Preset& preset)
    {
        for (int i = 0; i < numParameters; ++i)
            if (std::abs (host.value (i) - preset.value (i)) > 1.0e-6f)
                return ::testing::AssertionFailure() << profile[(size_t) i].name << " is " << host.value (i)
                                                     << ", not " << preset.value (i) << " of " << preset.name;
        return ::testing::AssertionSuccess();
    }
}

TEST (WindowPluginMenu, InitializeAllParamValuesResetsTheThirteenParametersAndLeavesBypass)
{
    writeSettings (718, 222);
    HostedEditor host;
    ASSERT_TRUE (host.isLoaded());

    for (int i = 0; i < numParameters; ++i)
        host.setValue (i, profile[(size_t) i].defaultValue < 0.5f ? 0.9f : 0.1f);

    const auto menu = openMenuFrom (host, menuButton, "plugin-menu");
    ASSERT_NE (menu.id, 0u) << "the Menu button opened no menu";
    EXPECT_GE (menu.width, 157);

    // Save, Save as..., separator, Initialize...: rows of 19 px, a separator half that.
    ASSERT_TRUE (chooseRow (menu, rowCentre ({ 19, 19, 9, 19 }, 3), "plugin-menu-initialize"));
    EXPECT_TRUE (waitUntilClosed (menu));

    EXPECT_TRUE (waitUntil ([&] { return host.value (phaserDepth) == profile[phaserDepth].defaultValue; }));
    for (int i = 0; i < bypass; ++i)
        EXPECT_NEAR (host.value (i), profile[(size_t) i].defaultValue, 1.0e-6) << profile[(size_t) i].name;

    EXPECT_EQ (host.value (bypass), 0.9f) << "Initialize must not touch bypass";
    EXPECT_EQ (presetName (host), "init*");
}

TEST (WindowPresets, ThePresetMenuLoadsAPresetAndTheRightArrowTheNextOne)
{
    const auto folder = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile ("presets");
    folder.deleteRecursively();
    const Preset presets[] = { { "Alpha", "Alpha from the file", 0.05f, 0.05f },
                               { "Beta", "Beta from the file", 0.9f, -0.05f } };
    for (const auto& p : presets)
        writePreset (folder.getChildFile ("Factory"), p);

    writeSettings (718, 222, folder.getFullPathName());
    HostedEditor host;
    ASSERT_TRUE (host.isLoaded());

    const auto menu = openMenuFrom (host, presetButton, "preset-menu");
    ASSERT_NE (menu.id, 0u) << "the preset button opened no menu";
    EXPECT_GE (menu.width, 143);

    // One row, the sub-menu "Factory", 22 px high; hovering opens it beside.
    const auto before = viewableTopLevels();
    moveTo ({ menu.x + menu.width / 2, menu.y + rowCentre ({ 22 }, 0) });
    const auto presetList = waitForNewWindow (before);
    ASSERT_NE (presetList.id, 0u) << "the folder's sub-menu did not open";
    ASSERT_TRUE (chooseRow (presetList, rowCentre ({ 22, 22 }, 0), "preset-menu-factory"));
    EXPECT_TRUE (waitUntilClosed (menu));

    // The file system decides which of the two comes first.
    juce::String name;
    ASSERT_TRUE (waitUntil ([&] { name = presetName (host); return name.endsWith ("from the file"); })) << name;
    const int first = name == presets[0].name ? 0 : 1;
    EXPECT_TRUE (holdsPreset (host, presets[first]));
    const auto loaded = settledScreenshot ("preset-loaded");

    click (host.toScreen (nextButton));
    EXPECT_TRUE (waitUntil ([&] { return presetName (host) == presets[1 - first].name; })) << presetName (host);
    EXPECT_TRUE (holdsPreset (host, presets[1 - first]));
    const auto next = settledScreenshot ("preset-next");

    const auto nameLabel = juce::Rectangle<int> (302, 7, 179, 19) + host.editorScreenBounds().getPosition();
    EXPECT_GT (pixelsDifferingBetween (loaded, next, nameLabel), 20) << "the shown preset name did not change";
}

} // namespace ondrel::windowtests
