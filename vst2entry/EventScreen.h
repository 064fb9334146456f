#pragma once

// A host's effProcessEvents list, screened before JUCE's VST2 wrapper reads
// it. JUCE 7.0.5 hands every system-exclusive event to MidiBuffer::addEvent,
// which reads the dump's first byte before it looks at the size: one byte
// past a host's empty buffer, or through a null pointer. Such events are
// dropped here; every other event reaches JUCE unchanged and in order.

#include "vst2shim/Vst2Interface.h"

namespace ondrel::vst2entry
{

// The events one screened list holds. A longer host list reaches JUCE in
// several calls, whose events its wrapper appends to the same block's MIDI.
inline constexpr int screenedListCapacity = 64;

// False for an event JUCE's wrapper would read outside what the host gave.
bool juceReadsSafely (const vst2::VstEvent* event) noexcept;

// Passes an effProcessEvents call on to `juceDispatcher` with the host's
// events less the unsafe ones, in as many calls as the capacity needs (at
// least one); returns the last call's answer. Allocates nothing.
vst2::VstIntPtr processEventsScreened (vst2::AEffectDispatcherProc juceDispatcher, vst2::AEffect* effect,
                                       int index, vst2::VstIntPtr value, const vst2::VstEvents* hostEvents,
                                       float opt) noexcept;

} // namespace ondrel::vst2entry
