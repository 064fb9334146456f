#include "lookandfeel/Ondrel_CLAF_BypassButton.h"

#include "lookandfeel/ButtonTextLayout.h"

void Ondrel_CLAF_BypassButton::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                     bool isMouseOverButton, bool)
{
    isOn = button.getToggleState();

    if (isMouseOverButton)
        g.fillAll (juce::Colour (0x25ffffff));

    if (isOn)
    {
        g.setColour (juce::Colour (0xffeeeeee));
        g.fillRect (0, 0, button.getWidth(), button.getHeight());
    }
    drawButtonFrame (g, button);
}

void Ondrel_CLAF_BypassButton::drawButtonText (juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    // "Montserrat Regular" is not embedded: it comes out in Roboto Bold.
    const juce::Font font ("Montserrat Regular", (float) (int) ((float) button.getHeight() * 0.75f), juce::Font::bold);
    g.setFont (font);
    g.setColour (button.findColour (isOn ? juce::TextButton::textColourOnId : juce::TextButton::textColourOffId));
    drawButtonTextInV2Layout (g, button, font, juce::Justification::centred);
}
