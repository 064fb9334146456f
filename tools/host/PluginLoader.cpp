#include "PluginLoader.h"

namespace ondrel::host
{

LoadedPlugin loadVst2Plugin (const juce::File& file, double sampleRate, int blockSize, juce::String& error)
{
    LoadedPlugin loaded;

    if (! file.existsAsFile())
    {
        error = "no such file: " + file.getFullPathName();
        return loaded;
    }

    juce::VSTPluginFormat format;
    juce::OwnedArray<juce::PluginDescription> types;
    format.findAllTypesForFile (types, file.getFullPathName());

    if (types.isEmpty())
    {
        error = "not a loadable VST2 plug-in: " + file.getFullPathName();
        return loaded;
    }

    loaded.description = *types.getFirst();
    loaded.instance = format.createInstanceFromDescription (loaded.description, sampleRate, blockSize, error);

    if (loaded.instance == nullptr && error.isEmpty())
        error = "the plug-in could not be instantiated";

    return loaded;
}

} // namespace ondrel::host
