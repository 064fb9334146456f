#pragma once

#include "lookandfeel/Tamberlo_CLAF_Common.h"

// The bipolar gain knobs: a track split at twelve o'clock under a marker,
// an outer ring, the cap and pointer, and "-" / "+" at the ends for the
// knobs whose text-value suffix is "circle2".
class Sorrendi_CLAF_Knob1_Bipolar : public Tamberlo_CLAF_Common
{
public:
    Sorrendi_CLAF_Knob1_Bipolar() = default;
    ~Sorrendi_CLAF_Knob1_Bipolar() override = default;

    void drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height,
                           float sliderPosProportional, float rotaryStartAngle,
                           float rotaryEndAngle, juce::Slider& slider) override;
};
