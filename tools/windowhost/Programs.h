#pragma once

// Other programs run from a process that has threads of its own (the window
// tests, ondrel-host). juce::ChildProcess allocates in the forked child before
// the program starts: when another thread held the allocator's lock at that
// moment (AddressSanitizer's stack depot, for one), the child waits on it
// forever and its caller with it. posix_spawn runs nothing of ours there.

#include <juce_core/juce_core.h>

namespace ondrel::windowhost
{

// Runs the program (found on PATH) to its end; `output` gets what it wrote to
// stdout and stderr. Its exit code, or -1 when it could not run or was killed;
// one still running after `timeoutMs` is killed (and -1, the output saying so).
int runProgram (const juce::StringArray& arguments, juce::String& output, int timeoutMs = 120000);

} // namespace ondrel::windowhost
