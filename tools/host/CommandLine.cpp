#include "CommandLine.h"

#include "Limits.h"
#include "Numbers.h"
#include "processor/PathBytes.h"

#include <cmath>
#include <limits>

namespace ondrel::host
{

namespace
{
    // Applies one "--name value" option; false when the option is unknown or its value bad.
    bool applyOption (Options& options, const juce::String& name, const juce::String& value, juce::String& error)
    {
        const auto bad = [&] (const juce::String& expected)
        {
            error = "bad value for " + name + ": \"" + value + "\" (expected " + expected + ")";
            return false;
        };
        const auto whole = [&] (juce::int64 low, juce::int64 high, auto& target)
        {
            const auto number = parseWholeNumber (value, low, high);
            if (! number) return bad ("a whole number from " + juce::String (low) + " to " + juce::String (high));
            target = (std::remove_reference_t<decltype (target)>) *number;
            return true;
        };
        const auto decimal = [&] (double low, double high, const juce::String& expected, auto& target)
        {
            const auto number = parseDecimal (value);
            if (! number || *number < low || *number > high) return bad (expected);
            target = (std::remove_reference_t<decltype (target)>) *number;
            return true;
        };
        const auto blockSize = [&] (const juce::String& text) { return parseWholeNumber (text, 1, limits::maxBlockSize); };
        const auto blockRange = "whole numbers from 1 to " + juce::String (limits::maxBlockSize);
        constexpr auto maxSeed = std::numeric_limits<juce::int64>::max();
        constexpr auto above0 = std::numeric_limits<double>::denorm_min(), maxFrequency = limits::maxRate / 2;
        const bool namesFile = name == "--state" || name == "--in" || name == "--out" || name == "--screenshot";

        // Before the framework folds a "../" it reads in the name's bytes.
        if (namesFile && ! PathBytes::readsAsWritten (value.toRawUTF8()))
            return bad ("a file name whose bytes read as written");

        const auto file = juce::File::getCurrentWorkingDirectory().getChildFile (value);

        if (name == "--state")          options.initialState = file;
        else if (name == "--in")        options.input = file;
        else if (name == "--out")       options.output = file;
        else if (name == "--screenshot") options.screenshot = file;
        else if (name == "--param")
        {
            auto setting = parseParameterSetting (value);
            if (! setting) return bad ("KEY=VALUE, VALUE a number from 0 to 1");
            options.parameters.push_back (*setting);
        }
        else if (name == "--signal")
        {
            auto kind = parseSignalKind (value);
            if (! kind) return bad ("sine, noise, silence or impulse");
            options.signal = *kind;
        }
        else if (name == "--seconds")    return decimal (above0, HUGE_VAL, "a number above 0", options.seconds);
        else if (name == "--frequency")
            return decimal (above0, maxFrequency, "a number above 0, at most " + juce::String (maxFrequency), options.signalOptions.frequency);
        else if (name == "--amplitude")  return decimal (0.0, 10.0, "a number from 0 to 10", options.signalOptions.amplitude);
        // Whole: a WAV header holds no fraction of a hertz.
        else if (name == "--rate")       return whole ((juce::int64) limits::minRate, (juce::int64) limits::maxRate, options.sampleRate.emplace());
        else if (name == "--noise-seed") return whole (1, maxSeed, options.signalOptions.seed);
        else if (name == "--seed")       return whole (1, maxSeed, options.blockSeed);
        else if (name == "--channels")   return whole (1, limits::maxChannels, options.channels);
        else if (name == "--blocks")
        {
            std::vector<int> sizes;
            for (const auto& part : juce::StringArray::fromTokens (value, ",", {}))
            {
                const auto size = blockSize (part.trim());
                if (! size) return bad ("a list of " + blockRange);
                sizes.push_back ((int) *size);
            }
            if (sizes.empty()) return bad ("a list of " + blockRange);
            options.blockSizes = sizes;
        }
        else if (name == "--random-blocks")
        {
            const auto low = blockSize (value.upToFirstOccurrenceOf (":", false, false));
            const auto high = blockSize (value.fromFirstOccurrenceOf (":", false, false));
            if (! low || ! high || *low > *high) return bad ("MIN:MAX, " + blockRange + ", MIN <= MAX");
            options.randomBlocks = std::pair ((int) *low, (int) *high);
        }
        else
        {
            error = "unknown option " + name;
            return false;
        }

        return true;
    }

