#include "Screenshots.h"

#include "Programs.h"

namespace ondrel::windowhost
{

juce::Image captureScreen (const juce::File& file, juce::String& error)
{
    file.deleteFile();
    juce::String output;

    if (runProgram ({ "import", "-window", "root", file.getFullPathName() }, output) < 0 && output.isEmpty())
    {
        error = "cannot run import (imagemagick)";
        return {};
    }

    auto image = juce::ImageFileFormat::loadFrom (file);

    if (! image.isValid())
        error = "no screenshot in " + file.getFullPathName() + ": " + output.trim();

    return image;
}

juce::Image captureSettled (const std::function<juce::Image()>& capture)
{
    auto shot = capture();

    for (int i = 0; i < 20 && shot.isValid(); ++i)
    {
        juce::Thread::sleep (100);
        auto next = capture();

        if (! next.isValid() || (next.getBounds() == shot.getBounds() && pixelsDifferingBetween (shot, next, shot.getBounds()) == 0))
            break;

        shot = next;
    }

    return shot;
}

juce::Image captureSettledScreen (const juce::File& file, juce::String& error)
{
    return captureSettled ([&] { return captureScreen (file, error); });
}

int pixelsDifferingFrom (const juce::Image& image, juce::Rectangle<int> area, juce::Colour background)
{
    int count = 0;

    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            count += image.getPixelAt (x, y) != background ? 1 : 0;

    return count;
}

int pixelsDifferingBetween (const juce::Image& a, const juce::Image& b, juce::Rectangle<int> area,
                            juce::Point<int> offsetInB)
{
    int count = 0;

    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            count += a.getPixelAt (x, y) != b.getPixelAt (x + offsetInB.x, y + offsetInB.y) ? 1 : 0;

    return count;
}

} // namespace ondrel::windowhost
