#pragma once

#include "KesMidiLearnHandler.h"
#include "Ondrel_ParamProfile.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

// Everything the processor needs to find and change its parameters: the
// parameter tree, the undo manager, the profile, the IDs in profile order
// and a random generator; plus MIDI learn.
class KesParamBase : public juce::AudioProcessorValueTreeState::Listener,
                     public KesMidiLearnHandler
{
public:
    KesParamBase();
    ~KesParamBase() override;

    void parameterChanged (const juce::String& parameterID, float newValue) override = 0;

    // Mode 0 randomises the first eight parameters, any other mode resets
    // them to their defaults; the host is not told.
    void paramRndReset (int mode);

    // The parameter with this ID, or null.
    juce::RangedAudioParameter* findParameter (const juce::String& parameterID) const;

    std::unique_ptr<juce::AudioProcessorValueTreeState> valueTreeState;
    std::unique_ptr<juce::UndoManager> undoManager;
    std::unique_ptr<Ondrel_ParamProfile> paramProfile;
    juce::Array<juce::String> paramIDs;
    juce::Random randomGenerator;

protected:
    // Audio thread: the block's controller messages at positions below
    // numSamples, in buffer order: each completes an armed learn or sets the
    // parameter bound to its controller.
    void processMidiControllers (const juce::MidiBuffer& midi, int numSamples) noexcept;

    // The parameter objects in profile order, filled as they are created.
    juce::Array<juce::RangedAudioParameter*> parameters;

private:
    JUCE_DECLARE_NON_COPYABLE (KesParamBase)
};
