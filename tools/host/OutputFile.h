#pragma once

#include <juce_core/juce_core.h>

#include <functional>

namespace ondrel::host
{

// Writes `target` by way of a temporary file beside it (beside its target,
// for a link), which `write` fills and which is renamed over the target only
// when `write` succeeds: a failed or interrupted run leaves no partial output
// under the target's name.
// `write` may set `error`; otherwise a failure reads "cannot write TARGET".
bool writeThroughTemporaryFile (const juce::File& target, const std::function<bool (const juce::File&)>& write,
                                juce::String& error);

} // namespace ondrel::host
