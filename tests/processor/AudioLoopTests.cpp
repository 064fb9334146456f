#include "TestSupport.h"

#include <cmath>
#include <vector>

using namespace ondrel_test;

namespace
{
constexpr int kBlock = 512;
constexpr int kRampBlocks = 22;

using AudioLoop = ProcessorTest;

// Processes a copy of input and returns the result.
juce::AudioBuffer<float> processed (OndrelAudioProcessor& p, const juce::AudioBuffer<float>& input)
{
    juce::AudioBuffer<float> buffer (input);
    process (p, buffer);
    return buffer;
}

bool allFinite (const juce::AudioBuffer<float>& buffer)
{
    for (int c = 0; c < buffer.getNumChannels(); ++c)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            if (! std::isfinite (buffer.getSample (c, i)))
                return false;

    return true;
}

// The processor offers mono and stereo inputs only; this one takes any layout,
// so that the audio loop can be given other input counts.
class AnyLayoutProcessor : public OndrelAudioProcessor
{
public:
    bool isBusesLayoutSupported (const BusesLayout&) const override { return true; }
};

void useLayout (OndrelAudioProcessor& p, int numInputs, int numOutputs)
{
    p.setPlayConfigDetails (numInputs, numOutputs, 44100.0, kBlock);
    ASSERT_EQ (p.getTotalNumInputChannels(), numInputs);
}
} // namespace

TEST_F (AudioLoop, BypassReturnsTheInputExactlyAndPausesTheRamps)
{
    OndrelAudioProcessor p;
    juce::Random random (1);

    processSilence (p, 5, kBlock);
    const float wetBefore = p.phaserEngine->dryWetSmoother->getCurrentValue();
    const float gainBefore = p.phaserEngine->inputGainSmoother->getCurrentValue();

    setNormalised (p, "bypass", 1.0f);

    for (int b = 0; b < 10; ++b)
    {
        const auto input = noise (2, kBlock, random);
        EXPECT_TRUE (identical (processed (p, input), input)) << b;
    }

    EXPECT_EQ (p.phaserEngine->dryWetSmoother->getCurrentValue(), wetBefore);
    EXPECT_EQ (p.phaserEngine->inputGainSmoother->getCurrentValue(), gainBefore);

    setNormalised (p, "bypass", 0.0f);
    processSilence (p, 1, kBlock);
    EXPECT_GT (p.phaserEngine->dryWetSmoother->getCurrentValue(), wetBefore);
}

TEST_F (AudioLoop, DryWetZeroReturnsTheInputOnceTheRampIsOver)
{
    OndrelAudioProcessor p;
    juce::Random random (2);
    setNormalised (p, "output_drywet", 0.0f);
    setNormalised (p, "phaser_fb", 0.9f);

    for (int b = 0; b < kRampBlocks; ++b)
        processed (p, noise (2, kBlock, random));

    for (int b = 0; b < 10; ++b)
    {
        const auto input = noise (2, kBlock, random);
        EXPECT_TRUE (identical (processed (p, input), input)) << b;
    }
}

TEST_F (AudioLoop, HalfMixIsHalfOfTheDryAndHalfOfTheWet)
{
    OndrelAudioProcessor wetOnly, half;
    setNormalised (wetOnly, "output_drywet", 1.0f);
    setNormalised (half, "output_drywet", 0.5f);
    juce::Random random (3);

    for (int b = 0; b < kRampBlocks + 5; ++b)
    {
        const auto input = noise (2, kBlock, random);
        const auto wet = processed (wetOnly, input);
        const auto mixed = processed (half, input);

        if (b < kRampBlocks)
            continue;

        EXPECT_FALSE (identical (wet, input));

        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < kBlock; ++i)
                ASSERT_EQ (mixed.getSample (c, i), input.getSample (c, i) * 0.5f + wet.getSample (c, i) * 0.5f)
                    << "block " << b << " channel " << c << " sample " << i;
    }
}

