#include "EditorScreenshot.h"

#include "EditorWindow.h"
#include "MessageThread.h"
#include "OutputFile.h"
#include "Screenshots.h"

namespace ondrel::host
{

namespace
{
    // Painted: the picture holds more than one colour and stays the same for a moment.
    // Read from the server's own copy of the window, it is whole whatever the screen's size.
    juce::Image waitForPaintedEditor (const windowhost::EditorWindow& window, juce::String& error)
    {
        juce::Image picture;
        const bool painted = windowhost::waitUntil ([&]
        {
            picture = windowhost::captureSettled ([&] { return window.editorPicture(); });
            return picture.isValid()
                   && windowhost::pixelsDifferingFrom (picture, picture.getBounds(), picture.getPixelAt (0, 0)) > 0;
        }, 30000);

        if (! painted)
            error = picture.isValid() ? "the plug-in's window was never painted" : "cannot read the plug-in's window";

        return painted ? picture : juce::Image();
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
        windowhost::EditorWindow window (plugin, true);

        if (! window.open (error))
            return 1;

        const auto picture = waitForPaintedEditor (window, error);
        area = picture.getBounds();
        return picture.isValid() && writePng (picture, png, error) ? 0 : 1;
    });

    return error.isEmpty() ? area : juce::Rectangle<int>();
}

} // namespace ondrel::host
