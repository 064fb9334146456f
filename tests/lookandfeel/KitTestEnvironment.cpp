#include "lookandfeel/Tamberlo_CLAF_Common.h"

#include <gtest/gtest.h>

namespace
{
// The framework's GUI side, with a kit look as the default look so that every
// font in these tests resolves to an embedded face.
class KitEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        juce_ = std::make_unique<juce::ScopedJuceInitialiser_GUI>();
        look = std::make_unique<Tamberlo_CLAF_Common>();
        juce::LookAndFeel::setDefaultLookAndFeel (look.get());
        juce::Typeface::clearTypefaceCache();
    }

    void TearDown() override
    {
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
        look.reset();
        juce_.reset();
    }

private:
    std::unique_ptr<juce::ScopedJuceInitialiser_GUI> juce_;
    std::unique_ptr<Tamberlo_CLAF_Common> look;
};

[[maybe_unused]] auto* const environment = ::testing::AddGlobalTestEnvironment (new KitEnvironment);
} // namespace
