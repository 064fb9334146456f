// Quick and held clicks with the real pointer: the bypass toggle, and a knob's
// MIDI-learn menu on a right click, with the learn completed by a controller
// the host sends through processBlock.

#include "HostedEditor.h"
#include "ParameterProfile.h"

namespace ondrel::windowtests
{

using namespace hosttests;

// At 718 x 222: the bypass button (607, 205, 50, 13), and "FB" in the PHASER panel (103, 35) + (147, 51, 66, 66).
const juce::Point<int> bypassButton { 607 + 25, 205 + 6 };
const juce::Rectangle<int> fbKnob { 103 + 147, 35 + 51, 66, 66 };

TEST (WindowClicks, EachClickTogglesBypassOnceAndRightClicksOnAKnobLearnAndUnlearnCC21)
{
    // Each toggle reaches the host as one change.
    struct Changes : juce::AudioProcessorParameter::Listener
    {
        std::atomic<int> count { 0 };
        void parameterValueChanged (int, float) override { ++count; }
        void parameterGestureChanged (int, bool) override {}
    } bypassChanges;
    HostedEditor host;
    host.parameter (bypass).addListener (&bypassChanges);
    ASSERT_TRUE (host.waitUntilTakingInput());
    int clicks = 0;
    for (const int holdMs : { 10, 300, 10, 300 }) // bypass starts off
    {
        SCOPED_TRACE ("held " + std::to_string (holdMs) + " ms");
        click (host.toScreen (bypassButton), Button::left, holdMs);
        EXPECT_TRUE (waitUntil ([&] { return bypassChanges.count > clicks; }));
        EXPECT_EQ (host.value (bypass), ++clicks % 2 == 1 ? 1.0f : 0.0f);
    }

    // The learn menu opens on held and on quick right clicks.
    const auto knob = host.toScreen (fbKnob.getCentre());
    const auto binding = [] { return storedAttribute (midiTableFile(), "phaser_fb"); };

    const auto held = clickForMenu (knob, Button::right, 300);
    ASSERT_NE (held.id, 0u) << "no menu after a held right click";
    EXPECT_EQ (bypassChanges.count, clicks) << "the clicks before it are all handled: none toggled twice";
    pressEscape();
    EXPECT_TRUE (waitUntilClosed (held));
    EXPECT_EQ (juce::parseXML (midiTableFile())->getNumAttributes(), 0) << "a dismissed menu learns nothing";

    const auto quick = clickForMenu (knob, Button::right, 10);
    ASSERT_NE (quick.id, 0u) << "no menu after a quick right click";
    // Midi Learn, Midi UnLearn, separator, Assigned CC: rows of 17 px inside a 2-px border, centred at 10, 27.
    ASSERT_TRUE (chooseRow (quick, 10, "learn-menu-learn"));
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
    ASSERT_TRUE (chooseRow (assigned, 27, "learn-menu-unlearn"));
    EXPECT_TRUE (waitUntilClosed (assigned));
    EXPECT_TRUE (waitUntil ([&] { return binding() == "(none)"; })) << binding();
}

} // namespace ondrel::windowtests
