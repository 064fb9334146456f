#include "lookandfeel/Ondrel_CLAF_PopupMenuFamily.h"

namespace
{
// Combo boxes of these names get a slightly larger text.
bool hasLargerComboText (const juce::String& name)
{
    return juce::StringArray { "LFO Sync Time", "LFO Waveform", "LFO Target Main",
                               "LFO Target SEQ", "LFO Target Midi", "LFO Target CC" }
        .contains (name);
}

void drawSeparator (juce::Graphics& g, const juce::Rectangle<int>& area)
{
    auto r = area.reduced (5, 0);
    r.removeFromTop (juce::jlimit (0, r.getHeight(), r.getHeight() / 2 - 1));
    g.setColour (juce::Colour (0x33000000));
    g.fillRect (r.removeFromTop (1));
    g.setColour (juce::Colour (0x44000000));
    g.fillRect (r.removeFromTop (1));
}
} // namespace

void Ondrel_CLAF_PopupMenuFamily::drawPopupMenuBackground (juce::Graphics& g, int width, int height)
{
    g.setColour (findColour (juce::PopupMenu::backgroundColourId));
    g.fillRoundedRectangle (0.0f, 0.0f, (float) width, (float) height, style.backgroundCornerSize);
}

void Ondrel_CLAF_PopupMenuFamily::drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area,
                                                     bool isSeparator, bool isActive, bool isHighlighted,
                                                     bool isTicked, bool hasSubMenu, const juce::String& text,
                                                     const juce::String& shortcutKeyText,
                                                     const juce::Drawable* icon, const juce::Colour* textColourToUse)
{
    if (isSeparator)
    {
        drawSeparator (g, area);
        return;
    }

    const auto x = area.getX(), y = area.getY(), H = area.getHeight();
    auto r = area.reduced (1);
    const auto rh = r.getHeight();

    if (isHighlighted)
    {
        g.setColour (findColour (juce::PopupMenu::highlightedBackgroundColourId));
        g.fillRect (r);
        g.setColour (findColour (juce::PopupMenu::highlightedTextColourId));
    }
    else
    {
        g.setColour (textColourToUse != nullptr ? *textColourToUse : findColour (juce::PopupMenu::textColourId));
    }

    if (style.dimsInactiveItems && ! isActive && ! isTicked)
        g.setOpacity (0.3f);

    // The framework's menu font serves only the shortcut text.
    auto baseFont = getPopupMenuFont();
    if (baseFont.getHeight() > (float) H / 0.7f)
        baseFont.setHeight ((float) H / 0.7f);

    g.setFont (juce::Font ("Robot Regular", (float) H * style.itemFontScale, juce::Font::bold));

    const auto iw = juce::jmin (rh * 5 / 4, r.getWidth());
    r.removeFromLeft (iw);
    if (icon != nullptr)
        icon->drawWithin (g,
                          { (float) (x + 4), (float) (y + 4), 0.5f * (float) juce::jmax (0, iw - 6),
                            (float) juce::jmax (0, rh - 6) },
                          juce::RectanglePlacement::centred | juce::RectanglePlacement::onlyReduceInSize, 1.0f);

    if (hasSubMenu)
    {
        const auto a = 0.6f * getPopupMenuFont().getAscent();
        const auto ax = (float) r.removeFromRight (juce::jmin ((int) a, r.getWidth())).getX();
        const auto cy = (float) (y + 1 + rh / 2);
        juce::Path arrow;
        arrow.addTriangle (ax, cy - a * 0.5f, ax, cy + a * 0.5f, ax + 0.6f * a, cy);
        g.fillPath (arrow);
    }

    r.removeFromRight (juce::jmin ((int) ((float) area.getWidth() * 0.05f), r.getWidth()));

    const auto ty = (int) ((float) rh * 0.1f);
    const juce::Rectangle<int> textArea (r.getX(), ty, r.getWidth(), rh - ty);
    g.drawFittedText (text, textArea, juce::Justification::centredLeft, 1, 0.01f);

    if (shortcutKeyText.isNotEmpty())
    {
        auto shortcutFont = baseFont;
        shortcutFont.setHeight (baseFont.getHeight() * 0.75f);
        shortcutFont.setHorizontalScale (0.95f);
        g.setFont (shortcutFont);
        g.drawText (shortcutKeyText, textArea.toFloat(), juce::Justification::centredRight, true);
    }
}

