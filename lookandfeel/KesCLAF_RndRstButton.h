#pragma once

#include "lookandfeel/Tamberlo_CLAF_Common.h"

// The icon buttons ("undo", "redo", "random", "reset", and "lock"): a frame
// and a vector icon chosen by the button's text. The text itself is never
// written.
class KesCLAF_RndRstButton : public Tamberlo_CLAF_Common
{
public:
    KesCLAF_RndRstButton() = default;
    ~KesCLAF_RndRstButton() override = default;

    void drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour& backgroundColour,
                               bool isMouseOverButton, bool isButtonDown) override;
    void drawButtonText (juce::Graphics& g, juce::TextButton& button,
                         bool isMouseOverButton, bool isButtonDown) override;

    // The icon for a button of this text, size and toggle state, in button
    // coordinates; empty for a text without an icon.
    static juce::Path iconFor (const juce::String& text, int width, int height, bool toggleState);
};