    // The options each command reads: any other would be ignored, so it is refused.
    juce::StringArray optionsOf (const juce::String& command)
    {
        if (command == "render")
            return { "--in", "--out", "--signal", "--seconds", "--channels", "--frequency", "--amplitude", "--noise-seed",
                     "--rate", "--blocks", "--random-blocks", "--seed", "--state", "--param" };
        if (command == "editor")
            return { "--screenshot", "--state", "--param" };
        if (command == "load-state") // FILE replaces whatever --state or --param would set
            return {};
        return { "--state", "--param" };
    }

    // Options the command reads, none of which another one makes moot.
    bool checkOptionsApply (const Options& options, const juce::StringArray& given, juce::String& error)
    {
        static const juce::StringArray signalOptions { "--signal", "--seconds", "--channels", "--frequency", "--amplitude", "--noise-seed" };
        static const juce::StringArray otherFormats { ".mp3", ".flac", ".ogg", ".opus", ".m4a", ".aif", ".aiff", ".aifc" };
        const auto allowed = optionsOf (options.command);
        const auto extension = options.output.getFileExtension().toLowerCase();

        for (const auto& name : given)
        {
            if (! allowed.contains (name))
                error = options.command + " does not take " + name;
            else if (signalOptions.contains (name) && given.contains ("--in"))
                error = name + " is for a test signal, which is made only without --in";

            if (error.isNotEmpty())
                return false;
        }

        // Options that only one kind of signal, or the random blocks, read.
        const std::pair<const char*, bool> unread[] = {
            { "--frequency", options.signal != SignalKind::sine },
            { "--noise-seed", options.signal != SignalKind::noise },
            { "--amplitude", options.signal == SignalKind::silence },
            { "--seed", ! given.contains ("--random-blocks") },
        };

        for (const auto& [name, ignored] : unread)
            if (ignored && given.contains (name))
                error = juce::String (name) + " does not apply to " + (juce::String (name) == "--seed" ? "fixed blocks" : "this --signal");

        if (error.isNotEmpty())
            return false;

        if (given.contains ("--blocks") && given.contains ("--random-blocks"))
            error = "--blocks and --random-blocks exclude each other";
        else if (given.contains ("--out") && otherFormats.contains (extension))
            error = "--out " + options.output.getFileName() + ": this tool writes WAV only, not " + extension;

        return error.isEmpty();
    }

