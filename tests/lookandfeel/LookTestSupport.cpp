#include "LookTestSupport.h"

#include <cstdlib>

namespace looktest
{
RecordingContext::RecordingContext (const juce::Image& image) : inner (image)
{
    state.font = inner.getFont();
}

void RecordingContext::setOrigin (juce::Point<int> o)
{
    inner.setOrigin (o);
    state.transform = juce::AffineTransform::translation ((float) o.x, (float) o.y).followedBy (state.transform);
}

void RecordingContext::addTransform (const juce::AffineTransform& t)
{
    inner.addTransform (t);
    state.transform = t.followedBy (state.transform);
}

void RecordingContext::saveState()
{
    inner.saveState();
    saved.push_back (state);
}

void RecordingContext::restoreState()
{
    inner.restoreState();
    if (! saved.empty())
    {
        state = saved.back();
        saved.pop_back();
    }
}

void RecordingContext::setFill (const juce::FillType& f)
{
    inner.setFill (f);
    state.fill = f;
}

void RecordingContext::setOpacity (float o)
{
    inner.setOpacity (o);
    state.fill.setOpacity (o);
}

void RecordingContext::record (juce::Path shape)
{
    shape.applyTransform (state.transform);
    fills.push_back ({ shape.getBounds(), shape, state.fill });
}

void RecordingContext::fillAll()
{
    juce::Path p;
    p.addRectangle (getClipBounds().toFloat());
    record (p);
    inner.fillAll();
}

void RecordingContext::fillRect (const juce::Rectangle<int>& r, bool replace)
{
    juce::Path p;
    p.addRectangle (r.toFloat());
    record (p);
    inner.fillRect (r, replace);
}

void RecordingContext::fillRect (const juce::Rectangle<float>& r)
{
    juce::Path p;
    p.addRectangle (r);
    record (p);
    inner.fillRect (r);
}

void RecordingContext::fillRectList (const juce::RectangleList<float>& list)
{
    juce::Path p;
    for (auto& r : list)
        p.addRectangle (r);
    record (p);
    inner.fillRectList (list);
}

void RecordingContext::fillPath (const juce::Path& p, const juce::AffineTransform& t)
{
    auto shape = p;
    shape.applyTransform (t);
    record (shape);
    inner.fillPath (p, t);
}

void RecordingContext::setFont (const juce::Font& f)
{
    inner.setFont (f);
    state.font = f;
}

void RecordingContext::drawGlyph (int glyphNumber, const juce::AffineTransform& t)
{
    const auto origin = juce::Point<float>().transformedBy (t.followedBy (state.transform));
    // A fill's opacity lives in its colour's alpha.
    glyphs.push_back ({ glyphNumber, state.font, origin, state.fill.colour });
    inner.drawGlyph (glyphNumber, t);
}

std::vector<TextRun> textRunsOf (const std::vector<RecordedGlyph>& glyphs)
{
    std::vector<TextRun> runs;
    for (auto& g : glyphs)
    {
        if (runs.empty() || runs.back().font != g.font || runs.back().colour != g.colour)
            runs.push_back ({ g.font, {}, {}, g.colour });
        runs.back().glyphs.push_back (g.glyph);
        runs.back().positions.push_back (g.position);
    }
    return runs;
}

Canvas::Canvas (int width, int height, juce::Colour background)
    : image (juce::Image::ARGB, width, height, true), context (image), g (context)
{
    if (! background.isTransparent())
    {
        juce::Graphics fill (image);
        fill.fillAll (background);
    }
}

std::vector<int> glyphsOf (const juce::Font& font, const juce::String& text)
{
    juce::Array<int> numbers;
    juce::Array<float> offsets;
    font.getGlyphPositions (text.removeCharacters (" "), numbers, offsets);
    return { numbers.begin(), numbers.end() };
}

juce::String faceOf (const juce::Font& font)
{
    auto face = font.getTypefacePtr();
    return face == nullptr ? juce::String() : face->getName() + " / " + face->getStyle();
}

bool nearlySame (juce::Colour a, juce::Colour b, int tolerance)
{
    auto close = [tolerance] (int x, int y) { return std::abs (x - y) <= tolerance; };
    return close (a.getAlpha(), b.getAlpha()) && close (a.getRed(), b.getRed())
           && close (a.getGreen(), b.getGreen()) && close (a.getBlue(), b.getBlue());
}
} // namespace looktest

namespace looktest
{
void ensureMonitorWithoutDisplay()
{
    auto& displays = const_cast<juce::Displays&> (juce::Desktop::getInstance().getDisplays());
    if (! displays.displays.isEmpty())
        return;

    juce::Displays::Display monitor;
    monitor.totalArea = monitor.userArea = { 0, 0, 1920, 1080 };
    monitor.isMain = true;
    monitor.scale = 1.0;
    monitor.dpi = 96.0;
    displays.displays.add (monitor);
}
} // namespace looktest
