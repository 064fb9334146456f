#include "PopupMenus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace ondrel::windowtests
{

namespace
{
    const juce::Colour highlight (0xfff05f40);

    bool isAmong (const ScreenBox& box, const std::vector<ScreenBox>& boxes)
    {
        return std::any_of (boxes.begin(), boxes.end(), [&] (const ScreenBox& b) { return b.id == box.id; });
    }
}

ScreenBox waitForNewWindow (const std::vector<ScreenBox>& before, int timeoutMs)
{
    ScreenBox found;

    waitUntil ([&]
    {
        for (const auto& box : viewableTopLevels())
            if (! isAmong (box, before) && box.width * box.height > found.width * found.height)
                found = box;

        return found.id != 0;
    }, timeoutMs);

    // Let the window finish growing to its final size and paint.
    pause (150);

    for (const auto& box : viewableTopLevels())
        if (box.id == found.id)
            return box;

    return found;
}

ScreenBox clickForMenu (juce::Point<int> screen, Button button, int holdMs)
{
    const auto before = viewableTopLevels();
    click (screen, button, holdMs);
    return waitForNewWindow (before);
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

int rowCentre (const std::vector<int>& heights, int row)
{
    return 2 + std::accumulate (heights.begin(), heights.begin() + row, 0) + heights[(size_t) row] / 2;
}

::testing::AssertionResult chooseRow (const ScreenBox& menu, int y, const juce::String& shotName)
{
    const juce::Point<int> target (menu.x + menu.width / 2, menu.y + y);
    moveTo (target);

    // The highlight fills the row but for a 1-pixel margin.
    const bool highlighted = waitUntil ([&]
    {
        const auto shot = screenshot (shotName);
        return shot.getPixelAt (menu.x + 4, target.y) == highlight;
    });

    if (! highlighted)
        return ::testing::AssertionFailure() << "the row at y " << y << " of the menu at " << menu.x << ", " << menu.y
                                             << " (" << menu.width << " x " << menu.height << ") never lit up";

    click (target);
    return ::testing::AssertionSuccess();
}

} // namespace ondrel::windowtests
