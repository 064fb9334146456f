#include "TestSupport.h"

#include "tests/support/AllocationCounter.h"

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

TEST_F (AudioLoop, OutputMixesTheDryInputWithThePhaserUnitsOnSevenTenthsOfItTimesOnePointSeven)
{
    // The last processor serves only for its units, which the test runs itself.
    OndrelAudioProcessor bypassed, dry, half, wet, own;
    setNormalised (bypassed, "bypass", 0.01f); // any value above 0 bypasses
    setNormalised (dry, "output_drywet", 0.0f);
    setNormalised (wet, "output_drywet", 1.0f);
    std::vector<float> envelope (kBlock); // unused: the envelope amounts are 0 by default
    juce::Random random (5);

    // Silence while the gain and mix ramps run, so that the ramps do not shape the units' input.
    for (int b = 0; b < kRampBlocks + 30; ++b)
    {
        auto input = noise (2, kBlock, random);
        if (b < kRampBlocks)
            input.clear();

        auto expected = input;
        expected.applyGain (0.7f);
        Phaser_unit::process_block_pair (own.phaserEngine->left(), expected.getWritePointer (0), own.phaserEngine->right(),
                                         expected.getWritePointer (1), envelope.data(), kBlock);
        expected.applyGain (1.7f);
        const bool ramped = b >= kRampBlocks;
        ASSERT_TRUE (identical (processed (wet, input), expected) || ! ramped) << "block " << b;

        // Halving is exact, so the mean rounds once, as the double-precision one does.
        auto mean = input;
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < kBlock; ++i)
                mean.setSample (c, i, (float) (0.5 * input.getSample (c, i) + 0.5 * expected.getSample (c, i)));
        ASSERT_TRUE (identical (processed (half, input), mean) || ! ramped) << "block " << b;
        ASSERT_TRUE (identical (processed (dry, input), input) || ! ramped) << "block " << b;
        ASSERT_TRUE (identical (processed (bypassed, input), input)) << "block " << b;
    }
}

