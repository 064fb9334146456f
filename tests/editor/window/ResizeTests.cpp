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

    struct Drag { const char* name; juce::Point<int> by; int width; };

    // Each drag leans more to the width than the ratio allows, so the width
    // is the dragged one and the height follows from it.
    const Drag drags[] = {
        { "grow", { 200, 30 }, 918 },
        { "shrink", { -180, -20 }, 538 },
        { "past the minimum", { -500, -150 }, 359 },
    };

    int storedSize (const char* attribute)
    {
        auto root = readXml (settingsFile());
        return root != nullptr ? root->getIntAttribute (attribute, -1) : -1;
    }
}

TEST (EditorResize, CornerDragsFollowTheAspectRatioWithinTheLimitsAndAreStored)
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

        const int height = d.width == 359 ? 111 : (int) std::lround (d.width / aspect);
        EXPECT_TRUE (host.waitForEditorSize (d.width, height))
            << "editor at " << host.editorScreenBounds().toString() << ", expected " << d.width << " x " << height;
        EXPECT_EQ (host.hostWindowBounds(), host.editorScreenBounds()) << "the host's window did not follow";
        EXPECT_TRUE (waitUntil ([&] { return storedSize ("window_width") == d.width; }))
            << "stored width " << storedSize ("window_width");
        EXPECT_EQ (storedSize ("window_height"), height);
        screenshot ("editor-resized-" + juce::String (d.width) + "x" + juce::String (height));
    }
}

} // namespace ondrel::windowtests
