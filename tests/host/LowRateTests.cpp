// Hosts run at low rates too (voice, game audio): whatever the settings,
// the plug-in must never hand back a non-finite or runaway sample there.

#include "HostedPlugin.h"
#include "ParameterProfile.h"
#include "Signals.h"

#include <cmath>

namespace ondrel::hosttests
{

namespace
{
    enum class Settings { defaults, allZero, allOne };

    struct LowRateCase
    {
        double sampleRate;
        Settings settings;
    };

    // Names the ctest cases, for example LowRate.../22050HzAllOne.
    void PrintTo (const LowRateCase& c, std::ostream* out)
    {
        static const char* names[] { "Defaults", "AllZero", "AllOne" };
        *out << (int) c.sampleRate << "Hz" << names[(int) c.settings];
    }

    void applySettings (juce::AudioPluginInstance& plugin, Settings settings)
    {
        if (settings == Settings::defaults)
            return;

        const auto value = settings == Settings::allOne ? 1.0f : 0.0f;

        for (int i = 0; i < numParameters; ++i)
            setParameter (plugin, i, value);

        // Not bypassed, and only the wet path heard.
        setParameter (plugin, bypass, 0.0f);
        setParameter (plugin, outputDryWet, 1.0f);
    }

    ::testing::AssertionResult finiteAndBounded (const juce::AudioBuffer<float>& audio)
    {
        for (int ch = 0; ch < audio.getNumChannels(); ++ch)
            for (int i = 0; i < audio.getNumSamples(); ++i)
            {
                const auto x = audio.getSample (ch, i);

                if (! std::isfinite (x) || std::abs (x) >= 100.0f)
                    return ::testing::AssertionFailure() << "channel " << ch << ", sample " << i << " is " << x;
            }

        return ::testing::AssertionSuccess();
    }
}

class LowRate : public ::testing::TestWithParam<LowRateCase>
{
};

TEST_P (LowRate, TenSecondsOfFullScaleNoiseAndOfSilenceStayFiniteAndBounded)
{
    const auto [sampleRate, settings] = GetParam();
    const auto numSamples = (int) (10.0 * sampleRate);

    host::SignalOptions fullScale;
    fullScale.amplitude = 1.0f;

    for (const auto kind : { host::SignalKind::noise, host::SignalKind::silence })
    {
        SCOPED_TRACE (kind == host::SignalKind::noise ? "noise" : "silence");
        auto loaded = openPlugin (sampleRate, 512);
        ASSERT_NE (loaded.instance, nullptr);
        applySettings (*loaded.instance, settings);
        loaded.instance->prepareToPlay (sampleRate, 512);

        const auto input = host::makeSignal (kind, 2, numSamples, sampleRate, fullScale);
        const auto output = host::renderThrough (*loaded.instance, input);
        EXPECT_TRUE (finiteAndBounded (output));

        if (kind == host::SignalKind::noise)
        {
            EXPECT_TRUE (differAudibly (input, output)) << "the phaser did not run";
        }
    }
}

INSTANTIATE_TEST_SUITE_P (HostRates, LowRate,
                          ::testing::ValuesIn ([] {
                              std::vector<LowRateCase> cases;
                              for (const double sampleRate : { 8000.0, 11025.0, 16000.0, 22050.0, 32000.0 })
                                  for (const auto settings : { Settings::defaults, Settings::allZero, Settings::allOne })
                                      cases.push_back ({ sampleRate, settings });
                              return cases;
                          }()));

} // namespace ondrel::hosttests