    // A test signal is made whole in memory: its length is bounded like a file's.
    bool checkSignalLength (const Options& options, juce::String& error)
    {
        const auto rate = options.sampleRate.value_or (defaultSampleRate);

        if (options.input == juce::File() && options.seconds * rate > (double) limits::maxSamples)
            error = "bad value for --seconds: " + juce::String (options.seconds) + " s at " + juce::String (rate)
                    + " Hz is more than " + juce::String (limits::maxSamples) + " samples";

        return error.isEmpty();
    }
}

BlockSchedule Options::makeBlockSchedule() const
{
    if (randomBlocks)
        return BlockSchedule::random (randomBlocks->first, randomBlocks->second, blockSeed);

    return BlockSchedule::cycle (blockSizes);
}

std::optional<Options> parseCommandLine (const juce::StringArray& args, juce::String& error)
{
    static const juce::StringArray commands { "info", "render", "save-state", "load-state", "editor" };
    Options options;
    juce::StringArray positional, given;

    for (int i = 0; i < args.size(); ++i)
    {
        if (! args[i].startsWith ("--"))
        {
            positional.add (args[i]);
            continue;
        }

        if (i + 1 >= args.size())
        {
            error = "missing value for " + args[i];
            return std::nullopt;
        }

        // Every option but --param is read once: a second one would silently win.
        if (args[i] != "--param" && given.contains (args[i]))
        {
            error = args[i] + " is given twice";
            return std::nullopt;
        }

        if (! applyOption (options, args[i], args[i + 1], error))
            return std::nullopt;

        given.add (args[i]);

        ++i;
    }

    if (! checkSignalLength (options, error))
        return std::nullopt;

    if (positional.isEmpty() || ! commands.contains (positional[0]))
    {
        error = "expected one of the commands " + commands.joinIntoString (", ");
        return std::nullopt;
    }

    options.command = positional[0];
    const auto needsStateFile = options.command.endsWith ("-state");

    if (positional.size() != (needsStateFile ? 3 : 2))
    {
        error = options.command + ": expected " + (needsStateFile ? "PLUGIN FILE" : "PLUGIN");
        return std::nullopt;
    }

    options.plugin = juce::File::getCurrentWorkingDirectory().getChildFile (positional[1]);

    if (needsStateFile && ! PathBytes::readsAsWritten (positional[2].toRawUTF8()))
    {
        error = options.command + ": bad FILE (expected a file name whose bytes read as written)";
        return std::nullopt;
    }

    if (needsStateFile)
        options.stateFile = juce::File::getCurrentWorkingDirectory().getChildFile (positional[2]);

    if (! checkOptionsApply (options, given, error))
        return std::nullopt;

    if (options.command == "render" && options.output == juce::File())
    {
        error = "render: --out FILE is required";
        return std::nullopt;
    }

    if (options.command == "editor" && options.screenshot == juce::File())
    {
        error = "editor: --screenshot FILE.png is required";
        return std::nullopt;
    }

    return options;
}

juce::String getUsageText()
{
    return "usage:\n"
           "  ondrel-host info PLUGIN [--state FILE] [--param KEY=VALUE]...\n"
           "  ondrel-host render PLUGIN --out FILE.wav [--in FILE | --signal sine|noise|silence|impulse\n"
           "              [--seconds S] [--channels 1|2] [--frequency HZ] [--amplitude A] [--noise-seed N]]\n"
           "              [--rate HZ] [--blocks N[,N...] | --random-blocks MIN:MAX [--seed N]]\n"
           "              [--state FILE] [--param KEY=VALUE]...\n"
           "  ondrel-host save-state PLUGIN FILE [--state FILE] [--param KEY=VALUE]...\n"
           "  ondrel-host load-state PLUGIN FILE\n"
           "  ondrel-host editor PLUGIN --screenshot FILE.png [--state FILE] [--param KEY=VALUE]...\n"
           "\n"
           "PLUGIN is a VST2 .so. KEY is a parameter's index or display name, VALUE a normalised\n"
           "value in 0..1. --state restores a file written by save-state first; load-state restores\n"
           "FILE and prints what info prints. render reads a WAV or AIFF file (up to 64 channels,\n"
           "of which the first two are used) or makes a test signal, and writes 32-bit float WAV;\n"
           "--blocks 512,480 alternates sizes, --random-blocks draws them. --rate is the host's\n"
           "sample rate, whole hertz; with --in only the file's own (nothing is resampled). editor\n"
           "opens the plug-in's editor on the X display and saves a PNG of all of it, also of what\n"
           "lies off the screen. A command refuses options it does not use, options given twice\n"
           "(but --param) and signal options the chosen --signal does not read.\n"
           "\n"
           "Ranges: --rate 1000 to 768000 (whole), --frequency above 0 to 384000, --amplitude 0 to 10,\n"
           "block sizes 1 to 65536, seeds from 1; at most 134217728 samples per channel (a file,\n"
           "or --seconds at the rate: about 50 minutes at 44.1 kHz). Output is written under a\n"
           "temporary name beside the target and renamed when complete.\n"
           "\n"
           "Exit code: 0 done (a line starting \"warning:\" tells of a file shorter than its header,\n"
           "channels left out, a state the plug-in did not take or non-finite output samples);\n"
           "2 the command line is wrong (an unknown parameter, an option the command does not use,\n"
           "a --rate other than the input file's too); 1 an input file or the plug-in fails.\n";
}

} // namespace ondrel::host
