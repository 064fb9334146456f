#include "LookTestSupport.h"

#include "lookandfeel/Ondrel_CLAF_ComboBox.h"
#include "lookandfeel/Ondrel_CLAF_LogoLabel.h"
#include "lookandfeel/Ondrel_CLAF_MenuButton.h"

#include <gtest/gtest.h>

namespace
{
using namespace looktest;
const juce::Colour text (0xff112233), highlightBack (0xfff05f40), highlightText (0xffffffff),
    menuBack (0xff336699), header (0xff445566);

// The three looks that carry the popup-menu family, with the values that tell them apart.
struct Family
{
    const char* name;
    std::function<std::unique_ptr<juce::LookAndFeel>()> make;
    float itemFontHeightFor22;
    bool dimsInactive;
    float corner;
};

std::vector<Family> families()
{
    return {
        { "ComboBox", [] { return std::make_unique<Ondrel_CLAF_ComboBox>(); }, 13.2f, true, 4.0f },
        { "LogoLabel", [] { return std::make_unique<Ondrel_CLAF_LogoLabel>(); }, 13.86f, false, 8.0f },
        { "MenuButton", [] { return std::make_unique<Ondrel_CLAF_MenuButton>(); }, 15.4f, true, 4.0f },
    };
}

std::unique_ptr<juce::LookAndFeel> coloured (const Family& f)
{
    auto look = f.make();
    look->setColour (juce::PopupMenu::textColourId, text);
    look->setColour (juce::PopupMenu::highlightedBackgroundColourId, highlightBack);
    look->setColour (juce::PopupMenu::highlightedTextColourId, highlightText);
    look->setColour (juce::PopupMenu::backgroundColourId, menuBack);
    look->setColour (juce::PopupMenu::headerTextColourId, header);
    return look;
}

struct Item
{
    bool separator = false, active = true, highlighted = false, ticked = false, subMenu = false;
    juce::String label = "Load", shortcut;
    const juce::Drawable* icon = nullptr;
    const juce::Colour* colour = nullptr;
};

Drawn drawItem (juce::LookAndFeel& look, const Item& item, int w = 200, int h = 22)
{
    Canvas canvas (w, h);
    look.drawPopupMenuItem (canvas.g, { 0, 0, w, h }, item.separator, item.active, item.highlighted, item.ticked,
                            item.subMenu, item.label, item.shortcut, item.icon, item.colour);
    return canvas.result();
}

TEST (PopupMenuFamily, ItemTextFontAndRectangleFollowTheItemHeight)
{
    for (auto& f : families())
    {
        auto look = coloured (f);
        const auto runs = drawItem (*look, {}).textRuns();
        ASSERT_EQ (runs.size(), 1u) << f.name;
        const auto& run = runs[0];
        EXPECT_EQ (run.font.getTypefaceName(), "Robot Regular") << f.name;
        EXPECT_EQ (faceOf (run.font), "Roboto / Regular") << f.name;
        EXPECT_TRUE (run.font.isBold());
        EXPECT_FLOAT_EQ (run.font.getHeight(), f.itemFontHeightFor22) << f.name;
        EXPECT_EQ (run.colour, text);
        EXPECT_EQ (run.glyphs, glyphsOf (run.font, "Load"));

        // Icon column 25 wide after the 1-pixel inset; text rectangle rows 2..20, centred-left.
        EXPECT_FLOAT_EQ (run.positions[0].x, 26.0f) << f.name;
        EXPECT_NEAR (run.positions[0].y, 2.0f + (18.0f - run.font.getHeight()) / 2.0f + run.font.getAscent(), 0.5f)
            << f.name;
    }
}

TEST (PopupMenuFamily, SeparatorIsTwoOneRowLinesInTheMiddle)
{
    for (auto& f : families())
    {
        auto look = coloured (f);
        Item separator;
        separator.separator = true;
        const auto d = drawItem (*look, separator, 100, 8);
        ASSERT_EQ (d.fills.size(), 2u) << f.name;
        EXPECT_EQ (d.fills[0].bounds, juce::Rectangle<float> (5, 3, 90, 1));
        EXPECT_EQ (d.fills[0].fill.colour, juce::Colour (0x33000000));
        EXPECT_EQ (d.fills[1].bounds, juce::Rectangle<float> (5, 4, 90, 1));
        EXPECT_EQ (d.fills[1].fill.colour, juce::Colour (0x44000000));
        EXPECT_TRUE (d.glyphs.empty());
    }
}

TEST (PopupMenuFamily, InactiveItemsAreDimmedOnlyWhereTheLookSaysSo)
{
    for (auto& f : families())
    {
        auto look = coloured (f);
        Item inactive;
        inactive.active = false;
        const auto dimmed = drawItem (*look, inactive).textRuns();
        ASSERT_FALSE (dimmed.empty());
        EXPECT_EQ (dimmed[0].colour, f.dimsInactive ? text.withMultipliedAlpha (0.3f) : text) << f.name;

        inactive.ticked = true;
        const auto ticked = drawItem (*look, inactive).textRuns();
        ASSERT_FALSE (ticked.empty());
        EXPECT_EQ (ticked[0].colour, text) << f.name;
    }
}

TEST (PopupMenuFamily, HighlightedItemIgnoresTheItemsOwnColour)
{
    for (auto& f : families())
    {
        auto look = coloured (f);
        const juce::Colour own (0xff00ff00);
        Item item;
        item.highlighted = true;
        item.colour = &own;
        const auto d = drawItem (*look, item);
        ASSERT_FALSE (d.fills.empty());
        EXPECT_EQ (d.fills[0].bounds, juce::Rectangle<float> (1, 1, 198, 20)) << f.name;
        EXPECT_EQ (d.fills[0].fill.colour, highlightBack);
        EXPECT_EQ (d.textRuns().at (0).colour, highlightText) << f.name;

        item.highlighted = false;
        EXPECT_EQ (drawItem (*look, item).textRuns().at (0).colour, own) << f.name;
    }
}

TEST (PopupMenuFamily, IconIsFittedIntoAHalfWidthBox)
{
    juce::DrawablePath square;
    juce::Path p;
    p.addRectangle (0.0f, 0.0f, 100.0f, 100.0f);
    square.setPath (p);
    square.setFill (juce::Colours::black);

    for (auto& f : families())
    {
        auto look = coloured (f);
        Item item;
        item.icon = &square;
        // Box (4, 4, 9.5, 14): the square shrinks to 9.5 and is centred vertically.
        const auto d = drawItem (*look, item);
        ASSERT_FALSE (d.fills.empty());
        const auto b = d.fills[0].bounds;
        EXPECT_NEAR (b.getX(), 4.0f, 0.01f) << f.name;
        EXPECT_NEAR (b.getY(), 6.25f, 0.01f);
        EXPECT_NEAR (b.getWidth(), 9.5f, 0.01f);
        EXPECT_NEAR (b.getHeight(), 9.5f, 0.01f);
    }
}

TEST (PopupMenuFamily, ShortcutSharesTheTextRectangleRightAligned)
{
    for (auto& f : families())
    {
        auto look = coloured (f);
        Item item;
        item.shortcut = "Ctrl+S";
        const auto runs = drawItem (*look, item).textRuns();
        ASSERT_EQ (runs.size(), 2u) << f.name;
        const auto& shortcut = runs[1];
        // The framework's 17-high menu font, at 0.75 of its height and 0.95 of its width.
        EXPECT_FLOAT_EQ (shortcut.font.getHeight(), 12.75f);
        EXPECT_FLOAT_EQ (shortcut.font.getHorizontalScale(), 0.95f);
        EXPECT_EQ (shortcut.glyphs, glyphsOf (shortcut.font, "Ctrl+S"));
        // Right margin (int)(200 * 0.05) = 10 inside the 1-pixel inset: the text ends at 189.
        EXPECT_NEAR (shortcut.positions[0].x + shortcut.font.getStringWidthFloat ("Ctrl+S"), 189.0f, 0.5f) << f.name;
    }
}

TEST (PopupMenuFamily, SectionHeaderIsItalicAndCentred)
{
    for (auto& f : families())
    {
        auto look = coloured (f);
        Canvas canvas (200, 25);
        look->drawPopupMenuSectionHeader (canvas.g, { 0, 0, 200, 25 }, "Presets");
        const auto runs = canvas.result().textRuns();
        ASSERT_EQ (runs.size(), 1u);
        EXPECT_EQ (runs[0].font.getTypefaceName(), "Robot Medium");
        EXPECT_FLOAT_EQ (runs[0].font.getHeight(), 12.0f);
        EXPECT_TRUE (runs[0].font.isItalic());
        EXPECT_FALSE (runs[0].font.isBold());
        EXPECT_EQ (runs[0].colour, header);
        EXPECT_NEAR (runs[0].positions[0].x, (200.0f - runs[0].font.getStringWidthFloat ("Presets")) / 2.0f, 0.5f);
    }
}

TEST (PopupMenuFamily, BackgroundIsOneRoundedFillWithoutLines)
{
    for (auto& f : families())
    {
        auto look = coloured (f);
        Canvas canvas (100, 50);
        look->drawPopupMenuBackground (canvas.g, 100, 50);
        const auto d = canvas.result();
        EXPECT_EQ (d.fills.size(), 1u) << f.name;
        for (int y = 4; y < 46; ++y)
            EXPECT_EQ (d.pixel (50, y), menuBack) << f.name << " row " << y;
        EXPECT_EQ (d.pixel (0, 25), menuBack);
        // Pixel (1, 1) lies inside a corner of radius 4, outside one of radius 8.
        if (f.corner < 5.0f)
            EXPECT_GT (d.pixel (1, 1).getAlpha(), 100) << f.name;
        else
            EXPECT_EQ (d.pixel (1, 1).getAlpha(), 0) << f.name;
    }
}

} // namespace
