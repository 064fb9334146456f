#include "LookTestSupport.h"

#include "lookandfeel/IconOutlines.h"
#include "lookandfeel/KesCLAF_RndRstButton.h"
#include "lookandfeel/Ondrel_CLAF_BypassButton.h"
#include "lookandfeel/Ondrel_CLAF_MenuButton.h"

#include <gtest/gtest.h>

namespace
{
using namespace looktest;
const juce::Colour frame (0xff909090);

Drawn paint (juce::LookAndFeel& look, juce::TextButton& button, bool over, bool down,
             juce::Colour background = juce::Colours::transparentBlack)
{
    Canvas canvas (button.getWidth(), button.getHeight(), background);
    look.drawButtonBackground (canvas.g, button, juce::Colours::red, over, down);
    look.drawButtonText (canvas.g, button, over, down);
    return canvas.result();
}

// Bounds of the pixels at least half white.
juce::Rectangle<int> whiteInk (const Drawn& d)
{
    juce::Rectangle<int> ink;
    for (int y = 0; y < d.image.getHeight(); ++y)
        for (int x = 0; x < d.image.getWidth(); ++x)
            if (auto p = d.pixel (x, y); p.getAlpha() > 127 && p.getRed() == 255)
                ink = ink.isEmpty() ? juce::Rectangle<int> (x, y, 1, 1) : ink.getUnion ({ x, y, 1, 1 });
    return ink;
}

// An outline scaled to fit a square, centred, as a reference drawing.
juce::Image reference (const unsigned char* data, int size, int w, int h, juce::Rectangle<float> square)
{
    auto icon = IconOutlines::load (data, size);
    juce::Image image (juce::Image::ARGB, w, h, true);
    juce::Graphics g (image);
    g.setColour (frame);
    g.drawRect (juce::Rectangle<float> (0.0f, 0.0f, (float) w, (float) h), 1.0f);
    g.setColour (juce::Colours::white);
    icon.applyTransform (icon.getTransformToScaleToFit (square, true, juce::Justification::centred));
    g.fillPath (icon);
    return image;
}

// Pixels that differ by more than anti-aliasing along an edge can explain.
int differingPixels (const juce::Image& a, const juce::Image& b)
{
    int n = 0;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            n += nearlySame (a.getPixelAt (x, y), b.getPixelAt (x, y), 48) ? 0 : 1;
    return n;
}

TEST (IconOutlines, AreStoredPathsWithNonZeroWinding)
{
    using namespace IconOutlines;
    const struct { const unsigned char* data; int size; } outlines[] = {
        { svg_dice, svg_diceSize }, { svg_eraser, svg_eraserSize }, { svg_undo1, svg_undo1Size },
        { svg_redo1, svg_redo1Size }, { svg_lock_close, svg_lock_closeSize }, { svg_lock_open, svg_lock_openSize },
    };
    for (auto& o : outlines)
    {
        ASSERT_GT (o.size, 4);
        EXPECT_EQ (o.data[0], 'n');
        EXPECT_EQ (o.data[o.size - 3], 'e');
        EXPECT_EQ (o.data[o.size - 2], 0);
        EXPECT_EQ (o.data[o.size - 1], 0);
        const auto path = load (o.data, o.size);
        EXPECT_TRUE (path.isUsingNonZeroWinding());
        EXPECT_FALSE (path.getBounds().isEmpty());
    }
}

TEST (IconButton, DieIsFittedIntoItsSquareAndShrunkTowardsTheOrigin)
{
    KesCLAF_RndRstButton look;
    juce::TextButton button ("random");
    button.setSize (40, 30);
    const auto d = paint (look, button, false, false);

    // Fit square (7, 4.14, 30, 30) scaled by 0.81: (5.67, 3.35, 24.3, 24.3).
    const auto ink = whiteInk (d);
    EXPECT_NEAR (ink.getX(), 5.67, 1.0);
    EXPECT_NEAR (ink.getY(), 3.35, 1.0);
    EXPECT_NEAR (ink.getRight(), 29.97, 1.0);
    EXPECT_NEAR (ink.getBottom(), 27.65, 1.0);
    EXPECT_EQ (d.pixel (0, 15), frame);
    EXPECT_EQ (d.pixel (39, 15), frame);
    EXPECT_EQ (d.pixel (20, 0), frame);
}

TEST (IconButton, ArrowsAndEraserFillTheirScaledSquares)
{
    KesCLAF_RndRstButton look;
    using namespace IconOutlines;
    const struct { const char* text; const unsigned char* data; int size; } icons[] = {
        { "undo", svg_undo1, svg_undo1Size }, { "redo", svg_redo1, svg_redo1Size }, { "reset", svg_eraser, svg_eraserSize }
    };
    for (auto& icon : icons)
    {
        juce::TextButton button (icon.text);
        button.setSize (50, 40);
        // Fit square (0.12 W, 0.138 H, H, H) scaled by 0.8 is (0.096 W, 0.1104 H, 0.8 H, 0.8 H).
        const auto expected = reference (icon.data, icon.size, 50, 40, { 4.8f, 4.416f, 32.0f, 32.0f });
        const auto got = paint (look, button, false, false).image;
        // A few edge pixels flip with rounding; a misplaced icon differs in hundreds.
        EXPECT_LE (differingPixels (got, expected), 24) << icon.text;
    }
}

TEST (IconButton, PadlockFollowsTheToggleState)
{
    KesCLAF_RndRstButton look;
    juce::TextButton button ("lock");
    button.setSize (40, 30);
    const auto closed = reference (IconOutlines::svg_lock_close, IconOutlines::svg_lock_closeSize, 40, 30, { 0, 0, 30, 30 });
    const auto open = reference (IconOutlines::svg_lock_open, IconOutlines::svg_lock_openSize, 40, 30, { 0, 0, 30, 30 });
    ASSERT_GT (differingPixels (closed, open), 20);

    button.setToggleState (true, juce::dontSendNotification);
    EXPECT_LE (differingPixels (paint (look, button, false, false).image, closed), 3);
    button.setToggleState (false, juce::dontSendNotification);
    EXPECT_LE (differingPixels (paint (look, button, false, false).image, open), 3);
}

TEST (IconButton, UnknownTextDrawsOnlyTheFrame)
{
    KesCLAF_RndRstButton look;
    for (auto text : { "Random", "Undo", "" })
    {
        juce::TextButton button (text);
        button.setSize (40, 30);
        const auto d = paint (look, button, true, true);
        EXPECT_TRUE (whiteInk (d).isEmpty()) << text;
        EXPECT_TRUE (d.glyphs.empty());
        EXPECT_EQ (d.pixel (0, 15), frame);
        EXPECT_EQ (d.pixel (20, 15).getAlpha(), 0) << "no pressed fill without the mouse held on it";
    }
}

struct Bypass
{
    Bypass (int width, int height, bool on) : button ("Bypass")
    {
        button.setSize (width, height);
        button.setToggleState (on, juce::dontSendNotification);
        button.setColour (juce::TextButton::textColourOnId, juce::Colour (0xff123456));
        button.setColour (juce::TextButton::textColourOffId, juce::Colour (0xff654321));
    }

