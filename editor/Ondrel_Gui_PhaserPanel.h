#pragma once

#include "editor/Ondrel_Gui_Common.h"

// The PHASER panel: depth, rate, feedback and width knobs, and the two envelope bars.
class Ondrel_Gui_PhaserPanel : public Ondrel_Gui_Common
{
public:
    explicit Ondrel_Gui_PhaserPanel (juce::AudioProcessorValueTreeState& state);
    ~Ondrel_Gui_PhaserPanel() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
};
