#pragma once

// The tests run on a thread of their own while the main thread runs JUCE's
// message loop, so that real X events, timers and the plug-in's nested
// modal loops keep running while a test waits.

#include <functional>

namespace ondrel::windowtests
{

// Runs `job` on the message thread and waits for it. A message thread that
// stays blocked (by a menu the test forgot to close) ends the program.
void onMessageThread (std::function<void()> job);

// Polls `condition` on the calling thread every 20 ms; false after the time-out.
bool waitUntil (const std::function<bool()>& condition, int timeoutMs = 5000);

void pause (int milliseconds);

} // namespace ondrel::windowtests
