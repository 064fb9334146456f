#include "Ondrel_Gui_FilterPanel.h"

Ondrel_Gui_FilterPanel::Ondrel_Gui_FilterPanel (juce::AudioProcessorValueTreeState& state)
{
    addTitle ("FILTER");
    auto& hp = addSlider (new juce::Slider(), "HP", SliderKind::knob, accentColour);
    auto& lp = addSlider (new juce::Slider(), "LP", SliderKind::knob, accentColour);
    hp.setComponentID ("filter_hp");
    lp.setComponentID ("filter_lp");
    attachSlider (state, "filter_hp", hp);
    attachSlider (state, "filter_lp", lp);
    setOpaque (true);
}

Ondrel_Gui_FilterPanel::~Ondrel_Gui_FilterPanel()
{
    deleteSlidersAndAttachments();
}

void Ondrel_Gui_FilterPanel::paint (juce::Graphics& g)
{
    g.fillAll (accentColour);
}

void Ondrel_Gui_FilterPanel::resized()
{
    layOutTitle (0.12f);
    layOutKnobPair (0.49f, 0.01f);
}