    Ondrel_CLAF_BypassButton look;
    juce::TextButton button;
};

TEST (BypassButton, OnCoversTheHoverShadeWithAnOpaqueLightFill)
{
    const auto black = juce::Colours::black;
    Bypass on (90, 24, true);
    EXPECT_EQ (paint (on.look, on.button, true, false, black).pixel (3, 3), juce::Colour (0xffeeeeee));

    Bypass off (90, 24, false);
    const auto shaded = paint (off.look, off.button, true, false, black);
    EXPECT_TRUE (nearlySame (shaded.pixel (3, 3), black.overlaidWith (juce::Colour (0x25ffffff))));
    EXPECT_EQ (shaded.pixel (0, 12), frame);
    EXPECT_EQ (paint (off.look, off.button, false, false, black).pixel (3, 3), black);
}

TEST (BypassButton, TextUsesTheOnOrOffColourEvenWhenDisabled)
{
    Bypass b (90, 24, true);
    b.button.setEnabled (false);
    auto runs = paint (b.look, b.button, false, false).textRuns();
    ASSERT_EQ (runs.size(), 1u);
    EXPECT_EQ (runs[0].colour, juce::Colour (0xff123456));
    EXPECT_EQ (runs[0].glyphs, glyphsOf (runs[0].font, "Bypass"));

    // 24 high: font (int)18, bold, in the Roboto Bold face; text rectangle rows 4..20, centred.
    EXPECT_FLOAT_EQ (runs[0].font.getHeight(), 18.0f);
    EXPECT_EQ (runs[0].font.getTypefaceName(), "Montserrat Regular");
    EXPECT_EQ (faceOf (runs[0].font), "Roboto / Bold");
    EXPECT_NEAR (runs[0].positions[0].y, 4.0f + (16.0f - 18.0f) / 2.0f + runs[0].font.getAscent(), 0.5f);

    b.button.setToggleState (false, juce::dontSendNotification);
    runs = paint (b.look, b.button, false, false).textRuns();
    ASSERT_EQ (runs.size(), 1u);
    EXPECT_EQ (runs[0].colour, juce::Colour (0xff654321));
}

TEST (BypassButton, TooNarrowForItsIndentsDrawsNoText)
{
    // 4 wide, 24 high: indents min(11, 2 + 2 / 2) = 3 each leave -2.
    Bypass b (4, 24, false);
    EXPECT_TRUE (paint (b.look, b.button, false, false).glyphs.empty());
}

TEST (MenuButton, TextIsLightGreyInTheFallbackFace)
{
    Ondrel_CLAF_MenuButton look;
    juce::TextButton button ("Menu");
    button.setSize (80, 22);
    button.setColour (juce::TextButton::textColourOffId, juce::Colours::red);
    const auto runs = paint (look, button, false, false).textRuns();
    ASSERT_EQ (runs.size(), 1u);
    EXPECT_FLOAT_EQ (runs[0].font.getHeight(), 14.0f); // (int)14.96
    EXPECT_EQ (faceOf (runs[0].font), "Roboto / Bold");
    EXPECT_EQ (runs[0].colour, juce::Colour (0xffcccccc));
    EXPECT_EQ (runs[0].glyphs, glyphsOf (runs[0].font, "Menu"));
}

TEST (MenuButton, PresetArrowsUseTheArrowFaceAtTheTopOfTheTextArea)
{
    Ondrel_CLAF_MenuButton look;
    for (auto text : { "R", "Q" })
    {
        juce::TextButton button (text);
        button.setSize (40, 22);
        const auto runs = paint (look, button, false, false).textRuns();
        ASSERT_EQ (runs.size(), 1u);
        const auto& arrow = runs[0];
        EXPECT_EQ (arrow.font.getTypefaceName(), "Arrows");
        EXPECT_FLOAT_EQ (arrow.font.getHeight(), 22.0f * 0.95f);
        EXPECT_EQ (faceOf (arrow.font), "Arrows Stand-in / Regular");
        EXPECT_EQ (arrow.glyphs, glyphsOf (arrow.font, text));

        // Indents measured with the 14-high text font: min(8, 2 + 11 / 2) = 7; area (7, 4, 26, 14).
        EXPECT_NEAR (arrow.positions[0].y, 4.0f + arrow.font.getAscent(), 0.5f);
        EXPECT_NEAR (arrow.positions[0].x, 7.0f + (26.0f - arrow.font.getStringWidthFloat (text)) / 2.0f, 0.5f);
    }
}

TEST (MenuButton, HoverThenPressThenFrame)
{
    Ondrel_CLAF_MenuButton look;
    juce::TextButton button ("");
    button.setSize (40, 22);
    const juce::Colour grey (0xff808080);
    const auto d = paint (look, button, true, true, grey);
    const auto expected = grey.overlaidWith (juce::Colour (0x45000000)).overlaidWith (juce::Colour (0x60ffffff));
    EXPECT_TRUE (nearlySame (d.pixel (5, 5), expected, 2));
    EXPECT_EQ (d.pixel (0, 5), frame);

    const auto hoverOnly = paint (look, button, true, false, grey);
    EXPECT_TRUE (nearlySame (hoverOnly.pixel (5, 5), grey.overlaidWith (juce::Colour (0x45000000)), 2));
}
} // namespace
