// The MIDI-learn menu on a right click, and the learn completed by a
// controller that the host sends through processBlock.

#include "HostedEditor.h"
#include "MessageThread.h"
#include "ParameterProfile.h"
#include "PopupMenus.h"
#include "ScreenDriver.h"

namespace ondrel::windowtests
{

using namespace hosttests;

namespace
{
    // At 718 x 222: "FB", PHASER panel (103, 35) + (147, 51, 66, 66).
    const juce::Rectangle<int> fbKnob { 103 + 147, 35 + 51, 66, 66 };
    // Midi Learn, Midi UnLearn, separator, Assigned CC: rows of 17 px.
    const std::vector<int> learnRows { 17, 17, 8, 17 };

    ScreenBox rightClickMenu (HostedEditor& host, int holdMs)
    {
        const auto before = viewableTopLevels();
        click (host.toScreen (fbKnob.getCentre()), Button::right, holdMs);
        return waitForNewWindow (before);
    }

    juce::Rectangle<int> assignedRow (const ScreenBox& menu)
    {
        return { menu.x + 3, menu.y + rowCentre (learnRows, 3) - 7, menu.width - 6, 14 };
    }

    juce::String binding (const char* parameterID)
    {
        auto table = juce::parseXML (midiTableFile());
        return table != nullptr ? table->getStringAttribute (parameterID, "(none)") : "(no file)";
    }

    void sendController (HostedEditor& host, int number, int value)
    {
        juce::MidiBuffer midi;
        midi.addEvent (juce::MidiMessage::controllerEvent (1, number, value), 0);
        host.process (midi);
    }
}

class WindowLearnMenuOpening : public ::testing::TestWithParam<int> {};

TEST_P (WindowLearnMenuOpening, ARightClickOnAKnobOpensTheMenu)
{
    writeSettings (718, 222);
    HostedEditor host;
    ASSERT_TRUE (host.isLoaded());

    const auto menu = rightClickMenu (host, GetParam());
    screenshot ("learn-menu-held-" + juce::String (GetParam()) + "ms");
    ASSERT_NE (menu.id, 0u) << "no menu after a right click held " << GetParam() << " ms";
    EXPECT_GE (menu.width, 71);
    EXPECT_GE (menu.height, 3 * 17 + 8);

    pressEscape();
    EXPECT_TRUE (waitUntilClosed (menu));
    EXPECT_EQ (juce::parseXML (midiTableFile())->getNumAttributes(), 0) << "a dismissed menu learns nothing";
}

INSTANTIATE_TEST_SUITE_P (Clicks, WindowLearnMenuOpening, ::testing::Values (10, 300),
                          [] (const auto& p) { return "held" + std::to_string (p.param) + "ms"; });

TEST (WindowLearnMenu, LearnBindsTheNextControllerWhichThenMovesTheKnobAndUnLearnRemovesIt)
{
    writeSettings (718, 222);
    HostedEditor host;
    ASSERT_TRUE (host.isLoaded());

    const auto menu = rightClickMenu (host, 10);
    ASSERT_NE (menu.id, 0u);
    const auto unassigned = screenshot ("learn-menu-unassigned");
    ASSERT_TRUE (chooseRow (menu, rowCentre (learnRows, 0), "learn-menu-learn"));
    ASSERT_TRUE (waitUntilClosed (menu));

    sendController (host, 21, 64);
    EXPECT_TRUE (waitUntil ([] { return binding ("phaser_fb") == "21"; })) << binding ("phaser_fb");

    sendController (host, 21, 0);
    ASSERT_TRUE (waitUntil ([&] { return host.value (phaserFeedback) == 0.0f; }));
    const auto knobBefore = settledScreenshot ("fb-knob-at-0");
    // A controller value v sets v * 0.00787401f, not v / 127: 127 gives 0.9999993.
    sendController (host, 21, 127);
    EXPECT_TRUE (waitUntil ([&] { return host.value (phaserFeedback) == 127 * 0.00787401f; }))
        << host.value (phaserFeedback);
    const auto knob = fbKnob + host.editorScreenBounds().getPosition();
    EXPECT_TRUE (waitUntil ([&] { return pixelsDifferingBetween (knobBefore, screenshot ("fb-knob-at-1"), knob) > 50; }))
        << "the knob did not move on screen";

    // The third row now names controller 21 instead of "---".
    const auto second = rightClickMenu (host, 300);
    ASSERT_NE (second.id, 0u);
    const auto assigned = screenshot ("learn-menu-assigned");
    EXPECT_GT (pixelsDifferingBetween (unassigned, assigned, assignedRow (menu),
                                       { second.x - menu.x, second.y - menu.y }), 10);

    ASSERT_TRUE (chooseRow (second, rowCentre (learnRows, 1), "learn-menu-unlearn"));
    EXPECT_TRUE (waitUntilClosed (second));
    EXPECT_TRUE (waitUntil ([] { return binding ("phaser_fb") == "(none)"; })) << binding ("phaser_fb");
}

} // namespace ondrel::windowtests
