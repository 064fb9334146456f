// The sound path at every host rate: one-pole cut-offs limited below half the
// rate where the nominal value would reach it, untouched at 44100 Hz and
// above, and the whole processor finite at low rates.

#include "DspTestSupport.h"

#include "dsp/Phaser_engine.h"
#include "processor/PluginProcessor.h"

#include <juce_events/juce_events.h>

#include <cmath>
#include <cstdlib>
#include <limits>

using namespace dsptest;

namespace
{
const float kLowRates[] = { 8000.0f, 11025.0f, 16000.0f, 22050.0f, 32000.0f };

// The processor reads and writes settings under $HOME and needs JUCE's
// message system for its timers.
class ProcessorEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        home = juce::File::createTempFile ("ondrel-dsp-home");
        home.createDirectory();
        setenv ("HOME", home.getFullPathName().toRawUTF8(), 1);
        unsetenv ("XDG_CONFIG_HOME");
        juce = std::make_unique<juce::ScopedJuceInitialiser_GUI>();
    }

    void TearDown() override
    {
        juce.reset();
        home.deleteRecursively();
    }

private:
    juce::File home;
    std::unique_ptr<juce::ScopedJuceInitialiser_GUI> juce;
};

[[maybe_unused]] ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment (new ProcessorEnvironment());

void setNormalised (OndrelAudioProcessor& p, const char* id, float value)
{
    auto* parameter = p.findParameter (id);
    ASSERT_NE (parameter, nullptr) << id;
    parameter->setValueNotifyingHost (value);
}

void prepare (OndrelAudioProcessor& p, double rate, int blockSize)
{
    p.setRateAndBufferSizeDetails (rate, blockSize);
    p.prepareToPlay (rate, blockSize);
}

// Cut-off settings of a unit with their nominal frequencies.
struct CutoffCase
{
    const char* what;
    double nominal;
    std::function<void (Phaser_unit&)> set;
    OnePoleFilter* (*filter) (Phaser_unit&);
};

OnePoleFilter* hpOf (Phaser_unit& u) { return u.hpFilter.get(); }
OnePoleFilter* lpOf (Phaser_unit& u) { return u.lpFilter.get(); }

const CutoffCase cutoffCases[] = {
    { "built high-pass", 20.0, [] (Phaser_unit&) {}, hpOf },
    { "built low-pass", 16000.0, [] (Phaser_unit&) {}, lpOf },
    { "setHpCf(1)", 3000.0, [] (Phaser_unit& u) { u.setHpCf (1.0f); }, hpOf },
    { "setLpCf(0)", 500.0, [] (Phaser_unit& u) { u.setLpCf (0.0f); }, lpOf },
    { "setLpCf(1)", 12000.0, [] (Phaser_unit& u) { u.setLpCf (1.0f); }, lpOf },
    { "setLpCf(NaN)", 16000.0, [] (Phaser_unit& u) { u.setLpCf (std::numeric_limits<float>::quiet_NaN()); }, lpOf },
};
} // namespace

TEST (SampleRates, OnePoleCutoffsStayBelowHalfTheRate)
{
    for (float rate : kLowRates)
    {
        for (const auto& c : cutoffCases)
        {
            SCOPED_TRACE (testing::Message() << c.what << " at " << rate << " Hz");
            Phaser_unit unit (rate);
            c.set (unit);
            const float g = c.filter (unit)->g;
            EXPECT_GT (g, 0.0f);
            EXPECT_LT (g, 1.0f);
            const double cutoff = cutoffFromCoefficient (g, rate);

            // Limited only where the nominal cut-off comes near half the rate.
            if (c.nominal < 0.4 * rate)
            {
                EXPECT_NEAR (cutoff, c.nominal, c.nominal * 1e-4);
            }
            else
            {
                EXPECT_LT (cutoff, 0.5 * rate);
            }
        }
    }

    // The envelope follower's 711 Hz low-pass is limited the same way.
    Phaser_engine engine (1000.0f);
    EXPECT_GT (engine.envelopeFollower->lowPass->g, 0.0f);
    EXPECT_LT (cutoffFromCoefficient (engine.envelopeFollower->lowPass->g, 1000.0), 500.0);
}

