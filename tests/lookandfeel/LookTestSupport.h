#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "tests/support/MonitorWithoutDisplay.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>
#include <vector>

// Headless drawing for the look tests: the software renderer on an image, also
// recording every fill and every run of text, so a test can check both pixels
// and what the look asked for (fonts, colours, opacity, geometry).
namespace looktest
{
struct Fill
{
    juce::Rectangle<float> bounds; // in the image's coordinates
    juce::Path path;
    juce::FillType fill; // with the opacity in force
};

// Glyphs drawn one after another in the same font and colour.
struct TextRun
{
    juce::Font font;
    juce::Colour colour;
    std::vector<int> glyphs;
    std::vector<juce::Point<float>> positions; // origins on the baseline
};

using Probe = std::tuple<int, int, juce::Colour>; // a pixel and the colour it should have

struct Drawn
{
    juce::Image image;
    std::vector<Fill> fills;
    std::vector<TextRun> runs;
    juce::Colour pixel (int x, int y) const { return image.getPixelAt (x, y); }
};

class Recorder : public juce::LowLevelGraphicsSoftwareRenderer
{
    using Base = juce::LowLevelGraphicsSoftwareRenderer;

public:
    using Base::Base;
    std::vector<Fill> fills;
    std::vector<TextRun> runs;

    void fillRect (const juce::Rectangle<int>& r, bool b) override { record (r.toFloat()); Base::fillRect (r, b); }
    void fillRect (const juce::Rectangle<float>& r) override { record (r); Base::fillRect (r); }
    void fillRectList (const juce::RectangleList<float>& list) override { record (list); Base::fillRectList (list); }
    void fillPath (const juce::Path& p, const juce::AffineTransform& t) override
    {
        record (p, t);
        Base::fillPath (p, t);
    }
    void drawGlyph (int glyph, const juce::AffineTransform& t) override
    {
        const auto colour = stack->fillType.colour; // its alpha is the opacity in force
        if (runs.empty() || runs.back().font != stack->font || runs.back().colour != colour)
            runs.push_back ({ stack->font, colour, {}, {} });
        runs.back().glyphs.push_back (glyph);
        runs.back().positions.push_back (juce::Point<float>().transformedBy (stack->transform.getTransformWith (t)));
        Base::drawGlyph (glyph, t);
    }

private:
    void record (const juce::RectangleList<float>& list) { record (list.toPath(), {}); }
    void record (juce::Path shape, const juce::AffineTransform& t)
    {
        shape.applyTransform (stack->transform.getTransformWith (t));
        fills.push_back ({ shape.getBounds(), shape, stack->fillType });
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
    return { image, recorder.fills, recorder.runs };
}

// Whether a run draws `text` (blanks are never drawn) at `height` in `colour`, in the typeface
// of that name when one is given, with its first glyph where `justification` puts the text
// in `area` when one is given (within half a pixel; vertically centred unless top or bottom).
inline testing::AssertionResult shows (const TextRun& run, const juce::String& text, float height, juce::Colour colour,
                                       const juce::String& typeface = {}, juce::Rectangle<float> area = {},
                                       juce::Justification justification = juce::Justification::centred)
{
    juce::Array<int> glyphs;
    juce::Array<float> offsets;
    run.font.getGlyphPositions (text.removeCharacters (" "), glyphs, offsets);
    const auto sameText = run.glyphs == std::vector<int> (glyphs.begin(), glyphs.end());
    const auto& f = run.font;
    const auto spare = area.getWidth() - f.getStringWidthFloat (text);
    const juce::Point<float> origin {
        area.getX() + (justification.testFlags (juce::Justification::horizontallyCentred) ? spare / 2.0f : 0.0f),
        justification.testFlags (juce::Justification::top) ? area.getY() + f.getAscent()
        : justification.testFlags (juce::Justification::bottom) ? area.getBottom() - f.getDescent()
                                                                 : area.getCentreY() - f.getHeight() / 2.0f + f.getAscent()
    };
    if (sameText && std::abs (f.getHeight() - height) < 1.0e-4f && run.colour == colour
        && (typeface.isEmpty() || f.getTypefaceName() == typeface)
        && (area.isEmpty() || (std::abs (run.positions[0].x - origin.x) < 0.5f && std::abs (run.positions[0].y - origin.y) < 0.5f)))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << (sameText ? text : "other glyphs").toStdString() << " in \""
                                       << f.getTypefaceName().toStdString() << "\" " << f.getHeight() << ", "
                                       << run.colour.toDisplayString (true).toStdString() << " at "
                                       << run.positions[0].toString().toStdString() << ", not "
                                       << origin.toString().toStdString();
}

// Channels within a tolerance (for blended pixels).
inline bool nearlySame (juce::Colour a, juce::Colour b, int tolerance = 1)
{
    auto close = [tolerance] (int x, int y) { return std::abs (x - y) <= tolerance; };
    return close (a.getAlpha(), b.getAlpha()) && close (a.getRed(), b.getRed())
           && close (a.getGreen(), b.getGreen()) && close (a.getBlue(), b.getBlue());
}

} // namespace looktest
