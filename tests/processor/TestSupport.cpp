#include "TestSupport.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace ondrel_test
{
namespace
{
// Timers and the message loop need JUCE's message system on the test's main thread.
class JuceEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { juce = std::make_unique<juce::ScopedJuceInitialiser_GUI>(); }
    void TearDown() override { juce.reset(); }

private:
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

int parameterIndex (const juce::String& id)
{
    for (int i = 0; i < kNumParameters; ++i)
        if (id == kParameterIDs[(size_t) i])
            return i;

    return -1;
}

//==============================================================================
ScopedTemporaryHome::ScopedTemporaryHome()
{
    // ctest may run tests in parallel processes: the name must not collide.
    const auto name = "ondrel-home-" + juce::String ((int) getpid()) + "-"
                      + juce::String::toHexString (juce::Random::getSystemRandom().nextInt64());
    dir = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile (name);
    dir.createDirectory();

    if (const char* current = std::getenv ("HOME"))
    {
        previous = current;
        hadPrevious = true;
    }

    setenv ("HOME", dir.getFullPathName().toRawUTF8(), 1);
}

ScopedTemporaryHome::~ScopedTemporaryHome()
{
    if (hadPrevious)
        setenv ("HOME", previous.c_str(), 1);
    else
        unsetenv ("HOME");

    dir.deleteRecursively();
}

juce::File settingsFolder (const juce::File& home)
{
    return home.getChildFile (".config").getChildFile ("Application Support").getChildFile ("Kesmark");
}

juce::File settingsFile (const juce::File& home) { return settingsFolder (home).getChildFile ("Ondrel.settings"); }
juce::File midiTableFile (const juce::File& home) { return settingsFolder (home).getChildFile ("Ondrel.miditable"); }

void ProcessorTest::writeUserFile (const juce::File& file, const std::string& bytes) const
{
    ASSERT_TRUE (file.getParentDirectory().createDirectory());
    ASSERT_TRUE (file.replaceWithData (bytes.data(), bytes.size()));
}

//==============================================================================
juce::RangedAudioParameter& parameter (OndrelAudioProcessor& p, const juce::String& id)
{
    for (auto* candidate : p.getParameters())
        if (auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (candidate))
            if (ranged->paramID == id)
                return *ranged;

    ADD_FAILURE() << "no parameter " << id;
    std::abort();
}

void setNormalised (OndrelAudioProcessor& p, const juce::String& id, float value)
{
    parameter (p, id).setValue (value);
}

float normalised (OndrelAudioProcessor& p, const juce::String& id)
{
    return parameter (p, id).getValue();
}

std::vector<std::string> unreadableTexts (const std::string& head)
{
    const std::string character = "\xf0\x9f\x8e\xb9";
    std::vector<std::string> texts { "not xml <<<" };

    for (size_t padding = 0; padding < 4; ++padding)
        for (size_t cut = 1; cut < character.size(); ++cut)
            texts.push_back (head + std::string (padding, 'x') + character.substr (0, cut));

    return texts;
}

void pumpMessages (int ms)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (ms);
}

bool pumpUntil (const std::function<bool()>& condition, int timeoutMs)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

    while (! condition())
    {
        if (juce::Time::getMillisecondCounter() > end)
            return false;

        pumpMessages (5);
    }

    return true;
}

//==============================================================================
void prepare (OndrelAudioProcessor& p, double sampleRate, int blockSize)
{
    p.setRateAndBufferSizeDetails (sampleRate, blockSize);
    p.prepareToPlay (sampleRate, blockSize);
}

void process (OndrelAudioProcessor& p, juce::AudioBuffer<float>& buffer)
{
    juce::MidiBuffer midi;
    p.processBlock (buffer, midi);
}

void process (OndrelAudioProcessor& p, juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    p.processBlock (buffer, midi);
}

void processSilence (OndrelAudioProcessor& p, int numBlocks, int blockSize)
{
    juce::AudioBuffer<float> buffer (2, blockSize);

    for (int b = 0; b < numBlocks; ++b)
    {
        buffer.clear();
        process (p, buffer);
    }
}

juce::AudioBuffer<float> noise (int numChannels, int numSamples, juce::Random& random)
{
    juce::AudioBuffer<float> buffer (numChannels, numSamples);

    for (int c = 0; c < numChannels; ++c)
        for (int i = 0; i < numSamples; ++i)
            buffer.setSample (c, i, random.nextFloat() - 0.5f);

    return buffer;
}

bool identical (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    if (a.getNumChannels() != b.getNumChannels() || a.getNumSamples() != b.getNumSamples())
        return false;

    for (int c = 0; c < a.getNumChannels(); ++c)
        if (std::memcmp (a.getReadPointer (c), b.getReadPointer (c), sizeof (float) * (size_t) a.getNumSamples()) != 0)
            return false;

    return true;
}

//==============================================================================
namespace reference
{
double rateHz (double v) { return 0.01 * std::pow (2000.0, v); }
double feedback (double v) { return 1.0 - (std::pow (20.0, 1.0 - v) - 1.0) / 19.0; }

double gain (double v)
{
    const double dB = v < 0.5 ? 80.0 * v - 40.0 : (v > 0.5 ? 24.0 * (v - 0.5) : 0.0);
    return std::pow (10.0, dB / 20.0);
}

double hpCutoff (double v) { return (std::pow (20.0, v) - 1.0) / 19.0 * 2920.0 + 80.0; }
double lpCutoff (double v) { return (std::pow (20.0, v) - 1.0) / 19.0 * 11500.0 + 500.0; }

double smoothDivisor (double v, double sampleRate)
{
    const double s = (std::pow (20.0, v) - 1.0) / 19.0 * 0.5;
    const double scaled = (s * s * 0.0799 + 0.0001) * sampleRate;
    return scaled < 1.0 ? 1.0 : std::min (sampleRate, scaled);
}
} // namespace reference