TEST (SampleRates, NothingIsLimitedAtFullRates)
{
    for (float rate : { 44100.0f, 48000.0f, 96000.0f })
    {
        for (const auto& c : cutoffCases)
        {
            SCOPED_TRACE (testing::Message() << c.what << " at " << rate << " Hz");
            Phaser_unit unit (rate);
            c.set (unit);
            EXPECT_EQ (c.filter (unit)->cutoff, (float) c.nominal);
            EXPECT_NEAR (cutoffFromCoefficient (c.filter (unit)->g, rate), c.nominal, c.nominal * 1e-4);
        }
    }
}

TEST (SampleRates, AllpassCoefficientsStayInsideTheUnitCircle)
{
    for (float rate : kLowRates)
    {
        // Full sweep: the top stage at 9800 Hz lies above half of every rate here.
        Phaser_unit unit (rate);
        unit.lfo->waveform = 4;
        unit.lfoDepth = 1.0f;
        processSample (unit);

        for (const auto& stage : unit.allpass)
        {
            EXPECT_GT (stage->b0, -1.0f) << rate;
            EXPECT_LT (stage->b0, 1.0f) << rate;
        }
    }
}

TEST (SampleRates, ProcessorOutputStaysFiniteAndBounded)
{
    static const char* const ids[] = { "phaser_depth", "phaser_rate", "phaser_fb", "phaser_width", "filter_hp",
                                       "filter_lp", "lfo_wave", "lfo_smooth", "output_in", "output_out",
                                       "env_todepth", "env_torate" };
    constexpr int blockSize = 512;

    for (float rate : { 8000.0f, 11025.0f, 16000.0f, 22050.0f, 32000.0f, 44100.0f })
    {
        // Defaults; every parameter at 0; every one at 1. Bypass stays off and
        // the mix fully wet outside the defaults, so the wet path is heard.
        for (int setting = 0; setting < 3; ++setting)
        {
            for (bool silent : { false, true })
            {
                SCOPED_TRACE (testing::Message() << rate << " Hz, setting " << setting << (silent ? ", silence" : ", noise"));
                OndrelAudioProcessor processor;

                if (setting > 0)
                {
                    for (const char* id : ids)
                        setNormalised (processor, id, setting == 1 ? 0.0f : 1.0f);

                    setNormalised (processor, "output_drywet", 1.0f);
                }

                prepare (processor, rate, blockSize);

                juce::AudioBuffer<float> buffer (2, blockSize);
                juce::MidiBuffer midi;
                juce::Random random (setting);
                float peak = 0.0f;
                bool finite = true;

                for (int done = 0; done < (int) rate * 10; done += blockSize)
                {
                    for (int c = 0; c < 2; ++c)
                        for (int i = 0; i < blockSize; ++i)
                            buffer.setSample (c, i, silent ? 0.0f : random.nextFloat() * 2.0f - 1.0f);

                    processor.processBlock (buffer, midi);

                    for (int c = 0; c < 2; ++c)
                    {
                        for (int i = 0; i < blockSize; ++i)
                        {
                            const float y = buffer.getSample (c, i);
                            finite = finite && std::isfinite (y);
                            peak = std::max (peak, std::abs (y));
                        }
                    }
                }

                EXPECT_TRUE (finite);
                EXPECT_LT (peak, 100.0f);
            }
        }
    }
}

TEST (SampleRates, ProcessorBlocksOfSizesSeenBeforeAllocateNothing)
{
    if (! AllocationCounter::available())
        GTEST_SKIP() << "no allocation count in sanitizer builds";

    OndrelAudioProcessor processor;
    setNormalised (processor, "env_todepth", 0.8f);
    setNormalised (processor, "lfo_wave", 1.0f);
    prepare (processor, 44100.0, 512);

    juce::AudioBuffer<float> buffer (2, 4096);
    for (int c = 0; c < 2; ++c)
        buffer.copyFrom (c, 0, noise (4096, c).data(), 4096);
    juce::MidiBuffer midi;
    auto blocks = randomBlocks (3, 4096);

    auto processBlock = [&] (int n)
    {
        juce::AudioBuffer<float> view (buffer.getArrayOfWritePointers(), 2, n);
        processor.processBlock (view, midi);
    };

    processBlock (4096);
    AllocationCounter allocations;

    for (int k = 0; k < 40; ++k)
        processBlock (k % 2 == 0 ? 512 : 480);

    for (int k = 0; k < 40; ++k)
        processBlock (blocks());

    EXPECT_EQ (allocations.count(), 0);
}
