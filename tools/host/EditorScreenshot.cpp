#include "EditorScreenshot.h"

#include "EditorWindow.h"
#include "MessageThread.h"
#include "OutputFile.h"
#include "Screenshots.h"

namespace ondrel::host
{

namespace
{
    // Painted: the area holds more than one colour and stays the same for a moment.
    juce::Image waitForPaintedScreen (juce::Rectangle<int> area, const juce::File& file, juce::String& error)
    {
        juce::Image shot;
        const bool painted = windowhost::waitUntil ([&]
        {
            shot = windowhost::captureSettledScreen (file, error);
            return ! shot.isValid() || ! shot.getBounds().contains (area)
                   || windowhost::pixelsDifferingFrom (shot, area, shot.getPixelAt (area.getX(), area.getY())) > 0;
        }, 30000);

        if (shot.isValid() && ! shot.getBounds().contains (area))
            error = "the editor at " + area.toString() + " does not fit on the screen";
        else if (shot.isValid() && ! painted)
            error = "the plug-in's window was never painted";

        return error.isEmpty() ? shot : juce::Image();
    }

    bool writePng (const juce::Image& image, const juce::File& png, juce::String& error)
    {
        return writeThroughTemporaryFile (png, [&] (juce::OutputStream& out)
        {
            juce::PNGImageFormat format;
            return format.writeImageToStream (image, out);
        }, error);
    }
}

juce::Rectangle<int> saveEditorScreenshot (juce::AudioPluginInstance& plugin, const juce::File& png, juce::String& error)
{
    juce::Rectangle<int> area;

    windowhost::runBesideMessageLoop ([&]
    {
        windowhost::EditorWindow window (plugin);

        if (! window.open (error))
            return 1;

        area = window.editorScreenBounds();
        const juce::TemporaryFile screen (".png");
        const auto shot = waitForPaintedScreen (area, screen.getFile(), error);
        return shot.isValid() && writePng (shot.getClippedImage (area), png, error) ? 0 : 1;
    });

    return error.isEmpty() ? area : juce::Rectangle<int>();
}

} // namespace ondrel::host
