#include "Commands.h"

#include "EditorScreenshot.h"
#include "PluginInfo.h"
#include "PluginLoader.h"
#include "Renderer.h"
#include "StateChunks.h"
#include "WavFiles.h"
#include "XSession.h"

#include <iostream>

namespace ondrel::host
{

namespace
{
    constexpr double defaultSampleRate = 44100.0;
    constexpr int defaultBlockSize = 512;

    int fail (const juce::String& message)
    {
        std::cerr << "ondrel-host: " << message << std::endl;
        return 1;
    }

    bool restoreStateFile (juce::AudioPluginInstance& plugin, const juce::File& file, juce::String& error)
    {
        juce::MemoryBlock state;

        if (! file.loadFileAsData (state) || state.isEmpty())
            error = "cannot read state from " + file.getFullPathName();
        else if (! setPluginState (plugin, state))
            error = "the plug-in did not take the state in " + file.getFullPathName();

        return error.isEmpty();
    }

    // Loads the plug-in, then restores --state and applies --param, in that order.
    LoadedPlugin openConfigured (const Options& options, double sampleRate, int blockSize, juce::String& error)
    {
        auto loaded = loadVst2Plugin (options.plugin, sampleRate, blockSize, error);

        if (loaded.instance != nullptr
            && ((options.initialState != juce::File() && ! restoreStateFile (*loaded.instance, options.initialState, error))
                || ! applyParameterSettings (*loaded.instance, options.parameters, error)))
            loaded.instance.reset();

        return loaded;
    }

    int printInfo (LoadedPlugin& loaded)
    {
        std::cout << formatPluginInfo (describePlugin (*loaded.instance, loaded.description)) << std::flush;
        return 0;
    }

    int runInfo (const Options& options)
    {
        juce::String error;
        auto loaded = openConfigured (options, defaultSampleRate, defaultBlockSize, error);
        return loaded.instance != nullptr ? printInfo (loaded) : fail (error);
    }

    int runLoadState (const Options& options)
    {
        juce::String error;
        auto loaded = openConfigured (options, defaultSampleRate, defaultBlockSize, error);

        if (loaded.instance == nullptr || ! restoreStateFile (*loaded.instance, options.stateFile, error))
            return fail (error);

        return printInfo (loaded);
    }

    int runSaveState (const Options& options)
    {
        juce::String error;
        auto loaded = openConfigured (options, defaultSampleRate, defaultBlockSize, error);

        if (loaded.instance == nullptr)
            return fail (error);

        const auto state = getPluginState (*loaded.instance);

        if (state.isEmpty())
            return fail ("the plug-in returned an empty state");

        if (! options.stateFile.replaceWithData (state.getData(), state.getSize()))
            return fail ("cannot write " + options.stateFile.getFullPathName());

        std::cout << "wrote " << (int) state.getSize() << " bytes of state to "
                  << options.stateFile.getFullPathName() << std::endl;
        return 0;
    }

    int runEditor (const Options& options)
    {
        if (! windowhost::hasDisplay())
            return fail ("no X display to open the editor on (set DISPLAY, or run under xvfb-run)");

        juce::String error;
        auto loaded = openConfigured (options, defaultSampleRate, defaultBlockSize, error);

        if (loaded.instance == nullptr)
            return fail (error);

        const auto size = saveEditorScreenshot (*loaded.instance, options.screenshot, error);

        if (size.isEmpty())
            return fail (error);

        std::cout << "editor " << size.getWidth() << " x " << size.getHeight() << ", saved to "
                  << options.screenshot.getFullPathName() << std::endl;
        return 0;
    }

    int runRender (const Options& options)
    {
        juce::String error;
        juce::AudioBuffer<float> source;
        auto sampleRate = options.sampleRate.value_or (defaultSampleRate);

        if (options.input != juce::File())
        {
            double fileRate = 0.0;

            if (! readAudioFile (options.input, source, fileRate, error))
                return fail (error);

            sampleRate = options.sampleRate.value_or (fileRate);
        }

        auto schedule = options.makeBlockSchedule();
        auto loaded = openConfigured (options, sampleRate, schedule.getMaxBlockSize(), error);

        if (loaded.instance == nullptr)
            return fail (error);

        auto& plugin = *loaded.instance;

        if (options.input == juce::File())
            source = makeSignal (options.signal, options.channels > 0 ? options.channels : getHostBufferChannels (plugin),
                                 juce::roundToInt (options.seconds * sampleRate), sampleRate, options.signalOptions);

        plugin.prepareToPlay (sampleRate, schedule.getMaxBlockSize());
        const auto output = renderThrough (plugin, source, schedule);
        plugin.releaseResources();

        if (! writeFloatWav (options.output, output, sampleRate, error))
            return fail (error);

        std::cout << "rendered " << output.getNumSamples() << " samples x " << output.getNumChannels()
                  << " channels at " << sampleRate << " Hz, peak "
                  << output.getMagnitude (0, output.getNumSamples()) << ", to "
                  << options.output.getFullPathName() << std::endl;
        return 0;
    }
}

int runCommand (const Options& options)
{
    if (options.command == "info")       return runInfo (options);
    if (options.command == "render")     return runRender (options);
    if (options.command == "save-state") return runSaveState (options);
    if (options.command == "load-state") return runLoadState (options);
    if (options.command == "editor")     return runEditor (options);
    return fail ("unknown command " + options.command);
}

} // namespace ondrel::host
