#pragma once

// Our VST2 interface header (the shim over fst) in a namespace of its own,
// as JUCE does: JUCE declares a global AEffect, and the JUCE-based host
// reaches the plug-in's effect through these types too.
namespace vst2
{
#include <ondrel_vst2_interface.h>
}
