#pragma once

#include "editor/Ondrel_Gui_Common.h"

// The FILTER panel: high- and low-pass cut-off knobs.
class Ondrel_Gui_FilterPanel : public Ondrel_Gui_Common
{
public:
    explicit Ondrel_Gui_FilterPanel (juce::AudioProcessorValueTreeState& state);
    ~Ondrel_Gui_FilterPanel() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
};
