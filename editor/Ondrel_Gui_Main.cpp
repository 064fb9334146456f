#include "Ondrel_Gui_Main.h"

Ondrel_Gui_Main::Ondrel_Gui_Main (juce::AudioProcessorValueTreeState& state, juce::Button::Listener* listener,
                                  juce::MouseListener*, juce::Value presetName, juce::String version)
{
    lfoPanel = std::make_unique<Ondrel_Gui_LfoPanel> (state);
    addAndMakeVisible (*lfoPanel);
    filterPanel = std::make_unique<Ondrel_Gui_FilterPanel> (state);
    addAndMakeVisible (*filterPanel);
    outPanel = std::make_unique<Ondrel_Gui_OutPanel> (state);
    addAndMakeVisible (*outPanel);
    phaserPanel = std::make_unique<Ondrel_Gui_PhaserPanel> (state);
    addAndMakeVisible (*phaserPanel);

    addHeaderLabel ("Ondrel", "Ondrel");
    addHeaderLabel ("company", "by Kesmark");

    const std::pair<const char*, const char*> iconButtons[] = {
        { "undo", "undo" }, { "redo", "redo" }, { "randomize", "random" }, { "reset", "reset" }
    };

    for (auto [id, text] : iconButtons)
    {
        auto& b = *textButtons.add (new juce::TextButton());
        b.setLookAndFeel (&rndRstButtonLook);
        b.setComponentID (id);
        b.setButtonText (text);
        addAndMakeVisible (b);
    }

    for (auto* b : textButtons)
        b->addListener (listener);

    const std::pair<const char*, const char*> headerIdsAndTexts[] = {
        { "", nullptr }, { "plugin_menu", "Menu" }, { "button_preset", "" },
        { "button_preset_left", "R" }, { "button_preset_right", "Q" }
    };

    for (int i = 0; i < 5; ++i)
    {
        headerButtons[i] = std::make_unique<juce::TextButton> ("Menu Buttons");
        auto& b = *headerButtons[i];
        b.addListener (listener);
        b.setLookAndFeel (&menuButtonLook);
        b.setClickingTogglesState (false);
        setMenuColours (b, 0xff363636);
        setMenuColours (menuButtonLook, 0xff363636);

        const auto [id, text] = headerIdsAndTexts[i];

        if (i == 0)
        {
            // The version display is not a button for the user.
            b.setButtonText ("ver " + version);
            b.setInterceptsMouseClicks (false, false);
        }
        else
        {
            b.setButtonText (text);
            b.setComponentID (id);
        }

        addAndMakeVisible (b);
    }

    // Laid over the preset button: clicks fall through to it.
    presetNameLabel.setJustificationType (juce::Justification::centred);
    presetNameLabel.setInterceptsMouseClicks (false, true);
    presetNameLabel.setLookAndFeel (&presetNameLabelLook);
    presetNameLabel.getTextValue().referTo (presetName);
    presetNameLabelLook.setColour (juce::Label::textColourId, juce::Colour (0xffdddddd));
    addAndMakeVisible (presetNameLabel);

    bypassButton = std::make_unique<juce::TextButton> ("Bypass");
    bypassButton->setButtonText ("Bypass");
    bypassButton->setComponentID ("bypass");
    bypassButton->addListener (listener);
    bypassButton->setLookAndFeel (&bypassButtonLook);
    bypassButton->setClickingTogglesState (true);
    bypassButton->setColour (juce::TextButton::textColourOnId, juce::Colour (0xff121212));
    bypassButton->setColour (juce::TextButton::textColourOffId, juce::Colour (0xff909090));
    addAndMakeVisible (*bypassButton);
    buttonAttachments.add (new juce::AudioProcessorValueTreeState::ButtonAttachment (state, "bypass", *bypassButton));

    setOpaque (true);
}

void Ondrel_Gui_Main::addHeaderLabel (const juce::String& name, const juce::String& text)
{
    auto& label = *labels.add (new juce::Label (name));
    label.setText (text, juce::dontSendNotification);
    label.setJustificationType (juce::Justification::centred);
    label.setLookAndFeel (&logoLabelLook);
    label.setEditable (false, false, false);
    label.setColour (juce::Label::textColourId, juce::Colour (0xffcccccc));
    label.setInterceptsMouseClicks (false, false);
    addAndMakeVisible (label);
}

