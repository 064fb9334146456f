#pragma once

// The few Xlib calls a window host makes, kept out of every file that
// includes JUCE (Xlib's macros clash with JUCE's names).

#include <string>
#include <vector>

namespace ondrel::windowhost
{

// Must run before anything opens a display: JUCE's hosting code and the
// plug-in's own copy of JUCE talk to the server from more than one thread,
// and under a bare Xvfb the default error handler would end the process.
// Errors are then ignored, and logged once of each kind when asked.
void prepareXlib (bool logErrors = true);

// Whether an X server answers on $DISPLAY.
bool hasDisplay();

struct ScreenBox
{
    unsigned long id = 0;
    int x = 0, y = 0, width = 0, height = 0;
};

// The mapped children of the root window, bottom to top.
std::vector<ScreenBox> viewableTopLevels();

// The mapped children of `window`, in screen coordinates: inside the host's
// window, the plug-in's own X window.
std::vector<ScreenBox> viewableChildren (unsigned long window);

} // namespace ondrel::windowhost
