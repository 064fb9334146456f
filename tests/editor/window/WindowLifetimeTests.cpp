// The window itself: corner drags with the real pointer (the editor follows
// on the fixed aspect ratio within its limits, the host's window with it;
// that the size is stored is the editor tests' concern), and many openings and closings while a
// host processes audio on one thread and automates parameters on another.

#include "HostedEditor.h"

#include <atomic>
#include <thread>

namespace ondrel::windowtests
{

TEST (WindowResize, CornerDragsFollowTheAspectRatioWithinTheLimits)
{
    // From 718 x 222, ratio 718 / 222: a drag wider than the ratio keeps its
    // width, a taller one its height; half the size is the least.
    const struct { juce::Point<int> by, size; } drags[] = {
        { { 200, 30 }, { 918, 284 } }, { { 200, 100 }, { 1041, 322 } },
        { { -180, -60 }, { 538, 166 } }, { { -500, -150 }, { 359, 111 } },
    };

    for (const auto& d : drags)
    {
        SCOPED_TRACE ("dragged by " + d.by.toString());
        HostedEditor host;
        ASSERT_TRUE (host.window().waitForEditorSize (718, 222) && host.waitUntilTakingInput());
        const auto grip = host.toScreen ({ 699 + 8, 203 + 8 }); // the corner is (699, 203, 17, 17)
        drag (grip, grip + d.by);

        EXPECT_TRUE (host.window().waitForEditorSize (d.size.x, d.size.y))
            << "editor at " << host.window().editorScreenBounds().toString() << ", expected " << d.size.toString();
        EXPECT_EQ (host.window().hostWindowBounds(), host.window().editorScreenBounds()) << "the host's window did not follow";
    }
}

TEST (WindowLifetime, OpensAndClosesFiftyTimesWhileAudioAndAutomationRun)
{
    HostedEditor host;
    std::atomic<bool> stop { false };
    std::atomic<int> blocks { 0 }, changes { 0 };

    std::thread audio ([&] { for (; ! stop; ++blocks) host.process(); });
    std::thread automation ([&] {
        juce::Random random (7);
        for (; ! stop; ++changes, pause (1))
            host.setValue (random.nextInt (14), random.nextFloat());
    });

    for (int i = 0; i < 50 && ! ::testing::Test::HasFailure(); ++i)
    {
        host.closeEditor();
        host.openEditor();
        pause (i % 4 * 15);
    }

    EXPECT_TRUE (waitUntil ([&] { return blocks > 50 && changes > 50; })) << blocks << " blocks, " << changes << " changes";
    stop = true;
    audio.join();
    automation.join();
    EXPECT_TRUE (host.window().waitForEditorSize (718, 222)) << host.window().editorScreenBounds().toString();
}

} // namespace ondrel::windowtests
