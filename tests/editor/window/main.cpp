// The window tests' process: Xlib made thread-safe before anything opens a
// display, JUCE's message loop on the main thread and the tests on a thread
// of their own. HOME points at a fresh folder while they run (HostedPlugin.cpp).

#include "MessageThread.h"
#include "XSession.h"

#include <juce_events/juce_events.h>

#include <gtest/gtest.h>

int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);
    ondrel::windowhost::prepareXlib();
    juce::ScopedJuceInitialiser_GUI gui;
    return ondrel::windowhost::runBesideMessageLoop ([] { return RUN_ALL_TESTS(); });
}
