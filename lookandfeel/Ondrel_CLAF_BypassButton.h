#pragma once

#include "lookandfeel/Tamberlo_CLAF_Common.h"

// The bypass toggle: a light fill while on, the text in the button's on or
// off text colour.
class Ondrel_CLAF_BypassButton : public Tamberlo_CLAF_Common
{
public:
    Ondrel_CLAF_BypassButton() = default;
    ~Ondrel_CLAF_BypassButton() override = default;

    void drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour& backgroundColour,
                               bool isMouseOverButton, bool isButtonDown) override;
    void drawButtonText (juce::Graphics& g, juce::TextButton& button,
                         bool isMouseOverButton, bool isButtonDown) override;

    // Toggle state of the button being painted: the background writes it, the
    // text of the same paint reads it.
    bool isOn = false;
};
