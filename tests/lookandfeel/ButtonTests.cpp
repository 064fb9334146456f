#include "LookTestSupport.h"

#include "lookandfeel/IconOutlines.h"
#include "lookandfeel/KesCLAF_RndRstButton.h"
#include "lookandfeel/Ondrel_CLAF_BypassButton.h"
#include "lookandfeel/Ondrel_CLAF_MenuButton.h"

namespace
{
using namespace looktest;
const juce::Colour frame (0xff909090), black (juce::Colours::black);

Drawn paint (juce::LookAndFeel& look, juce::TextButton& button, bool over, bool down, juce::Colour background = {})
{
    return draw (button.getWidth(), button.getHeight(), [&] (auto& g) {
        look.drawButtonBackground (g, button, juce::Colours::red, over, down);
        look.drawButtonText (g, button, over, down);
    }, background);
}

// Pixels of an icon button's drawing that differ, by more than anti-aliasing along an edge can
// explain, from the frame and an outline scaled to fit a square, centred, in white.
int differsFromIcon (const juce::Image& drawn, const unsigned char* data, int size, juce::Rectangle<float> square)
{
    juce::Image expected (juce::Image::ARGB, drawn.getWidth(), drawn.getHeight(), true);
    juce::Graphics g (expected);
    g.setColour (frame);
    g.drawRect (expected.getBounds().toFloat(), 1.0f);
    auto icon = IconOutlines::load (data, size);
    g.setColour (juce::Colours::white);
    g.fillPath (icon, icon.getTransformToScaleToFit (square, true, juce::Justification::centred));
    int n = 0;
    for (int y = 0; y < drawn.getHeight(); ++y)
        for (int x = 0; x < drawn.getWidth(); ++x)
            n += nearlySame (drawn.getPixelAt (x, y), expected.getPixelAt (x, y), 48) ? 0 : 1;
    return n;
}

TEST (IconButton, DrawsTheIconItsTextNamesInItsFittedSquare)
{
    using namespace IconOutlines;
    // Fit square (0.12 W, 0.138 H, H, H), scaled towards the origin by 0.81 for the die and 0.8 for
    // the others; the padlock is closed when toggled on. Other texts draw only the frame.
    const struct { const char* text; const unsigned char* data; int size, w, h; juce::Rectangle<float> square; bool on;
                   int tolerance; } cases[] = {
        { "random", svg_dice, svg_diceSize, 40, 30, { 5.67f, 3.3534f, 24.3f, 24.3f }, false, 24 },
        { "undo", svg_undo1, svg_undo1Size, 50, 40, { 4.8f, 4.416f, 32.0f, 32.0f }, false, 24 },
        { "redo", svg_redo1, svg_redo1Size, 50, 40, { 4.8f, 4.416f, 32.0f, 32.0f }, false, 24 },
        { "reset", svg_eraser, svg_eraserSize, 50, 40, { 4.8f, 4.416f, 32.0f, 32.0f }, false, 24 },
        { "lock", svg_lock_close, svg_lock_closeSize, 40, 30, { 0, 0, 30, 30 }, true, 3 },
        { "lock", svg_lock_open, svg_lock_openSize, 40, 30, { 0, 0, 30, 30 }, false, 3 },
        { "Random", nullptr, 0, 40, 30, {}, false, 0 }, { "Undo", nullptr, 0, 40, 30, {}, true, 0 },
        { "", nullptr, 0, 40, 30, {}, false, 0 },
    };
    KesCLAF_RndRstButton look;
    for (auto& c : cases)
    {
        juce::TextButton button (c.text);
        button.setSize (c.w, c.h);
        button.setToggleState (c.on, juce::dontSendNotification);
        // Held "down" without the mouse on it: no pressed fill.
        const auto d = paint (look, button, c.data == nullptr, c.data == nullptr);
        EXPECT_LE (differsFromIcon (d.image, c.data, c.size, c.square), c.tolerance) << c.text;
        EXPECT_TRUE (d.runs.empty());
        if (c.tolerance == 3) // and it is not the other padlock
        {
            EXPECT_GT (differsFromIcon (d.image, c.on ? svg_lock_open : svg_lock_close,
                                        c.on ? svg_lock_openSize : svg_lock_closeSize, c.square), 20);
        }
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
        { &bypass, false, true, false, black, 0, 12, frame, 0 },
        { &bypass, false, false, false, black, 3, 3, black, 0 },
        { &menu, false, true, true, grey, 5, 5, menuHover.overlaidWith (juce::Colour (0x60ffffff)), 2 },
        { &menu, false, true, true, grey, 0, 5, frame, 0 },
        { &menu, false, true, false, grey, 5, 5, menuHover, 2 },
    };
    for (auto& c : cases)
    {
        juce::TextButton button;
        button.setSize (90, 24);
        button.setToggleState (c.on, juce::dontSendNotification);
        const auto pixel = paint (*c.look, button, c.over, c.down, c.back).pixel (c.x, c.y);
        EXPECT_TRUE (nearlySame (pixel, c.expected, c.tolerance)) << c.x << "," << c.y << ": " << pixel.toString();
    }

    // Bypass, 90 x 24: font (int)18, indents min(11, 2 + 12 / 2) = 8, area (8, 4, 74, 16), centred, in the
    // on or off colour even when disabled. Menu, 22 high: font (int)14.96, indents min(8, 2 + 11 / 2) = 7,
    // area (7, 4, w - 14, 14), light grey; the arrows at 0.95 H in the arrow face, at the top of the area.
    const struct { juce::LookAndFeel* look; const char* text; int w; bool on; const char* face; float height;
                   juce::Colour colour; juce::Rectangle<float> area; juce::Justification j; } texts[] = {
        { &bypass, "Bypass", 90, true, "Montserrat Regular", 18.0f, juce::Colour (0xff123456), { 8, 4, 74, 16 }, juce::Justification::centred },
        { &bypass, "Bypass", 90, false, "Montserrat Regular", 18.0f, juce::Colour (0xff654321), { 8, 4, 74, 16 }, juce::Justification::centred },
        { &menu, "Menu", 80, false, "Montserrat Regular", 14.0f, juce::Colour (0xffcccccc), { 7, 4, 66, 14 }, juce::Justification::centred },
        { &menu, "R", 40, false, "Arrows", 22.0f * 0.95f, juce::Colour (0xffcccccc), { 7, 4, 26, 14 }, juce::Justification::centredTop },
        { &menu, "Q", 40, true, "Arrows", 22.0f * 0.95f, juce::Colour (0xffcccccc), { 7, 4, 26, 14 }, juce::Justification::centredTop },
    };
    for (auto& c : texts)
    {
        juce::TextButton button (c.text);
        button.setSize (c.w, c.look == &bypass ? 24 : 22);
        button.setToggleState (c.on, juce::dontSendNotification);
        button.setEnabled (false);
        button.setColour (juce::TextButton::textColourOnId, juce::Colour (0xff123456));
        button.setColour (juce::TextButton::textColourOffId, juce::Colour (0xff654321));
        const auto runs = paint (*c.look, button, false, false).runs;
        ASSERT_EQ (runs.size(), 1u) << c.text;
        EXPECT_TRUE (shows (runs[0], c.text, c.height, c.colour, c.face, c.area, c.j));
        EXPECT_TRUE (runs[0].font.isBold());
    }
    // 4 wide: indents min(11, 2 + 2 / 2) = 3 each leave no room for text.
    juce::TextButton narrow ("Bypass");
    narrow.setSize (4, 24);
    EXPECT_TRUE (paint (bypass, narrow, false, false).runs.empty());
}
} // namespace
