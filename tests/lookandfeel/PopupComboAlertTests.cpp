#include "LookTestSupport.h"

namespace
{
const juce::Colour text (0xff112233), highlightBack (0xfff05f40), highlightText (0xffffffff), menuBack (0xff336699),
    header (0xff445566);

constexpr int separator = 1, inactive = 2, highlighted = 4, ticked = 8; // an item's flags

Drawn drawItem (juce::LookAndFeel& look, int flags, const juce::String& shortcut = {}, const juce::Drawable* icon = nullptr,
                const juce::Colour* colour = nullptr, int w = 200, int h = 22)
{
    return draw (w, h, [&] (auto& g) {
        look.drawPopupMenuItem (g, { 0, 0, w, h }, flags & separator, ! (flags & inactive), flags & highlighted,
                                flags & ticked, false, "Load", shortcut, icon, colour);
    });
}

// The three looks that carry the popup-menu family, with the values that tell them apart,
// all with the same menu colours.
struct PopupMenuFamily : ::testing::Test
{
    Ondrel_CLAF_ComboBox combo;
    Ondrel_CLAF_LogoLabel logo;
    Ondrel_CLAF_MenuButton menu;
    struct Family { const char* name; juce::LookAndFeel& look; float itemHeight; bool dimsInactive; float corner; };
    std::vector<Family> families { { "ComboBox", combo, 13.2f, true, 4.0f }, { "LogoLabel", logo, 13.86f, false, 8.0f },
                                   { "MenuButton", menu, 15.4f, true, 4.0f } };

