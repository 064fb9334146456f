#pragma once

#include "lookandfeel/Ondrel_CLAF_PopupMenuFamily.h"

// The product logo and maker label in the handwriting face. Being the editor's
// default look, it also draws every menu without a look of its own and every
// alert window.
class Ondrel_CLAF_LogoLabel : public Ondrel_CLAF_PopupMenuFamily
{
public:
    // Inactive menu items stay at full strength: the MIDI-learn menu's last
    // line is inactive and must stay readable.
    Ondrel_CLAF_LogoLabel() : Ondrel_CLAF_PopupMenuFamily ({ 8.0f, 0.63f, false }) {}
    ~Ondrel_CLAF_LogoLabel() override = default;

    juce::AlertWindow* createAlertWindow (const juce::String& title, const juce::String& message,
                                          const juce::String& button1, const juce::String& button2,
                                          const juce::String& button3, juce::MessageBoxIconType iconType,
                                          int numButtons, juce::Component* associatedComponent) override;
    void drawAlertBox (juce::Graphics& g, juce::AlertWindow& alert, const juce::Rectangle<int>& textArea,
                       juce::TextLayout& textLayout) override;
    int getAlertBoxWindowFlags() override;
    int getAlertWindowButtonHeight() override;
    juce::Font getAlertWindowTitleFont() override;
    juce::Font getAlertWindowMessageFont() override;
    juce::Font getAlertWindowFont() override;

    void drawLabel (juce::Graphics& g, juce::Label& label) override;
    juce::Font getLabelFont (juce::Label& label) override;

private:
    juce::Font alertFont (float scale);
};
