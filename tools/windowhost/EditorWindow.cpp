#include "EditorWindow.h"

#include "MessageThread.h"
#include "XSession.h"

namespace ondrel::windowhost
{

bool EditorWindow::open (juce::String& error, int timeoutMs)
{
    onMessageThread ([this]
    {
        editor.reset (plugin.createEditorIfNeeded());

        if (editor == nullptr)
            return;

        // The host's window is the hosting component itself: when the plug-in
        // asks to be resized, JUCE's host resizes it, and so the X window.
        // Unmapped until shown, so that the server may keep pictures first.
        editor->setTopLeftPosition (screenX, screenY);
        editor->addToDesktop (0);
        hostWindow = (unsigned long) (juce::pointer_sized_uint) editor->getWindowHandle();
    });

    if (editor == nullptr)
        error = "the plug-in has no editor";
    else if (keepsPicture && ! (waitUntil ([this] { return windowExists (hostWindow); }, timeoutMs)
                                && keepChildPictures (hostWindow)))
        error = "the X server cannot keep the plug-in's picture (it lacks the Composite extension)";
    else
    {
        onMessageThread ([this] { editor->setVisible (true); });

        if (! waitUntil ([this] { return ! editorScreenBounds().isEmpty(); }, timeoutMs))
            error = "the plug-in's window never appeared";
    }

    return error.isEmpty();
}

void EditorWindow::close()
{
    onMessageThread ([this]
    {
        editor.reset();
        hostWindow = 0;
    });
}

juce::Rectangle<int> EditorWindow::editorScreenBounds() const
{
    if (hostWindow == 0)
        return {};

    for (const auto& box : viewableChildren (hostWindow))
        return { box.x, box.y, box.width, box.height };

    return {};
}

juce::Image EditorWindow::editorPicture() const
{
    const auto children = keepsPicture && hostWindow != 0 ? viewableChildren (hostWindow) : std::vector<ScreenBox> {};
    const auto pixels = children.empty() ? WindowPixels {} : readKeptPicture (children.front().id);

    if (pixels.rgb.empty())
        return {};

    juce::Image picture (juce::Image::RGB, pixels.width, pixels.height, false);
    const juce::Image::BitmapData data (picture, juce::Image::BitmapData::writeOnly);

    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x)
            data.setPixelColour (x, y, juce::Colour (0xff000000 | pixels.rgb[(size_t) (y * pixels.width + x)]));

    return picture;
}

juce::Rectangle<int> EditorWindow::hostWindowBounds()
{
    juce::Rectangle<int> bounds;
    onMessageThread ([&] { if (editor != nullptr) bounds = editor->getScreenBounds(); });
    return bounds;
}

bool EditorWindow::waitForEditorSize (int width, int height, int timeoutMs) const
{
    return waitUntil ([&] {
        const auto r = editorScreenBounds();
        return r.getWidth() == width && r.getHeight() == height;
    }, timeoutMs);
}

} // namespace ondrel::windowhost
