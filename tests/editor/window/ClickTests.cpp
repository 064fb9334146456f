// Clicks with the real pointer: the header's plug-in menu (Initialize All
// Param Values), its preset menu and right arrow, the bypass toggle, the
// waveform combo box, and a knob's MIDI-learn menu on a right click, with the
// learn completed by a controller the host sends through processBlock.

#include "HostedEditor.h"
#include "ParameterProfile.h"
#include "PopupMenus.h"

namespace ondrel::windowtests
{

using namespace hosttests;

namespace
{
    // At 718 x 222. Header buttons: "Menu", the preset name, the right arrow.
    const juce::Point<int> menuButton { 242 + 28, 7 + 9 }, presetButton { 302 + 89, 7 + 9 }, nextButton { 501 + 7, 7 + 9 };
    // The bypass button (607, 205, 50, 13); the combo box, LFO panel (3, 35) +
    // (13, 49, 65, 21); "FB", PHASER panel (103, 35) + (147, 51, 66, 66).
    const juce::Point<int> bypassButton { 607 + 25, 205 + 6 }, waveformBox { 3 + 13 + 32, 35 + 49 + 10 };
    const juce::Rectangle<int> fbKnob { 103 + 147, 35 + 51, 66, 66 };
    // Midi Learn, Midi UnLearn, separator, Assigned CC: rows of 17 px.
    const std::vector<int> learnRows { 17, 17, 8, 17 };

    // A preset in which parameter i holds first + i * step, bypass off.
    struct Preset { const char* name; float first, step; };
    float valueIn (const Preset& p, int i) { return i == bypass ? 0.0f : p.first + (float) i * p.step; }

    void writePreset (const juce::File& folder, const Preset& preset)
    {
        const auto ids = juce::StringArray::fromTokens ("phaser_depth phaser_rate phaser_fb phaser_width filter_hp filter_lp "
            "lfo_wave lfo_smooth output_in output_out output_drywet env_todepth env_torate bypass", false);
        juce::XmlElement element ("ONDREL2");
        element.setAttribute ("pluginVersion", "2.0.0");
        element.setAttribute ("presetName", preset.name);
        element.setAttribute ("lastPresetFolderPath", folder.getFullPathName());
        for (int i = 0; i < numParameters; ++i)
            element.setAttribute (ids[i], valueIn (preset, i));
        folder.createDirectory();
        ASSERT_TRUE (element.writeTo (folder.getChildFile (juce::String (preset.name).substring (0, 4) + ".kespreset")));
    }

