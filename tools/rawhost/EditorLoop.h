#pragma once

// A raw host's GUI thread: plug-in editors in X windows of the host's own
// (effEditGetRect, effEditOpen with the window as parent) and effEditIdle to
// each open editor every 10 ms. What the host is asked to do meanwhile
// (close an editor, close a plug-in) runs on that thread between idle calls:
// while a plug-in's dialog runs its modal loop inside effEditIdle, only once
// the dialog is answered. Needs XInitThreads() before any display is opened.

#include "RawPlugin.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace ondrel::rawhost
{

class EditorLoop
{
public:
    EditorLoop();
    // Stops the thread; editors still open get no more calls.
    ~EditorLoop();

    EditorLoop (const EditorLoop&) = delete;
    EditorLoop& operator= (const EditorLoop&) = delete;

    // Opens the plug-in's editor in a host window at x, y on the screen and
    // waits for it; the host window's id, or 0.
    unsigned long openEditor (RawPlugin& plugin, int x, int y);

    // Runs `job` on the GUI thread after the idle call in progress; returns at once.
    void post (std::function<void()> job);

    // The plug-in gets no further idle calls; one in progress goes on. Any thread.
    void stopIdling (RawPlugin& plugin);

    // On the GUI thread: idle calls stop, then effEditClose (when `editorFirst`)
    // and effClose, then the host window goes. Returns at once.
    void postClose (RawPlugin& plugin, bool editorFirst);

private:
    void run();
    void destroyWindowOf (RawPlugin& plugin);

    struct Open
    {
        RawPlugin* plugin;
        unsigned long window;
    };

    std::mutex lock;
    std::condition_variable wake;
    std::deque<std::function<void()>> jobs;
    std::vector<Open> open; // GUI thread's; under `lock`
    bool quit = false;
    void* display = nullptr; // the host's connection, used on the GUI thread only
    std::thread thread;
};

} // namespace ondrel::rawhost
