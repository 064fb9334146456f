// The window tests' process: Xlib made thread-safe before anything opens a
// display, HOME pointed at a fresh folder (the plug-in writes its settings
// and MIDI table under ~/.config), JUCE's message loop on the main thread
// and the tests on a thread of their own.

#include "MessageThread.h"
#include "XSession.h"

#include <juce_events/juce_events.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);
    ondrel::windowhost::prepareXlib();

    auto pattern = juce::File::getSpecialLocation (juce::File::tempDirectory)
                       .getChildFile ("ondrel-window-home-XXXXXX").getFullPathName().toStdString();

    if (mkdtemp (pattern.data()) == nullptr || setenv ("HOME", pattern.c_str(), 1) != 0)
        return 2;

    int result = 1;

    {
        juce::ScopedJuceInitialiser_GUI gui;
        result = ondrel::windowhost::runBesideMessageLoop ([] { return RUN_ALL_TESTS(); });
    }

    juce::File (pattern).deleteRecursively();
    return result;
}