DspSnapshot captureDsp (OndrelAudioProcessor& p)
{
    Phaser_engine& engine = *p.phaserEngine;
    engine.applyPendingTargets();

    DspSnapshot s {};
    Phaser_unit* units[2] = { &engine.left(), &engine.right() };

    for (int i = 0; i < 2; ++i)
    {
        Phaser_unit& u = *units[i];
        u.lfo->applyPendingChanges();

        s.units[i] = { u.lfoDepth, u.lfoRate, u.feedback, u.envToRate, u.envToDepth,
                       u.hpFilter->cutoff, u.hpFilter->g, u.lpFilter->cutoff, u.lpFilter->g,
                       u.modSmoother->divisor, u.sampleRate, u.lfo->waveform,
                       u.lfo->phaseOffsetSmoother->getTargetValue(), u.lfo->phase };
    }

    s.inputGain = engine.inputGainSmoother->getTargetValue();
    s.outputGain = engine.outputGainSmoother->getTargetValue();
    s.dryWet = engine.dryWetSmoother->getTargetValue();
    s.bypassed = engine.isBypassed;
    return s;
}

namespace
{
bool sameBits (float a, float b) { return std::memcmp (&a, &b, sizeof (float)) == 0; }
} // namespace

bool sameBits (const DspSnapshot& a, const DspSnapshot& b)
{
    // The unit records hold only 4-byte fields, so they have no padding.
    static_assert (sizeof (DspSnapshot::Unit) == 14 * sizeof (float));

    return std::memcmp (a.units, b.units, sizeof (a.units)) == 0 && sameBits (a.inputGain, b.inputGain)
           && sameBits (a.outputGain, b.outputGain) && sameBits (a.dryWet, b.dryWet) && a.bypassed == b.bypassed;
}

bool allFinite (const DspSnapshot& s)
{
    for (const auto& u : s.units)
        for (float f : { u.lfoDepth, u.lfoRate, u.feedback, u.envToRate, u.envToDepth, u.hpCutoff, u.hpG,
                         u.lpCutoff, u.lpG, u.divisor, u.offsetTarget, u.phase })
            if (! std::isfinite (f))
                return false;

    return std::isfinite (s.inputGain) && std::isfinite (s.outputGain) && std::isfinite (s.dryWet);
}

namespace
{
void expectRelative (double actual, double expected, double tolerance, const char* what)
{
    EXPECT_NEAR (actual, expected, std::abs (expected) * tolerance) << what;
}
} // namespace

void expectDspFollows (OndrelAudioProcessor& p, const std::array<float, kNumParameters>& v, double sampleRate)
{
    const auto s = captureDsp (p);

    for (int i = 0; i < 2; ++i)
    {
        SCOPED_TRACE (i == 0 ? "left unit" : "right unit");
        const auto& u = s.units[i];

        EXPECT_EQ (u.sampleRate, (float) sampleRate);
        expectRelative (u.lfoDepth, (double) v[0] * v[0], 1e-6, "depth");
        expectRelative (u.lfoRate, reference::rateHz (v[1]), 2e-6, "rate");
        EXPECT_NEAR (u.feedback, reference::feedback (v[2]), 2e-6) << "feedback";
        EXPECT_EQ (u.offsetTarget, i == 0 ? 0.5f * v[3] : 0.0f) << "width offset";
        expectRelative (u.hpCutoff, reference::hpCutoff (v[4]), 1e-5, "high-pass");
        expectRelative (u.lpCutoff, reference::lpCutoff (v[5]), 1e-5, "low-pass");
        EXPECT_EQ (u.waveform, (int) std::trunc (v[6])) << "waveform";
        expectRelative (u.divisor, reference::smoothDivisor (v[7], sampleRate), 1e-5, "smoothing divisor");
        EXPECT_NEAR (u.envToDepth, 2.0 * v[11] - 1.0, 1e-6) << "env to depth";
        EXPECT_NEAR (u.envToRate, 2.0 * v[12] - 1.0, 1e-6) << "env to rate";
    }

    expectRelative (s.inputGain, reference::gain (v[8]), 2e-6, "input gain");
    expectRelative (s.outputGain, reference::gain (v[9]), 2e-6, "output gain");
    EXPECT_EQ (s.dryWet, v[10]) << "dry/wet";
    EXPECT_EQ (s.bypassed, v[13] > 0.0f) << "bypass";
}

//==============================================================================
bool ProcessorState::operator== (const ProcessorState& other) const
{
    return std::memcmp (values.data(), other.values.data(), sizeof (values)) == 0
           && presetName == other.presetName && lastFolder == other.lastFolder;
}

ProcessorState captureState (OndrelAudioProcessor& p)
{
    ProcessorState s;

    for (int i = 0; i < kNumParameters; ++i)
        s.values[(size_t) i] = normalised (p, kParameterIDs[(size_t) i]);

    s.presetName = p.presetName.toString();
    s.lastFolder = p.lastPresetFolderPath;
    return s;
}

juce::MemoryBlock makeChunk (const std::string& text)
{
    juce::MemoryBlock block;

    {
        juce::MemoryOutputStream out (block, false);
        out.writeInt (0x21324356); // little-endian
        out.writeInt ((int) text.size());
        out.write (text.data(), text.size());
        out.writeByte (0);
    }

    return block;
}

juce::MemoryBlock chunkOf (OndrelAudioProcessor& p)
{
    juce::MemoryBlock block;
    p.getStateInformation (block);
    return block;
}
} // namespace ondrel_test
