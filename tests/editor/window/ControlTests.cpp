// Ordinary left clicks on the controls, with the real pointer: the bypass
// toggle and the waveform combo box.

#include "HostedEditor.h"
#include "MessageThread.h"
#include "ParameterProfile.h"
#include "PopupMenus.h"
#include "ScreenDriver.h"

namespace ondrel::windowtests
{

using namespace hosttests;

namespace
{
    // At 718 x 222: the bypass button (607, 205, 50, 13); the combo box,
    // LFO panel (3, 35) + (13, 49, 65, 21).
    const juce::Point<int> bypassButton { 607 + 25, 205 + 6 }, waveformBox { 3 + 13 + 32, 35 + 49 + 10 };
}

TEST (WindowBypass, EveryClickTogglesBypassExactlyOnce)
{
    writeSettings (718, 222);
    HostedEditor host;
    ASSERT_TRUE (host.isLoaded());

    for (const int holdMs : { 10, 300, 10, 300 })
    {
        SCOPED_TRACE ("held " + std::to_string (holdMs) + " ms");
        const float before = host.value (bypass);
        click (host.toScreen (bypassButton), Button::left, holdMs);
        EXPECT_TRUE (waitUntil ([&] { return host.value (bypass) != before; }));
        pause (300);
        EXPECT_EQ (host.value (bypass), 1.0f - before);
    }
}

TEST (WindowWaveformBox, ChoosingRndFromItsMenuSelectsTheLastWaveform)
{
    writeSettings (718, 222);
    HostedEditor host;
    ASSERT_TRUE (host.isLoaded());

    const auto before = viewableTopLevels();
    click (host.toScreen (waveformBox));
    const auto menu = waitForNewWindow (before);
    ASSERT_NE (menu.id, 0u) << "the combo box opened no menu";

    // Sine, Tri, Up, Down, Rect, Rnd in rows of equal height.
    const int row = (menu.height - 4) / 6;
    ASSERT_TRUE (chooseRow (menu, rowCentre (std::vector<int> (6, row), 5), "waveform-menu"));
    EXPECT_TRUE (waitUntil ([&] { return host.value (lfoWave) == 1.0f; })) << host.value (lfoWave);
}

} // namespace ondrel::windowtests
