// ondrel-host: loads a VST2 plug-in through JUCE's hosting code and prints
// its identity, renders audio through it, or saves and restores its state.

#include "Commands.h"

#include <iostream>

int main (int argc, char* argv[])
{
    juce::StringArray args;

    for (int i = 1; i < argc; ++i)
        args.add (juce::String::fromUTF8 (argv[i]));

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

    const juce::ScopedJuceInitialiser_GUI juceRuntime;
    return ondrel::host::runCommand (*options);
}
