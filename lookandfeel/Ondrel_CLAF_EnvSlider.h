#pragma once

#include "lookandfeel/Tamberlo_CLAF_Common.h"

// The horizontal bar sliders ("DryWet", "Env"): a thin track near the top, a
// triangular thumb under it and a text band at the bottom. The whole drawing
// is done in drawLinearSlider over the whole component.
class Ondrel_CLAF_EnvSlider : public Tamberlo_CLAF_Common
{
public:
    Ondrel_CLAF_EnvSlider() = default;
    ~Ondrel_CLAF_EnvSlider() override = default;

    void drawLinearSlider (juce::Graphics& g, int x, int y, int width, int height,
                           float sliderPos, float minSliderPos, float maxSliderPos,
                           juce::Slider::SliderStyle style, juce::Slider& slider) override;
    void drawLinearSliderBackground (juce::Graphics&, int, int, int, int, float, float, float,
                                     juce::Slider::SliderStyle, juce::Slider&) override {}
    void drawLinearSliderThumb (juce::Graphics&, int, int, int, int, float, float, float,
                                juce::Slider::SliderStyle, juce::Slider&) override {}
};
