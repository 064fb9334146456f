// Also the process-wide set-up of the integration tests: JUCE's message
// thread on the main thread (JUCE's hosting code creates plug-ins there), and
// HOME pointed at a fresh folder, because the plug-in writes its settings and
// MIDI table under ~/.config.

#include "HostedPlugin.h"

#include "tests/support/TempHome.h"

#include <cstring>
#include <optional>

namespace ondrel::hosttests
{

namespace
{
    struct HostTestEnvironment : ::testing::Environment
    {
        std::optional<TempHome> home;
        std::optional<juce::ScopedJuceInitialiser_GUI> juceRuntime;

        void SetUp() override
        {
            ASSERT_TRUE (home.emplace().folder.isDirectory());
            juceRuntime.emplace();
        }

        void TearDown() override
        {
            juceRuntime.reset();
            home.reset();
        }
    };

    const auto* const environment = ::testing::AddGlobalTestEnvironment (new HostTestEnvironment);
}

host::LoadedPlugin openPlugin (double sampleRate, int blockSize)
{
    const juce::File file (ONDREL_PLUGIN_FILE);
    juce::String error;
    auto loaded = host::loadVst2Plugin (file, sampleRate, blockSize, error);
    if (loaded.instance == nullptr)
        ADD_FAILURE() << "cannot load " << file.getFullPathName() << ": " << error;
    return loaded;
}

::testing::AssertionResult bitIdentical (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    if (a.getNumChannels() != b.getNumChannels() || a.getNumSamples() != b.getNumSamples())
        return ::testing::AssertionFailure() << "shapes differ";
    for (int ch = 0; ch < a.getNumChannels(); ++ch)
        if (std::memcmp (a.getReadPointer (ch), b.getReadPointer (ch), sizeof (float) * (size_t) a.getNumSamples()) != 0)
            return ::testing::AssertionFailure() << "channel " << ch << " differs";
    return ::testing::AssertionSuccess();
}

} // namespace ondrel::hosttests
