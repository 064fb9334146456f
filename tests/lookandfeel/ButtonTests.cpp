#include "LookTestSupport.h"

namespace
{
const juce::Colour frame (0xff909090), black (juce::Colours::black), on (0xff123456), off (0xff654321);

// A w x h button, disabled (which changes nothing), with its own on and off text colours.
Drawn paint (juce::LookAndFeel& look, const char* text, int w, int h, bool toggled, bool over, bool down,
             juce::Colour background = {})
{
    juce::TextButton button (text);
    button.setSize (w, h);
    button.setToggleState (toggled, juce::dontSendNotification);
    button.setEnabled (false);
    button.setColour (juce::TextButton::textColourOnId, on);
    button.setColour (juce::TextButton::textColourOffId, off);
    return draw (w, h, [&] (auto& g) {
        look.drawButtonBackground (g, button, juce::Colours::red, over, down);
        look.drawButtonText (g, button, over, down);
    }, background);
}

// Pixels that differ, by more than anti-aliasing along an edge can explain, from the frame
// and an outline scaled to fit a square, centred, in white.
int differsFromIcon (const juce::Image& drawn, const unsigned char* data, int size, juce::Rectangle<float> square)
{
    const auto expected = draw (drawn.getWidth(), drawn.getHeight(), [&] (auto& g) {
        g.setColour (frame);
        g.drawRect (drawn.getBounds().toFloat(), 1.0f);
        auto icon = IconOutlines::load (data, size);
        g.setColour (juce::Colours::white);
        g.fillPath (icon, icon.getTransformToScaleToFit (square, true, juce::Justification::centred));
    }).image;
    int n = 0;
    for (int y = 0; y < drawn.getHeight(); ++y)
        for (int x = 0; x < drawn.getWidth(); ++x)
            n += nearlySame (drawn.getPixelAt (x, y), expected.getPixelAt (x, y), 48) ? 0 : 1;
    return n;
}

TEST (IconButton, DrawsTheIconItsTextNamesInItsFittedSquare)
{
    using namespace IconOutlines;
    // Fit square (0.12 W, 0.138 H, H, H), scaled towards the origin by 0.81 for the die and 0.8 for the
    // others; the padlock, closed when toggled on, must not match the other padlock. Other texts draw
    // only the frame, and held "down" without the mouse on it there is no pressed fill.
    const struct { const char* text; const unsigned char* data; int size, w, h; juce::Rectangle<float> square; bool on;
                   int tolerance; const unsigned char* otherLock; int otherSize; } cases[] = {
        { "random", svg_dice, svg_diceSize, 40, 30, { 5.67f, 3.3534f, 24.3f, 24.3f }, false, 24, nullptr, 0 },
        { "undo", svg_undo1, svg_undo1Size, 50, 40, { 4.8f, 4.416f, 32.0f, 32.0f }, false, 24, nullptr, 0 },
        { "redo", svg_redo1, svg_redo1Size, 50, 40, { 4.8f, 4.416f, 32.0f, 32.0f }, false, 24, nullptr, 0 },
        { "reset", svg_eraser, svg_eraserSize, 50, 40, { 4.8f, 4.416f, 32.0f, 32.0f }, false, 24, nullptr, 0 },
        { "lock", svg_lock_close, svg_lock_closeSize, 40, 30, { 0, 0, 30, 30 }, true, 3, svg_lock_open, svg_lock_openSize },
        { "lock", svg_lock_open, svg_lock_openSize, 40, 30, { 0, 0, 30, 30 }, false, 3, svg_lock_close, svg_lock_closeSize },
        { "Random", nullptr, 0, 40, 30, {}, false, 0, nullptr, 0 }, { "", nullptr, 0, 40, 30, {}, true, 0, nullptr, 0 },
    };
    KesCLAF_RndRstButton look;
    for (auto& c : cases)
    {
        const auto d = paint (look, c.text, c.w, c.h, c.on, c.data == nullptr, c.data == nullptr);
        EXPECT_LE (differsFromIcon (d.image, c.data, c.size, c.square), c.tolerance) << c.text;
        EXPECT_TRUE (d.runs.empty());
        EXPECT_TRUE (c.otherLock == nullptr || differsFromIcon (d.image, c.otherLock, c.otherSize, c.square) > 20) << c.on;
    }
}

TEST (TextButtons, ShadesFrameAndText)
{
    Ondrel_CLAF_BypassButton bypass;
    Ondrel_CLAF_MenuButton menu;
    const juce::Colour grey (0xff808080), menuHover = grey.overlaidWith (juce::Colour (0x45000000));
    // The bypass look's opaque on-fill covers its hover shade; the menu look presses over its hover.
    const struct { juce::LookAndFeel* look; bool on, over, down; juce::Colour back; int x, y; juce::Colour expected;
                   int tolerance; } cases[] = {
        { &bypass, true, true, false, black, 3, 3, juce::Colour (0xffeeeeee), 0 },
        { &bypass, false, true, false, black, 3, 3, black.overlaidWith (juce::Colour (0x25ffffff)), 1 },
        { &bypass, false, true, false, black, 0, 12, frame, 0 }, { &bypass, false, false, false, black, 3, 3, black, 0 },
        { &menu, false, true, true, grey, 5, 5, menuHover.overlaidWith (juce::Colour (0x60ffffff)), 2 },
        { &menu, false, true, true, grey, 0, 5, frame, 0 }, { &menu, false, true, false, grey, 5, 5, menuHover, 2 },
    };
    for (auto& c : cases)
        EXPECT_TRUE (nearlySame (paint (*c.look, "", 90, 24, c.on, c.over, c.down, c.back).pixel (c.x, c.y), c.expected, c.tolerance))
            << c.x << "," << c.y;

    // Bypass, 24 high: font (int)18, indents min(11, 2 + 12 / 2) = 8, area (8, 4, w - 16, 16), centred, in the
    // on or off colour even when disabled; 4 wide, indents min(11, 2 + 2 / 2) = 3 leave no room. Menu, 22 high:
    // font (int)14.96, indents min(8, 2 + 11 / 2) = 7, area (7, 4, w - 14, 14), light grey; the arrows at 0.95 H
    // in the arrow face, at the top of the area.
    const juce::Colour grey2 (0xffcccccc);
    const auto centred = juce::Justification::centred, top = juce::Justification::centredTop;
    const struct { juce::LookAndFeel* look; const char* text; int w, h; bool on; const char* face; float height;
                   juce::Colour colour; juce::Rectangle<float> area; juce::Justification j; } texts[] = {
        { &bypass, "Bypass", 90, 24, true, "Montserrat Regular", 18.0f, on, { 8, 4, 74, 16 }, centred },
        { &bypass, "Bypass", 90, 24, false, "Montserrat Regular", 18.0f, off, { 8, 4, 74, 16 }, centred },
        { &bypass, "Bypass", 4, 24, false, nullptr, 0, {}, {}, centred },
        { &menu, "Menu", 80, 22, false, "Montserrat Regular", 14.0f, grey2, { 7, 4, 66, 14 }, centred },
        { &menu, "R", 40, 22, false, "Arrows", 22.0f * 0.95f, grey2, { 7, 4, 26, 14 }, top },
        { &menu, "Q", 40, 22, true, "Arrows", 22.0f * 0.95f, grey2, { 7, 4, 26, 14 }, top },
    };
    for (auto& c : texts)
    {
        const auto runs = paint (*c.look, c.text, c.w, c.h, c.on, false, false).runs;
        ASSERT_EQ (runs.size(), c.face != nullptr ? 1u : 0u) << c.text << " " << c.w;
        EXPECT_TRUE (c.face == nullptr || (shows (runs[0], c.text, c.height, c.colour, c.face, c.area, c.j) && runs[0].font.isBold()));
    }
}
} // namespace
