#include "XSession.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xcomposite.h>

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

bool windowExists (unsigned long window)
{
    XWindowAttributes attributes {};
    auto* display = queryDisplay();
    return display != nullptr && window != 0 && XGetWindowAttributes (display, (Window) window, &attributes) != 0;
}

bool keepChildPictures (unsigned long window)
{
    auto* display = queryDisplay();
    int event = 0, error = 0, major = 0, minor = 2;

    // Version 0.2 names a window's pixmap.
    if (display == nullptr || ! XCompositeQueryExtension (display, &event, &error)
        || XCompositeQueryVersion (display, &major, &minor) == 0 || (major == 0 && minor < 2))
        return false;

    XCompositeRedirectSubwindows (display, (Window) window, CompositeRedirectAutomatic);
    XSync (display, False);
    return true;
}

WindowPixels readKeptPicture (unsigned long child)
{
    auto* display = queryDisplay();
    XWindowAttributes attributes {};

    if (display == nullptr || XGetWindowAttributes (display, (Window) child, &attributes) == 0
        || attributes.map_state != IsViewable || attributes.visual == nullptr)
        return {};

    // The pixmap holds the border too; errors (a window gone meanwhile) leave no image.
    const auto pixmap = XCompositeNameWindowPixmap (display, (Window) child);
    const int border = attributes.border_width;
    auto* image = XGetImage (display, pixmap, border, border, (unsigned) attributes.width, (unsigned) attributes.height,
                             AllPlanes, ZPixmap);
    XFreePixmap (display, pixmap);

    if (image == nullptr)
        return {};

    // A true-colour visual of 8 bits per channel, as every display this runs on has.
    const auto channel = [] (unsigned long pixel, unsigned long mask)
    {
        return mask == 0 ? 0u : (std::uint32_t) ((pixel & mask) >> __builtin_ctzl (mask)) & 0xffu;
    };
    const auto* visual = attributes.visual;
    WindowPixels pixels { attributes.width, attributes.height, {} };
    pixels.rgb.reserve ((size_t) attributes.width * (size_t) attributes.height);

    for (int y = 0; y < attributes.height; ++y)
        for (int x = 0; x < attributes.width; ++x)
        {
            const auto pixel = XGetPixel (image, x, y);
            pixels.rgb.push_back (channel (pixel, visual->red_mask) << 16 | channel (pixel, visual->green_mask) << 8
                                  | channel (pixel, visual->blue_mask));
        }

    XDestroyImage (image);
    return pixels;
}

} // namespace ondrel::windowhost
