// Bypass, dry/wet 0 and 0.5, width 0 and block-size independence are checked
// through real hosts in tests/host; here: what a host cannot reach or see.

#include "TestSupport.h"

#include <algorithm>
#include <cmath>
#include <tuple>

using namespace ondrel_test;

namespace
{
constexpr int kBlock = 512;

using AudioLoop = ProcessorTest;

// The processor offers mono and stereo inputs only; this one takes any layout.
class AnyLayoutProcessor : public OndrelAudioProcessor
{
public:
    bool isBusesLayoutSupported (const BusesLayout&) const override { return true; }
};

void useLayout (OndrelAudioProcessor& p, int numInputs)
{
    p.setPlayConfigDetails (numInputs, 2, 44100.0, kBlock);
    ASSERT_EQ (p.getTotalNumInputChannels(), numInputs);
}
} // namespace

TEST_F (AudioLoop, BypassPausesTheRamps)
{
    OndrelAudioProcessor p;
    auto& wet = *p.phaserEngine->dryWetSmoother;
    auto& gain = *p.phaserEngine->inputGainSmoother;
    processSilence (p, 5, kBlock);
    const float wetBefore = wet.getCurrentValue(), gainBefore = gain.getCurrentValue();

    setNormalised (p, "bypass", 1.0f);
    processSilence (p, 10, kBlock);
    EXPECT_EQ (wet.getCurrentValue(), wetBefore);
    EXPECT_EQ (gain.getCurrentValue(), gainBefore);

    setNormalised (p, "bypass", 0.0f);
    processSilence (p, 1, kBlock);
    EXPECT_GT (wet.getCurrentValue(), wetBefore);
}

TEST_F (AudioLoop, MonoInputFeedsBothUnitsAndOtherInputCountsGiveSilenceNotStaleData)
{
    AnyLayoutProcessor mono, stereo;
    useLayout (mono, 1);
    juce::Random random (4);

    for (int b = 0; b < 30; ++b)
    {
        const auto monoBuffer = noise (2, kBlock, random); // channel 1 is not an input: ignored
        auto stereoBuffer = monoBuffer;
        stereoBuffer.copyFrom (1, 0, monoBuffer, 0, 0, kBlock);
        ASSERT_TRUE (identical (processed (mono, monoBuffer), processed (stereo, stereoBuffer))) << b;
    }

    setNormalised (stereo, "output_drywet", 0.0f);
    processSilence (stereo, kRampBlocks, kBlock);

    for (int numInputs : { 3, 4 })
    {
        // The dry path holds noise from a stereo block first.
        useLayout (stereo, 2);
        const auto input = noise (2, kBlock, random);
        ASSERT_TRUE (identical (processed (stereo, input), input));
        useLayout (stereo, numInputs);
        const auto buffer = processed (stereo, noise (numInputs, kBlock, random));
        EXPECT_EQ (buffer.getMagnitude (0, 0, kBlock) + buffer.getMagnitude (1, 0, kBlock), 0.0f) << numInputs;
    }
}

TEST_F (AudioLoop, DetectorTakesTheLargerSignedSample)
{
    OndrelAudioProcessor mixed, positive, negative;

    const auto envelopeAfter = [] (OndrelAudioProcessor& p, float left, float right) {
        juce::AudioBuffer<float> buffer (2, 256);
        juce::FloatVectorOperations::fill (buffer.getWritePointer (0), left, 256);
        juce::FloatVectorOperations::fill (buffer.getWritePointer (1), right, 256);
        processed (p, buffer);
        const auto* e = p.phaserEngine->envelopeBuffer.getReadPointer (0);
        return std::vector<float> (e, e + 256);
    };

    for (int b = 0; b < 10; ++b)
    {
        const auto m = envelopeAfter (mixed, -0.9f, 0.1f);
        EXPECT_EQ (m, envelopeAfter (positive, 0.1f, 0.1f)) << b;
        EXPECT_NE (m, envelopeAfter (negative, -0.9f, -0.9f)) << b;
    }
}

