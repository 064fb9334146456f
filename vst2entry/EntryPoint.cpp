// The plug-in's VST2 entry point. The effect is JUCE's; only its dispatcher
// is replaced, by one that screens effProcessEvents lists (EventScreen.h),
// closes the editor before effClose (JuceClient.cpp) and passes every call on
// to JUCE's.

#include "EventScreen.h"

#include <atomic>

extern "C"
{
    // JUCE's own entry (JuceClient.cpp).
    vst2::AEffect* ondrelCreateJuceEffect (vst2::audioMasterCallback host);
    void ondrelCloseEditorBeforeClose (vst2::AEffect* effect);

    __attribute__ ((visibility ("default"))) vst2::AEffect* VSTPluginMain (vst2::audioMasterCallback host);
}

namespace
{
using namespace vst2;

// JUCE's wrapper gives every effect the same static dispatcher, so one
// pointer serves all instances. The AEffect's spare fields are not ours to
// use: hosts keep their own pointers in them.
std::atomic<AEffectDispatcherProc> juceDispatcher { nullptr };

VstIntPtr screeningDispatcher (AEffect* effect, int opcode, int index, VstIntPtr value, void* ptr, float opt)
{
    const auto forward = juceDispatcher.load (std::memory_order_acquire);

    if (opcode == effProcessEvents)
        return ondrel::vst2entry::processEventsScreened (forward, effect, index, value,
                                                         static_cast<const VstEvents*> (ptr), opt);

    // A host may close the plug-in with its editor open, on any thread.
    if (opcode == effClose)
        ondrelCloseEditorBeforeClose (effect);

    return forward (effect, opcode, index, value, ptr, opt);
}
} // namespace

AEffect* VSTPluginMain (audioMasterCallback host)
{
    AEffect* effect = ondrelCreateJuceEffect (host);

    if (effect == nullptr)
        return nullptr;

    // Should a later effect ever come with another dispatcher, it keeps it
    // unscreened rather than be sent to the first one's.
    AEffectDispatcherProc first = nullptr;

    if (juceDispatcher.compare_exchange_strong (first, effect->dispatcher, std::memory_order_acq_rel)
        || first == effect->dispatcher)
        effect->dispatcher = screeningDispatcher;

    return effect;
}
