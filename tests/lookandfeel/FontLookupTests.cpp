#include "LookTestSupport.h"

#include "lookandfeel/OndrelLooks.h"

#include <gtest/gtest.h>

namespace
{
using looktest::faceOf;

// "Family / Style" of the face the common look gives for a typeface name.
juce::String faceFor (const juce::String& name, int styleFlags = juce::Font::plain)
{
    Tamberlo_CLAF_Common look;
    auto face = look.getTypefaceForFont (juce::Font (name, 12.0f, styleFlags));
    return face == nullptr ? juce::String ("<none>") : face->getName() + " / " + face->getStyle();
}

const juce::String robotoBold = "Roboto / Bold";

TEST (FontLookup, EachOfTheTwelveNamesGivesItsOwnFace)
{
    EXPECT_EQ (faceFor ("Robot Bold"), robotoBold);
    EXPECT_EQ (faceFor ("Robot Medium"), "Roboto / Medium");
    EXPECT_EQ (faceFor ("Robot Regular"), "Roboto / Regular");
    EXPECT_EQ (faceFor ("Robot Bold Italic"), "Roboto / Bold Italic");
    EXPECT_EQ (faceFor ("DSEG7ClassicMini Regular"), "DSEG7 Classic / Bold");
    EXPECT_EQ (faceFor ("DSEG14ClassicMini Regular"), "DSEG14 Classic Mini / Regular");
    EXPECT_EQ (faceFor ("Distant Galaxy"), "Distant Galaxy Stand-in / Regular");
    EXPECT_EQ (faceFor ("Nevis"), "Nevis Stand-in / Bold");
    EXPECT_EQ (faceFor ("Arrows"), "Arrows Stand-in / Regular");
    EXPECT_EQ (faceFor ("Arrows2"), "Arrow 7 Stand-in / Regular");
    EXPECT_EQ (faceFor ("Arrows3"), "Arrow Symbols 1 Stand-in / Regular");
    EXPECT_EQ (faceFor ("Gloria"), "Gloria Hallelujah / Regular");
}

TEST (FontLookup, OnlyTheNameChoosesTheFileNotTheStyleFlags)
{
    EXPECT_EQ (faceFor ("Robot Medium", juce::Font::bold), "Roboto / Medium");
    EXPECT_EQ (faceFor ("Robot Medium", juce::Font::italic), "Roboto / Medium");
    EXPECT_EQ (faceFor ("Robot Regular", juce::Font::bold | juce::Font::italic), "Roboto / Regular");
}

TEST (FontLookup, AnyOtherNameFallsBackToRobotoBold)
{
    for (auto name : { "robot medium", "Robot  Medium", "Robot Medium ", "Montserrat Regular", "Montserrat Bold",
                       "Robot Black", "arrows2", "" })
        EXPECT_EQ (faceFor (name), robotoBold) << "for \"" << name << "\"";

    Tamberlo_CLAF_Common look;
    for (auto& font : { juce::Font (15.0f), juce::Font (juce::Font::getDefaultSerifFontName(), 12.0f, 0),
                        juce::Font (juce::Font::getDefaultMonospacedFontName(), 12.0f, 0) })
    {
        auto face = look.getTypefaceForFont (font);
        ASSERT_NE (face, nullptr);
        EXPECT_EQ (face->getName() + " / " + face->getStyle(), robotoBold) << font.getTypefaceName();
    }
}

// The preset arrows of the header are "R" (previous) and "Q" (next) in the
// "Arrows" face: their ink must point left and right.
struct ArrowInk
{
    int leftHalf = 0, rightHalf = 0;
    bool tipAtLeftMiddle = false, tipAtRightMiddle = false;
};

ArrowInk inkOf (juce::juce_wchar character)
{
    Tamberlo_CLAF_Common look;
    auto face = look.getTypefaceForFont (juce::Font ("Arrows", 10.0f, 0));
    juce::Array<int> glyphs;
    juce::Array<float> offsets;
    face->getGlyphPositions (juce::String::charToString (character), glyphs, offsets);
    juce::Path outline;
    face->getOutlineForGlyph (glyphs[0], outline);

    ArrowInk ink;
    const auto b = outline.getBounds();
    for (int i = 0; i < 40; ++i)
        for (int j = 0; j < 40; ++j)
            if (outline.contains (b.getX() + b.getWidth() * ((float) i + 0.5f) / 40.0f,
                                  b.getY() + b.getHeight() * ((float) j + 0.5f) / 40.0f))
                (i < 20 ? ink.leftHalf : ink.rightHalf)++;

    const auto nearLeft = b.getX() + 0.03f * b.getWidth(), nearRight = b.getRight() - 0.03f * b.getWidth();
    ink.tipAtLeftMiddle = outline.contains (nearLeft, b.getCentreY()) && ! outline.contains (nearLeft, b.getY() + 1.0f);
    ink.tipAtRightMiddle = outline.contains (nearRight, b.getCentreY()) && ! outline.contains (nearRight, b.getY() + 1.0f);
    return ink;
}

TEST (FontLookup, ArrowsFaceDrawsRAsLeftArrowAndQAsRightArrow)
{
    const auto r = inkOf ('R');
    EXPECT_TRUE (r.tipAtLeftMiddle);
    EXPECT_GT (r.leftHalf, r.rightHalf);

    const auto q = inkOf ('Q');
    EXPECT_TRUE (q.tipAtRightMiddle);
    EXPECT_GT (q.rightHalf, q.leftHalf);
}

// Every colour ID the framework defines lies in 0x1000000..0x10fffff.
template <typename Look>
void expectColoursOfV3()
{
    juce::LookAndFeel_V3 v3;
    Look look;
    int compared = 0;
    for (int id = 0x1000000; id < 0x1100000; ++id)
    {
        const auto specified = v3.isColourSpecified (id);
        ASSERT_EQ (look.isColourSpecified (id), specified) << std::hex << id;
        if (specified)
        {
            ASSERT_EQ (look.findColour (id), v3.findColour (id)) << std::hex << id;
            ++compared;
        }
    }
    EXPECT_GT (compared, 100);
}

TEST (FontLookup, FreshLooksAnswerEveryColourAsTheV3Look)
{
    expectColoursOfV3<Tamberlo_CLAF_Common>();
    expectColoursOfV3<Tamberlo_CLAF_Knob4>();
    expectColoursOfV3<Sorrendi_CLAF_Knob1_Bipolar>();
    expectColoursOfV3<Ondrel_CLAF_EnvSlider>();
    expectColoursOfV3<KesCLAF_RndRstButton>();
    expectColoursOfV3<Ondrel_CLAF_BypassButton>();
    expectColoursOfV3<Ondrel_CLAF_MenuButton>();
    expectColoursOfV3<Ondrel_CLAF_ComboBox>();
    expectColoursOfV3<Ondrel_CLAF_LogoLabel>();
    expectColoursOfV3<Ondrel_CLAF_PanelLabel>();
    expectColoursOfV3<KesCLAF_PresetNameLabel>();
}
} // namespace
