#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

// Headless drawing for the look tests: a software renderer on an image, with
// every fill and glyph also recorded, so a test can check both pixels and
// what the look asked for (fonts, colours, opacity, geometry).
namespace looktest
{
struct RecordedFill
{
    juce::Rectangle<float> bounds; // in the graphics context's user coordinates
    juce::Path path;               // the filled outline (rectangles included)
    juce::FillType fill;           // colour or gradient, with the opacity in force
};

struct RecordedGlyph
{
    int glyph;
    juce::Font font;
    juce::Point<float> position; // the glyph's origin on the baseline
    juce::Colour colour;         // with the opacity in force
};

// A run of glyphs drawn one after another in the same font.
struct TextRun
{
    juce::Font font;
    std::vector<int> glyphs;
    std::vector<juce::Point<float>> positions;
    juce::Colour colour;
};

class RecordingContext : public juce::LowLevelGraphicsContext
{
public:
    explicit RecordingContext (const juce::Image& image);

    std::vector<RecordedFill> fills;
    std::vector<RecordedGlyph> glyphs;

    bool isVectorDevice() const override { return false; }
    void setOrigin (juce::Point<int> o) override;
    void addTransform (const juce::AffineTransform& t) override;
    float getPhysicalPixelScaleFactor() override { return inner.getPhysicalPixelScaleFactor(); }
    bool clipToRectangle (const juce::Rectangle<int>& r) override { return inner.clipToRectangle (r); }
    bool clipToRectangleList (const juce::RectangleList<int>& r) override { return inner.clipToRectangleList (r); }
    void excludeClipRectangle (const juce::Rectangle<int>& r) override { inner.excludeClipRectangle (r); }
    void clipToPath (const juce::Path& p, const juce::AffineTransform& t) override { inner.clipToPath (p, t); }
    void clipToImageAlpha (const juce::Image& i, const juce::AffineTransform& t) override { inner.clipToImageAlpha (i, t); }
    bool clipRegionIntersects (const juce::Rectangle<int>& r) override { return inner.clipRegionIntersects (r); }
    juce::Rectangle<int> getClipBounds() const override { return inner.getClipBounds(); }
    bool isClipEmpty() const override { return inner.isClipEmpty(); }
    void saveState() override;
    void restoreState() override;
    void beginTransparencyLayer (float opacity) override { inner.beginTransparencyLayer (opacity); }
    void endTransparencyLayer() override { inner.endTransparencyLayer(); }
    void setFill (const juce::FillType& f) override;
    void setOpacity (float o) override;
    void setInterpolationQuality (juce::Graphics::ResamplingQuality q) override { inner.setInterpolationQuality (q); }
    void fillAll() override;
    void fillRect (const juce::Rectangle<int>& r, bool replace) override;
    void fillRect (const juce::Rectangle<float>& r) override;
    void fillRectList (const juce::RectangleList<float>& list) override;
    void fillPath (const juce::Path& p, const juce::AffineTransform& t) override;
    void drawImage (const juce::Image& i, const juce::AffineTransform& t) override { inner.drawImage (i, t); }
    void drawLine (const juce::Line<float>& l) override { inner.drawLine (l); }
    void setFont (const juce::Font& f) override;
    const juce::Font& getFont() override { return inner.getFont(); }
    void drawGlyph (int glyphNumber, const juce::AffineTransform& t) override;

private:
    struct State
    {
        juce::FillType fill;
        juce::Font font;
        juce::AffineTransform transform;
    };

    void record (juce::Path shape);

    juce::LowLevelGraphicsSoftwareRenderer inner;
    State state;
    std::vector<State> saved;
};

// Consecutive glyphs in the same font and colour, as runs of text.
std::vector<TextRun> textRunsOf (const std::vector<RecordedGlyph>& glyphs);

// What a drawing left behind: the pixels and the record.
struct Drawn
{
    juce::Image image;
    std::vector<RecordedFill> fills;
    std::vector<RecordedGlyph> glyphs;

    juce::Colour pixel (int x, int y) const { return image.getPixelAt (x, y); }
    std::vector<TextRun> textRuns() const { return textRunsOf (glyphs); }
};

// An image with a recording graphics context on it.
struct Canvas
{
    Canvas (int width, int height, juce::Colour background = juce::Colours::transparentBlack);

    juce::Colour pixel (int x, int y) const { return image.getPixelAt (x, y); }
    Drawn result() const { return { image, context.fills, context.glyphs }; }

    juce::Image image;
    RecordingContext context;
    juce::Graphics g;
};

// The glyph numbers a font draws for a text (blanks are never drawn).
std::vector<int> glyphsOf (const juce::Font& font, const juce::String& text);

// The family and style of the face a font resolves to.
juce::String faceOf (const juce::Font& font);

// Channels within a tolerance (for blended pixels).
bool nearlySame (juce::Colour a, juce::Colour b, int tolerance = 1);
} // namespace looktest

namespace looktest
{
// Without an X display the framework knows no monitor, and windows that size
// themselves from it (the alert window) cannot be built. This gives it one.
void ensureMonitorWithoutDisplay();
} // namespace looktest
