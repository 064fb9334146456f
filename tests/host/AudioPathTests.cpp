// The sound path as a host hears it through JUCE's VST2 hosting code.

#include "HostedPlugin.h"
#include "ParameterProfile.h"
#include "Signals.h"

namespace ondrel::hosttests
{

namespace
{
    constexpr double rate = 44100.0;
    constexpr int block = 512;
    // The gain and mix smoothers take one step per block and ramp over 22
    // steps at 44100 Hz; after that the mix is exact.
    constexpr int rampBlocks = 22;
    constexpr int rampEnd = rampBlocks * block;

    // A fresh instance with the given parameters set before prepareToPlay.
    host::LoadedPlugin openPrepared (std::initializer_list<std::pair<int, float>> settings,
                                     double sampleRate = rate, int maxBlock = block)
    {
        auto loaded = openPlugin (sampleRate, maxBlock);

        if (loaded.instance != nullptr)
        {
            for (auto [index, value] : settings)
                setParameter (*loaded.instance, index, value);

            loaded.instance->prepareToPlay (sampleRate, maxBlock);
        }

        return loaded;
    }
}

TEST (JuceHostAudio, BypassReturnsTheInputExactlyAndReleasingItBringsThePhaserBack)
{
    const auto input = stereoNoise (100 * block);

    // The parameter is continuous: any value above 0 bypasses.
    for (const float bypassValue : { 1.0f, 0.01f })
    {
        SCOPED_TRACE ("bypass " + std::to_string (bypassValue));
        auto loaded = openPrepared ({ { bypass, bypassValue } });
        ASSERT_NE (loaded.instance, nullptr);

        EXPECT_TRUE (bitIdentical (input, host::renderThrough (*loaded.instance, input)));

        setParameter (*loaded.instance, bypass, 0.0f);
        EXPECT_TRUE (differAudibly (input, host::renderThrough (*loaded.instance, input), rampEnd));
    }
}

TEST (JuceHostAudio, DryWetZeroReturnsTheInputOnceTheMixRampIsOver)
{
    const auto input = stereoNoise (100 * block);

    auto dry = openPrepared ({ { outputDryWet, 0.0f } });
    ASSERT_NE (dry.instance, nullptr);
    EXPECT_TRUE (bitIdentical (input, host::renderThrough (*dry.instance, input), rampEnd));

    auto wet = openPrepared ({ { outputDryWet, 1.0f } });
    ASSERT_NE (wet.instance, nullptr);
    EXPECT_TRUE (differAudibly (input, host::renderThrough (*wet.instance, input), rampEnd));
}

TEST (JuceHostAudio, DryWetHalfIsTheMeanOfDryAndWet)
{
    const auto input = stereoNoise (60 * block);

    auto wet = openPrepared ({ { outputDryWet, 1.0f } });
    auto half = openPrepared ({ { outputDryWet, 0.5f } });
    ASSERT_NE (wet.instance, nullptr);
    ASSERT_NE (half.instance, nullptr);

    const auto wetOut = host::renderThrough (*wet.instance, input);
    const auto halfOut = host::renderThrough (*half.instance, input);

    // Halving is exact in float, so the mix has a single rounding, the same
    // as rounding the double-precision mean.
    auto expected = input;

    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < input.getNumSamples(); ++i)
            expected.setSample (ch, i, (float) (0.5 * (double) input.getSample (ch, i) + 0.5 * (double) wetOut.getSample (ch, i)));

    EXPECT_TRUE (differAudibly (input, wetOut, rampEnd));
    EXPECT_TRUE (bitIdentical (expected, halfOut, rampEnd));
}

