#pragma once

#include "lookandfeel/Tamberlo_CLAF_Common.h"

// The popup-menu and combo-box drawing shared by the combo-box, logo-label and
// menu-button looks. They differ only in the few values of Style.
class Ondrel_CLAF_PopupMenuFamily : public Tamberlo_CLAF_Common
{
public:
    struct Style
    {
        float backgroundCornerSize;
        float itemFontScale;     // item text height as a fraction of the item height
        bool dimsInactiveItems;  // inactive, unticked items drawn at 0.3 opacity
    };

    explicit Ondrel_CLAF_PopupMenuFamily (Style s) : style (s) {}
    ~Ondrel_CLAF_PopupMenuFamily() override = default;

    void drawPopupMenuBackground (juce::Graphics& g, int width, int height) override;
    void drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area,
                            bool isSeparator, bool isActive, bool isHighlighted, bool isTicked,
                            bool hasSubMenu, const juce::String& text, const juce::String& shortcutKeyText,
                            const juce::Drawable* icon, const juce::Colour* textColourToUse) override;
    void drawPopupMenuSectionHeader (juce::Graphics& g, const juce::Rectangle<int>& area,
                                     const juce::String& sectionName) override;
    juce::Font getPopupMenuFont() override;
    void drawPopupMenuUpDownArrow (juce::Graphics& g, int width, int height, bool isScrollUpArrow) override;
    void getIdealPopupMenuItemSize (const juce::String& text, bool isSeparator, int standardMenuItemHeight,
                                    int& idealWidth, int& idealHeight) override;
    juce::Font getMenuBarFont (juce::MenuBarComponent& menuBar, int itemIndex, const juce::String& itemText) override;
    void drawComboBox (juce::Graphics& g, int width, int height, bool isButtonDown,
                       int buttonX, int buttonY, int buttonW, int buttonH, juce::ComboBox& box) override;
    juce::Font getComboBoxFont (juce::ComboBox& box) override;
    juce::Label* createComboBoxTextBox (juce::ComboBox& box) override;
    void positionComboBoxText (juce::ComboBox& box, juce::Label& label) override;

    const Style style;
};
