#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include "PendingSmootherTarget.h"
#include "RelaxedAtomic.h"

#include <memory>

// Low-frequency oscillator of one phaser unit: five table waveforms read with
// linear interpolation, and a sample-and-hold random waveform. Its phase is
// advanced every sample and its value read every 32 samples by the unit.
class TableLfo
{
public:
    static constexpr int kTableSize = 257;   // 256 entries plus a guard entry
    static constexpr int kNumTables = 5;

    explicit TableLfo (float sampleRate);
    ~TableLfo();

    // Parameter threads: waveform is written directly; the offset target and
    // the phase reset are handed to the audio thread.
    void setPhaseOffsetTarget (float cycles) noexcept { offsetTarget.post (cycles); }
    void requestPhaseReset() noexcept { phaseResetPending.store (true, std::memory_order_release); }

    // Audio thread, at the start of a block: applies what parameter threads handed over.
    void applyPendingChanges() noexcept;

    // Audio thread, every sample.
    void advancePhase() noexcept
    {
        phase += increment;

        if (phase > 1.0f)
        {
            phase -= 1.0f;
            sampleHoldPending = true;
        }
    }

    // Audio thread, at each LFO read: steps the offset smoother once.
    float readValue() noexcept;

    float sampleRate;
    RelaxedAtomic<int> waveform { 0 };
    float increment;
    float phase = 0.0f;
    bool sampleHoldPending = false;
    float heldValue = 0.0f;
    juce::Array<float> tables[kNumTables];
    std::unique_ptr<juce::LinearSmoothedValue<float>> phaseOffsetSmoother;
    juce::Random randomGenerator;

private:
    PendingSmootherTarget offsetTarget { 0.0f };
    std::atomic<bool> phaseResetPending { false };

    void fillTables();
};
