#include "lookandfeel/KesCLAF_RndRstButton.h"

#include "lookandfeel/ButtonTextLayout.h"
#include "lookandfeel/IconOutlines.h"

namespace
{
// Fits the outline into a square H wide (its left edge a fraction of W),
// then shrinks it towards the origin.
juce::Path fitted (juce::Path icon, float left, float top, float side, float shrink)
{
    icon.applyTransform (icon.getTransformToScaleToFit ({ left, top, side, side }, true,
                                                        juce::Justification::centred));
    icon.applyTransform (juce::AffineTransform::scale (shrink));
    return icon;
}
} // namespace

juce::Path KesCLAF_RndRstButton::iconFor (const juce::String& text, int width, int height, bool toggleState)
{
    using namespace IconOutlines;
    const auto w = (float) width, h = (float) height;

    if (text == "random")
        return fitted (load (svg_dice, svg_diceSize), 0.175f * w, 0.138f * h, h, 0.81f);
    if (text == "reset")
        return fitted (load (svg_eraser, svg_eraserSize), 0.12f * w, 0.138f * h, h, 0.8f);
    if (text == "undo")
        return fitted (load (svg_undo1, svg_undo1Size), 0.12f * w, 0.138f * h, h, 0.8f);
    if (text == "redo")
        return fitted (load (svg_redo1, svg_redo1Size), 0.12f * w, 0.138f * h, h, 0.8f);
    if (text == "lock")
        return toggleState ? fitted (load (svg_lock_close, svg_lock_closeSize), 0.0f, 0.0f, h, 1.0f)
                           : fitted (load (svg_lock_open, svg_lock_openSize), 0.0f, 0.0f, h, 1.0f);
    return {};
}

void KesCLAF_RndRstButton::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                 bool, bool)
{
    // Pressed shading follows the mouse being held on the button, not the button's down state.
    if (button.isMouseButtonDown())
    {
        g.setColour (juce::Colour (0x99ffffff));
        g.fillRect (0, 0, button.getWidth(), button.getHeight());
    }
    drawButtonFrame (g, button);
}

void KesCLAF_RndRstButton::drawButtonText (juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    const auto icon = iconFor (button.getButtonText(), button.getWidth(), button.getHeight(),
                               button.getToggleState());
    g.setColour (button.isMouseButtonDown() ? juce::Colours::black : juce::Colours::white);
    g.fillPath (icon);
}
