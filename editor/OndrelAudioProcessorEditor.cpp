#include "OndrelAudioProcessorEditor.h"

OndrelAudioProcessorEditor::OndrelAudioProcessorEditor (OndrelAudioProcessor& p)
    : juce::AudioProcessorEditor (p), processorRef (p)
{
    // The default look first: every look's fonts resolve through it.
    juce::LookAndFeel::setDefaultLookAndFeel (&defaultLookAndFeel);
    setMenuColours (defaultLookAndFeel, 0xff363636);

    const std::pair<int, juce::uint32> alertAndButtonColours[] = {
        { juce::AlertWindow::backgroundColourId, 0xff222222 },
        { juce::AlertWindow::textColourId, 0xffcccccc },
        { juce::AlertWindow::outlineColourId, 0xff707070 },
        { juce::TextButton::buttonOnColourId, 0xffcccccc },
        { juce::TextButton::buttonColourId, 0xff303030 },
        { juce::TextButton::textColourOnId, 0xff121212 },
        { juce::TextButton::textColourOffId, 0xff9f9f9f },
    };

    for (auto [id, argb] : alertAndButtonColours)
        defaultLookAndFeel.setColour (id, juce::Colour (argb));

    mainPanel = std::make_unique<Ondrel_Gui_Main> (*processorRef.valueTreeState, this, this,
                                                   juce::Value (processorRef.presetName), "2.0.0");
    addAndMakeVisible (*mainPanel);
    mainPanel->addMouseListener (this, true);
    controlFollower = std::make_unique<ControlFollower> (*processorRef.valueTreeState, processorRef.paramIDs, *mainPanel);

    resizeCorner = std::make_unique<juce::ResizableCornerComponent> (this, &sizeConstrainer);
    addAndMakeVisible (*resizeCorner);

    using OndrelLayout::part;
    sizeConstrainer.setSizeLimits (part (0.5f, baseWidth), part (0.5f, baseHeight), part (6.0f, baseWidth),
                                   part (6.0f, baseHeight));
    sizeConstrainer.setFixedAspectRatio ((double) ((float) baseWidth / (float) baseHeight));

    // The stored size as it is: the limits only bound drags of the corner.
    setBounds (getX(), getY(), processorRef.windowWidth, processorRef.windowHeight);
}

OndrelAudioProcessorEditor::~OndrelAudioProcessorEditor()
{
    controlFollower = nullptr;
    mainPanel = nullptr;
}

void OndrelAudioProcessorEditor::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
}

void OndrelAudioProcessorEditor::resized()
{
    const int w = getWidth();
    const int h = getHeight();

    if (mainPanel != nullptr)
        mainPanel->setBounds (0, 0, w, h);

    // Only a new width is stored: a height change alone is not written.
    if (processorRef.windowWidth != w)
    {
        processorRef.windowWidth = w;
        processorRef.windowHeight = h;
        processorRef.updateSettingFile();
    }

    if (resizeCorner != nullptr)
    {
        const int side = OndrelLayout::nearest (0.024f, w);
        resizeCorner->setBounds (w - 2 - side, h - 2 - side, side, side);
    }
}
