#include "XSession.h"

#include <X11/Xlib.h>

#include <atomic>
#include <cstdio>

namespace ondrel::windowhost
{

namespace
{
    int ignoreError (Display*, XErrorEvent*) { return 0; }

    // Each kind of error is logged once: JUCE's window code asks for atoms a
    // bare server does not have on every window it makes.
    int logError (Display* display, XErrorEvent* event)
    {
        static std::atomic<bool> seen[256][256] {};

        if (seen[event->error_code][event->request_code].exchange (true))
            return 0;

        char text[256] = {};
        XGetErrorText (display, event->error_code, text, sizeof (text));
        std::fprintf (stderr, "X error (ignored): %s, request %d\n", text, (int) event->request_code);
        return 0;
    }

    // One connection for the queries, used from one thread only.
    Display* queryDisplay()
    {
        static Display* const display = XOpenDisplay (nullptr);
        return display;
    }

    ScreenBox boxOf (Display* display, Window window, const XWindowAttributes& attributes)
    {
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates (display, window, DefaultRootWindow (display), 0, 0, &x, &y, &child);
        return { window, x, y, attributes.width, attributes.height };
    }
}

void prepareXlib (bool logErrors)
{
    XInitThreads();
    XSetErrorHandler (logErrors ? logError : ignoreError);
}

bool hasDisplay()
{
    return queryDisplay() != nullptr;
}

std::vector<ScreenBox> viewableChildren (unsigned long window)
{
    std::vector<ScreenBox> boxes;
    auto* display = queryDisplay();
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;

    if (display == nullptr || XQueryTree (display, (Window) window, &root, &parent, &children, &count) == 0)
        return boxes;

    for (unsigned int i = 0; i < count; ++i)
    {
        XWindowAttributes attributes {};
        if (XGetWindowAttributes (display, children[i], &attributes) != 0 && attributes.map_state == IsViewable)
            boxes.push_back (boxOf (display, children[i], attributes));
    }

    if (children != nullptr)
        XFree (children);

    return boxes;
}

std::vector<ScreenBox> viewableTopLevels()
{
    auto* display = queryDisplay();
    return display != nullptr ? viewableChildren (DefaultRootWindow (display)) : std::vector<ScreenBox> {};
}

} // namespace ondrel::windowhost
