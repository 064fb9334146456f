#pragma once

#include "PendingSmootherTarget.h"
#include "PhaserRecords.h"
#include "Phaser_unit.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <atomic>
#include <memory>
#include <vector>

// Peak detector with a smoothing low-pass; its coefficients are fixed at the
// rate it was built for.
struct EnvelopeFollower
{
    explicit EnvelopeFollower (float rate);

    float sampleRate;
    float attackCoef;
    float releaseCoef;
    float level = 0.0f;
    std::unique_ptr<OnePoleFilter> lowPass;
    juce::AudioBuffer<float> buffer;
};

// The sound path's state: the two phaser units, the envelope follower, the
// gain and mix smoothers, the bypass flag and the work buffers. The audio
// loop drives it through its fields.
class Phaser_engine
{
public:
    explicit Phaser_engine (float rate);
    ~Phaser_engine();

    Phaser_engine (const Phaser_engine&) = delete;
    Phaser_engine& operator= (const Phaser_engine&) = delete;

    // Builds new left and right units at sampleRate. Not concurrent with a block.
    void makePhaserUnits();

    // Sizes the work buffers to n samples. Capacity is kept, so returning to
    // a size seen before allocates nothing.
    void setBufferSize (int numSamples);

    // Turns channel 0 of envelopeBuffer (the detector signal) into the
    // envelope handed to the units: 1.3 times the smoothed peak level.
    void processEnvelope (int numSamples) noexcept;

    // Parameter threads: new smoother targets, applied by the audio thread.
    void setInputGainTarget (float gain) noexcept { inputGainTarget.post (gain); }
    void setOutputGainTarget (float gain) noexcept { outputGainTarget.post (gain); }
    void setDryWetTarget (float wet) noexcept { dryWetTarget.post (wet); }

    // Audio thread, before the smoothers are stepped in a block.
    void applyPendingTargets() noexcept;

    Phaser_unit& left() const noexcept { return *leftUnit.load (std::memory_order_acquire); }
    Phaser_unit& right() const noexcept { return *rightUnit.load (std::memory_order_acquire); }

    float sampleRate;
    RelaxedAtomic<bool> isBypassed { false };
    std::atomic<Phaser_unit*> leftUnit { nullptr };
    std::atomic<Phaser_unit*> rightUnit { nullptr };
    std::unique_ptr<EnvelopeFollower> envelopeFollower;
    juce::AudioBuffer<float> dryBuffer;
    juce::AudioBuffer<float> workBuffer;
    juce::AudioBuffer<float> envelopeBuffer;
    std::unique_ptr<juce::LinearSmoothedValue<float>> inputGainSmoother;
    std::unique_ptr<juce::LinearSmoothedValue<float>> outputGainSmoother;
    std::unique_ptr<juce::LinearSmoothedValue<float>> dryWetSmoother;

private:
    // Replaced units are kept, not deleted, until the engine goes: a parameter
    // write racing the replacement may still hold the old unit's address.
    std::vector<std::unique_ptr<Phaser_unit>> units;

    PendingSmootherTarget inputGainTarget { 0.5f };
    PendingSmootherTarget outputGainTarget { 0.5f };
    PendingSmootherTarget dryWetTarget { 0.5f };
};
