// ondrel-host: loads a VST2 plug-in through JUCE's hosting code and prints
// its identity, renders audio through it, saves and restores its state, or
// shows its editor and saves a picture of it.

#include "Commands.h"
#include "XSession.h"

#include <cstring>
#include <iostream>

namespace
{
    // JUCE's hosting code narrates every load on stderr; the tool reports
    // its own errors, so keep the output to what the command produced.
    struct QuietLogger : juce::Logger
    {
        void logMessage (const juce::String&) override {}
    };
}

int main (int argc, char* argv[])
{
    juce::StringArray args;

    for (int i = 1; i < argc; ++i)
        args.add (juce::String::fromUTF8 (argv[i], (int) std::strlen (argv[i]))); // the bytes as given

    if (args.isEmpty() || args[0] == "--help" || args[0] == "-h")
    {
        std::cout << ondrel::host::getUsageText();
        return args.isEmpty() ? 2 : 0;
    }

    juce::String error;
    const auto options = ondrel::host::parseCommandLine (args, error);

    if (! options)
    {
        std::cerr << "ondrel-host: " << error << "\n\n" << ondrel::host::getUsageText();
        return 2;
    }

    // Before JUCE or the plug-in opens a display. A bare X server lacks atoms
    // JUCE asks for; the errors that follow are harmless.
    if (options->command == "editor")
        ondrel::windowhost::prepareXlib (false);

    QuietLogger quiet;
    juce::Logger::setCurrentLogger (&quiet);
    const juce::ScopedJuceInitialiser_GUI juceRuntime;
    const auto exitCode = ondrel::host::runCommand (*options);
    juce::Logger::setCurrentLogger (nullptr);
    return exitCode;
}
