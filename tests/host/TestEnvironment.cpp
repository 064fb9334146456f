// Process-wide set-up for the integration tests: JUCE's message thread on
// the main thread (JUCE's hosting code creates plug-ins there), and HOME
// pointed at a fresh folder, because the plug-in writes its settings and
// MIDI table under ~/.config.

#include <juce_events/juce_events.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <memory>
#include <optional>

namespace
{

class HostTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (const char* current = std::getenv ("HOME"))
            originalHome = current;

        // mkdtemp: parallel test processes each get their own folder.
        auto pattern = juce::File::getSpecialLocation (juce::File::tempDirectory)
                           .getChildFile ("ondrel-test-home-XXXXXX").getFullPathName().toStdString();
        ASSERT_NE (mkdtemp (pattern.data()), nullptr);
        home = juce::File (pattern);
        ASSERT_EQ (setenv ("HOME", home.getFullPathName().toRawUTF8(), 1), 0);

        juceRuntime = std::make_unique<juce::ScopedJuceInitialiser_GUI>();
    }

    void TearDown() override
    {
        juceRuntime.reset();
        home.deleteRecursively();

        if (originalHome)
            setenv ("HOME", originalHome->c_str(), 1);
    }

private:
    juce::File home;
    std::optional<std::string> originalHome;
    std::unique_ptr<juce::ScopedJuceInitialiser_GUI> juceRuntime;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment (new HostTestEnvironment);

} // namespace
