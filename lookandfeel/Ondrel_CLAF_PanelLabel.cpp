#include "lookandfeel/Ondrel_CLAF_PanelLabel.h"

void Ondrel_CLAF_PanelLabel::drawLabel (juce::Graphics& g, juce::Label& label)
{
    const auto W = label.getWidth(), H = label.getHeight();
    auto underline = (int) (0.08f * (float) H);
    if (underline <= 0)
        underline = 1;

    g.setColour (juce::Colour (0xcc121212));
    g.fillRect (0, H - underline, W, underline);

    g.setFont (juce::Font ("Robot Bold", 0.98f * (float) H, juce::Font::bold));
    g.drawFittedText (label.getText(), 0, 0, W, H, juce::Justification::centred, 1, 0.5f);
}

juce::Font Ondrel_CLAF_PanelLabel::getLabelFont (juce::Label& label)
{
    return label.getFont();
}
