#include "lookandfeel/KesCLAF_PresetNameLabel.h"

void KesCLAF_PresetNameLabel::drawLabel (juce::Graphics& g, juce::Label& label)
{
    // "Montserrat Bold" is not embedded: it comes out in Roboto Bold.
    g.setFont (juce::Font ("Montserrat Bold", 0.8f * (float) label.getHeight(), juce::Font::bold));
    g.setColour (label.findColour (juce::Label::textColourId));
    g.drawFittedText (label.getText(), label.getBorderSize().subtractedFrom (label.getLocalBounds()),
                      juce::Justification::centred, 1, 0.5f);
}

juce::Font KesCLAF_PresetNameLabel::getLabelFont (juce::Label& label)
{
    return label.getFont();
}
