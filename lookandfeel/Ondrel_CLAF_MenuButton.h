#pragma once

#include "lookandfeel/Ondrel_CLAF_PopupMenuFamily.h"

// The header's buttons (version, "Menu", preset menu, and the preset arrows
// "R" and "Q" set in the embedded arrow face), and the menus they open.
class Ondrel_CLAF_MenuButton : public Ondrel_CLAF_PopupMenuFamily
{
public:
    Ondrel_CLAF_MenuButton() : Ondrel_CLAF_PopupMenuFamily ({ 4.0f, 0.7f, true }) {}
    ~Ondrel_CLAF_MenuButton() override = default;

    void drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour& backgroundColour,
                               bool isMouseOverButton, bool isButtonDown) override;
    void drawButtonText (juce::Graphics& g, juce::TextButton& button,
                         bool isMouseOverButton, bool isButtonDown) override;
};
