#pragma once

// Real pixels: the whole screen read back with imagemagick's `import`, as
// the X server shows it (a plug-in's editor is an X window of its own, which
// no snapshot of the host's components contains).

#include <juce_graphics/juce_graphics.h>

#include <functional>

namespace ondrel::windowhost
{

// Saves the root window to `file` (a .png) and loads it; an invalid image
// and `error` set when that fails.
juce::Image captureScreen (const juce::File& file, juce::String& error);

// What `capture` gives once two captures taken 100 ms apart agree (or an
// invalid image): a plug-in repaints on the host's next idle call, a little
// after what it shows has changed.
juce::Image captureSettled (const std::function<juce::Image()>& capture);

// captureScreen, settled.
juce::Image captureSettledScreen (const juce::File& file, juce::String& error);

// How many pixels of `area` differ from `background`.
int pixelsDifferingFrom (const juce::Image& image, juce::Rectangle<int> area, juce::Colour background);

// How many pixels of `area` in `a` differ from those of the same area moved by `offsetInB` in `b`.
int pixelsDifferingBetween (const juce::Image& a, const juce::Image& b, juce::Rectangle<int> area,
                            juce::Point<int> offsetInB = {});

} // namespace ondrel::windowhost
