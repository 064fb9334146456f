#include "EditorTestSupport.h"

#include "XSession.h"

namespace
{
// Menus and dialogs open on a private Xvfb without a window manager. A test
// program is not a JUCE application, so JUCE neither makes Xlib thread-safe
// nor handles X errors; the harmless ones a bare server gives would end it.
const bool xlibReady = (ondrel::windowhost::prepareXlib (false), true);
} // namespace

namespace editor_test
{
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
                steps.push_back ([this] (juce::Component& c) { ++unexpected; c.exitModalState (0); });

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

ShownMenu EditorTest::menuOf (const std::function<void()>& action, int downs)
{
    ShownMenu shown;
    whileModal (action, { [&] (juce::Component& menu) {
                    shown = { {}, {}, menu.getWidth() };
                    for (auto* item : menu.getChildren())
                    {
                        // A menu over a component hidden from assistive tools hides its items too.
                        auto* handler = item->getAccessibilityHandler();
                        const auto title = handler != nullptr ? handler->getTitle() : juce::String ("?");
                        const bool active = handler != nullptr
                                            && handler->getActions().contains (juce::AccessibilityActionType::press);
                        shown.rows << (title.isEmpty() ? "----" : title + (active ? "" : " (off)")) << "|";
                        shown.heights << item->getHeight() << " ";
                    }
                    for (int i = 0; i < downs; ++i)
                        menu.keyPressed (juce::KeyPress (juce::KeyPress::downKey));
                    menu.keyPressed (juce::KeyPress (downs == 0 ? juce::KeyPress::escapeKey : juce::KeyPress::returnKey));
                } });
    return shown;
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
