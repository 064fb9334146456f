#include "LookTestSupport.h"

#include "lookandfeel/Sorrendi_CLAF_Knob1_Bipolar.h"
#include "lookandfeel/Tamberlo_CLAF_Knob4.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
using namespace looktest;
constexpr float pi = juce::MathConstants<float>::pi;
constexpr float startAngle = 1.3f * pi, endAngle = 2.7f * pi;
const juce::Colour track (0xff020202), darkAccent (0xffeb3c14);

// A 100 x 100 knob: r = 37, centre (50, 40); the track ring lies between
// radius 34.78 and 37.
struct Knob
{
    explicit Knob (const juce::String& name, const juce::String& suffix = {}, int width = 100, int height = 100)
        : slider (name)
    {
        slider.setSize (width, height);
        slider.setTextValueSuffix (suffix);
        slider.setColour (juce::Slider::thumbColourId, darkAccent);
    }

    Drawn draw (juce::LookAndFeel& look, float position)
    {
        Canvas canvas (slider.getWidth(), slider.getHeight());
        look.drawRotarySlider (canvas.g, 0, 0, slider.getWidth(), slider.getHeight(), position, startAngle, endAngle,
                               slider);
        return canvas.result();
    }

    juce::Slider slider;
};

// Centre of the pointer: 0.725 r from the knob's centre at the given angle (clockwise from twelve).
juce::Point<int> pointerPixel (float angle)
{
    const auto d = 0.725f * 37.0f;
    return { (int) std::floor (50.0f + d * std::sin (angle)), (int) std::floor (40.0f - d * std::cos (angle)) };
}

TEST (Knob4, TrackRingIsClosedAtTheTopAndOpenAtTheBottom)
{
    Tamberlo_CLAF_Knob4 look;
    Knob knob ("Depth");
    const auto c = knob.draw (look, 0.3f);
    EXPECT_EQ (c.pixel (14, 40), track);  // nine o'clock
    EXPECT_EQ (c.pixel (75, 14), track);  // half past one (the shadow falls right and down)
    EXPECT_EQ (c.pixel (45, 4), track);   // just left of twelve o'clock
    EXPECT_EQ (c.pixel (50, 1).getAlpha(), 0); // above the ring: no marker on this look
    EXPECT_EQ (c.pixel (29, 69).getAlpha(), 0); // 215 degrees, in the opening clear of the shadow
}

TEST (Knob4, CentreIsTheThumbColourBrightenedAndRingIsBlack)
{
    Tamberlo_CLAF_Knob4 look;
    Knob knob ("Depth");
    EXPECT_EQ (knob.draw (look, 0.0f).pixel (50, 40), juce::Colour (0xffee5c3b));

    knob.slider.setColour (juce::Slider::thumbColourId, juce::Colour (0xfff05f40));
    const auto c = knob.draw (look, 0.0f);
    EXPECT_EQ (c.pixel (50, 40), juce::Colour (0xfff2795f));
    EXPECT_EQ (c.pixel (50, 63), juce::Colours::black); // between E4 (radius 21.5) and E1 (radius 29.8)
}

TEST (Knob4, PointerStandsAtTheStartAndEndAngles)
{
    Tamberlo_CLAF_Knob4 look;
    Knob knob ("Depth");
    const auto atStart = pointerPixel (startAngle), atEnd = pointerPixel (endAngle);

    const auto start = knob.draw (look, 0.0f);
    EXPECT_EQ (start.pixel (atStart.x, atStart.y), juce::Colours::white);
    EXPECT_NE (start.pixel (atEnd.x, atEnd.y), juce::Colours::white);

    const auto end = knob.draw (look, 1.0f);
    EXPECT_EQ (end.pixel (atEnd.x, atEnd.y), juce::Colours::white);
    EXPECT_NE (end.pixel (atStart.x, atStart.y), juce::Colours::white);
}

TEST (Knob4, CaptionIsTheNameAtTheBottomOfItsBand)
{
    Tamberlo_CLAF_Knob4 look;
    Knob knob ("Depth");
    const auto runs = knob.draw (look, 0.5f).textRuns();
    ASSERT_EQ (runs.size(), 1u);
    const auto& caption = runs[0];

    // hf = 25, font (int)(25 * 0.91) = 22, band (15, 75, 70, 25), bottom-justified.
    EXPECT_EQ (caption.font.getTypefaceName(), "Robot Medium");
    EXPECT_FLOAT_EQ (caption.font.getHeight(), 22.0f);
    EXPECT_TRUE (caption.font.isBold());
    EXPECT_EQ (caption.colour, juce::Colour (0xff121212));
    EXPECT_EQ (caption.glyphs, glyphsOf (caption.font, "Depth"));
    EXPECT_NEAR (caption.positions[0].y, 100.0f - caption.font.getDescent(), 0.5f);
    const auto width = caption.font.getStringWidthFloat ("Depth");
    EXPECT_NEAR (caption.positions[0].x, 15.0f + (70.0f - width) / 2.0f, 0.5f);
}

TEST (Knob4, BalDrawsNoCaptionAndTooNarrowACaptionBandStaysEmpty)
{
    Tamberlo_CLAF_Knob4 look;
    Knob bal ("bal");
    EXPECT_TRUE (bal.draw (look, 0.5f).glyphs.empty());

    // 20 wide, 100 high: margin 15 on each side leaves a band of width 0.
    Knob narrow ("Depth", {}, 20, 100);
    EXPECT_TRUE (narrow.draw (look, 0.5f).glyphs.empty());
}

