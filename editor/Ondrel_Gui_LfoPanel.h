#pragma once

#include "editor/Ondrel_Gui_Common.h"
#include "editor/WaveformBoxAttachment.h"

#include <memory>

// The LFO panel: waveform choice and smoothing.
class Ondrel_Gui_LfoPanel : public Ondrel_Gui_Common
{
public:
    explicit Ondrel_Gui_LfoPanel (juce::AudioProcessorValueTreeState& state);
    ~Ondrel_Gui_LfoPanel() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    // The waveform box leaves a control-click to the editor's MIDI-learn
    // menu: on Linux the framework would open the item list for it too.
    class WaveformBox : public juce::ComboBox
    {
    public:
        using juce::ComboBox::ComboBox;
        void mouseDown (const juce::MouseEvent& e) override;
        // As the framework's popup, but choosing the item shown sends a change
        // too: it may stand for an in-between value, which then becomes exact.
        void showPopup() override;
    };

private:
    std::unique_ptr<WaveformBoxAttachment> waveformAttachment;
};
