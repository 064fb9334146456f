#include "lookandfeel/Ondrel_CLAF_MenuButton.h"

#include "lookandfeel/ButtonTextLayout.h"

void Ondrel_CLAF_MenuButton::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                   bool isMouseOverButton, bool isButtonDown)
{
    if (isMouseOverButton)
        g.fillAll (juce::Colour (0x45000000));

    if (isButtonDown)
    {
        g.setColour (juce::Colour (0x60ffffff));
        g.fillRect (0, 0, button.getWidth(), button.getHeight());
    }
    drawButtonFrame (g, button);
}

void Ondrel_CLAF_MenuButton::drawButtonText (juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    const auto h = (float) button.getHeight();
    const juce::Font font ("Montserrat Regular", (float) (int) (h * 0.68f), juce::Font::bold);
    g.setFont (font);

    // The preset arrows are glyphs of the arrow face; the layout still measures the text font.
    const auto text = button.getButtonText();
    const auto isArrow = text == "Q" || text == "R";
    if (isArrow)
        g.setFont (juce::Font ("Arrows", h * 0.95f, juce::Font::bold));

    g.setColour (juce::Colour (0xffcccccc));
    drawButtonTextInV2Layout (g, button, font,
                              isArrow ? juce::Justification::centredTop : juce::Justification::centred);
}