TEST (Knob4, TinyKnobDrawsWithoutFault)
{
    Tamberlo_CLAF_Knob4 look;
    Sorrendi_CLAF_Knob1_Bipolar bipolar;
    for (int h : { 0, 1, 3 })
    {
        Knob tiny ("Depth", "circle2", 3, h);
        tiny.draw (look, 0.5f);
        tiny.draw (bipolar, 0.5f);
    }
}

TEST (Knob4, GradientsStayInComponentCoordinatesWhenTheCapMoves)
{
    Tamberlo_CLAF_Knob4 look;
    Knob knob ("bal", {}, 160, 100);

    auto gradientStarts = [&] (int x) {
        Canvas canvas (160, 100);
        look.drawRotarySlider (canvas.g, x, 0, 100, 100, 0.5f, startAngle, endAngle, knob.slider);
        std::vector<juce::Point<float>> starts;
        for (auto& f : canvas.context.fills)
            if (f.fill.isGradient())
                starts.push_back (f.fill.gradient->point1);
        return starts;
    };

    // Cap width w1 = 0.8064 * 2r = 59.67: radial centre (0.5 w1, 0.5 w1), linear from (0, 0).
    for (int x : { 0, 50 })
    {
        const auto starts = gradientStarts (x);
        ASSERT_EQ (starts.size(), 2u) << "at x " << x;
        EXPECT_NEAR (starts[0].x, 29.84f, 0.2f);
        EXPECT_NEAR (starts[0].y, 29.84f, 0.2f);
        EXPECT_EQ (starts[1], juce::Point<float>());
    }
}

TEST (BipolarKnob, TrackHasAGapUnderTheMarkerAtTwelve)
{
    Sorrendi_CLAF_Knob1_Bipolar look;
    Knob knob ("In", "circle2");
    const auto c = knob.draw (look, 0.2f);
    EXPECT_EQ (c.pixel (14, 40), track);
    EXPECT_EQ (c.pixel (75, 14), track);
    EXPECT_EQ (c.pixel (45, 4).getAlpha(), 0); // in the gap, beside the marker
    EXPECT_EQ (c.pixel (54, 4).getAlpha(), 0);
    EXPECT_EQ (c.pixel (50, 1), track); // marker (44, 0) (56, 0) (50, 9)
    EXPECT_EQ (c.pixel (29, 69).getAlpha(), 0);
}

TEST (BipolarKnob, PointerAtHalfStandsUprightUnderTheMarker)
{
    Sorrendi_CLAF_Knob1_Bipolar look;
    Knob knob ("In", "circle2");
    const auto c = knob.draw (look, 0.5f);
    const auto up = pointerPixel (2.0f * pi);
    EXPECT_EQ (up, juce::Point<int> (50, 13));
    EXPECT_EQ (c.pixel (up.x, up.y), juce::Colours::white);
    EXPECT_EQ (c.pixel (50, 40), juce::Colour (0xffee5c3b));
}

TEST (BipolarKnob, CaptionIsCentredAndEndLabelsNeedTheSuffix)
{
    Sorrendi_CLAF_Knob1_Bipolar look;
    Knob withSuffix ("In", "circle2");
    const auto runs = withSuffix.draw (look, 0.5f).textRuns();
    ASSERT_EQ (runs.size(), 2u);
    const auto& caption = runs[0];
    EXPECT_EQ (caption.glyphs, glyphsOf (caption.font, "In"));
    EXPECT_EQ (caption.colour, juce::Colour (0xff121212));
    EXPECT_NEAR (caption.positions[0].y, 75.0f + (25.0f - 22.0f) / 2.0f + caption.font.getAscent(), 0.5f);

    // "-" at the left and "+" at the right of the band (15, 62, 70, 18).
    const auto& ends = runs[1];
    EXPECT_EQ (ends.colour, juce::Colour (0xff242424));
    EXPECT_EQ (ends.glyphs, glyphsOf (ends.font, "-+"));
    EXPECT_NEAR (ends.positions[0].x, 15.0f, 0.5f);
    EXPECT_NEAR (ends.positions[1].x + ends.font.getStringWidthFloat ("+"), 85.0f, 0.5f);

    Knob withoutSuffix ("In");
    EXPECT_EQ (withoutSuffix.draw (look, 0.5f).textRuns().size(), 1u);

    Knob bal ("bal", "circle2");
    EXPECT_TRUE (bal.draw (look, 0.5f).glyphs.empty());

    Knob pan ("Pan", "circle2"); // picks end labels of its own, which this program never shows
    EXPECT_EQ (pan.draw (look, 0.5f).textRuns().size(), 1u);
}

TEST (BipolarKnob, ShortNamesAreShownInFullWithTheirOwnHeight)
{
    Sorrendi_CLAF_Knob1_Bipolar look;
    Knob knob ("sPan");
    const auto runs = knob.draw (look, 0.5f).textRuns();
    ASSERT_EQ (runs.size(), 1u);
    EXPECT_FLOAT_EQ (runs[0].font.getHeight(), 22.0f); // roundToInt(0.22 * 100)
    EXPECT_EQ (runs[0].glyphs, glyphsOf (runs[0].font, "Pan"));
}
} // namespace
