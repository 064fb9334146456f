// The sound path through the VST2 wrapper, as JUCE's VST2 hosting code
// drives it; what it sounds like is checked on the processor in tests/processor.

#include "HostedPlugin.h"
#include "Signals.h"

namespace ondrel::hosttests
{

TEST (JuceHostAudio, BlockSizesDoNotChangeTheOutputOnceTheRampsAreOver)
{
    constexpr double rate = 44100.0;
    constexpr int block = 512, maxBlock = 4096, rampEnd = 22 * block; // 22 ramp steps, one per block
    const auto silence = host::makeSignal (host::SignalKind::silence, 2, rampEnd, rate, {});
    const auto input = host::makeSignal (host::SignalKind::noise, 2, 3 * (int) rate, rate, {});

    auto renderAfterRamps = [&] (host::BlockSchedule schedule)
    {
        auto loaded = openPlugin (rate, maxBlock);
        if (loaded.instance == nullptr)
            return juce::AudioBuffer<float>();
        loaded.instance->prepareToPlay (rate, maxBlock);
        host::renderThrough (*loaded.instance, silence, host::BlockSchedule::fixed (block));
        return host::renderThrough (*loaded.instance, input, std::move (schedule));
    };

    const auto fixed = renderAfterRamps (host::BlockSchedule::fixed (block));
    EXPECT_FALSE (bitIdentical (input, fixed)) << "the phaser did not run";
    EXPECT_TRUE (bitIdentical (fixed, renderAfterRamps (host::BlockSchedule::cycle ({ 512, 480 }))));
    EXPECT_TRUE (bitIdentical (fixed, renderAfterRamps (host::BlockSchedule::random (1, maxBlock, 11))));
}

} // namespace ondrel::hosttests
