#pragma once

#include "editor/ControlFollower.h"
#include "editor/Ondrel_Gui_Main.h"
#include "editor/Tamberlo_PluginMenuPresetHandler.h"
#include "processor/PluginProcessor.h"

#include <memory>

// The plug-in's window: the control surface over the whole window, a resize
// corner with size limits and a fixed aspect ratio, and the look that becomes
// the framework default so that every font, menu and alert goes through the kit.
class OndrelAudioProcessorEditor : public juce::AudioProcessorEditor,
                                   public juce::Button::Listener,
                                   public Tamberlo_PluginMenuPresetHandler
{
public:
    explicit OndrelAudioProcessorEditor (OndrelAudioProcessor& processor);
    ~OndrelAudioProcessorEditor() override;

    // Right-click (or control-click) on a control: the MIDI-learn menu.
    void mouseDown (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;
    void resized() override;
    // The header buttons, told apart by component ID.
    void buttonClicked (juce::Button* button) override;

    // Plug-in menu commands (100000001..100000014) and preset items (1..N).
    void menuItemSelected (int itemId);
    void saveAs();

    std::unique_ptr<Ondrel_Gui_Main> mainPanel;
    std::unique_ptr<juce::ResizableCornerComponent> resizeCorner;
    juce::ComponentBoundsConstrainer sizeConstrainer;
    OndrelAudioProcessor& processorRef;
    Ondrel_CLAF_LogoLabel defaultLookAndFeel;
    int baseWidth = 718;
    int baseHeight = 222;

private:
    std::unique_ptr<ControlFollower> controlFollower;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OndrelAudioProcessorEditor)
};
