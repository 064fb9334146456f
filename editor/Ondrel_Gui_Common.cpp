#include "Ondrel_Gui_Common.h"

double Ondrel_Gui_Common::snapToCentre (double attemptedValue) noexcept
{
    constexpr double lower = (double) 0.47f;
    constexpr double upper = (double) 0.53f;
    return (attemptedValue > lower && attemptedValue < upper) ? 0.5 : attemptedValue;
}

double Ondrel_Gui_Common::SnapSlider_Env::snapValue (double attemptedValue, juce::Slider::DragMode)
{
    return snapToCentre (attemptedValue);
}

double Ondrel_Gui_Common::SnapSlider_Center::snapValue (double attemptedValue, juce::Slider::DragMode)
{
    return snapToCentre (attemptedValue);
}

Ondrel_Gui_Common::Ondrel_Gui_Common()
{
    setMenuColours (comboBoxLook, 0xff121212);
}

Ondrel_Gui_Common::~Ondrel_Gui_Common() = default;

void Ondrel_Gui_Common::addTitle (const juce::String& text)
{
    addAndMakeVisible (titleLabel);
    titleLabel.setLookAndFeel (&panelLabelLook);
    titleLabel.setText (text, juce::dontSendNotification);
    titleLabel.setJustificationType (juce::Justification::centred);
    titleLabel.setEditable (false, false, false);
    titleLabel.setInterceptsMouseClicks (false, false);
}

juce::Slider& Ondrel_Gui_Common::addSlider (juce::Slider* slider, const juce::String& name, SliderKind kind,
                                            juce::Colour colour)
{
    auto& s = *sliders.add (slider);
    s.setName (name);

    if (kind == SliderKind::bar)
    {
        s.setLookAndFeel (&envSliderLook);
        s.setSliderStyle (juce::Slider::LinearHorizontal);
        s.setTextBoxStyle (juce::Slider::NoTextBox, false, 80, 20);
        s.setDoubleClickReturnValue (true, 0.5);
        s.setColour (juce::Slider::backgroundColourId, colour);
    }
    else
    {
        s.setLookAndFeel (kind == SliderKind::knob ? static_cast<juce::LookAndFeel*> (&knobLook) : &bipolarKnobLook);

        if (name == "Width")
            s.setChangeNotificationOnlyOnRelease (true);

        s.setRotaryParameters (4.0840702f, 8.4823008f, false);
        s.setSliderStyle (juce::Slider::RotaryHorizontalVerticalDrag);
        s.setTextBoxStyle (juce::Slider::NoTextBox, false, 80, 20);
        s.setDoubleClickReturnValue (true, 0.5);

        if (kind == SliderKind::knob)
            s.setVelocityModeParameters (1.0, 1, 0.0, true);

        s.setColour (juce::Slider::thumbColourId, colour);

        if (kind == SliderKind::bipolar)
            s.setTextValueSuffix ("circle2");
    }

    addAndMakeVisible (s);
    return s;
}

void Ondrel_Gui_Common::attachSlider (juce::AudioProcessorValueTreeState& state, const juce::String& parameterID,
                                      juce::Slider& slider)
{
    sliderAttachments.add (new juce::AudioProcessorValueTreeState::SliderAttachment (state, parameterID, slider));
    // The attachment makes a double-click return the parameter's default;
    // every slider here returns to the middle instead.
    slider.setDoubleClickReturnValue (true, 0.5);
}

juce::Rectangle<int> Ondrel_Gui_Common::layOutTitle (float titleInset)
{
    using namespace OndrelLayout;
    const int w = getWidth();
    const int h = getHeight();
    const int x = part (titleInset, w);
    const juce::Rectangle<int> r (x, part (0.07f, h), juce::jmax (0, w - 2 * x), part (0.15f, h));
    titleLabel.setBounds (r);
    return r;
}

std::pair<int, int> Ondrel_Gui_Common::layOutKnobPair (float side, float margin)
{
    using namespace OndrelLayout;
    const int w = getWidth();
    const int s = part (side, w);
    const int m = part (margin, w);
    const int y = part (0.32f, getHeight());

    if (auto* left = sliders[0])
        left->setBounds (m, y, s, s);

    if (auto* right = sliders[1])
        right->setBounds (w - m - s, y, s, s);

    return { s, y };
}

void Ondrel_Gui_Common::deleteSlidersAndAttachments()
{
    sliderAttachments.clear();
    sliders.clear();
}
