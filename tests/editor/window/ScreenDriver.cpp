#include "ScreenDriver.h"

#include <gtest/gtest.h>

namespace ondrel::windowtests
{

namespace
{
    void run (const juce::StringArray& command)
    {
        juce::ChildProcess process;

        if (! process.start (command, juce::ChildProcess::wantStdErr))
        {
            ADD_FAILURE() << "cannot run " << command.joinIntoString (" ");
            return;
        }

        const auto errors = process.readAllProcessOutput();

        if (process.getExitCode() != 0)
            ADD_FAILURE() << command.joinIntoString (" ") << " failed: " << errors;
    }

    // xdotool's own "sleep" keeps the timing inside one process.
    void xdotool (const juce::String& words)
    {
        run (juce::StringArray::fromTokens ("xdotool " + words, false));
    }

    juce::String at (juce::Point<int> p) { return " mousemove " + juce::String (p.x) + " " + juce::String (p.y); }
}

void moveTo (juce::Point<int> screen)
{
    xdotool (at (screen));
}

void click (juce::Point<int> screen, Button button, int holdMs)
{
    const juce::String b ((int) button);
    xdotool (at (screen) + " sleep 0.05 mousedown " + b + " sleep " + juce::String (holdMs / 1000.0, 3) + " mouseup " + b);
}

void pressEscape()
{
    xdotool ("key Escape");
}

void drag (juce::Point<int> from, juce::Point<int> to, int steps)
{
    juce::String words = at (from) + " sleep 0.1 mousedown 1";

    for (int i = 1; i <= steps; ++i)
        words << " sleep 0.08" << at (from + (to - from) * i / steps);

    xdotool (words + " sleep 0.2 mouseup 1");
}

namespace
{
    juce::Image screenshotVia (juce::Image (*capture) (const juce::File&, juce::String&), const juce::String& name)
    {
        const juce::File folder (ONDREL_SCREENSHOT_DIR);
        folder.createDirectory();
        juce::String error;
        auto image = capture (folder.getChildFile (name + ".png"), error);

        if (! image.isValid())
            ADD_FAILURE() << error;

        return image;
    }
}

juce::Image screenshot (const juce::String& name)
{
    return screenshotVia (captureScreen, name);
}

juce::Image settledScreenshot (const juce::String& name)
{
    return screenshotVia (captureSettledScreen, name);
}

} // namespace ondrel::windowtests
