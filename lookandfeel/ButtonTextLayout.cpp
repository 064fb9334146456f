#include "lookandfeel/ButtonTextLayout.h"

void drawButtonTextInV2Layout (juce::Graphics& g, juce::TextButton& button,
                               const juce::Font& measuringFont, juce::Justification justification)
{
    const auto W = button.getWidth(), H = button.getHeight();
    const auto yIndent = juce::jmin (4, juce::roundToInt ((float) H * 0.3f));
    const auto cornerSize = juce::jmin (W, H) / 2;
    const auto fontHeight = juce::roundToInt (measuringFont.getHeight() * 0.6f);
    const auto leftIndent = juce::jmin (fontHeight, 2 + cornerSize / (button.isConnectedOnLeft() ? 4 : 2));
    const auto rightIndent = juce::jmin (fontHeight, 2 + cornerSize / (button.isConnectedOnRight() ? 4 : 2));
    const auto textWidth = W - leftIndent - rightIndent;

    if (textWidth > 0)
        g.drawFittedText (button.getButtonText(), leftIndent, yIndent, textWidth, H - yIndent * 2,
                          justification, 1, 0.5f);
}

void drawButtonFrame (juce::Graphics& g, const juce::Button& button)
{
    g.setColour (juce::Colour (0xff909090));
    g.drawRect (juce::Rectangle<float> (0.0f, 0.0f, (float) button.getWidth(), (float) button.getHeight()), 1.0f);
}
