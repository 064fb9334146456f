// Opening and closing the editor many times while a host processes audio on
// one thread and automates parameters on another.

#include "HostedEditor.h"
#include "MessageThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace ondrel::windowtests
{

TEST (WindowLifetime, OpensAndClosesFiftyTimesWhileAudioAndAutomationRun)
{
    writeSettings (718, 222);
    HostedEditor host;
    ASSERT_TRUE (host.isLoaded());

    std::atomic<bool> stop { false };
    std::atomic<int> blocks { 0 }, changes { 0 };

    std::thread audio ([&]
    {
        while (! stop)
        {
            host.process();
            ++blocks;
        }
    });

    std::thread automation ([&]
    {
        juce::Random random (7);

        while (! stop)
        {
            host.setValue (random.nextInt (14), random.nextFloat());
            ++changes;
            pause (1);
        }
    });

    for (int i = 0; i < 50 && ! ::testing::Test::HasFatalFailure(); ++i)
    {
        host.closeEditor();
        host.openEditor();
        pause (i % 4 * 15);
    }

    stop = true;
    audio.join();
    automation.join();

    EXPECT_GT (blocks.load(), 50);
    EXPECT_GT (changes.load(), 50);
    EXPECT_TRUE (host.waitForEditorSize (718, 222)) << "editor at " << host.editorScreenBounds().toString();
}

} // namespace ondrel::windowtests
