#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// Binds the LFO waveform box to lfo_wave. The parameter is continuous and the
// sound plays the waveform of its integer part, so the box shows that
// waveform; the framework's combo-box attachment would show the nearest item
// instead. Choosing item k sets the value k as one undoable gesture. Changes
// announced from any thread reach the box on the message thread.
class WaveformBoxAttachment : private juce::ComboBox::Listener
{
public:
    WaveformBoxAttachment (juce::RangedAudioParameter& parameter, juce::ComboBox& box, juce::UndoManager* undoManager);
    ~WaveformBoxAttachment() override;

    // The box's item for the waveform the sound path plays at the
    // parameter's current value, or -1 (leave the box as it is) for a
    // non-finite value, which the sound path ignores too.
    static int playedItem (const juce::RangedAudioParameter& parameter, const juce::ComboBox& box);

private:
    void showPlayedWaveform();
    void comboBoxChanged (juce::ComboBox*) override;

    juce::ComboBox& box;
    juce::RangedAudioParameter& parameter;
    bool ignoreCallbacks = false;
    juce::ParameterAttachment attachment;
};