    // Every parameter i at expected (i).
    void expectParameters (HostedEditor& host, const std::function<float (int)>& expected)
    {
        for (int i = 0; i < numParameters; ++i)
            EXPECT_NEAR (host.value (i), expected (i), 1.0e-6) << profile[(size_t) i].name;
    }
}

TEST (WindowPluginMenu, InitializeAllParamValuesResetsTheThirteenParametersAndLeavesBypass)
{
    HostedEditor host;
    for (int i = 0; i < numParameters; ++i)
        host.setValue (i, profile[(size_t) i].defaultValue < 0.5f ? 0.9f : 0.1f);

    const auto menu = clickForMenu (host.toScreen (menuButton));
    ASSERT_NE (menu.id, 0u) << "the Menu button opened no menu";
    EXPECT_GE (menu.width, 157);
    // Save, Save as..., separator, Initialize...: rows of 19 px, a separator half that.
    ASSERT_TRUE (chooseRow (menu, rowCentre ({ 19, 19, 9, 19 }, 3), "plugin-menu-initialize"));
    EXPECT_TRUE (waitUntilClosed (menu));
    // Closed, the menu's choice has been carried out.
    expectParameters (host, [] (int i) { return i == bypass ? 0.9f : profile[(size_t) i].defaultValue; });
    EXPECT_EQ (host.stateAttribute ("presetName"), "init*");
}

TEST (WindowPresets, ThePresetMenuLoadsAPresetAndTheRightArrowTheNextOne)
{
    const juce::File folder ("~/presets");
    const Preset presets[] = { { "Alpha from the file", 0.05f, 0.05f }, { "Beta from the file", 0.9f, -0.05f } };
    for (const auto& p : presets)
        writePreset (folder.getChildFile ("Factory"), p);

    HostedEditor host (718, 222, folder.getFullPathName());
    const auto menu = clickForMenu (host.toScreen (presetButton));
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
    ASSERT_TRUE (waitUntil ([&] { return (name = host.stateAttribute ("presetName")).endsWith ("from the file"); })) << name;
    const auto& first = presets[name == presets[0].name ? 0 : 1];
    const auto& second = presets[name == presets[0].name ? 1 : 0];
    expectParameters (host, [&] (int i) { return valueIn (first, i); });
    const auto loaded = settledScreenshot ("preset-loaded");

    click (host.toScreen (nextButton));
    EXPECT_TRUE (waitUntil ([&] { return host.stateAttribute ("presetName") == second.name; }));
    expectParameters (host, [&] (int i) { return valueIn (second, i); });
    const auto nameLabel = juce::Rectangle<int> (302, 7, 179, 19) + host.toScreen ({});
    EXPECT_GT (pixelsDifferingBetween (loaded, settledScreenshot ("preset-next"), nameLabel), 20)
        << "the shown preset name did not change";
}

TEST (WindowBypass, EveryClickTogglesBypassExactlyOnce)
{
    HostedEditor host;

    for (const int holdMs : { 10, 300, 10, 300 })
    {
        SCOPED_TRACE ("held " + std::to_string (holdMs) + " ms");
        const float before = host.value (bypass);
        click (host.toScreen (bypassButton), Button::left, holdMs);
        EXPECT_TRUE (waitUntil ([&] { return host.value (bypass) != before; }));
        pause (300);
        EXPECT_EQ (host.value (bypass), 1.0f - before);
    }
}

TEST (WindowWaveformBox, ChoosingRndFromItsMenuSelectsTheLastWaveform)
{
    HostedEditor host;
    const auto menu = clickForMenu (host.toScreen (waveformBox));
    ASSERT_NE (menu.id, 0u) << "the combo box opened no menu";

    // Sine, Tri, Up, Down, Rect, Rnd in rows of equal height.
    ASSERT_TRUE (chooseRow (menu, rowCentre (std::vector<int> (6, (menu.height - 4) / 6), 5), "waveform-menu"));
    EXPECT_TRUE (waitUntil ([&] { return host.value (lfoWave) == 1.0f; })) << host.value (lfoWave);
}

TEST (WindowLearnMenu, HeldAndQuickRightClicksOpenItLearnBindsCC21AndUnLearnRemovesIt)
{
    HostedEditor host;
    const auto knob = host.toScreen (fbKnob.getCentre());
    const auto binding = [] { return storedAttribute (midiTableFile(), "phaser_fb"); };

    const auto held = clickForMenu (knob, Button::right, 300);
    ASSERT_NE (held.id, 0u) << "no menu after a held right click";
    const auto unassigned = screenshot ("learn-menu-unassigned");
    pressEscape();
    EXPECT_TRUE (waitUntilClosed (held));
    EXPECT_EQ (juce::parseXML (midiTableFile())->getNumAttributes(), 0) << "a dismissed menu learns nothing";

    const auto quick = clickForMenu (knob, Button::right, 10);
    ASSERT_NE (quick.id, 0u) << "no menu after a quick right click";
    for (const auto& menu : { held, quick })
        EXPECT_TRUE (menu.width >= 71 && menu.height >= 3 * 17 + 8) << menu.width << " x " << menu.height;
    ASSERT_TRUE (chooseRow (quick, rowCentre (learnRows, 0), "learn-menu-learn"));
    ASSERT_TRUE (waitUntilClosed (quick));

    host.process (21, 64);
    EXPECT_TRUE (waitUntil ([&] { return binding() == "21"; })) << binding();
    host.process (21, 0);
    ASSERT_TRUE (waitUntil ([&] { return host.value (phaserFeedback) == 0.0f; }));
    const auto knobBefore = settledScreenshot ("fb-knob-at-0");
    // A controller value v sets v * 0.00787401f, not v / 127: 127 gives 0.9999993.
    host.process (21, 127);
    EXPECT_TRUE (waitUntil ([&] { return host.value (phaserFeedback) == 127 * 0.00787401f; }))
        << host.value (phaserFeedback);
    const auto onScreen = fbKnob + host.toScreen ({});
    EXPECT_TRUE (waitUntil ([&] { return pixelsDifferingBetween (knobBefore, screenshot ("fb-knob-at-1"), onScreen) > 50; }))
        << "the knob did not move on screen";

    // The last row now reads "Assigned CC: 21" instead of "---".
    const auto assigned = clickForMenu (knob, Button::right, 300);
    ASSERT_NE (assigned.id, 0u);
    const juce::Rectangle<int> assignedRow { held.x + 3, held.y + rowCentre (learnRows, 3) - 7, held.width - 6, 14 };
    EXPECT_GT (pixelsDifferingBetween (unassigned, screenshot ("learn-menu-assigned"), assignedRow,
                                       { assigned.x - held.x, assigned.y - held.y }), 10);
    ASSERT_TRUE (chooseRow (assigned, rowCentre (learnRows, 1), "learn-menu-unlearn"));
    EXPECT_TRUE (waitUntilClosed (assigned));
    EXPECT_TRUE (waitUntil ([&] { return binding() == "(none)"; })) << binding();
}

} // namespace ondrel::windowtests
