#include "LookTestSupport.h"

namespace
{
constexpr float pi = juce::MathConstants<float>::pi;
constexpr float startAngle = 1.3f * pi, endAngle = 2.7f * pi;
const juce::Colour track (0xff020202), none, darkAccent (0xffeb3c14), white (juce::Colours::white),
    black (juce::Colours::black), cap (0xffee5c3b), ink (0xff121212); // cap: the thumb colour 0xffeb3c14 brightened

// A knob of w x h drawn at x in a component (and image) of (x + w) x h.
Drawn knob (juce::LookAndFeel& look, const juce::String& name, float position, const juce::String& suffix = {},
            int w = 100, int h = 100, juce::Colour thumb = darkAccent, int x = 0)
{
    juce::Slider slider (name);
    slider.setSize (x + w, h);
    slider.setTextValueSuffix (suffix);
    slider.setColour (juce::Slider::thumbColourId, thumb);
    return draw (x + w, h, [&] (auto& g) { look.drawRotarySlider (g, x, 0, w, h, position, startAngle, endAngle, slider); });
}

struct Knobs : ::testing::Test { Tamberlo_CLAF_Knob4 knob4; Sorrendi_CLAF_Knob1_Bipolar bipolar; };

TEST_F (Knobs, TrackRingMarkerCapPointerAndGradients)
{
    // For 100 x 100: r = 37, centre (50, 40), track ring between radius 34.78 and 37. Probed at nine
    // o'clock, half past one (the shadow falls right and down), and 215 degrees in the opening.
    const std::vector<Probe> ring { { 14, 40, track }, { 75, 14, track }, { 29, 69, none } };
    const struct { juce::LookAndFeel* look; const char* sfx; juce::Colour thumb; std::vector<Probe> probe; } cases[] = {
        // Knob4: closed at the top, no marker above it; cap is the thumb colour brightened, E1 ring black.
        { &knob4, "", darkAccent, { { 45, 4, track }, { 50, 1, none }, { 50, 40, cap } } },
        { &knob4, "", juce::Colour (0xfff05f40), { { 50, 40, juce::Colour (0xfff2795f) }, { 50, 63, black } } },
        // Bipolar: a gap at twelve under the marker (44, 0) (56, 0) (50, 9).
        { &bipolar, "circle2", darkAccent, { { 45, 4, none }, { 54, 4, none }, { 50, 1, track }, { 50, 40, cap } } },
    };
    for (auto& c : cases)
    {
        const auto d = knob (*c.look, "In", 0.3f, c.sfx, 100, 100, c.thumb);
        for (auto* probes : { &c.probe, &ring })
            for (auto& [x, y, colour] : *probes)
                EXPECT_EQ (d.pixel (x, y), colour) << c.sfx << " at " << x << ", " << y;
    }

    // The pointer's centre lies 0.725 r from the centre, at the value's angle clockwise from twelve.
    auto pointerPixel = [] (float position) {
        const auto d = 0.725f * 37.0f, angle = startAngle + position * (endAngle - startAngle);
        return juce::Point<int> ((int) std::floor (50.0f + d * std::sin (angle)), (int) std::floor (40.0f - d * std::cos (angle)));
    };
    EXPECT_EQ (pointerPixel (0.5f), juce::Point<int> (50, 13)); // upright at half
    for (juce::LookAndFeel* look : std::initializer_list<juce::LookAndFeel*> { &knob4, &bipolar })
        for (float position : { 0.0f, 0.5f, 1.0f })
            for (float other : { 0.0f, 0.5f, 1.0f })
                EXPECT_EQ (knob (*look, "In", position, "circle2").pixel (pointerPixel (other)) == white, other == position)
                    << position << " probed at " << other;

    // Knob4's cap gradients stay in component coordinates when the cap moves: cap width w1 = 0.8064 * 2r
    // = 59.67, radial centre (0.5 w1, 0.5 w1), linear from (0, 0).
    for (int x : { 0, 50 })
    {
        std::vector<juce::Point<float>> starts;
        for (auto& f : knob (knob4, "bal", 0.5f, {}, 100, 100, darkAccent, x).fills)
            if (f.fill.isGradient())
                starts.push_back (f.fill.gradient->point1);
        ASSERT_EQ (starts.size(), 2u) << "at x " << x;
        EXPECT_TRUE (starts[0].getDistanceFrom ({ 29.84f, 29.84f }) < 0.2f && starts[1].isOrigin()) << "at x " << x;
    }
}

TEST_F (Knobs, WhichTextIsDrawnAndWhere)
{
    const struct { juce::LookAndFeel* look; const char* name; const char* suffix; int w; size_t runs; } cases[] = {
        { &knob4, "bal", "", 100, 0 }, { &knob4, "Depth", "", 20, 0 }, // margin 15 on each side leaves no band
        { &knob4, "Depth", "circle2", 100, 1 }, { &bipolar, "In", "", 100, 1 },
        { &bipolar, "In", "circle2", 100, 2 }, { &bipolar, "bal", "circle2", 100, 0 }, // "-" and "+" need the suffix
    };
    for (auto& c : cases)
    {
        EXPECT_EQ (knob (*c.look, c.name, 0.5f, c.suffix, c.w).runs.size(), c.runs) << c.name << " " << c.w;
        for (int h : { 0, 1, 3 }) // tiny knobs only have to draw without fault
            knob (*c.look, c.name, 0.5f, c.suffix, 3, h);
    }

    // hf = 25, font (int)(25 * 0.91) = 22, band (15, 75, 70, 25): bottom-justified for Knob4, centred for
    // the bipolar caption, whose "-" and "+" sit at the ends of (15, 62, 70, 18). "sPan" is shown as "Pan"
    // at roundToInt (0.22 * 120) = 26, where others get (int)(30 * 0.91) = 27.
    const auto depth = knob (knob4, "Depth", 0.5f).runs, in = knob (bipolar, "In", 0.5f, "circle2").runs,
               pan = knob (bipolar, "sPan", 0.5f, {}, 100, 120).runs;
    ASSERT_TRUE (depth.size() == 1 && in.size() == 2 && pan.size() == 1);
    EXPECT_TRUE (shows (depth[0], "Depth", 22.0f, ink, "Robot Medium", { 15, 75, 70, 25 }, juce::Justification::centredBottom)
                 && depth[0].font.isBold());
    EXPECT_TRUE (shows (in[0], "In", 22.0f, ink, "Robot Medium", { 15, 75, 70, 25 }));
    EXPECT_TRUE (shows (in[1], "-+", 22.0f, juce::Colour (0xff242424)));
    EXPECT_NEAR (in[1].positions[0].x, 15.0f, 0.5f);
    EXPECT_NEAR (in[1].positions[1].x + in[1].font.getStringWidthFloat ("+"), 85.0f, 0.5f);
    EXPECT_TRUE (shows (pan[0], "Pan", 26.0f, ink));
}

// The rectangle arguments are deliberately off: the look covers the whole component.
Drawn bar (const juce::String& name, int width, int height, float sliderPos, double value = 0.5)
{
    Ondrel_CLAF_EnvSlider look;
    juce::Slider slider (name);
    slider.setRange (0.0, 1.0);
    slider.setValue (value, juce::dontSendNotification);
    slider.setSize (width, height);
    slider.setColour (juce::Slider::backgroundColourId, juce::Colour (0xff808080));
    return draw (width, height, [&] (auto& g) {
        look.drawLinearSlider (g, 3, 3, 7, 7, sliderPos, 0.0f, 0.0f, juce::Slider::LinearHorizontal, slider);
    });
}

TEST (BarSlider, TrackThumbAndText)
{
    // The background 0xff808080 brightened by 0.1: (int)(255 - 127 / 1.1) = 139.
    const juce::Colour trackColour (0xff040404), back (0xff8b8b8b);
    // 200 x 60: inset 16, track (16, 9, 168, 7), thumb half width 8, apex row 19, base row 34.
    // 10 x 10: inset (int)0.8 raised to 2, track height (int)1.2 raised to 2: (2, 1, 6, 2).
    // 4 wide: inset 2 on both sides leaves no track at all, also for the dry/wet mapping.
    const struct { const char* name; int w, h; float pos; std::vector<Probe> probes; } cases[] = {
        { "DryWet", 200, 60, 100.0f, { { 1, 1, back }, { 198, 37, back }, { 17, 9, trackColour }, { 182, 15, trackColour },
                                       { 100, 8, back }, { 100, 16, back }, { 15, 12, back }, { 184, 12, back } } },
        { "Env", 10, 10, 5.0f, { { 4, 1, trackColour }, { 5, 2, trackColour }, { 4, 0, back }, { 1, 1, back }, { 8, 1, back } } },
        { "DryWet", 4, 10, 2.0f, { { 0, 1, back }, { 1, 1, back }, { 2, 1, back }, { 3, 1, back } } },
    };
    for (auto& c : cases)
    {
        const auto d = bar (c.name, c.w, c.h, c.pos);
        for (auto& [x, y, colour] : c.probes)
            EXPECT_EQ (d.pixel (x, y), colour) << c.name << " at " << c.pos << ": " << x << "," << y;
    }

    // The thumb: apex over the position at row (int)(0.33 H) = 19, base 2 t = 16 wide at (int)(0.57 H) = 34;
    // "DryWet" maps sliderPos 16..184 onto (int)(0.13 * 168) = 21 .. (int)(1.07 * 168) = 179.
    for (auto [name, pos, left] : { std::tuple { "DryWet", 16.0f, 13.0f }, { "DryWet", 184.0f, 171.0f }, { "Mix", 100.0f, 92.0f } })
    {
        const auto fills = bar (name, 200, 60, pos).fills;
        const auto thumb = std::find_if (fills.begin(), fills.end(), [] (auto& f) { return f.fill.colour == ink; });
        ASSERT_NE (thumb, fills.end());
        EXPECT_EQ (thumb->bounds, juce::Rectangle<float> (left, 19, 16, 15)) << name << " " << pos;
    }

    // "DryWet" shows the truncated dry and wet percentages, "Env" its caption, each centred between
    // "Dry" and "Wet" or "-" and "+". Text band from row 39, 21 high; the words in (int)(1.2 * 21) = 25,
    // the signs in (int)(1.1 * 21) = 23.
    const struct { const char* name; double value; const char* text; const char* sides; float sidesHeight; } texts[] = {
        { "DryWet", 0.57f, "44 : 56", "DryWet", 25.0f }, { "DryWet", 0.0, "100 : 0", "DryWet", 25.0f },
        { "DryWet", 1.0, "0 : 100", "DryWet", 25.0f }, { "Env", 0.5, "Env", "-+", 23.0f },
    };
    for (auto& c : texts)
    {
        const auto runs = bar (c.name, 200, 60, 100.0f, c.value).runs;
        ASSERT_EQ (runs.size(), 2u) << c.value;
        EXPECT_TRUE (shows (runs[0], c.text, 21.0f, ink, "Robot Medium", { 0, 39, 200, 21 }, juce::Justification::centredBottom)
                     && runs[0].font.isBold());
        EXPECT_TRUE (shows (runs[1], c.sides, c.sidesHeight, ink, "Robot Medium"));
        EXPECT_TRUE (runs[1].positions.front().x < runs[0].positions.front().x
                     && runs[1].positions.back().x > runs[0].positions.back().x);
    }
}
} // namespace
