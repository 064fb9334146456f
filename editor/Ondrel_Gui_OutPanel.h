#pragma once

#include "editor/Ondrel_Gui_Common.h"

// The IN/OUT panel: input and output gain knobs and the dry/wet bar.
class Ondrel_Gui_OutPanel : public Ondrel_Gui_Common
{
public:
    explicit Ondrel_Gui_OutPanel (juce::AudioProcessorValueTreeState& state);
    ~Ondrel_Gui_OutPanel() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
};
