#pragma once

// Real input and real pixels: the pointer is moved and pressed through
// xdotool (XTest events, as a user's mouse makes them) and the screen is
// read back with imagemagick's `import`.

#include <juce_graphics/juce_graphics.h>

namespace ondrel::windowtests
{

enum class Button { left = 1, right = 3 };

void moveTo (juce::Point<int> screen);

// Press and release `holdMs` apart: 10 ms is a quick click, in which the
// release may already have happened when the plug-in reads the buttons.
void click (juce::Point<int> screen, Button button = Button::left, int holdMs = 10);
inline void heldClick (juce::Point<int> screen, Button button = Button::left) { click (screen, button, 300); }

// Escape to whichever window has the keyboard: it closes an open menu.
void pressEscape();

// Button down at `from`, `steps` moves to `to` with pauses for the host to
// deliver them, button up.
void drag (juce::Point<int> from, juce::Point<int> to, int steps = 8);

// The whole screen, also saved as <name>.png among the build's screenshots.
juce::Image screenshot (const juce::String& name);

// A screenshot once two taken 100 ms apart agree: the plug-in repaints on
// its next idle call, a little after the state it shows has changed.
juce::Image settledScreenshot (const juce::String& name);

// How many pixels of `area` differ from `background`.
int pixelsDifferingFrom (const juce::Image& image, juce::Rectangle<int> area, juce::Colour background);

// How many pixels of `area` in `a` differ from those of the same area moved by `offsetInB` in `b`.
int pixelsDifferingBetween (const juce::Image& a, const juce::Image& b, juce::Rectangle<int> area,
                            juce::Point<int> offsetInB = {});

} // namespace ondrel::windowtests
