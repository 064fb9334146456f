#include "LookTestSupport.h"

#include "lookandfeel/Ondrel_CLAF_EnvSlider.h"

#include <gtest/gtest.h>

namespace
{
using namespace looktest;
const juce::Colour trackColour (0xff040404), thumbColour (0xff121212);

// Background 0xff808080 brightened by 0.1: (int)(255 - 127 / 1.1) = 139.
const juce::Colour background (0xff808080), brightened (0xff8b8b8b);

struct Bar
{
    Bar (const juce::String& name, int width, int height, double value = 0.5) : slider (name)
    {
        slider.setSliderStyle (juce::Slider::LinearHorizontal);
        slider.setRange (0.0, 1.0);
        slider.setValue (value, juce::dontSendNotification);
        slider.setSize (width, height);
        slider.setColour (juce::Slider::backgroundColourId, background);
    }

    Drawn draw (float sliderPos)
    {
        Canvas canvas (slider.getWidth(), slider.getHeight());
        // The rectangle arguments are deliberately off: the look covers the whole component.
        look.drawLinearSlider (canvas.g, 3, 3, 7, 7, sliderPos, 0.0f, 0.0f, juce::Slider::LinearHorizontal, slider);
        return canvas.result();
    }

    Ondrel_CLAF_EnvSlider look;
    juce::Slider slider;
};

// 200 x 60: inset 16, track (16, 9, 168, 7), thumb half width 8, apex row 19,
// base row 34, text band from row 39, 21 high.
TEST (BarSlider, FillsTheWholeComponentAndDrawsTheTrackNearTheTop)
{
    Bar bar ("DryWet", 200, 60);
    const auto d = bar.draw (100.0f);
    EXPECT_EQ (d.pixel (1, 1), brightened);
    EXPECT_EQ (d.pixel (198, 37), brightened);
    EXPECT_EQ (d.pixel (17, 9), trackColour);
    EXPECT_EQ (d.pixel (182, 15), trackColour);
    EXPECT_EQ (d.pixel (100, 8), brightened);
    EXPECT_EQ (d.pixel (100, 16), brightened);
    EXPECT_EQ (d.pixel (15, 12), brightened);
    EXPECT_EQ (d.pixel (184, 12), brightened);
}

TEST (BarSlider, DryWetThumbRunsFromThirteenToOneHundredSevenPercentOfTheTrack)
{
    Bar bar ("DryWet", 200, 60);

    // Left end (sliderPos = bx = 16): centred on (int)(0.13 * 168) = 21.
    const auto left = bar.draw (16.0f);
    EXPECT_EQ (left.pixel (21, 30), thumbColour);
    EXPECT_EQ (left.pixel (21, 18), brightened); // above the apex
    EXPECT_EQ (left.pixel (179, 30), brightened);

    // Right end (sliderPos = bx + tw = 184): centred on (int)(1.07 * 168) = 179.
    const auto right = bar.draw (184.0f);
    EXPECT_EQ (right.pixel (179, 30), thumbColour);
    EXPECT_EQ (right.pixel (21, 30), brightened);
}

TEST (BarSlider, OtherNamesPutTheThumbAtTheSliderPosition)
{
    Bar bar ("Mix", 200, 60);
    const auto d = bar.draw (100.0f);
    EXPECT_EQ (d.pixel (100, 30), thumbColour);
    EXPECT_EQ (d.pixel (100, 35), brightened); // under the base (row 34)
    EXPECT_EQ (d.pixel (92, 30), brightened);  // beside the triangle
}

void expectPercentages (double value, const juce::String& expected)
{
    Bar bar ("DryWet", 200, 60, value);
    const auto runs = bar.draw (100.0f).textRuns();
    ASSERT_EQ (runs.size(), 2u) << value;
    EXPECT_EQ (runs[0].glyphs, glyphsOf (runs[0].font, expected)) << value;
    EXPECT_FLOAT_EQ (runs[0].font.getHeight(), 21.0f);
    EXPECT_EQ (runs[0].font.getTypefaceName(), "Robot Medium");
    EXPECT_TRUE (runs[0].font.isBold());
    EXPECT_EQ (runs[0].colour, thumbColour);
    EXPECT_NEAR (runs[0].positions[0].y, 60.0f - runs[0].font.getDescent(), 0.5f);

    EXPECT_EQ (runs[1].glyphs, glyphsOf (runs[1].font, "DryWet"));
    EXPECT_FLOAT_EQ (runs[1].font.getHeight(), 25.0f); // (int)(1.2 * 21)
}

TEST (BarSlider, DryWetShowsTruncatedDryAndWetPercentages)
{
    expectPercentages (0.57f, "44 : 56");
    expectPercentages (0.0, "100 : 0");
    expectPercentages (1.0, "0 : 100");
    expectPercentages (0.3, "70 : 30");
}

TEST (BarSlider, EnvShowsItsCaptionBetweenMinusAndPlus)
{
    Bar bar ("Env", 200, 60);
    const auto runs = bar.draw (100.0f).textRuns();
    ASSERT_EQ (runs.size(), 2u);
    EXPECT_EQ (runs[0].glyphs, glyphsOf (runs[0].font, "Env"));
    EXPECT_FLOAT_EQ (runs[0].font.getHeight(), 21.0f);
    EXPECT_EQ (runs[1].glyphs, glyphsOf (runs[1].font, "-+"));
    EXPECT_FLOAT_EQ (runs[1].font.getHeight(), 23.0f); // (int)(1.1 * 21)
    EXPECT_LT (runs[1].positions[0].x, runs[0].positions[0].x);
    EXPECT_GT (runs[1].positions[1].x, runs[0].positions[2].x);
}

TEST (BarSlider, SmallSlidersKeepATrackOfTwoPixels)
{
    // 10 x 10: inset (int)0.8 raised to 2, track 6 wide; height (int)1.2 raised to 2: (2, 1, 6, 2).
    Bar small ("Env", 10, 10);
    const auto d = small.draw (5.0f);
    EXPECT_EQ (d.pixel (4, 1), trackColour);
    EXPECT_EQ (d.pixel (5, 2), trackColour);
    EXPECT_EQ (d.pixel (4, 0), brightened);
    EXPECT_EQ (d.pixel (1, 1), brightened);
    EXPECT_EQ (d.pixel (8, 1), brightened);

    // 4 wide: inset 2 on both sides leaves no track at all, also for the dry/wet mapping.
    Bar tiny ("DryWet", 4, 10);
    const auto t = tiny.draw (2.0f);
    for (int x = 0; x < 4; ++x)
        EXPECT_NE (t.pixel (x, 1), trackColour) << x;
}
} // namespace
