#pragma once

#include "processor/FileReplacement.h"

#include <juce_core/juce_core.h>

#include <functional>

namespace ondrel::host
{
using FileReplacement::ForwardingStream;


// Writes `target` by way of a temporary file beside it (beside its target,
// for a link), which `write` fills through the stream it is given and which
// is renamed over the target only when every byte is on the disk: `write`
// returning false, or a write the system refuses or cuts short (a full disk,
// a file-size limit), even one in the final flush, leaves the target as it
// was. A target that exists and is no regular file (a device, a FIFO, a
// folder) is refused and left alone.
// `write` may set `error`; otherwise a failure reads "cannot write TARGET".
bool writeThroughTemporaryFile (const juce::File& target, const std::function<bool (juce::OutputStream&)>& write,
                                juce::String& error);

} // namespace ondrel::host
