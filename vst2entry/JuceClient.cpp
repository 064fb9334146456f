// JUCE's VST2 client, compiled here instead of from JUCE's module list, so
// that the plug-in's own entry point stands in front of it (EntryPoint.cpp).
//
// JUCE's VSTPluginMain is made weak: the linker takes ours instead. JUCE's
// "main" calls VSTPluginMain, so a host that loads the plug-in through
// "main" reaches ours too. Ours creates the effect through JUCE's own entry
// function, which only code in this file can see.

#include <juce_audio_plugin_client/juce_audio_plugin_client_VST2.cpp>

#pragma weak VSTPluginMain

// C linkage: this file names the VST2 types in JUCE's namespace, the entry
// layer in its own.
extern "C" __attribute__ ((visibility ("hidden"))) Vst2::AEffect* ondrelCreateJuceEffect (Vst2::audioMasterCallback host);
extern "C" __attribute__ ((visibility ("hidden"))) Vst2::AEffect* ondrelCreateJuceEffect (Vst2::audioMasterCallback host)
{
    return pluginEntryPoint (host);
}

// effClose on the thread that runs the editor, the editor still open: JUCE's
// wrapper deletes the editor itself, and the last hold on the host-driven
// event loop (which made this thread the message thread) ends inside that
// deletion. JUCE's own message thread then starts and repaints while the
// editor's window is still being taken down. The editor is deleted here
// first, the loop held as effEditClose holds it, so that JUCE's thread starts
// only once the editor is gone. On any other thread JUCE's wrapper takes the
// message-manager lock itself.
extern "C" __attribute__ ((visibility ("hidden"))) void ondrelCloseEditorBeforeClose (Vst2::AEffect* effect);
extern "C" __attribute__ ((visibility ("hidden"))) void ondrelCloseEditorBeforeClose (Vst2::AEffect* effect)
{
    if (effect == nullptr || effect->object == nullptr || ! MessageManager::existsAndIsCurrentThread())
        return;

    SharedResourcePointer<HostDrivenEventLoop> hostDrivenEventLoop;
    static_cast<JuceVSTWrapper*> (effect->object)->deleteEditor (false);
}
