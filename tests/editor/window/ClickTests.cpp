// Quick and held clicks with the real pointer: the header's preset menu, the
// bypass toggle, and a knob's MIDI-learn menu on a right click, with the learn completed by a
// controller the host sends through processBlock.

#include "HostedEditor.h"
#include "ParameterProfile.h"

namespace ondrel::windowtests
{

using namespace hosttests;

namespace
{
    // At 718 x 222: the header's preset name button, the bypass button (607,
    // 205, 50, 13), and "FB" in the PHASER panel (103, 35) + (147, 51, 66, 66).
    const juce::Point<int> presetButton { 302 + 89, 7 + 9 }, bypassButton { 607 + 25, 205 + 6 };
    const juce::Rectangle<int> fbKnob { 103 + 147, 35 + 51, 66, 66 };
}

TEST (WindowClicks, ThePresetMenuFollowsTheWindowSizeAndEveryClickTogglesBypassExactlyOnce)
{
    ASSERT_TRUE (juce::File ("~/presets/Factory").createDirectory());
    HostedEditor host (718, 222, juce::File ("~/presets").getFullPathName());
    // One row, the folder: a tenth of the window's height high, at least a fifth of its width wide.
    const auto menu = clickForMenu (host.toScreen (presetButton));
    EXPECT_TRUE (menu.width >= 143 && menu.height >= 22 + 4) << menu.width << " x " << menu.height;
    pressEscape();
    EXPECT_TRUE (waitUntilClosed (menu));

    for (const int holdMs : { 10, 300, 10, 300 })
    {
        SCOPED_TRACE ("held " + std::to_string (holdMs) + " ms");
        const float before = host.value (bypass);
        click (host.toScreen (bypassButton), Button::left, holdMs);
        EXPECT_TRUE (waitUntil ([&] { return host.value (bypass) != before; }));
        pause (300);
        EXPECT_EQ (host.value (bypass), 1.0f - before);
    }
}

TEST (WindowLearnMenu, HeldAndQuickRightClicksOpenItLearnBindsCC21AndUnLearnRemovesIt)
{
    HostedEditor host;
    const auto knob = host.toScreen (fbKnob.getCentre());
    const auto binding = [] { return storedAttribute (midiTableFile(), "phaser_fb"); };

    const auto held = clickForMenu (knob, Button::right, 300);
    ASSERT_NE (held.id, 0u) << "no menu after a held right click";
    pressEscape();
    EXPECT_TRUE (waitUntilClosed (held));
    EXPECT_EQ (juce::parseXML (midiTableFile())->getNumAttributes(), 0) << "a dismissed menu learns nothing";

    const auto quick = clickForMenu (knob, Button::right, 10);
    ASSERT_NE (quick.id, 0u) << "no menu after a quick right click";
    // Midi Learn, Midi UnLearn, separator, Assigned CC: rows of 17 px.
    ASSERT_TRUE (chooseRow (quick, rowCentre ({ 17 }, 0), "learn-menu-learn"));
    ASSERT_TRUE (waitUntilClosed (quick));

    host.process (21, 64);
    EXPECT_TRUE (waitUntil ([&] { return binding() == "21"; })) << binding();
    host.process (21, 0);
    ASSERT_TRUE (waitUntil ([&] { return host.value (phaserFeedback) == 0.0f; }));
    const auto knobBefore = settledScreenshot ("fb-knob-at-0");
    // A controller value v sets v * 0.00787401f, not v / 127: 127 gives 0.9999993.
    host.process (21, 127);
    EXPECT_TRUE (waitUntil ([&] { return host.value (phaserFeedback) == 127 * 0.00787401f; }))
        << host.value (phaserFeedback);
    const auto onScreen = fbKnob + host.toScreen ({});
    EXPECT_TRUE (waitUntil ([&] { return pixelsDifferingBetween (knobBefore, screenshot ("fb-knob-at-1"), onScreen) > 50; }))
        << "the knob did not move on screen";

    const auto assigned = clickForMenu (knob, Button::right, 300);
    ASSERT_NE (assigned.id, 0u);
    ASSERT_TRUE (chooseRow (assigned, rowCentre ({ 17, 17 }, 1), "learn-menu-unlearn"));
    EXPECT_TRUE (waitUntilClosed (assigned));
    EXPECT_TRUE (waitUntil ([&] { return binding() == "(none)"; })) << binding();
}

} // namespace ondrel::windowtests