TEST_F (AudioLoop, MonoInputFeedsBothUnitsLikeEqualStereoChannels)
{
    OndrelAudioProcessor mono, stereo;
    useLayout (mono, 1, 2);
    juce::Random random (4);

    for (int b = 0; b < 30; ++b)
    {
        const auto signal = noise (1, kBlock, random);

        juce::AudioBuffer<float> monoBuffer (2, kBlock);
        monoBuffer.copyFrom (0, 0, signal, 0, 0, kBlock);
        monoBuffer.copyFrom (1, 0, noise (1, kBlock, random), 0, 0, kBlock); // not an input: ignored

        juce::AudioBuffer<float> stereoBuffer (2, kBlock);
        stereoBuffer.copyFrom (0, 0, signal, 0, 0, kBlock);
        stereoBuffer.copyFrom (1, 0, signal, 0, 0, kBlock);

        process (mono, monoBuffer);
        process (stereo, stereoBuffer);

        ASSERT_TRUE (identical (monoBuffer, stereoBuffer)) << b;
    }
}

TEST_F (AudioLoop, DetectorTakesTheLargerSignedSample)
{
    OndrelAudioProcessor mixed, positive, negative;

    const auto constant = [] (float left, float right) {
        juce::AudioBuffer<float> buffer (2, 256);
        juce::FloatVectorOperations::fill (buffer.getWritePointer (0), left, 256);
        juce::FloatVectorOperations::fill (buffer.getWritePointer (1), right, 256);
        return buffer;
    };

    const auto envelope = [] (OndrelAudioProcessor& p) {
        const auto& e = p.phaserEngine->envelopeBuffer;
        return std::vector<float> (e.getReadPointer (0), e.getReadPointer (0) + e.getNumSamples());
    };

    for (int b = 0; b < 10; ++b)
    {
        processed (mixed, constant (-0.9f, 0.1f));
        processed (positive, constant (0.1f, 0.1f));
        processed (negative, constant (-0.9f, -0.9f));

        EXPECT_EQ (envelope (mixed), envelope (positive)) << b;
        EXPECT_NE (envelope (mixed), envelope (negative)) << b;
    }
}

TEST_F (AudioLoop, OneChannelHostBufferIsNotWrittenPast)
{
    OndrelAudioProcessor p;
    juce::Random random (6);
    constexpr float kGuard = 12345.0f;

    for (int b = 0; b < 5; ++b)
    {
        std::vector<float> storage (kBlock + 64, kGuard);

        for (int i = 0; i < kBlock; ++i)
            storage[(size_t) i] = random.nextFloat() - 0.5f;

        float* channels[] = { storage.data() };
        juce::AudioBuffer<float> buffer (channels, 1, kBlock);
        process (p, buffer);

        EXPECT_TRUE (allFinite (buffer));

        for (size_t i = kBlock; i < storage.size(); ++i)
            ASSERT_EQ (storage[i], kGuard) << i;
    }
}

TEST_F (AudioLoop, OtherInputCountsGiveSilenceNotStaleData)
{
    for (int numInputs : { 3, 4 })
    {
        SCOPED_TRACE (numInputs);
        AnyLayoutProcessor p;
        juce::Random random (7);
        setNormalised (p, "output_drywet", 0.0f);

        // The dry path holds noise from stereo blocks first.
        juce::AudioBuffer<float> input, output;

        for (int b = 0; b <= kRampBlocks; ++b)
        {
            input = noise (2, kBlock, random);
            output = processed (p, input);
        }

        ASSERT_TRUE (identical (output, input));

        useLayout (p, numInputs, 2);

        for (int b = 0; b < 3; ++b)
        {
            auto buffer = processed (p, noise (numInputs, kBlock, random));

            for (int c = 0; c < 2; ++c)
                EXPECT_EQ (buffer.getMagnitude (c, 0, kBlock), 0.0f) << "channel " << c;
        }
    }
}