void Ondrel_CLAF_PopupMenuFamily::drawPopupMenuSectionHeader (juce::Graphics& g, const juce::Rectangle<int>& area,
                                                              const juce::String& sectionName)
{
    g.setColour (findColour (juce::PopupMenu::headerTextColourId));
    g.setFont (juce::Font ("Robot Medium", (float) (int) ((float) area.getHeight() * 0.5f), juce::Font::italic));
    g.drawFittedText (sectionName, area, juce::Justification::centred, 1, 0.3f);
}

juce::Font Ondrel_CLAF_PopupMenuFamily::getPopupMenuFont()
{
    return LookAndFeel_V2::getPopupMenuFont();
}

void Ondrel_CLAF_PopupMenuFamily::drawPopupMenuUpDownArrow (juce::Graphics& g, int width, int height,
                                                            bool isScrollUpArrow)
{
    LookAndFeel_V2::drawPopupMenuUpDownArrow (g, width, height, isScrollUpArrow);
}

void Ondrel_CLAF_PopupMenuFamily::getIdealPopupMenuItemSize (const juce::String& text, bool isSeparator,
                                                             int standardMenuItemHeight, int& idealWidth,
                                                             int& idealHeight)
{
    LookAndFeel_V2::getIdealPopupMenuItemSize (text, isSeparator, standardMenuItemHeight, idealWidth, idealHeight);
}

juce::Font Ondrel_CLAF_PopupMenuFamily::getMenuBarFont (juce::MenuBarComponent& menuBar, int itemIndex,
                                                        const juce::String& itemText)
{
    return LookAndFeel_V2::getMenuBarFont (menuBar, itemIndex, itemText);
}

void Ondrel_CLAF_PopupMenuFamily::drawComboBox (juce::Graphics& g, int, int, bool,
                                                int buttonX, int buttonY, int buttonW, int buttonH,
                                                juce::ComboBox& box)
{
    g.fillAll (box.findColour (juce::ComboBox::backgroundColourId));

    g.setColour (box.findColour (juce::ComboBox::outlineColourId));
    g.drawRect (juce::Rectangle<float> (0.0f, 0.0f, (float) box.getWidth(), (float) box.getHeight()), 1.0f);

    const auto bx = (float) buttonX, by = (float) buttonY, bw = (float) buttonW, bh = (float) buttonH;
    juce::Path arrow;
    arrow.addTriangle (bx + 0.5f * bw, by + 0.65f * bh,
                       bx + 0.7f * bw, by + 0.45f * bh,
                       bx + 0.3f * bw, by + 0.45f * bh);
    g.setColour (box.findColour (juce::ComboBox::textColourId).withMultipliedAlpha (box.isEnabled() ? 1.0f : 0.3f));
    g.fillPath (arrow);
}

juce::Font Ondrel_CLAF_PopupMenuFamily::getComboBoxFont (juce::ComboBox& box)
{
    const auto k = hasLargerComboText (box.getName()) ? 0.68f : 0.65f;
    return juce::Font ("Robot Medium", (float) box.getHeight() * k, juce::Font::bold);
}

juce::Label* Ondrel_CLAF_PopupMenuFamily::createComboBoxTextBox (juce::ComboBox& box)
{
    return LookAndFeel_V2::createComboBoxTextBox (box);
}

void Ondrel_CLAF_PopupMenuFamily::positionComboBoxText (juce::ComboBox& box, juce::Label& label)
{
    LookAndFeel_V2::positionComboBoxText (box, label);
}
