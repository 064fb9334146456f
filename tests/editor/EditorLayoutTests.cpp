// Where everything lands, and what the window stores, at the sizes the
// product documents (every number worked out by hand from the layout rules).

#include "EditorTestSupport.h"

using namespace editor_test;

namespace
{
using R = juce::Rectangle<int>;

TEST_F (EditorTest, SurfacePanelsAndBandsAtTheDefaultAndMinimumSizes)
{
    auto& s = *editor->mainPanel;
    // Panel contents and titles in panel coordinates; an empty rectangle: not checked at that size.
    const std::tuple<juce::Component*, R, R> table[] = {
        { s.lfoPanel.get(), { 3, 35, 91, 162 }, { 1, 17, 46, 82 } },
        { s.phaserPanel.get(), { 103, 35, 288, 162 }, { 51, 17, 145, 82 } },
        { s.filterPanel.get(), { 400, 35, 141, 162 }, { 200, 17, 71, 82 } },
        { s.outPanel.get(), { 551, 35, 163, 162 }, { 275, 17, 82, 82 } },
        { s.labels[0], { 6, 6, 90, 23 }, {} }, { s.labels[1], { 21, 204, 63, 14 }, {} },
        { &get ("undo"), { 599, 5, 23, 23 }, { 299, 2, 12, 12 } },
        { &get ("redo"), { 629, 5, 23, 23 }, { 314, 2, 12, 12 } },
        { &get ("randomize"), { 659, 5, 23, 23 }, { 329, 2, 12, 12 } },
        { &get ("reset"), { 689, 5, 23, 23 }, { 344, 2, 12, 12 } },
        { s.headerButtons[0].get(), { 182, 7, 57, 19 }, { 91, 3, 28, 10 } },
        { &get ("plugin_menu"), { 242, 7, 57, 19 }, {} }, { &get ("button_preset"), { 302, 7, 179, 19 }, {} },
        { &s.presetNameLabel, { 302, 7, 179, 19 }, {} }, { &get ("button_preset_left"), { 484, 7, 14, 19 }, {} },
        { &get ("button_preset_right"), { 501, 7, 14, 19 }, {} },
        { &get ("bypass"), { 607, 205, 50, 13 }, { 304, 102, 25, 6 } },
        { &get ("lfo_wave"), { 13, 49, 65, 21 }, {} }, { &get ("lfo_smooth"), { 12, 83, 66, 66 }, {} },
        { &get ("filter_hp"), { 1, 51, 69, 69 }, {} }, { &get ("filter_lp"), { 71, 51, 69, 69 }, {} },
        { &get ("output_in"), { 6, 51, 68, 68 }, {} }, { &get ("output_out"), { 89, 51, 68, 68 }, {} },
        { &get ("output_drywet"), { 24, 127, 115, 29 }, {} },
        { &get ("phaser_depth"), { 3, 51, 66, 66 }, {} }, { &get ("env_todepth"), { 3, 125, 66, 28 }, {} },
        { &get ("phaser_rate"), { 75, 51, 66, 66 }, {} }, { &get ("env_torate"), { 75, 125, 66, 28 }, {} },
        { &get ("phaser_fb"), { 147, 51, 66, 66 }, {} }, { &get ("phaser_width"), { 219, 51, 66, 66 }, {} },
        { &s.lfoPanel->titleLabel, { 10, 11, 71, 24 }, {} }, { &s.filterPanel->titleLabel, { 16, 11, 109, 24 }, {} },
        { &s.outPanel->titleLabel, { 19, 11, 125, 24 }, {} }, { &s.phaserPanel->titleLabel, { 43, 11, 202, 24 }, {} },
    };

    for (auto [w, h] : { std::pair { 359, 111 }, std::pair { 718, 222 } })
    {
        editor->setSize (w, h);
        EXPECT_EQ (str (s.getBounds()), str ({ 0, 0, w, h }));

        for (const auto& row : table)
        {
            const auto expected = w == 718 ? std::get<1> (row) : std::get<2> (row);
            EXPECT_TRUE (expected.isEmpty() || str (std::get<0> (row)->getBounds()) == str (expected))
                << str (std::get<0> (row)->getBounds()) << " in row " << &row - table << " at " << w;
        }
    }

    // The surface's bands at 718 x 222, each side of every edge.
    juce::Image bands (juce::Image::ARGB, 718, 222, true);
    juce::Graphics g (bands);
    s.paint (g);
    const juce::uint32 dark = 0xff121212, accent = 0xfff05f40, accentDark = 0xffeb3c14;
    for (auto [x, y, argb] : { std::tuple { 0, 32, dark }, { 0, 33, accent }, { 0, 199, accent }, { 0, 200, dark },
                               { 98, 100, accent }, { 99, 100, accentDark }, { 394, 100, accentDark }, { 395, 100, accent },
                               { 546, 100, accent }, { 547, 100, accentDark }, { 717, 199, accentDark }, { 717, 221, dark } })
        EXPECT_EQ (bands.getPixelAt (x, y).getARGB(), argb) << x << "," << y;

    // The resize corner's side follows the width: 8.616 rounds to 9.
    for (auto [w, h, expected] : { std::tuple { 718, 222, R { 699, 203, 17, 17 } }, { 359, 111, R { 348, 100, 9, 9 } },
                                   { 4308, 1332, R { 4203, 1227, 103, 103 } } })
    {
        editor->setSize (w, h);
        EXPECT_EQ (str (editor->resizeCorner->getBounds()), str (expected));
    }
}

TEST_F (EditorTest, PanelsReachPastTheirEdgesAndKeepTheBarGap)
{
    Ondrel_Gui_LfoPanel lfo (*processor->valueTreeState);
    lfo.setSize (300, 150);
    EXPECT_EQ (str (lfo.sliders[0]->getBounds()), str ({ 41, -1, 219, 219 }));

    Ondrel_Gui_PhaserPanel low (*processor->valueTreeState);
    low.setSize (288, 30); // on panels lower than 60 pixels the gap under the knobs is 2
    EXPECT_EQ (low.sliders[4]->getY(), (int) (0.32f * 30) + (int) (0.23f * 288) + 2);
}

TEST_F (EditorTest, SnapPointOfTheCentredSliders)
{
    Ondrel_Gui_Common::SnapSlider_Env bar;
    Ondrel_Gui_Common::SnapSlider_Center knob;
    for (auto [attempted, expected] : { std::pair { 0.48, 0.5 }, { 0.52, 0.5 }, { 0.47, 0.5 }, { 0.53, 0.53 }, { 0.46, 0.46 },
                                        { 0.54, 0.54 }, { 0.4699999, 0.4699999 }, { 0.4699999988079071, 0.4699999988079071 },
                                        { 0.5299999713897705, 0.5299999713897705 } })
    {
        EXPECT_EQ (bar.snapValue (attempted, juce::Slider::absoluteDrag), expected) << attempted;
        EXPECT_EQ (knob.snapValue (attempted, juce::Slider::velocityDrag), expected) << attempted;
    }
}

// Only a new width is written, Reset Window Size (100000014) included.
TEST_F (EditorTest, WindowSizeIsStoredOnWidthChangesOnly)
{
    const juce::Time past (2001, 0, 1, 0, 0);
    editor.reset();
    ASSERT_TRUE (settingsFile().setLastModificationTime (past));
    editor = std::make_unique<OndrelAudioProcessorEditor> (*processor);
    EXPECT_EQ (str (editor->getBounds()), str ({ 0, 0, 718, 222 }));
    editor->menuItemSelected (100000014);
    editor->setSize (718, 300);
    EXPECT_EQ (processor->windowHeight, 222);
    EXPECT_EQ (settingsFile().getLastModificationTime(), past);

    editor->setSize (1077, 333);
    EXPECT_EQ (written (settingsFile()), "<ONDREL presetLocation=\"" + processor->presetLocation.toString()
                                             + "\" window_width=\"1077\" window_height=\"333\">");
    editor->setTopLeftPosition (30, 40);
    editor->menuItemSelected (100000014);
    EXPECT_EQ (str (editor->getBounds()), str ({ 30, 40, 718, 222 }));
    EXPECT_TRUE (written (settingsFile()).contains ("window_width=\"718\" window_height=\"222\""));

    // A stored size beyond the corner's limits opens brought inside them, one side at a time.
    for (auto [stored, opened] : { std::pair { "200\" window_height=\"62", R { 0, 0, 359, 111 } },
                                   { "65536\" window_height=\"20264", { 0, 0, 4308, 1332 } } })
    {
        writeUserFile (settingsFile(), std::string (R"(<ONDREL presetLocation="/p" window_width=")") + stored + "\"/>");
        OndrelAudioProcessor small;
        settingsFile().deleteFile();
        OndrelAudioProcessorEditor e (small);
        EXPECT_EQ (str (e.getBounds()), str (opened));
        EXPECT_FALSE (settingsFile().exists());
    }

    // The corner's drags stay below 4308x1332 (the least size and the ratio: the real window's drags).
    EXPECT_EQ (std::make_pair (editor->sizeConstrainer.getMaximumWidth(), editor->sizeConstrainer.getMaximumHeight()),
               std::make_pair (4308, 1332));
}
} // namespace
