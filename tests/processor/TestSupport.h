#pragma once

#include "processor/PluginProcessor.h"
#include "tests/support/TempHome.h"

#include <gtest/gtest.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace ondrel_test
{
constexpr int kNumParameters = 14;
constexpr int kRampBlocks = 22; // gain/mix ramps at 44100 Hz, one step per block

// Host order; defaults in each parameter's own range (lfo_wave runs 0..5).
extern const std::array<const char*, kNumParameters> kParameterIDs;
extern const std::array<float, kNumParameters> kOwnRangeDefaults;

// Every test runs under a fresh, empty HOME of its own (Linux: files under ~/.config).
class ProcessorTest : public ::testing::Test
{
protected:
    juce::File settingsFolder() const { return home.folder.getChildFile (".config/Application Support/Kesmark"); }
    juce::File settingsFile() const { return settingsFolder().getChildFile ("Ondrel.settings"); }
    juce::File midiTableFile() const { return settingsFolder().getChildFile ("Ondrel.miditable"); }
    void writeUserFile (const juce::File& file, const std::string& bytes) const
    {
        ASSERT_TRUE (file.getParentDirectory().createDirectory() && file.replaceWithData (bytes.data(), bytes.size()));
    }
    // A file's bytes as they are, or "" when it is missing.
    static std::string bytesOf (const juce::File& file)
    {
        std::ifstream in (file.getFullPathName().toStdString(), std::ios::binary);
        return { std::istreambuf_iterator<char> (in), {} };
    }
    // "<TAG name="value" ...>" of an XML file the processor wrote (with a declaration), else "not written".
    static juce::String written (const juce::File& file);

    TempHome home;
};

// Paths as bytes, for names that are not UTF-8, handled without the framework.
// A file whose full path holds exactly `bytes`: the framework's string
// constructors decode them, and its File constructor folds a "../" it decodes.
inline juce::File rawFile (const std::string& bytes)
{
    return juce::File::createFileWithoutCheckingPath (
        juce::String (juce::CharPointer_UTF8 (bytes.c_str()), juce::CharPointer_UTF8 (bytes.c_str() + bytes.size())));
}
// Creates or truncates the file and writes `content`; false on failure.
bool putFile (const std::string& path, const std::string& content);
// What a folder holds, sorted, folders entered: "name/" for a folder,
// "name->target" for a link, "name=content" for a file ("name" for anything else).
std::vector<std::string> tree (const std::string& folder);

juce::RangedAudioParameter& parameter (OndrelAudioProcessor& p, const juce::String& id);
inline void setNormalised (OndrelAudioProcessor& p, const juce::String& id, float v) { parameter (p, id).setValue (v); }
inline float normalised (OndrelAudioProcessor& p, const juce::String& id) { return parameter (p, id).getValue(); }
void setAll (OndrelAudioProcessor& p, const std::array<float, kNumParameters>& ownRangeValues);

// The undo-grouping timer (the learn handler has a timer of its own).
inline juce::MultiTimer& undoTimer (OndrelAudioProcessor& p) { return p; }

// Garbage, and head cut inside a four-byte character after 0..3 padding letters.
std::vector<std::string> unreadableTexts (const std::string& head);

inline void pumpMessages (int ms) { juce::MessageManager::getInstance()->runDispatchLoopUntil (ms); }
// Runs the message loop until `condition` holds; false after the time-out,
// which is generous: a loaded machine may take seconds.
bool pumpUntil (const std::function<bool()>& condition, int timeoutMs = 30000);
// Runs the message loop until every message posted so far has been handled
// (the queue is first in, first out).
inline void pumpPostedMessages()
{
    auto handled = std::make_shared<bool> (false);
    juce::MessageManager::callAsync ([handled] { *handled = true; });
    EXPECT_TRUE (pumpUntil ([handled] { return *handled; }));
}

inline void prepare (OndrelAudioProcessor& p, double rate, int block)
{
    p.setRateAndBufferSizeDetails (rate, block);
    p.prepareToPlay (rate, block);
}

juce::AudioBuffer<float> processed (OndrelAudioProcessor& p, juce::AudioBuffer<float> buffer);
void processSilence (OndrelAudioProcessor& p, int numBlocks, int blockSize);
juce::AudioBuffer<float> noise (int numChannels, int numSamples, juce::Random& random);
bool identical (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b);

// The DSP fields the mapping writes, handed-over targets applied. Only floats,
// so that the whole record compares bit for bit.
struct DspSnapshot
{
    struct Unit { float lfoDepth, lfoRate, feedback, envToRate, envToDepth, hpCutoff, hpG, lpCutoff, lpG, divisor,
                        sampleRate, waveform, offsetTarget, phase; };
    Unit units[2];
    float inputGain, outputGain, dryWet, bypassed;
};

DspSnapshot captureDsp (OndrelAudioProcessor& p);
inline bool sameBits (const DspSnapshot& a, const DspSnapshot& b) { return std::memcmp (&a, &b, sizeof (a)) == 0; }
bool allFinite (const DspSnapshot& s);
// Every mapped field of both units against double-precision laws; the LFOs at
// the start of their cycles (no audio since a width change).
void expectDspFollows (OndrelAudioProcessor& p, const std::array<float, kNumParameters>& ownRangeValues,
                       double sampleRate);

// What the host chunk carries.
struct ProcessorState
{
    std::array<float, kNumParameters> values;
    juce::String presetName, lastFolder;

    bool operator== (const ProcessorState& o) const
    {
        return std::memcmp (values.data(), o.values.data(), sizeof (values)) == 0 && presetName == o.presetName
               && lastFolder == o.lastFolder;
    }
};

ProcessorState captureState (OndrelAudioProcessor& p);
juce::MemoryBlock makeChunk (const std::string& text); // magic, length, text, NUL
juce::MemoryBlock chunkOf (OndrelAudioProcessor& p);
} // namespace ondrel_test
