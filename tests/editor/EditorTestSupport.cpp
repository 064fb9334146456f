#include "EditorTestSupport.h"

namespace editor_test
{
EditorTest::EditorTest() : presets (home.folder.getChildFile ("presets")), processor (std::make_unique<OndrelAudioProcessor>())
{
    processor->presetLocation = presets.getFullPathName();
    editor = std::make_unique<OndrelAudioProcessorEditor> (*processor);
}

EditorTest::~EditorTest()
{
    editor.reset();
    processor.reset();
}

juce::Button& EditorTest::button (const juce::String& componentID) const
{
    auto* b = find<juce::Button> (*editor->mainPanel, [&] (auto& c) { return c.getComponentID() == componentID; });

    if (b == nullptr)
    {
        ADD_FAILURE() << "no button " << componentID;
        std::abort();
    }

    return *b;
}

void EditorTest::whileModal (const std::function<void()>& action, std::deque<Step> steps)
{
    struct Driver : juce::Timer
    {
        std::deque<Step> steps;
        juce::Component::SafePointer<juce::Component> last;
        int unexpected = 0;

        void timerCallback() override
        {
            auto* modal = juce::Component::getCurrentlyModalComponent();

            if (modal == nullptr || modal == last.getComponent())
                return;

            last = modal;

            if (steps.empty())
            {
                ++unexpected;
                modal->exitModalState (0);
                return;
            }

            auto step = std::move (steps.front());
            steps.pop_front();
            step (*modal);
        }
    } driver;

    driver.steps = std::move (steps);
    driver.startTimer (5);
    action();
    driver.stopTimer();
    EXPECT_TRUE (driver.steps.empty()) << driver.steps.size() << " modal steps did not run";
    EXPECT_EQ (driver.unexpected, 0) << "modal components nobody expected";
}

EditorTest::Step EditorTest::chooseFile (const juce::File& folder, const juce::String& name, const juce::String& title)
{
    return [=] (juce::Component& dialog) {
        EXPECT_EQ (dialog.getName(), title);
        auto* browser = find<juce::FileBrowserComponent> (dialog);
        ASSERT_NE (browser, nullptr) << "not a file dialog";
        browser->setRoot (folder);
        browser->setFileName (name);
        dialog.exitModalState (1);
    };
}
} // namespace editor_test
