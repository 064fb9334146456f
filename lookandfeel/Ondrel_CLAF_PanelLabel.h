#pragma once

#include "lookandfeel/Tamberlo_CLAF_Common.h"

// The panel titles: centred bold text over an underline along the bottom edge,
// both in a fixed dark colour whatever the label's own colours say.
class Ondrel_CLAF_PanelLabel : public Tamberlo_CLAF_Common
{
public:
    Ondrel_CLAF_PanelLabel() = default;
    ~Ondrel_CLAF_PanelLabel() override = default;

    void drawLabel (juce::Graphics& g, juce::Label& label) override;
    juce::Font getLabelFont (juce::Label& label) override;
};
