#include "LookTestSupport.h"

#include "lookandfeel/Ondrel_CLAF_ComboBox.h"
#include "lookandfeel/Ondrel_CLAF_LogoLabel.h"
#include "lookandfeel/Ondrel_CLAF_MenuButton.h"

#include <gtest/gtest.h>

namespace
{
using namespace looktest;

TEST (ComboBox, FontHeightDependsOnTheExactName)
{
    Ondrel_CLAF_ComboBox combo;
    Ondrel_CLAF_LogoLabel logo;
    Ondrel_CLAF_MenuButton menu;
    for (juce::LookAndFeel* look : std::initializer_list<juce::LookAndFeel*> { &combo, &logo, &menu })
    {
        juce::ComboBox box;
        box.setSize (120, 20);
        const struct { const char* name; float height; } cases[] = {
            { "LFO Waveform", 13.6f }, { "LFO Target CC", 13.6f }, { "lfo waveform", 13.0f }, { "Rate", 13.0f }
        };
        for (auto& c : cases)
        {
            box.setName (c.name);
            const auto font = look->getComboBoxFont (box);
            EXPECT_FLOAT_EQ (font.getHeight(), c.height) << c.name;
            EXPECT_EQ (font.getTypefaceName(), "Robot Medium");
            EXPECT_TRUE (font.isBold());
        }
    }
}

struct Box
{
    Box() : box ("Rate")
    {
        parent.addAndMakeVisible (box);
        box.setBounds (0, 0, 120, 20);
        box.setColour (juce::ComboBox::backgroundColourId, juce::Colours::black);
        box.setColour (juce::ComboBox::outlineColourId, juce::Colour (0xff909090));
        box.setColour (juce::ComboBox::textColourId, juce::Colours::white);
        box.setColour (juce::ComboBox::arrowColourId, juce::Colours::red);
        box.setColour (juce::ComboBox::buttonColourId, juce::Colours::red);
    }

    // Button area (100, 0, 20, 20): the arrow (110, 13) (114, 9) (106, 9).
    Drawn draw()
    {
        Canvas canvas (120, 20);
        look.drawComboBox (canvas.g, 120, 20, false, 100, 0, 20, 20, box);
        return canvas.result();
    }

    Ondrel_CLAF_ComboBox look;
    juce::Component parent;
    juce::ComboBox box;
};

TEST (ComboBox, DisabledArrowIsFadedButBackgroundAndOutlineAreNot)
{
    Box b;
    const auto enabled = b.draw();
    EXPECT_EQ (enabled.pixel (110, 10), juce::Colours::white);
    EXPECT_EQ (enabled.pixel (50, 10), juce::Colours::black);
    EXPECT_EQ (enabled.pixel (0, 10), juce::Colour (0xff909090));
    EXPECT_EQ (enabled.pixel (119, 10), juce::Colour (0xff909090));

    b.parent.setEnabled (false);
    const auto disabled = b.draw();
    EXPECT_TRUE (nearlySame (disabled.pixel (110, 10), juce::Colours::black.overlaidWith (juce::Colours::white.withAlpha (0.3f))));
    EXPECT_EQ (disabled.pixel (50, 10), juce::Colours::black);
    EXPECT_EQ (disabled.pixel (0, 10), juce::Colour (0xff909090));
}

class AlertWindowLook : public ::testing::Test
{
protected:
    void SetUp() override { ensureMonitorWithoutDisplay(); }
    Ondrel_CLAF_LogoLabel look;
};

TEST_F (AlertWindowLook, GlossIsDrawnLastOverTheFrameworksAlertBox)
{
    juce::AlertWindow alert ("Title", "Message", juce::MessageBoxIconType::NoIcon);
    alert.setLookAndFeel (&look);
    alert.setColour (juce::AlertWindow::outlineColourId, juce::Colour (0xff00ff00));
    alert.setSize (400, 150);
    juce::TextLayout layout;

    Canvas canvas (400, 150);
    look.drawAlertBox (canvas.g, alert, { 10, 10, 380, 100 }, layout);
    const auto d = canvas.result();
    ASSERT_GE (d.fills.size(), 2u);

    const auto& gloss = d.fills.back();
    EXPECT_EQ (gloss.fill.colour, juce::Colour (0x11ffffff));
    std::vector<juce::Point<float>> corners;
    for (juce::Path::Iterator it (gloss.path); it.next();)
        if (it.elementType == juce::Path::Iterator::startNewSubPath || it.elementType == juce::Path::Iterator::lineTo)
            corners.push_back ({ it.x1, it.y1 });
    const std::vector<juce::Point<float>> expected { { 0, 0 }, { 220, 0 }, { 40, 150 }, { 0, 150 } };
    EXPECT_EQ (corners, expected);

    // Before it, the outline along the window's edges.
    EXPECT_EQ (d.fills[d.fills.size() - 2].fill.colour, juce::Colour (0xff00ff00));
    EXPECT_EQ (d.fills.front().bounds, juce::Rectangle<float> (0, 0, 400, 150));
}

TEST_F (AlertWindowLook, FontsAndSizes)
{
    EXPECT_EQ (look.getAlertWindowButtonHeight(), 28);
    EXPECT_EQ (look.getAlertBoxWindowFlags(), 0x101);
    EXPECT_FLOAT_EQ (look.getAlertWindowTitleFont().getHeight(), 11.2f);
    EXPECT_FLOAT_EQ (look.getAlertWindowMessageFont().getHeight(), 19.6f);
    EXPECT_FLOAT_EQ (look.getAlertWindowFont().getHeight(), 14.0f);
    for (auto font : { look.getAlertWindowTitleFont(), look.getAlertWindowMessageFont(), look.getAlertWindowFont() })
    {
        EXPECT_EQ (font.getTypefaceName(), "Montserrat Regular");
        EXPECT_TRUE (font.isBold());
        EXPECT_EQ (faceOf (font), "Roboto / Bold");
    }
}

} // namespace
