#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Without an X display the framework knows no monitor, and windows that size
// themselves from it (the alert window) cannot be built. This gives it one.
inline void ensureMonitorWithoutDisplay()
{
    auto& displays = const_cast<juce::Displays&> (juce::Desktop::getInstance().getDisplays());
    if (! displays.displays.isEmpty())
        return;
    juce::Displays::Display monitor;
    monitor.totalArea = monitor.userArea = { 0, 0, 1920, 1080 };
    monitor.isMain = true;
    monitor.scale = 1.0;
    monitor.dpi = 96.0;
    displays.displays.add (monitor);
}
