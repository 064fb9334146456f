#include "EventScreen.h"

#include <new>

namespace ondrel::vst2entry
{

using namespace vst2;

bool juceReadsSafely (const VstEvent* event) noexcept
{
    if (event == nullptr || event->type != kVstSysExType)
        return true;

    const auto& sysex = *reinterpret_cast<const VstMidiSysexEvent*> (event);

    // JUCE takes the size as an int: the 32 bits a host writes, whatever the
    // bytes above them hold.
    return sysex.sysexDump != nullptr && static_cast<int> (sysex.dumpBytes) > 0;
}

VstIntPtr processEventsScreened (AEffectDispatcherProc juceDispatcher, AEffect* effect, int index,
                                 VstIntPtr value, const VstEvents* hostEvents, float opt) noexcept
{
    // The list header with room for its pointers, in this call's frame:
    // nothing allocated on the audio thread, and nothing shared by instances
    // that a host processes on different threads at once.
    alignas (VstEvents) unsigned char storage[sizeof (VstEvents) + screenedListCapacity * sizeof (VstEvent*)];
    auto* list = new (storage) VstEvents {};

    // No list at all is read as an empty one.
    const int total = hostEvents != nullptr ? hostEvents->numEvents : 0;
    int next = 0;
    VstIntPtr answer = 0;

    do
    {
        list->numEvents = 0;

        for (; next < total && list->numEvents < screenedListCapacity; ++next)
            if (VstEvent* event = hostEvents->events[next]; juceReadsSafely (event))
                list->events[list->numEvents++] = event;

        answer = juceDispatcher (effect, effProcessEvents, index, value, list, opt);
    }
    while (next < total);

    return answer;
}

} // namespace ondrel::vst2entry
