// Process-wide set-up for the integration tests: JUCE's message thread on
// the main thread (JUCE's hosting code creates plug-ins there), and HOME
// pointed at a fresh folder, because the plug-in writes its settings and
// MIDI table under ~/.config.

#include "tests/support/TempHome.h"

#include <juce_events/juce_events.h>

#include <gtest/gtest.h>

#include <optional>

namespace
{

struct HostTestEnvironment : ::testing::Environment
{
    void SetUp() override
    {
        home.emplace();
        ASSERT_TRUE (home->folder.isDirectory());
        juceRuntime.emplace();
    }

    void TearDown() override
    {
        juceRuntime.reset();
        home.reset();
    }

    std::optional<TempHome> home;
    std::optional<juce::ScopedJuceInitialiser_GUI> juceRuntime;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment (new HostTestEnvironment);

} // namespace