TEST (JuceHostAudio, WidthZeroGivesIdenticalChannelsForAMonoInputOnWaveformsSineToRect)
{
    const auto mono = channel (stereoNoise (200 * block), 0);
    const auto input = host::fitChannels (mono, 2);

    for (int waveform = 0; waveform <= 4; ++waveform)
    {
        SCOPED_TRACE ("waveform " + std::to_string (waveform));

        auto narrow = openPrepared ({ { lfoWave, waveformValue (waveform) }, { phaserWidth, 0.0f }, { outputDryWet, 1.0f } });
        ASSERT_NE (narrow.instance, nullptr);
        const auto narrowOut = host::renderThrough (*narrow.instance, input);
        EXPECT_TRUE (bitIdentical (channel (narrowOut, 0), channel (narrowOut, 1)));
        EXPECT_TRUE (differAudibly (input, narrowOut, rampEnd));

        // The width is what makes the channels differ.
        auto wide = openPrepared ({ { lfoWave, waveformValue (waveform) }, { phaserWidth, 1.0f }, { outputDryWet, 1.0f } });
        ASSERT_NE (wide.instance, nullptr);
        const auto wideOut = host::renderThrough (*wide.instance, input);
        EXPECT_TRUE (differAudibly (channel (wideOut, 0), channel (wideOut, 1)));
    }
}

TEST (JuceHostAudio, HostRateOf48000RebuildsTheUnitsAndReappliesTheParameters)
{
    const std::initializer_list<std::pair<int, float>> settings {
        { phaserDepth, 0.8f }, { phaserRate, 0.6f }, { phaserFeedback, 0.5f }, { phaserWidth, 0.3f },
        { filterHp, 0.2f }, { filterLp, 0.7f }, { lfoWave, waveformValue (2) }, { lfoSmooth, 0.4f },
        { outputIn, 0.6f }, { outputOut, 0.45f }, { outputDryWet, 0.7f }, { envToDepth, 0.8f }, { envToRate, 0.3f }
    };
    const auto input = stereoNoise (100 * block);

    // Set before the host's rate is known: the rebuild must re-apply them.
    auto before = openPrepared (settings, 48000.0);
    ASSERT_NE (before.instance, nullptr);
    const auto beforeOut = host::renderThrough (*before.instance, input);

    // Set after the rebuild at 48000 Hz.
    auto after = openPlugin (48000.0, block);
    ASSERT_NE (after.instance, nullptr);
    after.instance->prepareToPlay (48000.0, block);

    for (auto [index, value] : settings)
        setParameter (*after.instance, index, value);

    EXPECT_TRUE (bitIdentical (host::renderThrough (*after.instance, input), beforeOut));

    // The same settings at 44100 Hz sound different: the units were rebuilt.
    auto at44100 = openPrepared (settings, rate);
    ASSERT_NE (at44100.instance, nullptr);
    EXPECT_TRUE (differAudibly (host::renderThrough (*at44100.instance, input), beforeOut, rampEnd));
}

TEST (JuceHostAudio, BlockSizesDoNotChangeTheOutputOnceTheRampsAreOver)
{
    constexpr int maxBlock = 4096;
    const auto silence = host::makeSignal (host::SignalKind::silence, 2, rampEnd, rate, {});
    const auto input = stereoNoise (3 * (int) rate, 0.5f, 7);

    auto renderAfterRamps = [&] (host::BlockSchedule schedule)
    {
        auto loaded = openPrepared ({}, rate, maxBlock);

        if (loaded.instance == nullptr)
            return juce::AudioBuffer<float>();

        host::renderThrough (*loaded.instance, silence, host::BlockSchedule::fixed (block));
        return host::renderThrough (*loaded.instance, input, std::move (schedule));
    };

    const auto fixed = renderAfterRamps (host::BlockSchedule::fixed (block));
    EXPECT_TRUE (differAudibly (input, fixed));
    EXPECT_TRUE (bitIdentical (fixed, renderAfterRamps (host::BlockSchedule::cycle ({ 512, 480 }))));
    EXPECT_TRUE (bitIdentical (fixed, renderAfterRamps (host::BlockSchedule::random (1, maxBlock, 11))));
}

} // namespace ondrel::hosttests
