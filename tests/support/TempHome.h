#pragma once

#include <juce_core/juce_core.h>

#include <cstdlib>
#include <optional>
#include <string>

// Points HOME at a fresh, empty folder of its own while alive (the plug-in
// keeps its settings under ~/.config); mkdtemp keeps parallel test processes apart.
class TempHome
{
public:
    TempHome()
    {
        if (const char* current = std::getenv ("HOME"))
            previous = current;
        auto pattern = juce::File::getSpecialLocation (juce::File::tempDirectory)
                           .getChildFile ("ondrel-home-XXXXXX").getFullPathName().toStdString();
        folder = juce::File (mkdtemp (pattern.data()) != nullptr ? juce::String (pattern) : juce::String());
        if (folder.isDirectory())
            setenv ("HOME", pattern.c_str(), 1);
    }

    ~TempHome()
    {
        previous ? setenv ("HOME", previous->c_str(), 1) : unsetenv ("HOME");
        if (folder.isDirectory())
            folder.deleteRecursively();
    }

    juce::File folder;

private:
    std::optional<std::string> previous;
};
