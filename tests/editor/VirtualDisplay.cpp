// The editor's tests run on a virtual X display without a window manager.
// The framework reads and writes some window-manager properties of its
// windows without checking that their atoms exist, and a plug-in's process
// keeps Xlib's default error handler, which ends the process on the first
// such error. Creating those atoms first, as a window manager would, keeps
// the windows usable. The connection stays open until the program ends: the
// server forgets its atoms when its last client leaves.
#include <juce_core/juce_core.h>

namespace
{
struct WindowManagerAtoms
{
    WindowManagerAtoms()
    {
        const auto open = x11.open ("libX11.so.6") ? (OpenDisplay) x11.getFunction ("XOpenDisplay") : nullptr;
        const auto intern = (InternAtom) x11.getFunction ("XInternAtom");
        close = (CloseDisplay) x11.getFunction ("XCloseDisplay");
        display = (open != nullptr && intern != nullptr && close != nullptr) ? open (nullptr) : nullptr;

        if (display != nullptr)
            for (auto* name : { "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING", "WM_CHANGE_STATE",
                                "WM_STATE" })
                intern (display, name, 0);
    }

    ~WindowManagerAtoms()
    {
        if (display != nullptr)
            close (display);
    }

    using OpenDisplay = void* (*) (const char*);
    using InternAtom = unsigned long (*) (void*, const char*, int);
    using CloseDisplay = int (*) (void*);

    juce::DynamicLibrary x11;
    CloseDisplay close = nullptr;
    void* display = nullptr;
};

const WindowManagerAtoms atoms;
} // namespace
