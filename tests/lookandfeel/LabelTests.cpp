#include "LookTestSupport.h"

#include "lookandfeel/KesCLAF_PresetNameLabel.h"
#include "lookandfeel/Ondrel_CLAF_LogoLabel.h"
#include "lookandfeel/Ondrel_CLAF_PanelLabel.h"

#include <gtest/gtest.h>

namespace
{
using namespace looktest;
const juce::Colour panelInk (0xcc121212);

Drawn drawLabel (juce::LookAndFeel& look, juce::Label& label)
{
    Canvas canvas (label.getWidth(), label.getHeight());
    look.drawLabel (canvas.g, label);
    return canvas.result();
}

// Rows the underline covers at the label's left edge, where no text reaches.
int underlineRows (const Drawn& d)
{
    int rows = 0;
    for (int y = 0; y < d.image.getHeight(); ++y)
        rows += nearlySame (d.pixel (1, y), panelInk) ? 1 : 0;
    return rows;
}

TEST (PanelLabel, UnderlineIsEightPercentOfTheHeightButAtLeastOneRow)
{
    Ondrel_CLAF_PanelLabel look;
    juce::Label small ("t", "LFO");
    small.setSize (200, 10);
    const auto s = drawLabel (look, small);
    EXPECT_EQ (underlineRows (s), 1);
    EXPECT_TRUE (nearlySame (s.pixel (1, 9), panelInk));

    juce::Label large ("t", "LFO");
    large.setSize (400, 50);
    const auto l = drawLabel (look, large);
    EXPECT_EQ (underlineRows (l), 4);
    EXPECT_TRUE (nearlySame (l.pixel (398, 46), panelInk));
    EXPECT_EQ (l.pixel (1, 45).getAlpha(), 0);
}

TEST (PanelLabel, TitleIsCentredInAFixedColourWhateverTheLabelSays)
{
    Ondrel_CLAF_PanelLabel look;
    juce::Label title ("t", "FILTER");
    title.setSize (200, 30);
    title.setColour (juce::Label::textColourId, juce::Colours::red);
    title.setJustificationType (juce::Justification::left);
    const auto runs = drawLabel (look, title).textRuns();
    ASSERT_EQ (runs.size(), 1u);
    EXPECT_EQ (runs[0].colour, panelInk);
    EXPECT_EQ (runs[0].font.getTypefaceName(), "Robot Bold");
    EXPECT_FLOAT_EQ (runs[0].font.getHeight(), 0.98f * 30.0f);
    EXPECT_EQ (runs[0].glyphs, glyphsOf (runs[0].font, "FILTER"));
    EXPECT_NEAR (runs[0].positions[0].x, (200.0f - runs[0].font.getStringWidthFloat ("FILTER")) / 2.0f, 0.5f);
}

TEST (PresetNameLabel, TextIsCentredInsideTheBorderInTheLabelsColour)
{
    KesCLAF_PresetNameLabel look;
    juce::Label name ("p", "Init*");
    name.setSize (100, 20);
    name.setBorderSize (juce::BorderSize<int> (2));
    name.setJustificationType (juce::Justification::left);
    name.setColour (juce::Label::textColourId, juce::Colour (0xffabcdef));
    const auto runs = drawLabel (look, name).textRuns();
    ASSERT_EQ (runs.size(), 1u);
    const auto& run = runs[0];
    EXPECT_EQ (run.colour, juce::Colour (0xffabcdef));
    EXPECT_EQ (run.font.getTypefaceName(), "Montserrat Bold");
    EXPECT_EQ (faceOf (run.font), "Roboto / Bold");
    EXPECT_FLOAT_EQ (run.font.getHeight(), 16.0f);
    EXPECT_EQ (run.glyphs, glyphsOf (run.font, "Init*"));

    // Text area (2, 2, 96, 16).
    EXPECT_NEAR (run.positions[0].x, 2.0f + (96.0f - run.font.getStringWidthFloat ("Init*")) / 2.0f, 0.5f);
    EXPECT_NEAR (run.positions[0].y, 2.0f + run.font.getAscent(), 0.5f);
}

TEST (PresetNameLabel, LongNameIsSqueezedOntoOneLine)
{
    KesCLAF_PresetNameLabel look;
    const juce::String text = "A Preset Name Far Too Long For Its Label";
    juce::Label name ("p", text);
    name.setSize (160, 20);
    const auto glyphs = drawLabel (look, name).glyphs;
    ASSERT_FALSE (glyphs.empty());
    for (auto& g : glyphs)
    {
        EXPECT_FLOAT_EQ (g.position.y, glyphs.front().position.y);
        EXPECT_GE (g.font.getHorizontalScale(), 0.5f);
        EXPECT_LT (g.font.getHorizontalScale(), 1.0f);
    }
}

TEST (LogoLabel, FontIsOnePointFourTimesTheHeightInTheHandwritingFace)
{
    Ondrel_CLAF_LogoLabel look;
    juce::Label logo ("logo", "Ondrel");
    logo.setSize (300, 30);
    logo.setJustificationType (juce::Justification::centredLeft);
    logo.setColour (juce::Label::textColourId, juce::Colour (0xff121212));
    const auto runs = drawLabel (look, logo).textRuns();
    ASSERT_EQ (runs.size(), 1u);
    EXPECT_FLOAT_EQ (runs[0].font.getHeight(), 42.0f);
    EXPECT_EQ (faceOf (runs[0].font), "Gloria Hallelujah / Regular");
    EXPECT_EQ (runs[0].colour, juce::Colour (0xff121212));
    EXPECT_FLOAT_EQ (runs[0].positions[0].x, 0.0f); // the label's own justification

    logo.setSize (0, 0);
    Canvas canvas (10, 10);
    look.drawLabel (canvas.g, logo);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ (canvas.pixel (x, y).getAlpha(), 0);
}

} // namespace
