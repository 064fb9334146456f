#pragma once

// Real input and real pixels: the pointer is moved and pressed through
// xdotool (XTest events, as a user's mouse makes them) and the screen is
// read back through windowhost's screenshots. Menus that the plug-in shows
// are top-level windows of their own: they are found by comparing the
// server's top-level windows before and after.

#include "MessageThread.h"
#include "Programs.h"
#include "Screenshots.h"
#include "XSession.h"

#include <gtest/gtest.h>

#include <vector>

namespace ondrel::windowtests
{

using namespace windowhost;

enum class Button { left = 1, right = 3 };

// Press and release `holdMs` apart: 10 ms is a quick click, in which the
// release may already have happened when the plug-in reads the buttons.
void click (juce::Point<int> screen, Button button = Button::left, int holdMs = 10);
// Escape to whichever window has the keyboard: it closes an open menu.
void pressEscape();
// Button down at `from`, `steps` moves to `to` with pauses for the host to
// deliver them, button up.
void drag (juce::Point<int> from, juce::Point<int> to, int steps = 8);

// The whole screen, also saved as <name>.png among the build's screenshots;
// settled: once two taken 100 ms apart agree.
juce::Image screenshot (const juce::String& name);
juce::Image settledScreenshot (const juce::String& name);

// Clicks at `screen` and waits for the menu this opens: a new mapped
// top-level window at least 30 pixels each way (a menu may come with thin
// shadow windows); an empty box after the time-out.
ScreenBox clickForMenu (juce::Point<int> screen, Button button = Button::left, int holdMs = 10);
// Also waits until the plug-in has acted on the menu's result.
bool waitUntilClosed (const ScreenBox& window, int timeoutMs = 30000);
// Puts the pointer on the row at `y` in the menu, waits until the menu shows
// it highlighted (saving that screenshot as `shotName`), then clicks it.
::testing::AssertionResult chooseRow (const ScreenBox& menu, int y, const juce::String& shotName);
// Moves the pointer onto `screen`, nudging it while nothing shows, until the
// pixel there differs from the one at `background`, as a control lit up by
// the pointer over it does: then the window under it takes pointer input.
bool waitUntilHovered (juce::Point<int> screen, juce::Point<int> background);

} // namespace ondrel::windowtests
