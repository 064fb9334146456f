#include "TestSupport.h"

#include <algorithm>
#include <cmath>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ondrel_test
{
namespace
{
// Timers and the message loop need JUCE's message system on the main thread.
class JuceEnvironment : public ::testing::Environment
{
    void SetUp() override { juce = std::make_unique<juce::ScopedJuceInitialiser_GUI>(); }
    void TearDown() override { juce.reset(); }
    std::unique_ptr<juce::ScopedJuceInitialiser_GUI> juce;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment (new JuceEnvironment());
} // namespace

const std::array<const char*, kNumParameters> kParameterIDs {
    "phaser_depth", "phaser_rate", "phaser_fb", "phaser_width", "filter_hp", "filter_lp", "lfo_wave",
    "lfo_smooth", "output_in", "output_out", "output_drywet", "env_todepth", "env_torate", "bypass"
};

const std::array<float, kNumParameters> kOwnRangeDefaults {
    0.5f, 0.3f, 0.0f, 0.5f, 0.0f, 1.0f, 1.0f, 0.0f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.0f
};

juce::String ProcessorTest::written (const juce::File& file)
{
    const auto xml = juce::parseXML (file);
    if (xml == nullptr || ! file.loadFileAsString().startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"))
        return "not written";
    auto text = "<" + xml->getTagName();
    for (int i = 0; i < xml->getNumAttributes(); ++i)
        text << " " << xml->getAttributeName (i) << "=\"" << xml->getAttributeValue (i) << "\"";
    return text + ">";
}

bool putFile (const std::string& path, const std::string& content)
{
    std::ofstream out (path, std::ios::binary | std::ios::trunc);
    return out.write (content.data(), (std::streamsize) content.size()) && out.flush();
}

std::vector<std::string> tree (const std::string& folder)
{
    std::vector<std::string> entries;
    DIR* dir = opendir (folder.c_str());
    while (dir != nullptr)
    {
        const auto* entry = readdir (dir);
        if (entry == nullptr)
            break;
        const std::string name = entry->d_name, path = folder + "/" + name;
        struct stat info;
        if (name == "." || name == ".." || lstat (path.c_str(), &info) != 0)
            continue;
        if (S_ISDIR (info.st_mode))
        {
            entries.push_back (name + "/");
            for (const auto& inner : tree (path))
                entries.push_back (name + "/" + inner);
        }
        else if (S_ISLNK (info.st_mode))
        {
            char target[4096];
            const auto length = readlink (path.c_str(), target, sizeof (target));
            entries.push_back (name + "->" + std::string (target, (size_t) std::max<ssize_t> (length, 0)));
        }
        else if (S_ISREG (info.st_mode))
        {
            std::ifstream in (path, std::ios::binary);
            entries.push_back (name + "=" + std::string (std::istreambuf_iterator<char> (in), {}));
        }
        else
            entries.push_back (name);
    }
    if (dir != nullptr)
        closedir (dir);
    std::sort (entries.begin(), entries.end());
    return entries;
}

juce::RangedAudioParameter& parameter (OndrelAudioProcessor& p, const juce::String& id)
{
    if (auto* param = p.valueTreeState->getParameter (id))
        return *param;
    ADD_FAILURE() << "no parameter " << id;
    std::abort();
}

void setAll (OndrelAudioProcessor& p, const std::array<float, kNumParameters>& own)
{
    for (size_t i = 0; i < kParameterIDs.size(); ++i)
        parameter (p, kParameterIDs[i]).setValue (parameter (p, kParameterIDs[i]).convertTo0to1 (own[i]));
}

std::vector<std::string> unreadableTexts (const std::string& head)
{
    std::vector<std::string> texts { "not xml <<<" };
    for (size_t padding = 0; padding < 4; ++padding)
        for (size_t cut = 1; cut < 4; ++cut)
            texts.push_back (head + std::string (padding, 'x') + std::string ("\xf0\x9f\x8e\xb9", cut));
    return texts;
}

bool pumpUntil (const std::function<bool()>& condition, int timeoutMs)
{
    for (const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
         ! condition() && juce::Time::getMillisecondCounter() <= end;)
        pumpMessages (5);
    return condition();
}

juce::AudioBuffer<float> processed (OndrelAudioProcessor& p, juce::AudioBuffer<float> buffer)
{
    juce::MidiBuffer midi;
    p.processBlock (buffer, midi);
    return buffer;
}

void processSilence (OndrelAudioProcessor& p, int numBlocks, int blockSize)
{
    juce::AudioBuffer<float> silence (2, blockSize);
    silence.clear();
    for (int b = 0; b < numBlocks; ++b)
        processed (p, silence);
}

juce::AudioBuffer<float> noise (int numChannels, int numSamples, juce::Random& random)
{
    juce::AudioBuffer<float> buffer (numChannels, numSamples);
    for (int c = 0; c < numChannels; ++c)
        std::generate_n (buffer.getWritePointer (c), numSamples, [&] { return random.nextFloat() - 0.5f; });
    return buffer;
}

bool identical (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    bool same = a.getNumChannels() == b.getNumChannels() && a.getNumSamples() == b.getNumSamples();
    for (int c = 0; same && c < a.getNumChannels(); ++c)
        same = std::memcmp (a.getReadPointer (c), b.getReadPointer (c), sizeof (float) * (size_t) a.getNumSamples()) == 0;
    return same;
}

DspSnapshot captureDsp (OndrelAudioProcessor& p)
{
    Phaser_engine& engine = *p.phaserEngine;
    engine.applyPendingTargets();
    DspSnapshot s {};
    for (int i = 0; i < 2; ++i)
    {
        Phaser_unit& u = i == 0 ? engine.left() : engine.right();
        u.lfo->applyPendingChanges();
        s.units[i] = { u.lfoDepth, u.lfoRate, u.feedback, u.envToRate, u.envToDepth,
                       u.hpFilter->cutoff, u.hpFilter->g, u.lpFilter->cutoff, u.lpFilter->g,
                       u.modSmoother->divisor, u.sampleRate, (float) u.lfo->waveform.get(),
                       u.lfo->phaseOffsetSmoother->getTargetValue(), u.lfo->phase };
    }

    s.inputGain = engine.inputGainSmoother->getTargetValue();
    s.outputGain = engine.outputGainSmoother->getTargetValue();
    s.dryWet = engine.dryWetSmoother->getTargetValue();
    s.bypassed = engine.isBypassed ? 1.0f : 0.0f;
    return s;
}

static_assert (sizeof (DspSnapshot) == 32 * sizeof (float), "no padding");

bool allFinite (const DspSnapshot& s)
{
    const auto* f = reinterpret_cast<const float*> (&s);
    return std::all_of (f, f + sizeof (s) / sizeof (float), [] (float x) { return std::isfinite (x); });
}

void expectDspFollows (OndrelAudioProcessor& p, const std::array<float, kNumParameters>& v, double sampleRate)
{
    const auto s = captureDsp (p);
    const auto curve = [] (double x) { return (std::pow (20.0, x) - 1.0) / 19.0; }; // 0..1 over 0..1
    const auto gain = [] (double x) { return std::pow (10.0, (x < 0.5 ? 80.0 * x - 40.0 : 24.0 * (x - 0.5)) / 20.0); };
    const auto near = [] (double actual, double expected, double relative, const char* what) {
        EXPECT_NEAR (actual, expected, std::abs (expected) * relative) << what;
    };

    for (const auto& u : s.units)
    {
        SCOPED_TRACE (&u == s.units ? "left unit" : "right unit");
        EXPECT_EQ (u.sampleRate, (float) sampleRate);
        near (u.lfoDepth, (double) v[0] * v[0], 1e-6, "depth");
        near (u.lfoRate, 0.01 * std::pow (2000.0, v[1]), 2e-6, "rate");
        EXPECT_NEAR (u.feedback, 1.0 - curve (1.0 - v[2]), 2e-6) << "feedback";
        EXPECT_EQ (u.offsetTarget, &u == s.units ? 0.5f * v[3] : 0.0f) << "width offset";
        EXPECT_EQ (u.phase, 0.0f) << "LFO phase";
        near (u.hpCutoff, curve (v[4]) * 2920.0 + 80.0, 1e-5, "high-pass");
        near (u.lpCutoff, curve (v[5]) * 11500.0 + 500.0, 1e-5, "low-pass");
        EXPECT_EQ (u.waveform, std::trunc (v[6])) << "waveform";
        const double smooth = curve (v[7]) * 0.5; // the divisor's floor is one sample
        near (u.divisor, std::clamp ((smooth * smooth * 0.0799 + 0.0001) * sampleRate, 1.0, sampleRate), 1e-5, "smoothing");
        EXPECT_NEAR (u.envToDepth, 2.0 * v[11] - 1.0, 1e-6) << "env to depth";
        EXPECT_NEAR (u.envToRate, 2.0 * v[12] - 1.0, 1e-6) << "env to rate";
    }

    near (s.inputGain, gain (v[8]), 2e-6, "input gain");
    near (s.outputGain, gain (v[9]), 2e-6, "output gain");
    EXPECT_EQ (s.dryWet, v[10]) << "dry/wet";
    EXPECT_EQ (s.bypassed, v[13] > 0.0f ? 1.0f : 0.0f) << "bypass";
}

ProcessorState captureState (OndrelAudioProcessor& p)
{
    ProcessorState s { {}, p.presetName.toString(), p.lastPresetFolderPath };
    for (size_t i = 0; i < kParameterIDs.size(); ++i)
        s.values[i] = normalised (p, kParameterIDs[i]);
    return s;
}

juce::MemoryBlock chunkOf (OndrelAudioProcessor& p)
{
    juce::MemoryBlock block;
    p.getStateInformation (block);
    return block;
}

juce::MemoryBlock makeChunk (const std::string& text)
{
    juce::MemoryOutputStream out;
    out.writeInt (0x21324356); // little-endian
    out.writeInt ((int) text.size());
    out.write (text.data(), text.size());
    out.writeByte (0);
    return out.getMemoryBlock();
}

} // namespace ondrel_test