    using PM = juce::PopupMenu;
    void SetUp() override
    {
        for (auto& f : families)
            for (auto [id, colour] : { std::pair { PM::backgroundColourId, menuBack }, { PM::textColourId, text }, { PM::headerTextColourId, header },
                                       { PM::highlightedBackgroundColourId, highlightBack }, { PM::highlightedTextColourId, highlightText } })
                f.look.setColour (id, colour);
    }
};

TEST_F (PopupMenuFamily, Items)
{
    juce::DrawableRectangle square;
    square.setRectangle ({ { 0, 0 }, { 100, 0 }, { 0, 100 } });
    const juce::Colour own (0xff00ff00);

    for (auto& f : families)
    {
        SCOPED_TRACE (f.name);
        const auto runs = drawItem (f.look, 0, "Ctrl+S").runs;
        ASSERT_EQ (runs.size(), 2u);
        // Icon column 25 wide after the 1-pixel inset; text rectangle rows 2..20, centred-left. The framework's
        // 17-high menu font at 0.75 of its height and 0.95 of its width, right-aligned in the same rectangle:
        // margin (int)(200 * 0.05) = 10 inside the inset, so it ends at 189.
        EXPECT_TRUE (shows (runs[0], "Load", f.itemHeight, text, "Robot Regular", { 26, 2, 100, 18 }, juce::Justification::centredLeft)
                     && runs[0].font.isBold());
        EXPECT_TRUE (shows (runs[1], "Ctrl+S", 12.75f, text));
        EXPECT_FLOAT_EQ (runs[1].font.getHorizontalScale(), 0.95f);
        EXPECT_NEAR (runs[1].positions[0].x + runs[1].font.getStringWidthFloat ("Ctrl+S"), 189.0f, 0.5f);

        // The separator: two one-row lines in the middle of an 8-high row.
        const auto line = drawItem (f.look, separator, {}, nullptr, nullptr, 100, 8);
        ASSERT_EQ (line.fills.size(), 2u);
        EXPECT_TRUE (line.runs.empty() && line.fills[0].bounds == juce::Rectangle<float> (5, 3, 90, 1)
                     && line.fills[0].fill.colour == juce::Colour (0x33000000));
        EXPECT_TRUE (line.fills[1].bounds == juce::Rectangle<float> (5, 4, 90, 1) && line.fills[1].fill.colour == juce::Colour (0x44000000));

        // Inactive items are dimmed only where the look says so, and never when ticked; the highlight
        // ignores the item's own colour.
        for (auto [flags, colour] : { std::pair { inactive, f.dimsInactive ? own.withMultipliedAlpha (0.3f) : own },
                                      { inactive | ticked, own }, { highlighted, highlightText }, { 0, own } })
            EXPECT_EQ (drawItem (f.look, flags, {}, nullptr, &own).runs.at (0).colour, colour) << flags;
        const auto highlight = drawItem (f.look, highlighted).fills.at (0);
        EXPECT_TRUE (highlight.bounds == juce::Rectangle<float> (1, 1, 198, 20) && highlight.fill.colour == highlightBack);

        // An icon is fitted into the box (4, 4, 9.5, 14): the square shrinks to 9.5, centred vertically.
        const auto b = drawItem (f.look, 0, {}, &square).fills.at (0).bounds;
        const juce::Rectangle<float> fitted (4.0f, 6.25f, 9.5f, 9.5f);
        EXPECT_TRUE (b.expanded (0.01f).contains (fitted) && fitted.expanded (0.01f).contains (b)) << b.toString();
    }
}

TEST_F (PopupMenuFamily, SectionHeaderBackgroundAndComboBox)
{
    const std::pair<const char*, float> names[] = { { "LFO Waveform", 13.6f }, { "LFO Target CC", 13.6f },
                                                    { "lfo waveform", 13.0f }, { "Rate", 13.0f } };
    // Its arrow (110, 13) (114, 9) (106, 9) in the button area (100, 0, 20, 20) takes the text colour.
    const juce::Colour outline (0xff909090), black (juce::Colours::black), white (juce::Colours::white);
    juce::Component parent;
    juce::ComboBox box;
    parent.addAndMakeVisible (box);
    box.setBounds (0, 0, 120, 20);
    using CB = juce::ComboBox;
    for (auto [id, colour] : { std::pair { CB::backgroundColourId, black }, { CB::outlineColourId, outline }, { CB::textColourId, white },
                               { CB::arrowColourId, juce::Colours::red }, { CB::buttonColourId, juce::Colours::red } })
        box.setColour (id, colour);

    for (auto& f : families)
    {
        SCOPED_TRACE (f.name);
        const auto runs = draw (200, 25, [&] (auto& g) { f.look.drawPopupMenuSectionHeader (g, { 0, 0, 200, 25 }, "Presets"); }).runs;
        ASSERT_EQ (runs.size(), 1u);
        EXPECT_TRUE (shows (runs[0], "Presets", 12.0f, header, "Robot Medium", { 0, 0, 200, 25 }));
        EXPECT_TRUE (runs[0].font.isItalic() && ! runs[0].font.isBold());

        // One rounded fill without lines; pixel (1, 1) lies inside a corner of radius 4, outside one of radius 8.
        const auto d = draw (100, 50, [&] (auto& g) { f.look.drawPopupMenuBackground (g, 100, 50); });
        EXPECT_TRUE (d.fills.size() == 1 && d.pixel (0, 25) == menuBack && d.pixel (50, 49) == menuBack);
        const auto alpha = d.pixel (1, 1).getAlpha();
        EXPECT_TRUE (f.corner == 4.0f ? alpha > 100 : alpha == 0) << (int) alpha;

        // The combo box font's height depends on the exact name of the box.
        for (auto [name, height] : names)
        {
            box.setName (name);
            const auto font = f.look.getComboBoxFont (box);
            EXPECT_TRUE (font.getHeight() == height && font.getTypefaceName() == "Robot Medium" && font.isBold()) << name;
        }
        // A disabled box fades its arrow but not its background and outline.
        for (bool enabled : { true, false })
        {
            parent.setEnabled (enabled);
            const auto c = draw (120, 20, [&] (auto& g) { f.look.drawComboBox (g, 120, 20, false, 100, 0, 20, 20, box); });
            EXPECT_TRUE (nearlySame (c.pixel (110, 10), enabled ? white : black.overlaidWith (white.withAlpha (0.3f))));
            EXPECT_TRUE (c.pixel (50, 10) == black && c.pixel (0, 10) == outline && c.pixel (119, 10) == outline);
        }
    }
}

TEST (AlertWindowLook, GlossOverTheFrameworksAlertBoxFontsAndSizes)
{
    ensureMonitorWithoutDisplay();
    Ondrel_CLAF_LogoLabel look;
    juce::AlertWindow alert ("Title", "Message", juce::MessageBoxIconType::NoIcon);
    alert.setLookAndFeel (&look);
    alert.setColour (juce::AlertWindow::outlineColourId, juce::Colour (0xff00ff00));
    alert.setSize (400, 150);
    juce::TextLayout layout;
    const auto d = draw (400, 150, [&] (auto& g) { look.drawAlertBox (g, alert, { 10, 10, 380, 100 }, layout); });
    ASSERT_GE (d.fills.size(), 2u);

    // First the background, then the outline along the window's edges, and last the gloss.
    const auto& gloss = d.fills.back();
    EXPECT_EQ (d.fills.front().bounds, juce::Rectangle<float> (0, 0, 400, 150));
    EXPECT_EQ (d.fills[d.fills.size() - 2].fill.colour, juce::Colour (0xff00ff00));
    EXPECT_EQ (gloss.fill.colour, juce::Colour (0x11ffffff));
    juce::Path expected;
    expected.addQuadrilateral (0, 0, 220, 0, 40, 150, 0, 150);
    EXPECT_TRUE (gloss.path == expected) << gloss.path.toString();

    // The fonts are 0.4, 0.7 and 0.5 of the framework's button height of 28.
    for (auto [font, height] : { std::pair { look.getAlertWindowTitleFont(), 11.2f },
                                 { look.getAlertWindowMessageFont(), 19.6f }, { look.getAlertWindowFont(), 14.0f } })
        EXPECT_TRUE (font.getHeight() == height && font.getTypefaceName() == "Montserrat Regular" && font.isBold()) << height;
}
} // namespace