TEST_F (AudioLoop, MonoInputFeedsBothUnitsAndOtherInputCountsGiveSilenceNotStaleData)
{
    AnyLayoutProcessor mono, stereo, oneChannel;
    useLayout (mono, 1);
    juce::Random random (4);
    std::vector<float> storage (kBlock + 64, 12345.0f);

    for (int b = 0; b < 30; ++b)
    {
        const auto monoBuffer = noise (2, kBlock, random); // channel 1 is not an input: ignored
        auto stereoBuffer = monoBuffer;
        stereoBuffer.copyFrom (1, 0, monoBuffer, 0, 0, kBlock);
        const auto expected = processed (stereo, stereoBuffer);
        ASSERT_TRUE (identical (processed (mono, monoBuffer), expected)) << b;

        // A one-channel host buffer, the host's own memory: the left output, and nothing written past it.
        std::copy_n (monoBuffer.getReadPointer (0), kBlock, storage.begin());
        float* channels[] = { storage.data() };
        juce::AudioBuffer<float> host (channels, 1, kBlock);
        processed (oneChannel, host);
        ASSERT_TRUE (std::equal (storage.begin(), storage.begin() + kBlock, expected.getReadPointer (0))) << b;
        ASSERT_TRUE (std::all_of (storage.begin() + kBlock, storage.end(), [] (float x) { return x == 12345.0f; })) << b;
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
    const auto m = envelopeAfter (mixed, -0.9f, 0.1f);
    EXPECT_EQ (m, envelopeAfter (positive, 0.1f, 0.1f));
    EXPECT_NE (m, envelopeAfter (negative, -0.9f, -0.9f));
}

// One bad sample in blocks of 512: from the next block on the output is
// finite. With the envelope amounts at 0 a NaN in the left leaves the right as
// it would be without it; at 900, with envelope amounts, an infinity or a NaN
// reaches both units through the envelope's control update at 960 (with no
// envelope on the rate, through the depth alone). Blocks of 100 end between
// the units' LFO reads. A finite 1e30 is processed: its ring-out fills the
// next block.
TEST_F (AudioLoop, ABadSampleLeavesTheOutputFiniteFromTheNextBlockAndAHugeOneRingsOn)
{
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    const struct { float value; bool left, right; int at; float toDepth, toRate; int block = kBlock; } rows[] = {
        { nan, true, false, 1000, 0.5f, 0.5f }, { inf, true, true, 900, 0.9f, 0.9f }, { nan, false, true, 900, 0.1f, 0.1f },
        { -inf, true, false, 900, 0.9f, 0.9f }, { 1e30f, true, true, 1000, 0.9f, 0.9f },
        { nan, true, true, 900, 0.9f, 0.5f }, { nan, true, true, 950, 0.9f, 0.9f, 100 },
    };

    for (const auto& row : rows)
    {
        SCOPED_TRACE (testing::Message() << row.value << " at " << row.at << " in " << row.left << row.right
                                         << ", amounts " << row.toDepth << " " << row.toRate << ", blocks of " << row.block);
        OndrelAudioProcessor p, clean;
        for (auto* q : { &p, &clean })
            setNormalised (*q, "env_todepth", row.toDepth), setNormalised (*q, "env_torate", row.toRate);
        juce::Random random (7);
        const int badBlock = row.at / row.block;

        for (int b = 0; b * row.block < 6 * kBlock; ++b)
        {
            const auto input = noise (2, row.block, random);
            auto bad = input;
            for (int c = 0; c < 2 && badBlock == b; ++c)
                if (c == 0 ? row.left : row.right)
                    bad.setSample (c, row.at % row.block, row.value);
            const auto out = processed (p, bad), expected = processed (clean, input);

            for (int c = 0; c < 2; ++c)
                ASSERT_TRUE (b <= badBlock || std::all_of (out.getReadPointer (c), out.getReadPointer (c) + row.block,
                                                           [] (float x) { return std::isfinite (x); })) << "block " << b;
            ASSERT_TRUE (row.right || row.toDepth != 0.5f || row.toRate != 0.5f
                         || std::equal (out.getReadPointer (1), out.getReadPointer (1) + row.block, expected.getReadPointer (1)));
            ASSERT_TRUE (b != badBlock + 1 || std::isfinite (row.value) == (out.getMagnitude (0, row.block) > 1e20f));
        }
    }
}

TEST_F (AudioLoop, RateChangesRebuildTheUnitsOnlyWhenNeededAndReapplyTheParameters)
{
    OndrelAudioProcessor p;
    const std::array<float, kNumParameters> own { 0.8f, 0.6f, 0.7f, 0.3f, 0.4f, 0.6f, 3.5f,
                                                  0.9f, 0.2f, 0.8f, 0.6f, 0.9f, 0.1f, 0.0f };
    setAll (p, own);
    const float release = p.phaserEngine->envelopeFollower->releaseCoef;

    // 44100 Hz is the construction rate: no rebuild, the block size is noted.
    const auto* left = &p.phaserEngine->left();
    prepare (p, 44100.0, kBlock);
    EXPECT_EQ (&p.phaserEngine->left(), left);
    EXPECT_EQ (p.lastBlockSize, kBlock);
    prepare (p, 48000.0, kBlock);
    expectDspFollows (p, own, 48000.0);

    // releaseResources makes the same check; a rate of 0 is not one to build units for.
    p.setRateAndBufferSizeDetails (96000.0, kBlock);
    p.releaseResources();
    prepare (p, 0.0, kBlock);
    expectDspFollows (p, own, 96000.0);
    EXPECT_EQ (p.phaserEngine->envelopeFollower->releaseCoef, release); // built once, for 44100 Hz
}

TEST_F (AudioLoop, TargetsHandedOverBetweenBlocksActLikeDirectSetValueCallsAndBypassPausesTheRamps)
{
    OndrelAudioProcessor p;
    auto& engine = *p.phaserEngine;

    // The framework's smoothers given the same calls directly: 22-step ramps
    // at 44100 Hz, from 0 towards the constructor's targets.
    juce::LinearSmoothedValue<float> wet (0.0f), inGain (0.0f);
    for (auto [s, target] : { std::pair (&wet, 0.5f), std::pair (&inGain, 1.0f) })
        s->reset (44100.0, 0.0005), s->setTargetValue (target);

    const std::tuple<const char*, float, float, int> changes[] = { // id, value, smoother target, blocks after
        { nullptr, 0.0f, 0.0f, 5 },          { "output_drywet", 0.8f, 0.8f, 3 },
        { "output_drywet", 0.1f, 0.1f, 0 },  { "output_drywet", 0.3f, 0.3f, 4 }, // two between the same blocks
        { "output_drywet", 0.9f, 0.9f, 0 },  { "output_drywet", 0.3f, 0.3f, 0 }, // away and back: the ramp restarts
        { "output_in", 0.0f, 0.01f, 0 },     { "output_in", 0.5f, 1.0f, kRampBlocks + 2 },
        { "output_drywet", 0.9f, 0.9f, 0 },  { "output_in", 0.0f, 0.01f, 3 },
    };
    for (const auto& [id, value, target, blocksAfter] : changes)
    {
        if (id != nullptr)
            setNormalised (p, id, value), (juce::String (id) == "output_in" ? inGain : wet).setTargetValue (target);
        for (int b = 0; b < blocksAfter; ++b)
        {
            processSilence (p, 1, 64);
            ASSERT_EQ (engine.dryWetSmoother->getCurrentValue(), wet.getNextValue());
            ASSERT_EQ (engine.inputGainSmoother->getCurrentValue(), inGain.getNextValue());
        }
    }

    // Bypass pauses the ramps.
    const float wetBefore = engine.dryWetSmoother->getCurrentValue(), gainBefore = engine.inputGainSmoother->getCurrentValue();
    setNormalised (p, "bypass", 1.0f);
    processSilence (p, 10, 64);
    EXPECT_EQ (engine.dryWetSmoother->getCurrentValue(), wetBefore);
    EXPECT_EQ (engine.inputGainSmoother->getCurrentValue(), gainBefore);
    setNormalised (p, "bypass", 0.0f);
    processSilence (p, 1, 64);
    EXPECT_GT (engine.dryWetSmoother->getCurrentValue(), wetBefore);
}

TEST_F (AudioLoop, AlternatingBlockSizesWithMidiAllocateNothingAfterTheFirstBlockOfEach)
{
    if (! AllocationCounter::available())
        GTEST_SKIP() << "no allocation count in sanitizer builds";
    {
        // The counter sees both kinds of allocation.
        AllocationCounter counter;
        ::operator delete (::operator new (64));
        juce::MemoryBlock block (64);
        EXPECT_EQ (counter.count(), 2);
    }

    writeUserFile (midiTableFile(), R"(<ONDREL_MIDITABLE phaser_depth="7" bypass="9"/>)");
    OndrelAudioProcessor p;
    for (int size : { 512, 480 })
        processSilence (p, 1, size);
    juce::Random random (11);
    long total = 0;

    for (int b = 0; b < 40; ++b)
    {
        // Prepared outside the counted call: a bound controller, a learn
        // completed inside the block, and bypass on and off again.
        auto audio = noise (2, b % 2 == 0 ? 512 : 480, random);
        juce::MidiBuffer midi;
        midi.addEvent (juce::MidiMessage::controllerEvent (1, 7, (b * 13) % 128), 100);
        if (b == 20)
            p.armLearn ("phaser_fb"), midi.addEvent (juce::MidiMessage::controllerEvent (2, 30, 64), 10);
        if (b == 15) // what a NaN or an infinity reached is cleared in place
            audio.setSample (0, 7, std::numeric_limits<float>::quiet_NaN()), audio.setSample (1, 300, -HUGE_VALF);
        if (b == 25 || b == 30)
            midi.addEvent (juce::MidiMessage::controllerEvent (1, 9, b == 25 ? 127 : 0), 0);

        setNormalised (p, "output_drywet", 0.3f + 0.01f * (float) b);
        AllocationCounter counter;
        p.processBlock (audio, midi);
        total += counter.count();
    }
    EXPECT_EQ (total, 0);
    EXPECT_NEAR (normalised (p, "phaser_depth"), 123 * 0.00787401, 1e-6); // the last block's controller
    EXPECT_TRUE (pumpUntil ([&] { return ! p.learning() && p.learnedController ("phaser_fb") == 30; }));
}
