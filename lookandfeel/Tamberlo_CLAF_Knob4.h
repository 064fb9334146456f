#pragma once

#include "lookandfeel/Tamberlo_CLAF_Common.h"

// The panels' rotary knobs: a ring track open at the bottom, the cap, the
// pointer and the caption centred under the knob.
class Tamberlo_CLAF_Knob4 : public Tamberlo_CLAF_Common
{
public:
    Tamberlo_CLAF_Knob4() = default;
    ~Tamberlo_CLAF_Knob4() override = default;

    void drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height,
                           float sliderPosProportional, float rotaryStartAngle,
                           float rotaryEndAngle, juce::Slider& slider) override;
};
