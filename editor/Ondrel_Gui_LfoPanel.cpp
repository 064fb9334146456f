#include "Ondrel_Gui_LfoPanel.h"

Ondrel_Gui_LfoPanel::Ondrel_Gui_LfoPanel (juce::AudioProcessorValueTreeState& state)
{
    addTitle ("LFO");

    auto& waveform = *comboBoxes.add (new WaveformBox ("LFO Waveform"));
    // Clicks on the inner text label count as clicks on the box.
    waveform.setInterceptsMouseClicks (true, false);
    waveform.setLookAndFeel (&comboBoxLook);
    waveform.setEditableText (false);
    waveform.setJustificationType (juce::Justification::left);
    waveform.setComponentID ("lfo_wave");
    comboBoxLook.setColour (juce::ComboBox::backgroundColourId, juce::Colour (0xff303030));
    comboBoxLook.setColour (juce::ComboBox::textColourId, juce::Colour (0xffdddddd));
    comboBoxLook.setColour (juce::ComboBox::outlineColourId, juce::Colour (0xff141414));

    // Item k + 1 stands for waveform k of the phaser.
    int itemId = 1;
    for (auto* name : { "Sine", "Tri", "Up", "Down", "Rect", "Rnd" })
        waveform.addItem (name, itemId++);

    addAndMakeVisible (waveform);

    auto& smooth = addSlider (new juce::Slider(), "Smooth", SliderKind::knob, accentColour);
    attachSlider (state, "lfo_smooth", smooth);
    if (auto* wave = state.getParameter ("lfo_wave"))
        waveformAttachment = std::make_unique<WaveformBoxAttachment> (*wave, waveform, state.undoManager);
    smooth.setComponentID ("lfo_smooth");

    setOpaque (true);
}

void Ondrel_Gui_LfoPanel::WaveformBox::mouseDown (const juce::MouseEvent& e)
{
    if (! e.mods.isCtrlDown())
        juce::ComboBox::mouseDown (e);
}

void Ondrel_Gui_LfoPanel::WaveformBox::showPopup()
{
    auto menu = *getRootMenu();

    for (juce::PopupMenu::MenuItemIterator items (menu, true); items.next();)
        items.getItem().isTicked = items.getItem().itemID == getSelectedId();

    // The look sizes the menu after the box's own text label.
    juce::Label* text = nullptr;

    for (auto* child : getChildren())
        if (text == nullptr)
            text = dynamic_cast<juce::Label*> (child);

    auto& look = getLookAndFeel();
    menu.setLookAndFeel (&look);
    const auto options = text != nullptr ? look.getOptionsForComboBoxPopupMenu (*this, *text)
                                         : juce::PopupMenu::Options().withTargetComponent (this);
    menu.showMenuAsync (options, juce::ModalCallbackFunction::forComponent (
                                     +[] (int result, WaveformBox* box) {
                                         if (box == nullptr)
                                             return;
                                         box->hidePopup();
                                         if (result != 0 && result == box->getSelectedId())
                                             box->setSelectedId (0, juce::dontSendNotification);
                                         if (result != 0)
                                             box->setSelectedId (result, juce::sendNotificationSync);
                                     },
                                     this));
}

Ondrel_Gui_LfoPanel::~Ondrel_Gui_LfoPanel()
{
    waveformAttachment.reset();
    sliderAttachments.clear();
    sliders.clear();
    comboBoxes.clear();
}

void Ondrel_Gui_LfoPanel::paint (juce::Graphics& g)
{
    g.fillAll (accentColour);
}

void Ondrel_Gui_LfoPanel::resized()
{
    using namespace OndrelLayout;
    const int w = getWidth();
    const int h = getHeight();
    const auto title = layOutTitle (0.12f);

    if (auto* waveform = comboBoxes[0])
    {
        const int x = part (0.15f, w);
        const int gap = juce::jmax (2, part (0.09f, h));
        waveform->setBounds (x, title.getBottom() + gap, juce::jmax (0, w - 2 * x), part (0.13f, h));
    }

    if (auto* smooth = sliders[0])
    {
        const int d = part (0.73f, w);
        smooth->setBounds (part (0.5f, w) - d / 2, part (0.72f, h) - d / 2, d, d);
    }
}
