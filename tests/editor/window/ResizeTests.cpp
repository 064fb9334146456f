// Dragging the resize corner with the real pointer: the editor follows on
// the fixed aspect ratio within its limits, the host's window with it, and
// the settings file keeps the new size.

#include "HostedEditor.h"
#include "MessageThread.h"
#include "ScreenDriver.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ondrel::windowtests
{

namespace
{
    constexpr double aspect = (double) (718.0f / 222.0f);

    struct Drag { const char* name; juce::Point<int> by; };

    const Drag drags[] = {
        { "wider than the ratio", { 200, 30 } },
        { "taller than the ratio", { 200, 100 } },
        { "smaller", { -180, -60 } },
        { "past the minimum", { -500, -150 } },
    };

    // The size a drag asks for, brought onto the ratio by the larger of the
    // two sizes it implies, then held at the minimum.
    juce::Point<int> expectedSize (juce::Point<int> by)
    {
        const double w = 718 + by.x, h = 222 + by.y;
        juce::Point<int> size = w / h < aspect ? juce::Point<int> ((int) std::lround (h * aspect), (int) h)
                                               : juce::Point<int> ((int) w, (int) std::lround (w / aspect));
        return size.x < 359 ? juce::Point<int> (359, 111) : size;
    }

    int storedSize (const char* attribute)
    {
        auto root = juce::parseXML (settingsFile());
        return root != nullptr ? root->getIntAttribute (attribute, -1) : -1;
    }
}

TEST (WindowResize, CornerDragsFollowTheAspectRatioWithinTheLimitsAndAreStored)
{
    for (const auto& d : drags)
    {
        SCOPED_TRACE (d.name);
        writeSettings (718, 222);
        HostedEditor host;
        ASSERT_TRUE (host.isLoaded());
        ASSERT_TRUE (host.waitForEditorSize (718, 222));

        // The corner is (699, 203, 17, 17) in the editor.
        const auto grip = host.toScreen ({ 699 + 8, 203 + 8 });
        drag (grip, grip + d.by);

        const auto size = expectedSize (d.by);
        EXPECT_TRUE (host.waitForEditorSize (size.x, size.y))
            << "editor at " << host.editorScreenBounds().toString() << ", expected " << size.toString();
        EXPECT_EQ (host.hostWindowBounds(), host.editorScreenBounds()) << "the host's window did not follow";
        EXPECT_TRUE (waitUntil ([&] { return storedSize ("window_width") == size.x; }))
            << "stored width " << storedSize ("window_width");
        EXPECT_EQ (storedSize ("window_height"), size.y);
        screenshot ("editor-resized-" + juce::String (size.x) + "x" + juce::String (size.y));
    }
}

} // namespace ondrel::windowtests
