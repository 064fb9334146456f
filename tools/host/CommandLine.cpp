#include "CommandLine.h"

namespace ondrel::host
{

namespace
{
    bool isNumber (const juce::String& text)
    {
        return text.containsAnyOf ("0123456789") && text.containsOnly ("0123456789.")
               && text.indexOfChar ('.') == text.lastIndexOfChar ('.');
    }

    bool isPositiveNumber (const juce::String& text)
    {
        return isNumber (text) && text.getDoubleValue() > 0.0;
    }

    bool isCount (const juce::String& text)
    {
        return text.isNotEmpty() && text.containsOnly ("0123456789") && text.getIntValue() > 0;
    }

    std::optional<std::vector<int>> parseBlockList (const juce::String& text)
    {
        std::vector<int> sizes;

        for (const auto& part : juce::StringArray::fromTokens (text, ",", {}))
        {
            if (! isCount (part.trim()))
                return std::nullopt;

            sizes.push_back (part.trim().getIntValue());
        }

        return sizes.empty() ? std::nullopt : std::optional (sizes);
    }

    // Applies one "--name value" option; false when the option is unknown or its value bad.
    bool applyOption (Options& options, const juce::String& name, const juce::String& value, juce::String& error)
    {
        auto bad = [&] { error = "bad value for " + name + ": \"" + value + "\""; return false; };

        if (name == "--state")          options.initialState = juce::File::getCurrentWorkingDirectory().getChildFile (value);
        else if (name == "--in")        options.input = juce::File::getCurrentWorkingDirectory().getChildFile (value);
        else if (name == "--out")       options.output = juce::File::getCurrentWorkingDirectory().getChildFile (value);
        else if (name == "--screenshot") options.screenshot = juce::File::getCurrentWorkingDirectory().getChildFile (value);
        else if (name == "--param")
        {
            auto setting = parseParameterSetting (value);
            if (! setting) return bad();
            options.parameters.push_back (*setting);
        }
        else if (name == "--signal")
        {
            auto kind = parseSignalKind (value);
            if (! kind) return bad();
            options.signal = *kind;
        }
        else if (name == "--seconds")   { if (! isPositiveNumber (value)) return bad(); options.seconds = value.getDoubleValue(); }
        else if (name == "--frequency") { if (! isPositiveNumber (value)) return bad(); options.signalOptions.frequency = value.getDoubleValue(); }
        else if (name == "--amplitude") { if (! isNumber (value)) return bad(); options.signalOptions.amplitude = value.getFloatValue(); }
        else if (name == "--noise-seed") { if (! isCount (value)) return bad(); options.signalOptions.seed = value.getLargeIntValue(); }
        else if (name == "--channels")  { if (! isCount (value)) return bad(); options.channels = value.getIntValue(); }
        else if (name == "--rate")      { if (! isPositiveNumber (value)) return bad(); options.sampleRate = value.getDoubleValue(); }
        else if (name == "--seed")      { if (! isCount (value)) return bad(); options.blockSeed = value.getLargeIntValue(); }
        else if (name == "--blocks")
        {
            auto sizes = parseBlockList (value);
            if (! sizes) return bad();
            options.blockSizes = *sizes;
            options.randomBlocks.reset();
        }
        else if (name == "--random-blocks")
        {
            const auto low = value.upToFirstOccurrenceOf (":", false, false);
            const auto high = value.fromFirstOccurrenceOf (":", false, false);
            if (! isCount (low) || ! isCount (high) || low.getIntValue() > high.getIntValue()) return bad();
            options.randomBlocks = std::pair (low.getIntValue(), high.getIntValue());
        }
        else
        {
            error = "unknown option " + name;
            return false;
        }

        return true;
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
    juce::StringArray positional;

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

        if (! applyOption (options, args[i], args[i + 1], error))
            return std::nullopt;

        ++i;
    }

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

    if (needsStateFile)
        options.stateFile = juce::File::getCurrentWorkingDirectory().getChildFile (positional[2]);

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
           "  ondrel-host render PLUGIN --out FILE.wav [--in FILE | --signal sine|noise|silence|impulse]\n"
           "              [--seconds S] [--channels N] [--frequency HZ] [--amplitude A] [--noise-seed N]\n"
           "              [--rate HZ] [--blocks N[,N...] | --random-blocks MIN:MAX [--seed N]]\n"
           "              [--state FILE] [--param KEY=VALUE]...\n"
           "  ondrel-host save-state PLUGIN FILE [--state FILE] [--param KEY=VALUE]...\n"
           "  ondrel-host load-state PLUGIN FILE\n"
           "  ondrel-host editor PLUGIN --screenshot FILE.png [--state FILE] [--param KEY=VALUE]...\n"
           "\n"
           "PLUGIN is a VST2 .so. KEY is a parameter's index or display name, VALUE a normalised\n"
           "value in 0..1. --state restores a file written by save-state first. render writes\n"
           "32-bit float WAV; --blocks 512,480 alternates sizes, --random-blocks draws them.\n"
           "editor opens the plug-in's editor on the X display and saves a PNG of it.\n";
}

} // namespace ondrel::host
