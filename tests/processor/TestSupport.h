#pragma once

#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ondrel_test
{
constexpr int kNumParameters = 14;

// The parameter IDs in host order.
extern const std::array<const char*, kNumParameters> kParameterIDs;

// Defaults in each parameter's own range (lfo_wave runs 0..5).
extern const std::array<float, kNumParameters> kOwnRangeDefaults;

int parameterIndex (const juce::String& id);

//==============================================================================
// A fresh, empty HOME for the object's lifetime; the previous one comes back afterwards.
class ScopedTemporaryHome
{
public:
    ScopedTemporaryHome();
    ~ScopedTemporaryHome();

    const juce::File& path() const noexcept { return dir; }

private:
    juce::File dir;
    std::string previous;
    bool hadPrevious = false;
};

// Where the per-user files must live for a given HOME (Linux: ~/.config).
juce::File settingsFolder (const juce::File& home);
juce::File settingsFile (const juce::File& home);
juce::File midiTableFile (const juce::File& home);

// Every test runs under its own HOME, so no test sees another's files.
class ProcessorTest : public ::testing::Test
{
protected:
    ScopedTemporaryHome home;

    juce::File settingsFile() const { return ondrel_test::settingsFile (home.path()); }
    juce::File midiTableFile() const { return ondrel_test::midiTableFile (home.path()); }

    // Writes a settings or MIDI-table file, byte for byte, before a processor reads it.
    void writeUserFile (const juce::File& file, const std::string& bytes) const;
};

//==============================================================================
juce::RangedAudioParameter& parameter (OndrelAudioProcessor& p, const juce::String& id);

// The undo-grouping timer (the processor also has a learn timer of the same name).
inline juce::MultiTimer& undoTimer (OndrelAudioProcessor& p) { return p; }
void setNormalised (OndrelAudioProcessor& p, const juce::String& id, float value);
float normalised (OndrelAudioProcessor& p, const juce::String& id);

// File contents no XML parser may accept: plain garbage, and head cut off
// inside a four-byte character (as an interrupted write leaves a file) after
// 0 to 3 padding letters.
std::vector<std::string> unreadableTexts (const std::string& head);

// Runs the message loop for about ms milliseconds.
void pumpMessages (int ms);

// Runs the message loop until the condition holds or the time is up.
bool pumpUntil (const std::function<bool()>& condition, int timeoutMs);

//==============================================================================
// The host's side of prepareToPlay: the framework sets the rate, then calls the processor.
void prepare (OndrelAudioProcessor& p, double sampleRate, int blockSize);

void process (OndrelAudioProcessor& p, juce::AudioBuffer<float>& buffer);
void process (OndrelAudioProcessor& p, juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi);

// Silent stereo blocks, for letting the ramps finish or handing over targets.
void processSilence (OndrelAudioProcessor& p, int numBlocks, int blockSize);

// Uniform noise in -0.5..0.5.
juce::AudioBuffer<float> noise (int numChannels, int numSamples, juce::Random& random);

// Same channel count, length and bits.
bool identical (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b);

//==============================================================================
// Double-precision laws of the parameter mapping.
namespace reference
{
double rateHz (double v);
double feedback (double v);
double gain (double v);
double hpCutoff (double v);
double lpCutoff (double v);
double smoothDivisor (double v, double sampleRate);
} // namespace reference

// The DSP fields the mapping writes, with handed-over targets applied (as the
// audio thread would before its next block).
struct DspSnapshot
{
    struct Unit
    {
        float lfoDepth, lfoRate, feedback, envToRate, envToDepth;
        float hpCutoff, hpG, lpCutoff, lpG, divisor, sampleRate;
        int waveform;
        float offsetTarget, phase;
    };

    Unit units[2];
    float inputGain, outputGain, dryWet;
    bool bypassed;
};

DspSnapshot captureDsp (OndrelAudioProcessor& p);
bool sameBits (const DspSnapshot& a, const DspSnapshot& b);
bool allFinite (const DspSnapshot& s);

// Checks every mapped field of both units against the reference laws for
// parameter values given in their own ranges.
void expectDspFollows (OndrelAudioProcessor& p, const std::array<float, kNumParameters>& ownValues,
                       double sampleRate);

//==============================================================================
// What the host chunk carries: values, preset name and last folder.
struct ProcessorState
{
    std::array<float, kNumParameters> values;
    juce::String presetName;
    juce::String lastFolder;

    bool operator== (const ProcessorState& other) const;
};

ProcessorState captureState (OndrelAudioProcessor& p);

// A chunk in the host layout around any text: magic, length, text, NUL.
juce::MemoryBlock makeChunk (const std::string& text);
juce::MemoryBlock chunkOf (OndrelAudioProcessor& p);
} // namespace ondrel_test
