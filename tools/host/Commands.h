#pragma once

#include "CommandLine.h"

namespace ondrel::host
{

// Runs one parsed command, printing to stdout and errors to stderr.
// Returns the process exit code. Must run on the message thread.
int runCommand (const Options& options);

} // namespace ondrel::host