TEST_F (AudioLoop, HostAt48000RebuildsTheUnitsAndReappliesTheParameters)
{
    OndrelAudioProcessor p;
    const std::array<float, kNumParameters> own { 0.8f, 0.6f, 0.7f, 0.3f, 0.4f, 0.6f, 3.5f,
                                                  0.9f, 0.2f, 0.8f, 0.6f, 0.9f, 0.1f, 0.0f };

    for (int i = 0; i < kNumParameters; ++i)
    {
        auto& param = parameter (p, kParameterIDs[(size_t) i]);
        param.setValue (param.convertTo0to1 (own[(size_t) i]));
    }

    // 44100 Hz is the construction rate: no rebuild, the buffers are sized.
    const auto* leftAt44100 = &p.phaserEngine->left();
    prepare (p, 44100.0, kBlock);
    EXPECT_EQ (&p.phaserEngine->left(), leftAt44100);
    EXPECT_EQ (p.lastBlockSize, kBlock);

    prepare (p, 48000.0, kBlock);
    EXPECT_NE (&p.phaserEngine->left(), leftAt44100);
    EXPECT_EQ (p.lastSampleRate, 48000.0f);

    for (auto* unit : { &p.phaserEngine->left(), &p.phaserEngine->right() })
    {
        EXPECT_EQ (unit->delayLength, 480);
        EXPECT_EQ (unit->lfo->sampleRate, 48000.0f);
    }

    expectDspFollows (p, own, 48000.0);

    // releaseResources makes the same rate check.
    p.setRateAndBufferSizeDetails (96000.0, kBlock);
    p.releaseResources();
    EXPECT_EQ (p.phaserEngine->left().sampleRate, 96000.0f);
    expectDspFollows (p, own, 96000.0);
}

TEST_F (AudioLoop, TargetsHandedOverBetweenBlocksActLikeDirectSetValueCalls)
{
    OndrelAudioProcessor p;

    // What the engine's smoothers do when given the same calls directly:
    // 22-step ramps at 44100 Hz, starting from 0 towards the constructor's targets.
    juce::LinearSmoothedValue<float> wet (0.0f), inGain (0.0f);

    for (auto* s : { &wet, &inGain })
    {
        s->reset (44100.0, 0.0005);
        s->setTargetValue (0.5f);
    }

    inGain.setTargetValue (1.0f);

    const auto step = [&] (int blocks) {
        for (int b = 0; b < blocks; ++b)
        {
            processSilence (p, 1, 64);
            wet.getNextValue();
            inGain.getNextValue();
            ASSERT_EQ (p.phaserEngine->dryWetSmoother->getCurrentValue(), wet.getCurrentValue());
            ASSERT_EQ (p.phaserEngine->inputGainSmoother->getCurrentValue(), inGain.getCurrentValue());
        }
    };

    const auto change = [&] (const char* id, juce::LinearSmoothedValue<float>& s, float v, float target) {
        setNormalised (p, id, v);
        s.setTargetValue (target);
    };

    step (5);
    change ("output_drywet", wet, 0.8f, 0.8f);
    step (3);

    // Two changes between the same two blocks.
    change ("output_drywet", wet, 0.1f, 0.1f);
    change ("output_drywet", wet, 0.3f, 0.3f);
    step (4);

    // Away and back to the current target: the ramp starts again.
    change ("output_drywet", wet, 0.9f, 0.9f);
    change ("output_drywet", wet, 0.3f, 0.3f);
    change ("output_in", inGain, 0.0f, 0.01f);
    change ("output_in", inGain, 0.5f, 1.0f);
    step (kRampBlocks + 2);

    EXPECT_EQ (p.phaserEngine->dryWetSmoother->getCurrentValue(), 0.3f);
    EXPECT_EQ (p.phaserEngine->inputGainSmoother->getCurrentValue(), 1.0f);
}
