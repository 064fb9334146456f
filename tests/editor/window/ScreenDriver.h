#pragma once

// Real input and real pixels: the pointer is moved and pressed through
// xdotool (XTest events, as a user's mouse makes them) and the screen is
// read back through windowhost's screenshots.

#include "MessageThread.h"
#include "Screenshots.h"
#include "XSession.h"

namespace ondrel::windowtests
{

using namespace windowhost;

enum class Button { left = 1, right = 3 };

void moveTo (juce::Point<int> screen);

// Press and release `holdMs` apart: 10 ms is a quick click, in which the
// release may already have happened when the plug-in reads the buttons.
void click (juce::Point<int> screen, Button button = Button::left, int holdMs = 10);

// Escape to whichever window has the keyboard: it closes an open menu.
void pressEscape();

// Button down at `from`, `steps` moves to `to` with pauses for the host to
// deliver them, button up.
void drag (juce::Point<int> from, juce::Point<int> to, int steps = 8);

// The whole screen, also saved as <name>.png among the build's screenshots.
juce::Image screenshot (const juce::String& name);

// As above, once two taken 100 ms apart agree.
juce::Image settledScreenshot (const juce::String& name);

} // namespace ondrel::windowtests
