#include "ScreenDriver.h"

#include <algorithm>

namespace ondrel::windowtests
{

namespace
{
    void run (const juce::StringArray& command)
    {
        if (juce::String output; runProgram (command, output) != 0)
            ADD_FAILURE() << command.joinIntoString (" ") << " failed: " << output;
    }

    // xdotool's own "sleep" keeps the timing inside one process.
    void xdotool (const juce::String& words) { run (juce::StringArray::fromTokens ("xdotool " + words, false)); }
    juce::String at (juce::Point<int> p) { return " mousemove " + juce::String (p.x) + " " + juce::String (p.y); }
    void moveTo (juce::Point<int> screen) { xdotool (at (screen)); }

    juce::Image screenshotVia (juce::Image (*capture) (const juce::File&, juce::String&), const juce::String& name)
    {
        const juce::File folder (ONDREL_SCREENSHOT_DIR);
        folder.createDirectory();
        juce::String error;
        auto image = capture (folder.getChildFile (name + ".png"), error);
        if (! image.isValid())
            ADD_FAILURE() << error;
        return image;
    }

    bool isAmong (const ScreenBox& box, const std::vector<ScreenBox>& boxes)
    {
        return std::any_of (boxes.begin(), boxes.end(), [&] (const ScreenBox& b) { return b.id == box.id; });
    }
}

void pressEscape() { xdotool ("key Escape"); }

void click (juce::Point<int> screen, Button button, int holdMs)
{
    const juce::String b ((int) button);
    xdotool (at (screen) + " sleep 0.05 mousedown " + b + " sleep " + juce::String (holdMs / 1000.0, 3) + " mouseup " + b);
}

void drag (juce::Point<int> from, juce::Point<int> to, int steps)
{
    juce::String words = at (from) + " sleep 0.1 mousedown 1";
    for (int i = 1; i <= steps; ++i)
        words << " sleep 0.08" << at (from + (to - from) * i / steps);
    xdotool (words + " sleep 0.2 mouseup 1");
}

juce::Image screenshot (const juce::String& name) { return screenshotVia (captureScreen, name); }
juce::Image settledScreenshot (const juce::String& name) { return screenshotVia (captureSettledScreen, name); }

ScreenBox clickForMenu (juce::Point<int> screen, Button button, int holdMs)
{
    const auto before = viewableTopLevels();
    click (screen, button, holdMs);
    ScreenBox found;
    waitUntil ([&] {
        for (const auto& box : viewableTopLevels())
            if (! isAmong (box, before) && box.width >= 30 && box.height >= 30)
                found = box;
        return found.id != 0;
    });
    return found;
}

bool waitUntilClosed (const ScreenBox& window, int timeoutMs)
{
    if (! waitUntil ([&] { return ! isAmong (window, viewableTopLevels()); }, timeoutMs))
        return false;

    // The plug-in carries out the choice inside the host's idle call that ran
    // the menu: once the host's message thread answers, it is done.
    onMessageThread ([] {});
    return true;
}

::testing::AssertionResult chooseRow (const ScreenBox& menu, int y, const juce::String& shotName)
{
    const juce::Point<int> target (menu.x + menu.width / 2, menu.y + y);
    moveTo (target);

    // The highlight, the accent colour, fills the row but for a 1-pixel margin.
    if (! waitUntil ([&] { return screenshot (shotName).getPixelAt (menu.x + 4, target.y) == juce::Colour (0xfff05f40); }))
        return ::testing::AssertionFailure() << "the row at y " << y << " of the menu at " << menu.x << ", " << menu.y
                                             << " (" << menu.width << " x " << menu.height << ") never lit up";
    click (target);
    return ::testing::AssertionSuccess();
}

bool waitUntilHovered (juce::Point<int> screen, juce::Point<int> background)
{
    // Named after the test: window tests may run side by side.
    const auto name = "hovered-" + juce::String (::testing::UnitTest::GetInstance()->current_test_info()->name());
    return waitUntil ([&, nudge = 0]() mutable {
        moveTo (screen + juce::Point<int> (nudge ^= 1, 0));
        const auto shot = screenshot (name);
        return shot.getPixelAt (screen.x, screen.y) != shot.getPixelAt (background.x, background.y);
    });
}

} // namespace ondrel::windowtests
