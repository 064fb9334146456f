// The learn menu on the controls: what it shows, which presses open it, and
// what its items do to the bindings and to a pending learn.

#include "EditorTestSupport.h"

using namespace editor_test;

namespace
{
using juce::ModifierKeys;
constexpr int left = ModifierKeys::leftButtonModifier, right = ModifierKeys::rightButtonModifier;
constexpr int ctrlLeft = left | ModifierKeys::ctrlModifier;

// The number of arrow-down presses that reach the item.
enum Choice { dismiss, learn, unlearn };

// The editor in a focused window of its own, as inside a host's window.
class LearnMenu : public EditorTest
{
protected:
    LearnMenu()
    {
        prepare (*processor, 44100.0, 64);
        editor->addToDesktop (0);
        editor->setVisible (true);
        // Menus close at once while no window of the process has the focus.
        EXPECT_TRUE (pumpUntil ([this] { editor->getPeer()->grabFocus(); return juce::Process::isForegroundProcess(); }));
    }

    juce::Component& waveformText() { return *get ("lfo_wave").getChildComponent (0); }

    // A press in the middle of c, `drag` moves 4 pixels up each with the
    // buttons held, and a release, as the window system hands them over.
    void press (juce::Component& c, int buttonsAndKeys, int drag = 0)
    {
        static auto time = juce::Time::currentTimeMillis();
        time += 1000; // never a double click
        const auto at = editor->getLocalPoint (&c, c.getLocalBounds().getCentre()).toFloat();
        const auto send = [&] (int mods, int step, juce::int64 t) {
            editor->getPeer()->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse,
                                                 at.translated (0.0f, -4.0f * (float) step), ModifierKeys (mods),
                                                 juce::MouseInputSource::defaultPressure,
                                                 juce::MouseInputSource::defaultOrientation, t);
        };
        // The window system records the keys held with each event.
        ModifierKeys::currentModifiers = ModifierKeys (buttonsAndKeys & ModifierKeys::allKeyboardModifiers);
        for (int step = 0; step <= drag; ++step)
            send (buttonsAndKeys, step, time + step);
        ModifierKeys::currentModifiers = {};
        send (0, drag, time + drag + 10);
    }

    ShownMenu menuOf (juce::Component& c, int mods = right, Choice choice = dismiss)
    {
        return EditorTest::menuOf ([&] { press (c, mods); }, choice);
    }

    // Learned from a controller message as the audio loop receives it.
    void bind (const juce::String& id, int controller)
    {
        processor->armLearn (id);
        juce::MidiBuffer midi (juce::MidiMessage::controllerEvent (1, controller, 1));
        juce::AudioBuffer<float> buffer (2, 64);
        buffer.clear();
        processor->processBlock (buffer, midi);
        ASSERT_TRUE (pumpUntil ([&] { return processor->midiCCTable[controller] == id; }));
    }
};

TEST_F (LearnMenu, ShowsTheLowestBoundControllerAtTheWindowsScale)
{
    for (const auto& [controllers, assigned] : { std::pair<std::vector<int>, const char*> { {}, "---" },
                                                 { { 20, 7 }, "7" }, { { 5, 0 }, "0" } })
    {
        processor->unlearn ("phaser_depth");
        for (int cc : controllers)
            bind ("phaser_depth", cc);

        const auto shown = menuOf (get ("phaser_depth"));
        EXPECT_EQ (shown.rows, "Midi Learn|Midi UnLearn|----|Assigned CC: " + juce::String (assigned) + " (off)|");
    }

    // Item height and minimum width follow the window: 8 % of its height, 10 % of its width.
    for (const auto& [w, h, itemHeight, minWidth] : { std::tuple { 718, 222, 17, 71 }, { 3590, 1110, 88, 359 } })
    {
        editor->setSize (w, h);
        const auto shown = menuOf (get ("phaser_depth"));
        EXPECT_EQ (shown.heights, juce::String::formatted ("%d %d %d %d ", itemHeight, itemHeight, itemHeight / 2, itemHeight));
        EXPECT_GE (shown.width, minWidth) << w;
    }
}

