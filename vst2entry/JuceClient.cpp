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
