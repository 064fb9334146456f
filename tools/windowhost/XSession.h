#pragma once

// The few Xlib calls a window host makes, kept out of every file that
// includes JUCE (Xlib's macros clash with JUCE's names).

#include <cstdint>
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

// Whether the server knows `window` yet: another connection may still hold
// the request that makes it.
bool windowExists (unsigned long window);

// From now on the server draws every child of `window`, those there now and
// those to come, into memory of its own as well as onto the screen (the
// Composite extension), so a child's whole picture stays readable where it
// lies off the screen. Call while `window` is unmapped, so that nothing is
// drawn before. False when the server lacks the extension.
bool keepChildPictures (unsigned long window);

struct WindowPixels
{
    int width = 0, height = 0;
    std::vector<std::uint32_t> rgb;   // 0xRRGGBB, row by row from the top
};

// The whole picture of a mapped child of a window given to keepChildPictures;
// empty when there is none.
WindowPixels readKeptPicture (unsigned long child);

} // namespace ondrel::windowhost
