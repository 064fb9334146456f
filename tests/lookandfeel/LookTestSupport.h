#pragma once

#include "lookandfeel/IconOutlines.h"
#include "lookandfeel/OndrelLooks.h"
#include "tests/support/MonitorWithoutDisplay.h"

#include <gtest/gtest.h>

// Headless drawing for the look tests: the software renderer on an image, also recording every fill
// and every run of text, so a test can check both pixels and what the look asked for.
// Bounds in the image's coordinates; the fill type carries the opacity in force.
struct Fill { juce::Rectangle<float> bounds; juce::Path path; juce::FillType fill; };
// Glyphs drawn one after another in the same font and colour, with their origins on the baseline.
struct TextRun { juce::Font font; juce::Colour colour; std::vector<int> glyphs; std::vector<juce::Point<float>> positions; };
using Probe = std::tuple<int, int, juce::Colour>; // a pixel and the colour it should have

struct Drawn
{
    juce::Image image;
    std::vector<Fill> fills;
    std::vector<TextRun> runs;
    juce::Colour pixel (int x, int y) const { return image.getPixelAt (x, y); }
    juce::Colour pixel (juce::Point<int> p) const { return image.getPixelAt (p.x, p.y); }
};

struct Recorder : juce::LowLevelGraphicsSoftwareRenderer
{
    using Base = juce::LowLevelGraphicsSoftwareRenderer;
    using Base::Base;
    Drawn drawn;

    void fillRect (const juce::Rectangle<int>& r, bool b) override { record (r.toFloat()); Base::fillRect (r, b); }
    void fillRectList (const juce::RectangleList<float>& list) override { record (list); Base::fillRectList (list); }
    void fillPath (const juce::Path& p, const juce::AffineTransform& t) override { record (p, t); Base::fillPath (p, t); }
    void drawGlyph (int glyph, const juce::AffineTransform& t) override
    {
        const auto colour = stack->fillType.colour; // its alpha is the opacity in force
        auto& runs = drawn.runs;
        if (runs.empty() || runs.back().font != stack->font || runs.back().colour != colour)
            runs.push_back ({ stack->font, colour, {}, {} });
        runs.back().glyphs.push_back (glyph);
        runs.back().positions.push_back (juce::Point<float>().transformedBy (stack->transform.getTransformWith (t)));
        Base::drawGlyph (glyph, t);
    }

    void record (const juce::RectangleList<float>& list) { record (list.toPath(), {}); }
    void record (juce::Path shape, const juce::AffineTransform& t)
    {
        shape.applyTransform (stack->transform.getTransformWith (t));
        drawn.fills.push_back ({ shape.getBounds(), shape, stack->fillType });
    }
};

// Runs `paint` on a w x h image (first filled with `background`) and returns what it left.
template <typename Paint>
Drawn draw (int w, int h, Paint&& paint, juce::Colour background = {})
{
    juce::Image image (juce::Image::ARGB, w, h, true);
    juce::Graphics (image).fillAll (background);
    Recorder recorder (image);
    juce::Graphics g (recorder);
    paint (g);
    recorder.drawn.image = image;
    return recorder.drawn;
}

// Whether a run draws `text` (blanks are never drawn) at `height` in `colour`, in the typeface
// of that name when one is given, with its first glyph where `justification` puts the text
// in `area` when one is given (within half a pixel; vertically centred unless top or bottom).
inline testing::AssertionResult shows (const TextRun& run, const juce::String& text, float height, juce::Colour colour,
                                       const juce::String& typeface = {}, juce::Rectangle<float> area = {},
                                       juce::Justification justification = juce::Justification::centred)
{
    const auto& f = run.font;
    juce::Array<int> glyphs;
    juce::Array<float> offsets;
    f.getGlyphPositions (text.removeCharacters (" "), glyphs, offsets);
    const auto sameText = run.glyphs == std::vector<int> (glyphs.begin(), glyphs.end());
    const auto spare = area.getWidth() - f.getStringWidthFloat (text);
    const juce::Point<float> origin {
        area.getX() + (justification.testFlags (juce::Justification::horizontallyCentred) ? spare / 2.0f : 0.0f),
        justification.testFlags (juce::Justification::top) ? area.getY() + f.getAscent()
        : justification.testFlags (juce::Justification::bottom) ? area.getBottom() - f.getDescent()
                                                                 : area.getCentreY() - f.getHeight() / 2.0f + f.getAscent()
    };
    if (sameText && std::abs (f.getHeight() - height) < 1.0e-4f && run.colour == colour
        && (typeface.isEmpty() || f.getTypefaceName() == typeface)
        && (area.isEmpty() || run.positions[0].getDistanceFrom (origin) < 0.5f))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << (sameText ? text : "other glyphs") << " in \"" << f.getTypefaceName() << "\" "
                                       << f.getHeight() << ", " << run.colour.toDisplayString (true) << " at "
                                       << run.positions[0].toString() << ", not " << origin.toString();
}

// Channels within a tolerance (for blended pixels).
inline testing::AssertionResult nearlySame (juce::Colour a, juce::Colour b, int tolerance = 1)
{
    for (auto channel : { &juce::Colour::getAlpha, &juce::Colour::getRed, &juce::Colour::getGreen, &juce::Colour::getBlue })
        if (std::abs ((a.*channel)() - (b.*channel)()) > tolerance)
            return testing::AssertionFailure() << a.toDisplayString (true) << " is not " << b.toDisplayString (true);
    return testing::AssertionSuccess();
}