TEST_F (AudioLoop, OneChannelHostBufferIsNotWrittenPast)
{
    OndrelAudioProcessor p;
    juce::Random random (6);
    juce::MidiBuffer midi;
    constexpr float kGuard = 12345.0f;

    std::vector<float> storage (kBlock + 64, kGuard);

    for (int b = 0; b < 5; ++b)
    {
        std::generate_n (storage.begin(), kBlock, [&] { return random.nextFloat() - 0.5f; });
        float* channels[] = { storage.data() };
        juce::AudioBuffer<float> buffer (channels, 1, kBlock); // the host's own memory, not a copy
        p.processBlock (buffer, midi);

        for (size_t i = 0; i < storage.size(); ++i)
            ASSERT_TRUE (i < kBlock ? std::isfinite (storage[i]) : storage[i] == kGuard) << i;
    }
}

TEST_F (AudioLoop, RateChangesRebuildOnlyWhenNeededAndReapplyTheParameters)
{
    OndrelAudioProcessor p;
    const std::array<float, kNumParameters> own { 0.8f, 0.6f, 0.7f, 0.3f, 0.4f, 0.6f, 3.5f,
                                                  0.9f, 0.2f, 0.8f, 0.6f, 0.9f, 0.1f, 0.0f };
    setAll (p, own);

    // 44100 Hz is the construction rate: no rebuild, the block size is noted.
    const auto* left = &p.phaserEngine->left();
    prepare (p, 44100.0, kBlock);
    EXPECT_EQ (&p.phaserEngine->left(), left);
    EXPECT_EQ (p.lastBlockSize, kBlock);

    // releaseResources makes the same rate check as prepareToPlay (48000 Hz: tests/host).
    p.setRateAndBufferSizeDetails (96000.0, kBlock);
    p.releaseResources();
    EXPECT_EQ (p.lastSampleRate, 96000.0f);
    expectDspFollows (p, own, 96000.0);
}

TEST_F (AudioLoop, TargetsHandedOverBetweenBlocksActLikeDirectSetValueCalls)
{
    OndrelAudioProcessor p;

    // The framework's smoothers given the same calls directly: 22-step ramps
    // at 44100 Hz, from 0 towards the constructor's targets.
    juce::LinearSmoothedValue<float> wet (0.0f), inGain (0.0f);
    wet.reset (44100.0, 0.0005);
    inGain.reset (44100.0, 0.0005);
    wet.setTargetValue (0.5f);
    inGain.setTargetValue (1.0f);

    const std::tuple<const char*, float, float, int> changes[] = { // id, value, smoother target, blocks after
        { nullptr, 0.0f, 0.0f, 5 },          { "output_drywet", 0.8f, 0.8f, 3 },
        { "output_drywet", 0.1f, 0.1f, 0 },  { "output_drywet", 0.3f, 0.3f, 4 }, // two between the same blocks
        { "output_drywet", 0.9f, 0.9f, 0 },  { "output_drywet", 0.3f, 0.3f, 0 }, // away and back: the ramp restarts
        { "output_in", 0.0f, 0.01f, 0 },     { "output_in", 0.5f, 1.0f, kRampBlocks + 2 },
    };

    for (const auto& [id, value, target, blocksAfter] : changes)
    {
        if (id != nullptr)
        {
            setNormalised (p, id, value);
            (juce::String (id) == "output_in" ? inGain : wet).setTargetValue (target);
        }

        for (int b = 0; b < blocksAfter; ++b)
        {
            processSilence (p, 1, 64);
            ASSERT_EQ (p.phaserEngine->dryWetSmoother->getCurrentValue(), wet.getNextValue());
            ASSERT_EQ (p.phaserEngine->inputGainSmoother->getCurrentValue(), inGain.getNextValue());
        }
    }

    EXPECT_EQ (p.phaserEngine->dryWetSmoother->getCurrentValue(), 0.3f);
    EXPECT_EQ (p.phaserEngine->inputGainSmoother->getCurrentValue(), 1.0f);
}
