#pragma once

// Menus that the plug-in shows are top-level windows of their own: they are
// found by comparing the server's top-level windows before and after, and
// their rows are chosen with the real pointer.

#include "ScreenDriver.h"

#include <gtest/gtest.h>

#include <vector>

namespace ondrel::windowtests
{

// The largest mapped top-level window that was not among `before` (a menu
// may come with thin shadow windows); an empty box after the time-out.
ScreenBox waitForNewWindow (const std::vector<ScreenBox>& before, int timeoutMs = 5000);
// Clicks at `screen` and waits for the menu that this opens.
ScreenBox clickForMenu (juce::Point<int> screen, Button button = Button::left, int holdMs = 10);
// Also waits until the plug-in has acted on the menu's result.
bool waitUntilClosed (const ScreenBox& window, int timeoutMs = 5000);

// The centre of `row` in a menu whose rows are `heights` high (separators
// included) inside the look's 2-pixel border, relative to the menu.
int rowCentre (const std::vector<int>& heights, int row);

// Puts the pointer on the row at `y` in the menu, waits until the menu shows
// it highlighted (saving that screenshot as `shotName`), then clicks it.
::testing::AssertionResult chooseRow (const ScreenBox& menu, int y, const juce::String& shotName);

} // namespace ondrel::windowtests
