#pragma once

#include "editor/Ondrel_Gui_FilterPanel.h"
#include "editor/Ondrel_Gui_LfoPanel.h"
#include "editor/Ondrel_Gui_OutPanel.h"
#include "editor/Ondrel_Gui_PhaserPanel.h"

#include <memory>

// The whole control surface: the four panels, the header (logo, maker label,
// undo/redo/random/reset, version, menu and preset buttons, preset name) and
// the bypass toggle, laid out in proportion to the window.
class Ondrel_Gui_Main : public Ondrel_Gui_Common
{
public:
    // `mouseListener` is not used: the editor registers itself for mouse
    // events once the surface exists. `presetName` shares its source with
    // the processor's preset name.
    Ondrel_Gui_Main (juce::AudioProcessorValueTreeState& state, juce::Button::Listener* listener,
                     juce::MouseListener* mouseListener, juce::Value presetName, juce::String version);
    ~Ondrel_Gui_Main() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    std::unique_ptr<Ondrel_Gui_LfoPanel> lfoPanel;
    std::unique_ptr<Ondrel_Gui_FilterPanel> filterPanel;
    std::unique_ptr<Ondrel_Gui_OutPanel> outPanel;
    std::unique_ptr<Ondrel_Gui_PhaserPanel> phaserPanel;
    std::unique_ptr<juce::TextButton> bypassButton;
    std::unique_ptr<juce::TextButton> headerButtons[5];
    juce::Label presetNameLabel;

private:
    void addHeaderLabel (const juce::String& name, const juce::String& text);
};
