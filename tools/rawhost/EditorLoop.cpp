#include "EditorLoop.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <future>

namespace ondrel::rawhost
{

using namespace vst2;

namespace
{
    // A busy Xvfb now and then resets a new connection during its set-up
    // (seen while plug-ins load and unload in quick succession): more tries,
    // for up to half a minute.
    Display* connect()
    {
        Display* d = nullptr;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds (30);

        while ((d = XOpenDisplay (nullptr)) == nullptr && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for (std::chrono::milliseconds (20));

        return d;
    }
}

EditorLoop::EditorLoop() : display (connect()), thread ([this] { run(); }) {}

EditorLoop::~EditorLoop()
{
    {
        const std::lock_guard<std::mutex> guard (lock);
        quit = true;
    }

    wake.notify_all();
    thread.join();
}

void EditorLoop::post (std::function<void()> job)
{
    {
        const std::lock_guard<std::mutex> guard (lock);
        jobs.push_back (std::move (job));
    }

    wake.notify_all();
}

unsigned long EditorLoop::openEditor (RawPlugin& plugin, int x, int y)
{
    auto opened = std::make_shared<std::promise<unsigned long>>();
    auto result = opened->get_future();

    post ([this, &plugin, x, y, opened]
    {
        auto* d = static_cast<Display*> (display);
        ERect* rect = nullptr;
        plugin.dispatch (effEditGetRect, 0, 0, &rect);
        const int width = rect != nullptr ? rect->right - rect->left : 0;
        const int height = rect != nullptr ? rect->bottom - rect->top : 0;

        if (d == nullptr || width <= 0 || height <= 0)
            return opened->set_value (0);

        const Window window = XCreateSimpleWindow (d, DefaultRootWindow (d), x, y, (unsigned) width, (unsigned) height,
                                                   0, 0, 0);
        XMapWindow (d, window);
        XSync (d, False);
        plugin.dispatch (effEditOpen, 0, 0, reinterpret_cast<void*> (window));

        const std::lock_guard<std::mutex> guard (lock);
        open.push_back ({ &plugin, window });
        opened->set_value (window);
    });

    return result.wait_for (std::chrono::seconds (60)) == std::future_status::ready ? result.get() : 0;
}

void EditorLoop::stopIdling (RawPlugin& plugin)
{
    const std::lock_guard<std::mutex> guard (lock);
    open.erase (std::remove_if (open.begin(), open.end(), [&] (const Open& o) { return o.plugin == &plugin; }),
                open.end());
}

void EditorLoop::postClose (RawPlugin& plugin, bool editorFirst)
{
    post ([this, &plugin, editorFirst]
    {
        unsigned long window = 0;
        {
            const std::lock_guard<std::mutex> guard (lock);

            for (const auto& o : open)
                if (o.plugin == &plugin)
                    window = o.window;
        }

        stopIdling (plugin);

        if (editorFirst)
            plugin.dispatch (effEditClose);

        plugin.close();

        if (window != 0)
        {
            XDestroyWindow (static_cast<Display*> (display), window);
            XFlush (static_cast<Display*> (display));
        }
    });
}

void EditorLoop::run()
{
    auto* d = static_cast<Display*> (display);

    for (std::unique_lock<std::mutex> guard (lock); ! quit; wake.wait_for (guard, std::chrono::milliseconds (10)))
    {
        while (! jobs.empty())
        {
            auto job = std::move (jobs.front());
            jobs.pop_front();
            guard.unlock();
            job();
            guard.lock();
        }

        // Each idle call may run a modal loop for as long as a dialog is open,
        // during which another thread may take the plug-in off the list.
        for (size_t i = 0; i < open.size(); ++i)
        {
            RawPlugin* plugin = open[i].plugin;
            guard.unlock();
            plugin->dispatch (effEditIdle);
            guard.lock();
        }
    }

    if (d != nullptr)
    {
        for (const auto& o : open)
            XDestroyWindow (d, o.window);

        XCloseDisplay (d);
    }
}

} // namespace ondrel::rawhost
