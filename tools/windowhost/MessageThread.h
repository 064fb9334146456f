#pragma once

// The driving code runs on a thread of its own while the main thread runs
// JUCE's message loop, so that real X events, timers and the plug-in's
// nested modal loops keep running while it waits.

#include <functional>

namespace ondrel::windowhost
{

// Called on the message thread: runs its loop until `job`, started on a
// thread of its own, returns; then returns what the job returned.
int runBesideMessageLoop (std::function<int()> job);

// Runs `job` on the message thread and waits for it. A message thread that
// stays blocked (by a menu left open) ends the program.
void onMessageThread (std::function<void()> job);

// Polls `condition` on the calling thread every 20 ms; false after the time-out.
bool waitUntil (const std::function<bool()>& condition, int timeoutMs = 30000);

void pause (int milliseconds);

} // namespace ondrel::windowhost
