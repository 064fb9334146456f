// Where everything lands, and what the window stores, at the sizes the
// product documents (every number worked out by hand from the layout rules).

#include "EditorTestSupport.h"

namespace editor_test
{
namespace
{
using R = juce::Rectangle<int>;

struct Placement
{
    const char* what;
    R at718, at359;
};

// "panel:lfo", a header control by component ID, or "label:N" / "header:N".
juce::Component* locate (Ondrel_Gui_Main& s, const std::string& what, const std::function<juce::Component* (const juce::String&)>& byID)
{
    if (what == "panel:lfo") return s.lfoPanel.get();
    if (what == "panel:phaser") return s.phaserPanel.get();
    if (what == "panel:filter") return s.filterPanel.get();
    if (what == "panel:out") return s.outPanel.get();
    if (what == "label:logo") return s.labels[0];
    if (what == "label:maker") return s.labels[1];
    if (what == "header:version") return s.headerButtons[0].get();
    if (what == "presetName") return &s.presetNameLabel;
    return byID (what);
}

TEST_F (EditorTest, SurfaceAndPanelsAtTheDefaultAndMinimumSizes)
{
    const Placement table[] = {
        { "panel:lfo", { 3, 35, 91, 162 }, { 1, 17, 46, 82 } },
        { "panel:phaser", { 103, 35, 288, 162 }, { 51, 17, 145, 82 } },
        { "panel:filter", { 400, 35, 141, 162 }, { 200, 17, 71, 82 } },
        { "panel:out", { 551, 35, 163, 162 }, { 275, 17, 82, 82 } },
        { "label:logo", { 6, 6, 90, 23 }, {} },
        { "label:maker", { 21, 204, 63, 14 }, {} },
        { "undo", { 599, 5, 23, 23 }, { 299, 2, 12, 12 } },
        { "redo", { 629, 5, 23, 23 }, { 314, 2, 12, 12 } },
        { "randomize", { 659, 5, 23, 23 }, { 329, 2, 12, 12 } },
        { "reset", { 689, 5, 23, 23 }, { 344, 2, 12, 12 } },
        { "header:version", { 182, 7, 57, 19 }, { 91, 3, 28, 10 } },
        { "plugin_menu", { 242, 7, 57, 19 }, {} },
        { "button_preset", { 302, 7, 179, 19 }, {} },
        { "presetName", { 302, 7, 179, 19 }, {} },
        { "button_preset_left", { 484, 7, 14, 19 }, {} },
        { "button_preset_right", { 501, 7, 14, 19 }, {} },
        { "bypass", { 607, 205, 50, 13 }, { 304, 102, 25, 6 } },
        // Panel contents, in panel coordinates.
        { "lfo_wave", { 13, 49, 65, 21 }, {} },
        { "lfo_smooth", { 12, 83, 66, 66 }, {} },
        { "filter_hp", { 1, 51, 69, 69 }, {} },
        { "filter_lp", { 71, 51, 69, 69 }, {} },
        { "output_in", { 6, 51, 68, 68 }, {} },
        { "output_out", { 89, 51, 68, 68 }, {} },
        { "output_drywet", { 24, 127, 115, 29 }, {} },
        { "phaser_depth", { 3, 51, 66, 66 }, {} },
        { "env_todepth", { 3, 125, 66, 28 }, {} },
        { "phaser_rate", { 75, 51, 66, 66 }, {} },
        { "env_torate", { 75, 125, 66, 28 }, {} },
        { "phaser_fb", { 147, 51, 66, 66 }, {} },
        { "phaser_width", { 219, 51, 66, 66 }, {} },
    };

    const auto byID = [this] (const juce::String& id) { return component (id); };

    for (auto [w, h] : { std::pair { 718, 222 }, std::pair { 359, 111 } })
    {
        editor->setSize (w, h);
        EXPECT_EQ (str ((*editor->mainPanel).getBounds()), str ({ 0, 0, w, h }));

        for (const auto& row : table)
        {
            const auto expected = w == 718 ? row.at718 : row.at359;
            if (expected.isEmpty())
                continue;
            auto* c = locate ((*editor->mainPanel), row.what, byID);
            ASSERT_NE (c, nullptr) << row.what;
            EXPECT_EQ (str (c->getBounds()), str (expected)) << row.what << " at " << w;
        }
    }

    const std::pair<std::string, R> titles[] = { { "panel:lfo", { 10, 11, 71, 24 } },
                                                 { "panel:filter", { 16, 11, 109, 24 } },
                                                 { "panel:out", { 19, 11, 125, 24 } },
                                                 { "panel:phaser", { 43, 11, 202, 24 } } };
    editor->setSize (718, 222);
    for (const auto& [panel, expected] : titles)
        EXPECT_EQ (str (static_cast<Ondrel_Gui_Common*> (locate ((*editor->mainPanel), panel, byID))->titleLabel.getBounds()),
                   str (expected)) << panel;
}

TEST_F (EditorTest, ResizeCornerSideFollowsTheWidth)
{
    const std::pair<std::pair<int, int>, R> table[] = {
        { { 718, 222 }, { 699, 203, 17, 17 } },
        { { 359, 111 }, { 348, 100, 9, 9 } },     // 8.616 rounds to 9
        { { 4308, 1332 }, { 4203, 1227, 103, 103 } },
    };

    for (const auto& [size, expected] : table)
    {
        editor->setSize (size.first, size.second);
        EXPECT_EQ (str (editor->resizeCorner->getBounds()), str (expected));
    }
}

TEST_F (EditorTest, PanelsReachPastTheirEdgesAndRoundTheBarInset)
{
    Ondrel_Gui_LfoPanel lfo (*processor->valueTreeState);
    lfo.setSize (300, 150);
    EXPECT_EQ (str (lfo.sliders[0]->getBounds()), str ({ 41, -1, 219, 219 }));

    Ondrel_Gui_OutPanel out (*processor->valueTreeState);
    const std::pair<int, int> insets[] = { { 200, 30 }, { 163, 24 } }; // 0.15 x 163 = 24.45
    for (auto [width, x] : insets)
    {
        out.setSize (width, 150);
        EXPECT_EQ (out.sliders[2]->getX(), x);
        EXPECT_EQ (out.sliders[2]->getWidth(), width - 2 * x);
    }

    Ondrel_Gui_PhaserPanel low (*processor->valueTreeState);
    low.setSize (288, 30); // on panels lower than 60 pixels the gap under the knobs is 2
    EXPECT_EQ (low.sliders[4]->getY(), (int) (0.32f * 30) + (int) (0.23f * 288) + 2);
}

TEST_F (EditorTest, BackgroundBandsAndPanelFills)
{
    juce::Image bands (juce::Image::ARGB, 718, 222, true);
    {
        juce::Graphics g (bands);
        (*editor->mainPanel).paint (g);
    }

    const juce::uint32 dark = 0xff121212, accent = 0xfff05f40, accentDark = 0xffeb3c14;
    const std::tuple<int, int, juce::uint32> samples[] = {
        { 0, 32, dark },      { 0, 33, accent },      { 0, 199, accent },     { 0, 200, dark },
        { 98, 100, accent },  { 99, 100, accentDark }, { 394, 100, accentDark }, { 395, 100, accent },
        { 546, 100, accent }, { 547, 100, accentDark }, { 717, 199, accentDark }, { 717, 221, dark },
    };

    for (auto [x, y, argb] : samples)
        EXPECT_EQ (bands.getPixelAt (x, y).getARGB(), argb) << x << "," << y;

    const auto window = editor->createComponentSnapshot (editor->getLocalBounds());
    juce::File (ONDREL_SCREENSHOT_DIR).createDirectory();
    juce::File (ONDREL_SCREENSHOT_DIR).getChildFile ("editor-headless-718x222.png").deleteFile();
    juce::FileOutputStream stream (juce::File (ONDREL_SCREENSHOT_DIR).getChildFile ("editor-headless-718x222.png"));
    juce::PNGImageFormat().writeImageToStream (window, stream);

    // Panel corners away from any control show the panel's own fill.
    const std::tuple<int, int, juce::uint32> panelPixels[] = {
        { 5, 190, accent }, { 402, 190, accent }, { 105, 190, accentDark }, { 553, 190, accentDark }
    };
    for (auto [x, y, argb] : panelPixels)
        EXPECT_EQ (window.getPixelAt (x, y).getARGB(), argb) << x << "," << y;
}

TEST_F (EditorTest, SnapPointOfTheCentredSliders)
{
    const std::pair<double, double> table[] = { { 0.48, 0.5 },       { 0.52, 0.5 }, { 0.47, 0.5 },
                                                { 0.53, 0.53 },      { 0.4699999, 0.4699999 },
                                                { 0.46, 0.46 },      { 0.54, 0.54 },
                                                { 0.4699999988079071, 0.4699999988079071 },
                                                { 0.5299999713897705, 0.5299999713897705 } };
    Ondrel_Gui_Common::SnapSlider_Env bar;
    Ondrel_Gui_Common::SnapSlider_Center knob;

    for (auto [attempted, expected] : table)
    {
        EXPECT_EQ (bar.snapValue (attempted, juce::Slider::absoluteDrag), expected) << attempted;
        EXPECT_EQ (knob.snapValue (attempted, juce::Slider::velocityDrag), expected) << attempted;
    }
}

TEST_F (EditorTest, WindowSizeIsStoredOnWidthChangesOnly)
{
    const juce::Time past (2001, 0, 1, 0, 0);
    editor.reset();
    ASSERT_TRUE (settingsFile().setLastModificationTime (past));
    editor = std::make_unique<OndrelAudioProcessorEditor> (*processor);
    // At the stored size the file is not even rewritten.
    EXPECT_EQ (settingsFile().getLastModificationTime(), past);
    EXPECT_EQ (str (editor->getBounds()), str ({ 0, 0, 718, 222 }));
    const auto stored = [this] (int w, int h)
    {
        return "<ONDREL presetLocation=\"" + processor->presetLocation.toString() + "\" window_width=\"" + juce::String (w)
               + "\" window_height=\"" + juce::String (h) + "\">";
    };

    editor->setSize (718, 300); // height alone: nothing stored, nothing written
    EXPECT_EQ (processor->windowHeight, 222);
    EXPECT_EQ (settingsFile().getLastModificationTime(), past);

    editor->setSize (1077, 333);
    EXPECT_EQ (written (settingsFile()), stored (1077, 333));
}

TEST_F (EditorTest, StoredSizeOutsideTheLimitsOpensUnchanged)
{
    writeUserFile (settingsFile(), R"(<ONDREL presetLocation="/p" window_width="200" window_height="62"/>)");
    OndrelAudioProcessor small;
    settingsFile().deleteFile();
    OndrelAudioProcessorEditor e (small);
    EXPECT_EQ (str (e.getBounds()), str ({ 0, 0, 200, 62 }));
    EXPECT_FALSE (settingsFile().exists());

    // The corner's drags stay inside 359x111 .. 4308x1332 at the ratio 718:222.
    auto& limits = e.sizeConstrainer;
    EXPECT_EQ (limits.getMinimumWidth(), 359);
    EXPECT_EQ (limits.getMinimumHeight(), 111);
    EXPECT_EQ (limits.getMaximumWidth(), 4308);
    EXPECT_EQ (limits.getMaximumHeight(), 1332);
    EXPECT_NEAR (limits.getFixedAspectRatio(), 3.23423433303833, 1e-14);
}
} // namespace
} // namespace editor_test
