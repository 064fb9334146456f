#include "LookTestSupport.h"

namespace
{
const juce::Colour panelInk (0xcc121212), red (juce::Colours::red);

// A label of w x h, left-justified (the default) and red unless the look overrides that.
Drawn label (juce::LookAndFeel& look, const juce::String& text, int w, int h, juce::BorderSize<int> border = {})
{
    juce::Label l ("l", text);
    l.setSize (w, h);
    l.setBorderSize (border);
    l.setColour (juce::Label::textColourId, red);
    return draw (w, h, [&] (auto& g) { look.drawLabel (g, l); });
}

TEST (Labels, UnderlineTextFontColourAndPlace)
{
    Ondrel_CLAF_PanelLabel panel;
    // The panel title's underline is 8 % of the height but at least one row, counted at the left edge
    // where no text reaches.
    for (auto [w, h, rows, inkX, inkY] : { std::tuple { 200, 10, 1, 1, 9 }, { 400, 50, 4, 398, 46 } })
    {
        const auto d = label (panel, "LFO", w, h);
        int drawn = 0;
        for (int y = 0; y < h; ++y)
            drawn += nearlySame (d.pixel (1, y), panelInk) ? 1 : 0;
        EXPECT_EQ (drawn, rows) << h;
        EXPECT_TRUE (nearlySame (d.pixel (inkX, inkY), panelInk) && d.pixel (1, h - rows - 1).getAlpha() == 0) << h;
    }

    KesCLAF_PresetNameLabel preset;
    Ondrel_CLAF_LogoLabel logo;
    // The panel title is centred in a fixed colour whatever the label says; the preset name is centred
    // inside the border in the label's colour; the logo keeps the label's justification, at 1.4 H.
    const struct { juce::LookAndFeel* look; const char* text; int w, h; juce::BorderSize<int> border; float height; juce::Colour colour;
                   const char* face; juce::Justification j; } texts[] = {
        { &panel, "FILTER", 200, 30, {}, 0.98f * 30.0f, panelInk, "Robot Bold", juce::Justification::centred },
        { &preset, "Init*", 100, 20, { 2, 30, 2, 2 }, 16.0f, red, "Montserrat Bold", juce::Justification::centred },
        { &logo, "Ondrel", 300, 30, {}, 42.0f, red, "Gloria", juce::Justification::centredLeft },
    };
    for (auto& c : texts)
    {
        const auto runs = label (*c.look, c.text, c.w, c.h, c.border).runs;
        ASSERT_EQ (runs.size(), 1u) << c.text;
        const auto area = c.border.subtractedFrom (juce::Rectangle<int> (c.w, c.h)).toFloat();
        EXPECT_TRUE (shows (runs[0], c.text, c.height, c.colour, c.face, area, c.j));
    }

    // A preset name too long is squeezed onto one line, never below half width.
    const auto squeezed = label (preset, "A Preset Name Far Too Long For Its Label", 160, 20).runs;
    ASSERT_FALSE (squeezed.empty());
    for (auto& run : squeezed)
    {
        EXPECT_TRUE (run.font.getHorizontalScale() >= 0.5f && run.font.getHorizontalScale() < 1.0f);
        for (auto& p : run.positions)
            EXPECT_FLOAT_EQ (p.y, squeezed[0].positions[0].y);
    }
    EXPECT_TRUE (label (logo, "Ondrel", 0, 0).runs.empty()); // and an empty label no text
}
} // namespace
