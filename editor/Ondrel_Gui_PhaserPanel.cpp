#include "Ondrel_Gui_PhaserPanel.h"

Ondrel_Gui_PhaserPanel::Ondrel_Gui_PhaserPanel (juce::AudioProcessorValueTreeState& state)
{
    addTitle ("PHASER");

    const char* const knobs[] = { "Depth", "Rate", "FB", "Width" };
    for (auto* name : knobs)
        addSlider (new juce::Slider(), name, SliderKind::knob, accentDarkColour);

    for (int i = 0; i < 2; ++i)
        addSlider (new SnapSlider_Env(), "Env", SliderKind::bar, accentColour);

    const char* const ids[] = { "phaser_depth", "phaser_rate", "phaser_fb", "phaser_width", "env_todepth", "env_torate" };
    for (int i = 0; i < 6; ++i)
        sliders[i]->setComponentID (ids[i]);

    for (int i = 0; i < 6; ++i)
        attachSlider (state, ids[i], *sliders[i]);

    setOpaque (true);
}

Ondrel_Gui_PhaserPanel::~Ondrel_Gui_PhaserPanel()
{
    deleteSlidersAndAttachments();
}

void Ondrel_Gui_PhaserPanel::paint (juce::Graphics& g)
{
    g.fillAll (accentDarkColour);
}

void Ondrel_Gui_PhaserPanel::resized()
{
    using namespace OndrelLayout;
    const int w = getWidth();
    const int h = getHeight();
    layOutTitle (0.15f);

    const int m = part (0.012f, w);
    const int s = part (0.23f, w);
    const int y = part (0.32f, h);
    const int p = part (0.024f, w);
    const int barHeight = part (0.43f, s);
    const int barY = y + s + juce::jmax (2, part (0.05f, h));
    const int x0 = m;
    const int x1 = x0 + p + s;
    const int x2 = x1 + p + s;
    const int x3 = x2 + p + s;

    // Slider index and its rectangle, in the order they are placed.
    const std::pair<int, juce::Rectangle<int>> layout[] = {
        { 0, { x0, y, s, s } },          { 4, { x0, barY, s, barHeight } },
        { 1, { x1, y, s, s } },          { 5, { x1, barY, s, barHeight } },
        { 2, { x2, y, s, s } },          { 3, { x3, y, s, s } },
    };

    for (const auto& [index, bounds] : layout)
        if (auto* slider = sliders[index])
            slider->setBounds (bounds);
}
