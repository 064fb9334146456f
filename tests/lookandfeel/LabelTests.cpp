#include "LookTestSupport.h"

#include "lookandfeel/KesCLAF_PresetNameLabel.h"
#include "lookandfeel/Ondrel_CLAF_LogoLabel.h"
#include "lookandfeel/Ondrel_CLAF_PanelLabel.h"

namespace
{
using namespace looktest;
const juce::Colour panelInk (0xcc121212), red (juce::Colours::red);

// A label of w x h, left-justified (the default) and red unless the look overrides that.
Drawn label (juce::LookAndFeel& look, const juce::String& text, int w, int h, int border = 0)
{
    juce::Label l ("l", text);
    l.setSize (w, h);
    l.setBorderSize (juce::BorderSize<int> (border));
    l.setColour (juce::Label::textColourId, red);
    return draw (w, h, [&] (auto& g) { look.drawLabel (g, l); });
}

TEST (Labels, UnderlineTextFontColourAndPlace)
{
    Ondrel_CLAF_PanelLabel panel;
    // The panel title's underline is 8 % of the height but at least one row.
    const struct { int w, h, rows; juce::Point<int> inkAt; } cases[] = { { 200, 10, 1, { 1, 9 } },
                                                                          { 400, 50, 4, { 398, 46 } } };
    for (auto& c : cases)
    {
        const auto d = label (panel, "LFO", c.w, c.h);
        int rows = 0; // at the label's left edge, where no text reaches
        for (int y = 0; y < c.h; ++y)
            rows += nearlySame (d.pixel (1, y), panelInk) ? 1 : 0;
        EXPECT_EQ (rows, c.rows) << c.h;
        EXPECT_TRUE (nearlySame (d.pixel (c.inkAt.x, c.inkAt.y), panelInk)) << c.h;
        EXPECT_EQ (d.pixel (1, c.h - c.rows - 1).getAlpha(), 0) << c.h;
    }

    KesCLAF_PresetNameLabel preset;
    Ondrel_CLAF_LogoLabel logo;
    // The panel title is centred in a fixed colour whatever the label says; the preset name is centred
    // inside the border in the label's colour; the logo keeps the label's justification, at 1.4 H.
    const struct { juce::LookAndFeel* look; const char* text; int w, h, border; float height; juce::Colour colour;
                   const char* face; juce::Justification j; } texts[] = {
        { &panel, "FILTER", 200, 30, 0, 0.98f * 30.0f, panelInk, "Robot Bold", juce::Justification::centred },
        { &preset, "Init*", 100, 20, 2, 16.0f, red, "Montserrat Bold", juce::Justification::centred },
        { &logo, "Ondrel", 300, 30, 0, 42.0f, red, "Gloria", juce::Justification::centredLeft },
    };
    for (auto& c : texts)
    {
        const auto runs = label (*c.look, c.text, c.w, c.h, c.border).runs;
        ASSERT_EQ (runs.size(), 1u) << c.text;
        const auto area = juce::Rectangle<float> ((float) c.w, (float) c.h).reduced ((float) c.border);
        EXPECT_TRUE (shows (runs[0], c.text, c.height, c.colour, c.face, area, c.j));
    }

    // A preset name too long is squeezed onto one line, never below half width.
    const auto squeezed = label (preset, "A Preset Name Far Too Long For Its Label", 160, 20).runs;
    ASSERT_FALSE (squeezed.empty());
    for (auto& run : squeezed)
    {
        EXPECT_GE (run.font.getHorizontalScale(), 0.5f);
        EXPECT_LT (run.font.getHorizontalScale(), 1.0f);
        for (auto& p : run.positions)
            EXPECT_FLOAT_EQ (p.y, squeezed[0].positions[0].y);
    }

    EXPECT_TRUE (label (logo, "Ondrel", 0, 0).runs.empty()); // and an empty label no text
}
} // namespace
