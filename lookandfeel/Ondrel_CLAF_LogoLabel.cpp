#include "lookandfeel/Ondrel_CLAF_LogoLabel.h"

juce::AlertWindow* Ondrel_CLAF_LogoLabel::createAlertWindow (const juce::String& title, const juce::String& message,
                                                            const juce::String& button1, const juce::String& button2,
                                                            const juce::String& button3,
                                                            juce::MessageBoxIconType iconType, int numButtons,
                                                            juce::Component* associatedComponent)
{
    return LookAndFeel_V2::createAlertWindow (title, message, button1, button2, button3, iconType, numButtons,
                                              associatedComponent);
}

void Ondrel_CLAF_LogoLabel::drawAlertBox (juce::Graphics& g, juce::AlertWindow& alert,
                                          const juce::Rectangle<int>& textArea, juce::TextLayout& textLayout)
{
    LookAndFeel_V2::drawAlertBox (g, alert, textArea, textLayout);

    // A faint light band over the left of the window, wide at the top.
    const auto w = (float) alert.getWidth(), h = (float) alert.getHeight();
    juce::Path gloss;
    gloss.startNewSubPath (0.0f, 0.0f);
    gloss.lineTo ((float) (int) (0.55f * w), 0.0f);
    gloss.lineTo ((float) (int) (0.1f * w), h);
    gloss.lineTo (0.0f, h);
    gloss.closeSubPath();
    g.setColour (juce::Colour (0x11ffffff));
    g.fillPath (gloss);
}

int Ondrel_CLAF_LogoLabel::getAlertBoxWindowFlags()
{
    return LookAndFeel_V2::getAlertBoxWindowFlags();
}

int Ondrel_CLAF_LogoLabel::getAlertWindowButtonHeight()
{
    return LookAndFeel_V2::getAlertWindowButtonHeight();
}

juce::Font Ondrel_CLAF_LogoLabel::alertFont (float scale)
{
    // "Montserrat Regular" is not embedded: it comes out in Roboto Bold.
    return juce::Font ("Montserrat Regular", (float) getAlertWindowButtonHeight() * scale, juce::Font::bold);
}

juce::Font Ondrel_CLAF_LogoLabel::getAlertWindowTitleFont()
{
    return alertFont (0.4f);
}

juce::Font Ondrel_CLAF_LogoLabel::getAlertWindowMessageFont()
{
    return alertFont (0.7f);
}

juce::Font Ondrel_CLAF_LogoLabel::getAlertWindowFont()
{
    return alertFont (0.5f);
}

void Ondrel_CLAF_LogoLabel::drawLabel (juce::Graphics& g, juce::Label& label)
{
    g.setFont (juce::Font ("Gloria", (float) juce::roundToInt (1.4f * (float) label.getHeight()), juce::Font::bold));
    g.setColour (label.findColour (juce::Label::textColourId));
    g.drawFittedText (label.getText(), label.getLocalBounds(), label.getJustificationType(), 1, 0.5f);
}

juce::Font Ondrel_CLAF_LogoLabel::getLabelFont (juce::Label& label)
{
    return label.getFont();
}
