#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>

// Moves the controls when their parameters are set without telling the host
// (state restore, preset loads, randomise, reset, MIDI controllers): the
// framework's attachments only hear changes that are announced to the host.
// Changes made on the message thread show at once. Changes from other
// threads (the audio thread, for a learned controller) only raise a flag,
// which a message-thread timer picks up: posting a message from there would
// take the framework's queue lock on the audio thread.
class ControlFollower : private juce::AudioProcessorValueTreeState::Listener,
                        private juce::Timer
{
public:
    // Finds the bound controls below `surface` by their component IDs.
    ControlFollower (juce::AudioProcessorValueTreeState& state, const juce::Array<juce::String>& parameterIDs,
                     juce::Component& surface);
    ~ControlFollower() override;

private:
    static constexpr int kMaxParameters = 16;
    static constexpr int kPollMs = 30;

    void parameterChanged (const juce::String& parameterID, float newValue) override;
    void timerCallback() override;
    void show (int index);

    juce::AudioProcessorValueTreeState& state;
    // Read by parameterChanged on any thread: fixed while a listener is registered.
    const juce::Array<juce::String> ids;
    std::array<juce::Component::SafePointer<juce::Component>, kMaxParameters> controls;
    std::array<std::atomic<bool>, kMaxParameters> pending {};
};
