#include "lookandfeel/Tamberlo_CLAF_Knob4.h"

#include "lookandfeel/RotaryKnobParts.h"

void Tamberlo_CLAF_Knob4::drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height,
                                            float sliderPosProportional, float rotaryStartAngle,
                                            float rotaryEndAngle, juce::Slider& slider)
{
    using namespace RotaryKnobParts;
    constexpr auto pi = juce::MathConstants<float>::pi;
    const auto c = centreOf (x, y, width, height);

    juce::Path track;
    const auto square = c.trackSquare();
    track.addPieSegment (square.getX(), square.getY(), square.getWidth(), square.getHeight(),
                         5.0f * pi / 4.0f, 11.0f * pi / 4.0f, 0.94f);
    g.setColour (juce::Colour (0xff020202));
    g.fillPath (track);

    drawCapAndPointer (g, c, capBounds (c, track.getBounds().getWidth()), slider, sliderPosProportional,
                       rotaryStartAngle, rotaryEndAngle);

    if (slider.getName() == "bal")
        return;

    drawCaption (g, slider, c, slider.getName(), captionFont (slider), juce::Justification (20));
}