Ondrel_Gui_Main::~Ondrel_Gui_Main()
{
    buttonAttachments.clear();
    bypassButton.reset();
    lfoPanel.reset();
    filterPanel.reset();
    outPanel.reset();
    phaserPanel.reset();
    labels.clear();
    textButtons.clear();
}

void Ondrel_Gui_Main::paint (juce::Graphics& g)
{
    using namespace OndrelLayout;
    const int w = getWidth();
    const int h = getHeight();

    g.fillAll (textColour);

    const int top = juce::jmin (h, part (0.15f, h));
    const int bottom = juce::jmin (h - top, part (0.1f, h));
    const int bandHeight = h - top - bottom;
    g.setColour (accentColour);
    g.fillRect (0, top, w, bandHeight);

    const int left = juce::jmin (w, part (0.139f, w));
    const int right = juce::jmin (w - left, part (0.45f, w));
    const int middleWidth = w - left - right;
    g.setColour (accentDarkColour);
    g.fillRect (left, top, middleWidth, bandHeight);

    const int k = part (0.58f, middleWidth);
    g.fillRect (w - k, top, k, bandHeight);
}

void Ondrel_Gui_Main::resized()
{
    using namespace OndrelLayout;
    const int w = getWidth();
    const int h = getHeight();
    const juce::Rectangle<int> full (0, 0, w, h);

    // The rectangle left after cutting the given amounts from each side.
    const auto cut = [&full] (int left, int right, int top, int bottom)
    {
        auto r = full;
        r.removeFromLeft (left);
        r.removeFromRight (right);
        r.removeFromTop (top);
        r.removeFromBottom (bottom);
        return r;
    };

    const int panelTop = part (0.161f, h);
    const int panelBottom = part (0.113f, h);
    const std::pair<Ondrel_Gui_Common*, std::pair<float, float>> panels[] = {
        { lfoPanel.get(), { 0.005f, 0.87f } },
        { filterPanel.get(), { 0.558f, 0.247f } },
        { outPanel.get(), { 0.768f, 0.006f } },
        { phaserPanel.get(), { 0.144f, 0.456f } },
    };

    for (const auto& [panel, sides] : panels)
        panel->setBounds (cut (part (sides.first, w), part (sides.second, w), panelTop, panelBottom));

    const auto logo = cut (part (0.009f, w), part (0.867f, w), part (0.028f, h), part (0.87f, h));
    labels[0]->setBounds (logo);
    labels[1]->setBounds (part (0.03f, w), part (0.92f, h), part (0.7f, logo.getWidth()),
                          logo.getHeight() - juce::jmin (logo.getHeight(), part (0.4f, logo.getHeight())));

    const auto iconRow = cut (0, 0, part (0.023f, h), part (0.877f, h));
    const int side = iconRow.getHeight();
    const int iconX = part (0.835f, w);
    int iconGap = part (0.01f, w);
    if (iconGap <= 1)
        iconGap = 2;

    for (int i = 0; i < textButtons.size(); ++i)
        textButtons[i]->setBounds (iconX + i * (side + iconGap), iconRow.getY(), side, side);

    const auto headerRow = cut (0, 0, nearest (0.03f, h), nearest (0.885f, h));
    const int y = headerRow.getY();
    const int rowHeight = headerRow.getHeight();
    const int middle = cut (nearest (0.25f, w), nearest (0.25f, w), 0, 0).getWidth();
    const int buttonWidth = part (0.16f, middle);
    const int presetWidth = part (0.5f, middle);
    const int arrowWidth = part (0.04f, middle);
    const int gap = nearest (0.004f, w);
    int x = nearest (0.253f, w);

    headerButtons[0]->setBounds (x, y, buttonWidth, rowHeight);
    x += buttonWidth + gap;
    headerButtons[1]->setBounds (x, y, buttonWidth, rowHeight);
    x += buttonWidth + gap;
    headerButtons[2]->setBounds (x, y, presetWidth, rowHeight);
    presetNameLabel.setBounds (x, y, presetWidth, rowHeight);
    x += presetWidth + gap;
    headerButtons[3]->setBounds (x, y, arrowWidth, rowHeight);
    x += arrowWidth + gap;
    headerButtons[4]->setBounds (x, y, arrowWidth, rowHeight);

    const int bypassWidth = part (0.07f, w);
    bypassButton->setBounds (outPanel->getX() + outPanel->getWidth() / 2 - bypassWidth / 2, part (0.925f, h),
                             bypassWidth, part (0.06f, h));
}
