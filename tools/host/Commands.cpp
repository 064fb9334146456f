#include "Commands.h"

#include "EditorScreenshot.h"
#include "Limits.h"
#include "OutputFile.h"
#include "PluginInfo.h"
#include "PluginLoader.h"
#include "Renderer.h"
#include "StateChunks.h"
#include "WavFiles.h"
#include "XSession.h"
#include "processor/Utf8Text.h"

#include <iostream>

namespace ondrel::host
{

namespace
{
    constexpr int defaultBlockSize = 512;

    // What ended a run: 1 for a file or the plug-in, 2 for the command line.
    struct Failure
    {
        juce::String error;
        int exitCode = 1;
    };

    int fail (const Failure& failure)
    {
        std::cerr << "ondrel-host: " << failure.error << std::endl;
        return failure.exitCode;
    }

    void warn (const juce::String& message)
    {
        std::cerr << "warning: " << message << std::endl;
    }

    // A state the plug-in leaves as it was, when it differs from what the plug-in
    // held, was not taken: plug-ins accept any chunk and ignore what they cannot read.
    bool restoreStateFile (juce::AudioPluginInstance& plugin, const juce::File& file, juce::String& error)
    {
        const auto name = file.getFullPathName();
        // Not a regular file (a FIFO, /dev/zero): its size says nothing, and reading may never end.
        const auto state = readSmallRegularFile (file, limits::maxStateBytes).value_or (juce::MemoryBlock());

        if (file.getSize() > limits::maxStateBytes)
            error = "state file larger than " + juce::String (limits::maxStateBytes) + " bytes: " + name;
        else if (state.isEmpty())
            error = "cannot read state from " + name + " (a regular file, not empty, is needed)";
        else if (const auto before = getPluginState (plugin); ! setPluginState (plugin, state))
            error = "the plug-in did not take the state in " + name;
        else if (getPluginState (plugin) == before && state != before)
            warn ("the plug-in's state did not change when given " + name + ": it did not take that state");

        return error.isEmpty();
    }

    // Loads the plug-in, then restores --state and applies --param, in that order.
    LoadedPlugin openConfigured (const Options& options, double sampleRate, int blockSize, Failure& failure)
    {
        auto loaded = loadVst2Plugin (options.plugin, sampleRate, blockSize, failure.error);

        if (loaded.instance != nullptr && options.initialState != juce::File()
            && ! restoreStateFile (*loaded.instance, options.initialState, failure.error))
            loaded.instance.reset();

        // A parameter the plug-in lacks is a command-line error, found only once it is loaded.
        if (loaded.instance != nullptr && ! applyParameterSettings (*loaded.instance, options.parameters, failure.error))
        {
            loaded.instance.reset();
            failure.exitCode = 2;
        }

        return loaded;
    }

    int printInfo (LoadedPlugin& loaded)
    {
        std::cout << formatPluginInfo (describePlugin (*loaded.instance, loaded.description)) << std::flush;
        return 0;
    }

    int runInfo (const Options& options)
    {
        Failure failure;
        auto loaded = openConfigured (options, defaultSampleRate, defaultBlockSize, failure);
        return loaded.instance != nullptr ? printInfo (loaded) : fail (failure);
    }

    int runLoadState (const Options& options)
    {
        Failure failure;
        auto loaded = openConfigured (options, defaultSampleRate, defaultBlockSize, failure);

        if (loaded.instance == nullptr || ! restoreStateFile (*loaded.instance, options.stateFile, failure.error))
            return fail (failure);

        return printInfo (loaded);
    }

    int runSaveState (const Options& options)
    {
        Failure failure;
        auto loaded = openConfigured (options, defaultSampleRate, defaultBlockSize, failure);

        if (loaded.instance == nullptr)
            return fail (failure);

        const auto state = getPluginState (*loaded.instance);

        if (state.isEmpty())
            return fail ({ "the plug-in returned an empty state" });

        if (! writeThroughTemporaryFile (options.stateFile, [&] (juce::OutputStream& out)
                                         { return out.write (state.getData(), state.getSize()); }, failure.error))
            return fail (failure);

        std::cout << "wrote " << (int) state.getSize() << " bytes of state to "
                  << options.stateFile.getFullPathName() << std::endl;
        return 0;
    }

    int runEditor (const Options& options)
    {
        if (! windowhost::hasDisplay())
            return fail ({ "no X display to open the editor on (set DISPLAY, or run under xvfb-run)" });

        Failure failure;
        auto loaded = openConfigured (options, defaultSampleRate, defaultBlockSize, failure);

        if (loaded.instance == nullptr)
            return fail (failure);

        const auto size = saveEditorScreenshot (*loaded.instance, options.screenshot, failure.error);

        if (size.isEmpty())
            return fail (failure);

        std::cout << "editor " << size.getWidth() << " x " << size.getHeight() << ", saved to "
                  << options.screenshot.getFullPathName() << std::endl;
        return 0;
    }

    int runRender (const Options& options)
    {
        Failure failure;
        juce::AudioBuffer<float> source;
        auto sampleRate = options.sampleRate.value_or (defaultSampleRate);

        if (options.input != juce::File())
        {
            double fileRate = 0.0;
            juce::StringArray warnings;

            if (! readAudioFile (options.input, source, fileRate, warnings, failure.error))
                return fail (failure);

            // The file's samples would play at another rate: refused, as this tool does not resample.
            if (options.sampleRate && *options.sampleRate != fileRate)
                return fail ({ "--rate " + juce::String (*options.sampleRate) + " is not the " + juce::String (fileRate)
                               + " Hz of " + options.input.getFileName() + ", and this tool does not resample", 2 });

            for (const auto& warning : warnings)
                warn (warning);

            sampleRate = fileRate;
        }

        auto schedule = options.makeBlockSchedule();
        auto loaded = openConfigured (options, sampleRate, schedule.getMaxBlockSize(), failure);

        if (loaded.instance == nullptr)
            return fail (failure);

        auto& plugin = *loaded.instance;

        if (options.input == juce::File())
            source = makeSignal (options.signal, options.channels > 0 ? options.channels : getHostBufferChannels (plugin),
                                 juce::roundToInt (options.seconds * sampleRate), sampleRate, options.signalOptions);

        plugin.prepareToPlay (sampleRate, schedule.getMaxBlockSize());
        const auto output = renderThrough (plugin, source, schedule);
        plugin.releaseResources();
        const auto levels = measureLevels (output);

        if (levels.nonFinite > 0)
            warn (juce::String (levels.nonFinite) + " of " + juce::String ((juce::int64) output.getNumSamples() * output.getNumChannels())
                  + " output samples are not finite (NaN or infinite); the peak leaves them out");

        if (! writeFloatWav (options.output, output, sampleRate, failure.error))
            return fail (failure);

        std::cout << "rendered " << output.getNumSamples() << " samples x " << output.getNumChannels()
                  << " channels at " << sampleRate << " Hz, peak " << levels.peak << ", to "
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
    return fail ({ "unknown command " + options.command, 2 });
}

} // namespace ondrel::host
