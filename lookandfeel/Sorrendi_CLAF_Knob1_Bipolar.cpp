#include "lookandfeel/Sorrendi_CLAF_Knob1_Bipolar.h"

#include "lookandfeel/RotaryKnobParts.h"

namespace
{
// Names that pick end labels of their own with the "circle2" suffix; no
// control of this program carries them, so they draw no end labels here.
bool hasOwnEndLabels (const juce::String& name)
{
    return juce::StringArray { "PW", "FILTER", "Vco1", "Vco2", "Sub", "Mod", "Pan" }.contains (name);
}

juce::String captionText (const juce::String& name)
{
    if (name == "sPan")
        return "Pan";
    if (name == "sMod")
        return "Mod";
    return name;
}
} // namespace

void Sorrendi_CLAF_Knob1_Bipolar::drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height,
                                                    float sliderPosProportional, float rotaryStartAngle,
                                                    float rotaryEndAngle, juce::Slider& slider)
{
    using namespace RotaryKnobParts;
    constexpr auto pi = juce::MathConstants<float>::pi;
    const auto c = centreOf (x, y, width, height);
    const auto W = slider.getWidth(), H = slider.getHeight();
    const juce::Colour trackColour (0xff020202);

    juce::Path track;
    const auto square = c.trackSquare();
    track.addPieSegment (square, 1.3f * pi, 1.95f * pi, 0.94f);
    track.addPieSegment (square, 2.05f * pi, 2.7f * pi, 0.94f);
    g.setColour (trackColour);
    g.fillPath (track);
    const auto trackWidth = track.getBounds().getWidth();

    juce::Path marker;
    marker.addTriangle ((float) (int) (0.44f * (float) W), 0.0f,
                        (float) (int) (0.56f * (float) W), 0.0f,
                        c.cx, (float) (int) (0.095f * (float) H));
    g.fillPath (marker);

    const auto a = outerRingSide (trackWidth);
    g.setColour (juce::Colours::black.brighter (0.03f));
    g.fillEllipse (c.cx - 0.5f * a, c.cy - 0.5f * a, a, a);

    const auto cap = capBounds (c, trackWidth);
    g.setColour (juce::Colours::black.brighter (0.3f));
    g.fillEllipse (cap);

    drawCapAndPointer (g, c, cap, slider, sliderPosProportional, rotaryStartAngle, rotaryEndAngle);

    const auto name = slider.getName();
    if (name == "bal")
        return;

    auto font = captionFont (slider);
    if (name == "Fine" || name == "sPan" || name == "sMod")
        font.setHeight ((float) juce::roundToInt (0.22f * (float) H));

    drawCaption (g, slider, c, captionText (name), font, juce::Justification::centred);

    if (slider.getTextValueSuffix() != "circle2" || hasOwnEndLabels (name))
        return;

    const auto m = captionMargin (c);
    const juce::Rectangle<int> ends (m, (int) (0.62f * (float) H), juce::jmax (0, W - 2 * m), (int) (0.18f * (float) H));
    g.setColour (juce::Colour (0xff242424));
    g.drawFittedText ("-", ends, juce::Justification::left, 1, 0.5f);
    g.drawFittedText ("+", ends, juce::Justification::right, 1, 0.5f);
}
