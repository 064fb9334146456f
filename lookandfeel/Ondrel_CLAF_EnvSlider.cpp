#include "lookandfeel/Ondrel_CLAF_EnvSlider.h"

namespace
{
// Too thin a track or inset would vanish on small sliders: 2 pixels at least.
int atLeastTwo (int v)
{
    return v <= 1 ? 2 : v;
}

void drawBandText (juce::Graphics& g, const juce::String& text, juce::Rectangle<int> band,
                   int fontHeight, juce::Justification justification)
{
    g.setFont (juce::Font ("Robot Medium", (float) fontHeight, juce::Font::bold));
    g.drawFittedText (text, band, justification, 1, 0.5f);
}
} // namespace

void Ondrel_CLAF_EnvSlider::drawLinearSlider (juce::Graphics& g, int, int, int, int,
                                              float sliderPos, float, float,
                                              juce::Slider::SliderStyle, juce::Slider& slider)
{
    const auto W = slider.getWidth(), H = slider.getHeight();
    const auto w = (float) W, h = (float) H;

    const auto inset = atLeastTwo ((int) (0.08f * w));
    const auto tw = juce::jmax (0, W - 2 * inset);
    const auto th = atLeastTwo ((int) (0.12f * h));
    const auto bx = W / 2 - tw / 2;
    const auto by = (int) (0.2f * h) - th / 2;
    const auto t = (int) (0.14f * h);
    const auto ty = (int) (0.66f * h);
    const juce::Rectangle<int> band (0, ty, W, H - ty);

    g.fillAll (slider.findColour (juce::Slider::backgroundColourId).brighter (0.1f));

    g.setColour (juce::Colour (0xff040404));
    g.fillRoundedRectangle ((float) bx, (float) by, (float) tw, (float) th, 1.0f);

    const auto isDryWet = slider.getName() == "DryWet";
    auto p = sliderPos;
    if (isDryWet)
    {
        // The dry/wet thumb runs over a span of its own, shifted right of the track.
        const auto a = (float) (int) (0.13f * (float) tw);
        const auto b = (float) (int) (1.07f * (float) tw);
        p = tw > 0 ? a + (sliderPos - (float) bx) * (b - a) / (float) tw : a;
    }

    const auto xl = (int) (p - (float) t);
    const auto baseY = (float) (int) (0.57f * h);
    juce::Path thumb;
    thumb.addTriangle ((float) (xl + t), (float) (int) (0.33f * h),
                       (float) xl, baseY,
                       (float) (xl + 2 * t), baseY);
    g.setColour (juce::Colour (0xff121212));
    g.fillPath (thumb);

    const auto tb = H - ty;
    if (slider.getName() == "Env")
    {
        drawBandText (g, "Env", band, tb, juce::Justification (20));
        drawBandText (g, "-               +", band, (int) (1.1f * (float) tb), juce::Justification (20));
        return;
    }

    const auto v = (int) (slider.getValue() * 100);
    drawBandText (g, juce::String (100 - v) + " : " + juce::String (v), band, tb, juce::Justification (20));
    drawBandText (g, "Dry                             Wet", band, (int) (1.2f * (float) tb),
                  juce::Justification::centred);
}
