#include "lookandfeel/RotaryKnobParts.h"

namespace RotaryKnobParts
{
Centre centreOf (int x, int y, int width, int height)
{
    const auto w = (float) width, h = (float) height;
    return { (float) x + 0.5f * w, (float) y + 0.4f * h, 0.74f * h * 0.5f };
}

float outerRingSide (float trackWidth)
{
    return juce::jmax (0.0f, trackWidth - 2.0f * 0.08f * trackWidth);
}

juce::Rectangle<float> capBounds (const Centre& c, float trackWidth)
{
    const auto a = outerRingSide (trackWidth);
    const auto d1 = juce::jmax (0.0f, a - 2.0f * 0.02f * a);
    juce::Path e1;
    e1.addEllipse (c.cx - 0.5f * d1, c.cy - 0.5f * d1, d1, d1);
    return e1.getBounds();
}

void drawCapAndPointer (juce::Graphics& g, const Centre& c, juce::Rectangle<float> cap, const juce::Slider& slider,
                        float sliderPosProportional, float rotaryStartAngle, float rotaryEndAngle)
{
    const auto w1 = cap.getWidth(), h1 = cap.getHeight();
    juce::Path e1, e2, e3, e4;
    e1.addEllipse (cap);
    e2.addEllipse (cap.reduced (0.03f * w1));
    const auto ring = cap.reduced (0.07f * w1);
    e3.addEllipse (ring);
    e4.addEllipse (ring.reduced (0.08f * ring.getWidth()));

    juce::DropShadow (juce::Colour (0x73000000), 4, { (int) (0.1f * w1), (int) (0.15f * h1) })
        .drawForPath (g, e2);

    g.setColour (juce::Colour (0xff2a2a2a));
    g.fillPath (e1);

    // Gradient points are in component coordinates: they stay put when the cap moves.
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xb32a2a2a), 0.5f * w1, 0.5f * h1,
                                             juce::Colour (0xb3000000), 0.5f * w1, h1, true));
    g.fillPath (e1);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0x0cffffff), 0.0f, 0.0f,
                                             juce::Colour (0x19000000), w1, h1, false));
    g.fillPath (e1);

    g.setColour (juce::Colours::black);
    g.fillPath (e3);
    g.setColour (slider.findColour (juce::Slider::thumbColourId).brighter (0.2f));
    g.fillPath (e4);

    const auto angle = rotaryStartAngle + sliderPosProportional * (rotaryEndAngle - rotaryStartAngle);
    juce::Path pointer;
    pointer.addRectangle (-0.1f * c.r, -0.8f * c.r, 0.2f * c.r, 0.15f * c.r);
    pointer.applyTransform (juce::AffineTransform::rotation (angle).translated (c.cx, c.cy));
    g.setColour (juce::Colours::white);
    g.fillPath (pointer);
}

int captionMargin (const Centre& c)
{
    return juce::roundToInt (0.2f * 2.0f * c.r);
}

juce::Rectangle<int> captionArea (const juce::Slider& slider, const Centre& c)
{
    const auto width = slider.getWidth(), height = slider.getHeight();
    const auto m = captionMargin (c);
    const auto hf = juce::roundToInt (0.25f * (float) height);
    return { m, juce::roundToInt (0.75f * (float) height), juce::jmax (0, width - 2 * m), hf };
}

juce::Font captionFont (const juce::Slider& slider)
{
    const auto hf = juce::roundToInt (0.25f * (float) slider.getHeight());
    return juce::Font ("Robot Medium", (float) (int) ((float) hf * 0.91f), juce::Font::bold);
}

void drawCaption (juce::Graphics& g, const juce::Slider& slider, const Centre& c,
                  const juce::String& text, const juce::Font& font, juce::Justification justification)
{
    g.setFont (font);
    g.setColour (juce::Colour (0xff121212));
    g.drawFittedText (text, captionArea (slider, c), justification, 1, 0.5f);
}
} // namespace RotaryKnobParts
