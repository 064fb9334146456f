#pragma once

#include <juce_events/juce_events.h>

#include <array>
#include <atomic>

// MIDI learn: a table binding controller numbers 0..127 to parameters, the
// armed-learn state with its 5000 ms time-out, and the MIDI-table file.
//
// The audio thread never touches a juce::String here: it reads the learn
// target and the bindings as parameter indices held in atomics. The string
// table `midiCCTable` is the message thread's view of the same bindings;
// learns completed on the audio thread reach it (and the file) through flags
// that a message-thread timer polls.
class KesMidiLearnHandler : private juce::Timer
{
public:
    static constexpr int kNumControllers = 128;
    static constexpr int kLearnTimeoutMs = 5000;

    KesMidiLearnHandler();
    ~KesMidiLearnHandler() override;

    // Message thread: arm a learn for a learnable parameter (restarts the time-out).
    void armLearn (const juce::String& parameterID);

    // Message thread: removes every binding of the parameter and saves the
    // table; does nothing when the parameter has none.
    void unlearn (const juce::String& parameterID);

    // The lowest controller bound to the parameter, or -1.
    int learnedController (const juce::String& parameterID) const;

    // Writes the table to the MIDI-table file (message thread).
    void saveMidiTableSetting();

    // Sizes the table to 128 entries and loads the MIDI-table file, creating
    // an empty one when there is none.
    void getMidiTableSetting();

    bool learning() const noexcept { return isLearning.load (std::memory_order_acquire); }

    // The learn time-out's timer, for tests that fire it rather than wait.
    juce::Timer& learnTimeOut() noexcept { return *this; }

    juce::String learnParamID;
    std::atomic<bool> isLearning { false };
    juce::Array<juce::String> midiCCTable;
    juce::Array<juce::String> learnableParamIDs;

protected:
    // Audio thread: one controller message (cc may be any data byte).
    // Completes an armed learn, or returns the parameter index bound to cc
    // (or -1) for the caller to set.
    int handleController (int cc) noexcept;

private:
    void timerCallback() override;

    juce::String idForIndex (int parameterIndex) const;
    void setBinding (int cc, int parameterIndex);
    void applyCompletedLearns();

    std::array<std::atomic<int>, kNumControllers> boundIndex;
    std::atomic<int> learnIndex { -1 };

    // Set by the audio thread when a learn completed: the string table and
    // the file are then brought in line with boundIndex on the message thread.
    std::atomic<bool> tableChanged { false };
    std::atomic<bool> learnTargetTaken { false };

    struct CompletionPoller : juce::Timer
    {
        explicit CompletionPoller (KesMidiLearnHandler& h) : handler (h) {}
        void timerCallback() override;
        KesMidiLearnHandler& handler;
    };

    CompletionPoller poller { *this };
};
