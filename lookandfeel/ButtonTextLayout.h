#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The framework's V2 text-button layout (indents from the corner size and the
// font height), drawing one fitted line in the graphics context's current font
// and colour. The indents are measured with measuringFont, which may differ
// from the font the text is drawn in.
void drawButtonTextInV2Layout (juce::Graphics& g, juce::TextButton& button,
                               const juce::Font& measuringFont, juce::Justification justification);

// The 1-pixel frame every button look draws last.
void drawButtonFrame (juce::Graphics& g, const juce::Button& button);
