#pragma once

#include "lookandfeel/Tamberlo_CLAF_Common.h"

// The header's preset name: centred inside the label's border, one line,
// squeezed rather than wrapped.
class KesCLAF_PresetNameLabel : public Tamberlo_CLAF_Common
{
public:
    KesCLAF_PresetNameLabel() = default;
    ~KesCLAF_PresetNameLabel() override = default;

    void drawLabel (juce::Graphics& g, juce::Label& label) override;
    juce::Font getLabelFont (juce::Label& label) override;
};
