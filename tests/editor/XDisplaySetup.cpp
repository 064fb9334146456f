// Popup menus and file dialogs need a display: the tests run against a
// private Xvfb server without a window manager. A console program is not a
// JUCE application, so JUCE neither makes Xlib thread-safe nor handles X
// errors there; without a handler the first X error would end the process.
// Kept apart from JUCE's headers, whose names clash with Xlib's macros.

#include <X11/Xlib.h>

namespace
{
// Without a window manager the framework asks for window properties that
// were never set (BadAtom on GetProperty): harmless, and ignored.
int ignoreXError (Display*, XErrorEvent*) { return 0; }

const bool xReady = [] {
    XInitThreads();
    XSetErrorHandler (ignoreXError);
    return true;
}();
} // namespace
