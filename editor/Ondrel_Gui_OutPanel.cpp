#include "Ondrel_Gui_OutPanel.h"

Ondrel_Gui_OutPanel::Ondrel_Gui_OutPanel (juce::AudioProcessorValueTreeState& state)
{
    addTitle ("IN/OUT");
    auto& in = addSlider (new SnapSlider_Center(), "In", SliderKind::bipolar, accentDarkColour);
    auto& out = addSlider (new SnapSlider_Center(), "Out", SliderKind::bipolar, accentDarkColour);
    auto& dryWet = addSlider (new SnapSlider_Env(), "DryWet", SliderKind::bar, accentColour);
    in.setComponentID ("output_in");
    out.setComponentID ("output_out");
    dryWet.setComponentID ("output_drywet");
    attachSlider (state, "output_in", in);
    attachSlider (state, "output_out", out);
    attachSlider (state, "output_drywet", dryWet);
    setOpaque (true);
}

Ondrel_Gui_OutPanel::~Ondrel_Gui_OutPanel()
{
    deleteSlidersAndAttachments();
}

void Ondrel_Gui_OutPanel::paint (juce::Graphics& g)
{
    g.fillAll (accentDarkColour);
}

void Ondrel_Gui_OutPanel::resized()
{
    using namespace OndrelLayout;
    const int w = getWidth();
    layOutTitle (0.12f);
    const auto [s, y] = layOutKnobPair (0.42f, 0.038f);

    if (auto* dryWet = sliders[2])
    {
        const int x = nearest (0.15f, w);
        const int gap = juce::jmax (2, part (0.05f, getHeight()));
        dryWet->setBounds (x, y + s + gap, juce::jmax (0, w - 2 * x), part (0.43f, s));
    }
}