TEST_F (LearnMenu, OpensOnControlsForTheirParameterOnly)
{
    // Under a virtual display no button is held any more once the press is
    // handled: the press's own buttons must count, as after a quick click.
    const std::tuple<juce::Component*, int, const char*> controls[] = {
        { &get ("phaser_depth"), right, "phaser_depth" }, { &get ("filter_hp"), ctrlLeft, "filter_hp" },
        { &waveformText(), right, "lfo_wave" },           { &get ("bypass"), right, "bypass" },
        { &waveformText(), ctrlLeft, "lfo_wave" },
    };

    for (const auto& [c, mods, id] : controls)
    {
        menuOf (*c, mods, learn);
        EXPECT_TRUE (processor->learning()) << id;
        EXPECT_EQ (processor->learnParamID, juce::String (id));
    }

    // The learn menu alone: the waveform list stays closed.
    EXPECT_FALSE (get<juce::ComboBox> ("lfo_wave").isPopupActive());

    // The editor's own handler, for presses whose component would not take the click itself.
    processor->unlearn ("bypass");
    auto& surface = *editor->mainPanel;
    for (auto* c : std::initializer_list<juce::Component*> { &surface.phaserPanel->titleLabel, surface.labels[0],
                                                              surface.labels[1], &get ("undo"), &get ("plugin_menu"),
                                                              surface.headerButtons[0].get(), surface.lfoPanel.get(),
                                                              &surface, editor.get() })
    {
        processor->learnParamID = {};
        const juce::MouseEvent e (juce::Desktop::getInstance().getMainMouseSource(), {}, ModifierKeys (right), 1.0f, 0, 0, 0,
                                  0, c, c, juce::Time::getCurrentTime(), {}, juce::Time::getCurrentTime(), 1, false);
        whileModal ([&] { editor->mouseDown (e); }, {});
        EXPECT_TRUE (processor->learnParamID.isEmpty()) << c->getName();
    }
}

// What unlearning does to the table and its file is the processor's; here:
// the items act on the clicked control only, and learning again restarts the
// time-out. The test stands in for the clock: it sets the running time-out to
// a day, so that it never ends by itself, and fires it.
TEST_F (LearnMenu, LearnAgainRestartsTheTimeOutAndUnlearnCancelsIt)
{
    auto& timeOut = processor->learnTimeOut();
    bind ("phaser_fb", 7);
    menuOf (get ("phaser_rate"), right, learn);
    timeOut.startTimer (86400000);
    menuOf (get ("phaser_depth"), right, learn);
    EXPECT_TRUE (timeOut.isTimerRunning() && timeOut.getTimerInterval() == 5000) << timeOut.getTimerInterval();
    timeOut.startTimer (86400000);

    // Dismissed, or without a binding: nothing changes, the learn stays armed.
    menuOf (get ("phaser_fb"));
    menuOf (get ("filter_lp"), right, unlearn);
    EXPECT_EQ (processor->learnParamID, "phaser_depth");
    EXPECT_TRUE (processor->learning() && processor->learnedController ("phaser_fb") == 7);
    timeOut.timerCallback(); // 5000 ms without a controller
    EXPECT_FALSE (processor->learning() || timeOut.isTimerRunning());

    menuOf (get ("output_out"), right, learn);
    menuOf (get ("phaser_fb"), right, unlearn);
    EXPECT_FALSE (processor->learning() || timeOut.isTimerRunning() || processor->learnedController ("phaser_fb") != -1);
}

TEST_F (LearnMenu, AnOrdinaryClickOrDragActsOnceOnTheControl)
{
    // Handing the press to a knob twice would begin two gestures for one drag.
    struct Gestures : juce::AudioProcessorListener
    {
        int begun = 0, changes = 0;
        void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override { ++changes; }
        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
        void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int) override { ++begun; }
    } gestures;
    processor->addListener (&gestures);

    whileModal ([&] { press (get ("bypass"), left); }, {}); // no menu
    EXPECT_EQ (normalised (*processor, "bypass"), 1.0f);
    EXPECT_EQ (gestures.begun, 1);

    // Width reports once, on release (asynchronously); other knobs every step.
    for (auto [id, changes] : { std::pair { "phaser_depth", 5 }, { "phaser_width", 1 } })
    {
        gestures.changes = 0;
        whileModal ([&] { press (get (id), left, 5); }, {});
        pumpPostedMessages();
        EXPECT_EQ (gestures.changes, changes) << id;
    }
    EXPECT_EQ (gestures.begun, 3);

    auto& waveform = get<juce::ComboBox> ("lfo_wave");
    whileModal ([&] { press (waveformText(), left); }, {});
    EXPECT_TRUE (pumpUntil ([&] { return waveform.isPopupActive(); }));
    waveform.hidePopup();

    EXPECT_FALSE (processor->learning());
    processor->removeListener (&gestures);
}
} // namespace
