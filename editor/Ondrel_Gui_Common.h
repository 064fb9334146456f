#pragma once

#include "lookandfeel/OndrelLooks.h"

#include <juce_audio_processors/juce_audio_processors.h>

// Base of the control surface and of its four panels: a title label, one
// object of every widget look, the scheme's colours, and owned arrays for the
// component's controls and their parameter attachments.
class Ondrel_Gui_Common : public juce::Component,
                          public juce::AsyncUpdater,
                          public juce::Timer,
                          public juce::Slider::Listener,
                          public juce::Button::Listener,
                          public juce::ComboBox::Listener
{
public:
    // Bar sliders that snap to the centre when dragged close to it.
    class SnapSlider_Env : public juce::Slider
    {
    public:
        ~SnapSlider_Env() override = default;
        double snapValue (double attemptedValue, juce::Slider::DragMode) override;
    };

    // Bipolar knobs that snap to the centre when dragged close to it.
    class SnapSlider_Center : public juce::Slider
    {
    public:
        ~SnapSlider_Center() override = default;
        double snapValue (double attemptedValue, juce::Slider::DragMode) override;
    };

    // 0.5 for values strictly inside the single-precision bounds 0.47..0.53.
    static double snapToCentre (double attemptedValue) noexcept;

    Ondrel_Gui_Common();
    ~Ondrel_Gui_Common() override;

    void timerCallback() override {}
    void sliderValueChanged (juce::Slider*) override {}
    void buttonClicked (juce::Button*) override {}
    void comboBoxChanged (juce::ComboBox*) override {}
    void handleAsyncUpdate() override {}

    juce::Label titleLabel;

    Tamberlo_CLAF_Knob4 knobLook;
    Ondrel_CLAF_PanelLabel panelLabelLook;
    Ondrel_CLAF_ComboBox comboBoxLook;
    Ondrel_CLAF_EnvSlider envSliderLook;
    Ondrel_CLAF_LogoLabel logoLabelLook;
    KesCLAF_RndRstButton rndRstButtonLook;
    Sorrendi_CLAF_Knob1_Bipolar bipolarKnobLook;
    Ondrel_CLAF_MenuButton menuButtonLook;
    KesCLAF_PresetNameLabel presetNameLabelLook;
    Ondrel_CLAF_BypassButton bypassButtonLook;

    juce::Colour textColour { 0xff121212 };
    juce::Colour accentColour { 0xfff05f40 };
    juce::Colour accentDarkColour { 0xffeb3c14 };

    juce::OwnedArray<juce::Label> labels;
    juce::OwnedArray<juce::Slider> sliders;
    juce::OwnedArray<juce::TextButton> textButtons;
    juce::OwnedArray<juce::ComboBox> comboBoxes;
    juce::OwnedArray<juce::AudioProcessorValueTreeState::SliderAttachment> sliderAttachments;
    juce::OwnedArray<juce::AudioProcessorValueTreeState::ButtonAttachment> buttonAttachments;

protected:
    // Shared by the panels' constructors.
    enum class SliderKind { knob, bipolar, bar };

    void addTitle (const juce::String& text);
    // Appends the slider to `sliders`, sets it up as a knob, bipolar knob or
    // bar, and makes it a child. `colour` is the knob's thumb or the bar's
    // background.
    juce::Slider& addSlider (juce::Slider* slider, const juce::String& name, SliderKind kind, juce::Colour colour);
    void attachSlider (juce::AudioProcessorValueTreeState& state, const juce::String& parameterID, juce::Slider& slider);
    // Title placed at x = W * titleInset, used by every panel's layout.
    juce::Rectangle<int> layOutTitle (float titleInset);
    // Sliders 0 and 1 as two squares of side W * side at H * 0.32, inset by
    // W * margin from the left and right edges. Returns the side and top.
    std::pair<int, int> layOutKnobPair (float side, float margin);
    // Empties the panel's arrays in the order that deletes every attachment
    // before the control it is bound to.
    void deleteSlidersAndAttachments();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Ondrel_Gui_Common)
};

// The nine popup-menu and combo-box colours that the editor's menu looks, the
// header buttons and the panels' combo-box look share; only the combo-box text
// colour differs between them.
template <typename Target>
void setMenuColours (Target& target, juce::uint32 comboBoxTextArgb)
{
    const std::pair<int, juce::uint32> colours[] = {
        { juce::PopupMenu::backgroundColourId, 0xffeeeeee },
        { juce::PopupMenu::textColourId, 0xff121212 },
        { juce::PopupMenu::highlightedBackgroundColourId, 0xfff05f40 },
        { juce::PopupMenu::highlightedTextColourId, 0xffeeeeee },
        { juce::PopupMenu::headerTextColourId, 0xdd121212 },
        { juce::ComboBox::backgroundColourId, 0xff9f9f9f },
        { juce::ComboBox::arrowColourId, 0xff454545 },
        { juce::ComboBox::textColourId, comboBoxTextArgb },
        { juce::ComboBox::buttonColourId, 0xffcccccc },
    };

    for (auto [id, argb] : colours)
        target.setColour (id, juce::Colour (argb));
}

// Layout arithmetic: single-precision products truncated toward zero, or
// taken to the nearest integer with halves to even.
namespace OndrelLayout
{
inline int part (float factor, int size) noexcept { return (int) (factor * (float) size); }
inline int nearest (float factor, int size) noexcept { return juce::roundToInt ((double) (factor * (float) size)); }
} // namespace OndrelLayout
