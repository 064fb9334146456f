#pragma once

// Our VST2 interface header (the shim over fst) in a namespace of its own,
// as JUCE does: JUCE declares the same names in its `Vst2` namespace, and a
// test host that also links JUCE, or the plug-in's entry layer next to
// JUCE's wrapper, must not meet them in the global one.
namespace vst2
{
#include "ondrel_vst2_interface.h"
}
