#pragma once

#include <juce_core/juce_core.h>

namespace ondrel::host
{

// What a path names once its links are followed. Only a regular file is read
// or replaced: a FIFO without a writer blocks its reader forever, a device
// never ends, and renaming over a device node (as root) replaces the device.
enum class FileKind
{
    missing,
    regular,
    other
};

FileKind kindOf (const juce::File& file);

} // namespace ondrel::host
