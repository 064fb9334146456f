#include "../processor/TestSupport.h"
#include "editor/OndrelAudioProcessorEditor.h"

#include <optional>
#include <tuple>

using namespace ondrel_test;

namespace
{
using juce::ModifierKeys;
constexpr int right = ModifierKeys::rightButtonModifier;
constexpr int ctrlLeft = ModifierKeys::leftButtonModifier | ModifierKeys::ctrlModifier;
constexpr int left = ModifierKeys::leftButtonModifier;

// What an open menu shows: a row per item, "----" for a separator and
// " (off)" after an item that cannot be chosen.
struct ShownMenu
{
    juce::String rows, heights;
    int width = 0;
    const juce::LookAndFeel* look = nullptr;
};

// The number of arrow-down presses that reach the item.
enum Choice { dismiss, learn, unlearn };

// Answers the next menu from inside its loop, as the user would: reads it,
// then takes an item with the arrow and return keys, or presses escape.
class MenuAnswer : private juce::Timer
{
public:
    explicit MenuAnswer (Choice c) : choice (c) { startTimer (10); }
    std::optional<ShownMenu> shown;

private:
    void timerCallback() override
    {
        auto* menu = juce::Component::getCurrentlyModalComponent();

        if (menu == nullptr)
            return;

        stopTimer();
        shown = ShownMenu { {}, {}, menu->getWidth(), &menu->getLookAndFeel() };

        for (auto* item : menu->getChildren())
        {
            // A menu over a component hidden from assistive tools hides its items too.
            auto* handler = item->getAccessibilityHandler();
            const auto title = handler != nullptr ? handler->getTitle() : juce::String ("?");
            const bool active = handler != nullptr && handler->getActions().contains (juce::AccessibilityActionType::press);
            shown->rows << (title.isEmpty() ? "----" : title + (active ? "" : " (off)")) << "|";
            shown->heights << item->getHeight() << " ";
        }

        for (int i = 0; i < (int) choice; ++i)
            menu->keyPressed (juce::KeyPress (juce::KeyPress::downKey));

        menu->keyPressed (juce::KeyPress (choice == dismiss ? juce::KeyPress::escapeKey : juce::KeyPress::returnKey));
    }

    Choice choice;
};

juce::Component* withID (juce::Component& root, const juce::String& id)
{
    auto* found = root.getComponentID() == id ? &root : nullptr;

    for (auto* child : root.getChildren())
        found = found != nullptr ? found : withID (*child, id);

    return found;
}

// The editor in a focused window of its own, as inside a host's window.
class LearnMenu : public ProcessorTest
{
protected:
    LearnMenu()
    {
        prepare (processor, 44100.0, 64);
        editor->addToDesktop (0);
        editor->setVisible (true);
        // Menus close at once while no window of the process has the focus.
        EXPECT_TRUE (pumpUntil ([this] { editor->getPeer()->grabFocus(); return juce::Process::isForegroundProcess(); },
                                3000));
    }

    juce::Component& control (const juce::String& id) { return *withID (*editor->mainPanel, id); }
    juce::Component& waveformText() { return *control ("lfo_wave").getChildComponent (0); }

    // A press and a release in the middle of c as the window system hands them
    // over; the answer chooses from the menu the press opens.
    std::optional<ShownMenu> click (juce::Component& c, int buttonsAndKeys, Choice choice = dismiss)
    {
        static auto time = juce::Time::currentTimeMillis();
        time += 1000; // never a double click
        MenuAnswer answer (choice);
        const auto at = editor->getLocalPoint (&c, c.getLocalBounds().getCentre()).toFloat();
        const auto send = [&] (int mods, juce::int64 t) {
            editor->getPeer()->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, at, ModifierKeys (mods),
                                                 juce::MouseInputSource::defaultPressure,
                                                 juce::MouseInputSource::defaultOrientation, t);
        };
        // The window system records the keys held with each event.
        ModifierKeys::currentModifiers = ModifierKeys (buttonsAndKeys & ModifierKeys::allKeyboardModifiers);
        send (buttonsAndKeys, time);
        ModifierKeys::currentModifiers = {};
        send (0, time + 10);
        return answer.shown;
    }

    // The editor's own handler, for a press whose component would not take the click itself.
    std::optional<ShownMenu> pressOn (juce::Component& c)
    {
        MenuAnswer answer (learn);
        const juce::MouseEvent e (juce::Desktop::getInstance().getMainMouseSource(), {}, ModifierKeys (right), 1.0f,
                                  0.0f, 0.0f, 0.0f, 0.0f, &c, &c, juce::Time::getCurrentTime(), {},
                                  juce::Time::getCurrentTime(), 1, false);
        editor->mouseDown (e);
        return answer.shown;
    }

    // A controller message as the audio loop receives it.
    void sendController (int controller)
    {
        juce::MidiBuffer midi;
        midi.addEvent (juce::MidiMessage::controllerEvent (1, controller, 1), 0);
        juce::AudioBuffer<float> buffer (2, 64);
        buffer.clear();
        processor.processBlock (buffer, midi);
    }

    void bind (const juce::String& id, int controller)
    {
        processor.armLearn (id);
        sendController (controller);
        ASSERT_TRUE (pumpUntil ([&] { return processor.midiCCTable[controller] == id; }, 1000));
    }

    OndrelAudioProcessor processor;
    std::unique_ptr<OndrelAudioProcessorEditor> editor = std::make_unique<OndrelAudioProcessorEditor> (processor);
};
} // namespace

TEST_F (LearnMenu, ShowsTheLowestBoundControllerInTheEditorsLook)
{
    const std::pair<std::vector<int>, const char*> rows[] = { { {}, "---" }, { { 20, 7 }, "7" }, { { 5, 0 }, "0" } };

    for (const auto& [controllers, assigned] : rows)
    {
        processor.unlearn ("phaser_depth");
        for (int cc : controllers)
            bind ("phaser_depth", cc);

        const auto shown = click (control ("phaser_depth"), right);
        ASSERT_TRUE (shown.has_value()) << assigned;
        EXPECT_EQ (shown->rows, "Midi Learn|Midi UnLearn|----|Assigned CC: " + juce::String (assigned) + " (off)|");
        EXPECT_EQ (shown->look, &editor->defaultLookAndFeel);
    }

    // Item height and minimum width follow the window: 8 % of its height, 10 % of its width.
    const std::tuple<int, int, int, int> sizes[] = { { 718, 222, 17, 71 }, { 3590, 1110, 88, 359 } };

    for (const auto& [w, h, itemHeight, minWidth] : sizes)
    {
        editor->setSize (w, h);
        const auto shown = click (control ("phaser_depth"), right);
        ASSERT_TRUE (shown.has_value()) << w;
        EXPECT_EQ (shown->heights, juce::String::formatted ("%d %d %d %d ", itemHeight, itemHeight, itemHeight / 2, itemHeight));
        EXPECT_GE (shown->width, minWidth) << w;
    }
}

TEST_F (LearnMenu, OpensOnControlsForTheirParameterOnly)
{
    // Under a virtual display no button is held any more once the press is
    // handled: the press's own buttons must count, as after a quick click.
    const std::tuple<juce::Component*, int, const char*> controls[] = {
        { &control ("phaser_depth"), right, "phaser_depth" }, { &control ("filter_hp"), ctrlLeft, "filter_hp" },
        { &waveformText(), right, "lfo_wave" },               { &control ("bypass"), right, "bypass" },
        { &waveformText(), ctrlLeft, "lfo_wave" },
    };

    for (const auto& [c, mods, id] : controls)
    {
        ASSERT_TRUE (click (*c, mods, learn).has_value()) << id;
        EXPECT_TRUE (processor.learning()) << id;
        EXPECT_EQ (processor.learnParamID, juce::String (id));
    }

    // The learn menu alone: the waveform list stays closed.
    pumpMessages (50);
    EXPECT_FALSE (dynamic_cast<juce::ComboBox&> (control ("lfo_wave")).isPopupActive());

    processor.unlearn ("bypass");
    auto& surface = *editor->mainPanel;
    juce::Component* ignored[] = { &surface.phaserPanel->titleLabel, surface.labels[0], surface.labels[1],
                                   &control ("undo"), &control ("plugin_menu"), surface.headerButtons[0].get(),
                                   surface.lfoPanel.get(), &surface, editor.get() };

    for (auto* c : ignored)
    {
        processor.learnParamID = {};
        EXPECT_FALSE (pressOn (*c).has_value()) << c->getName();
        EXPECT_TRUE (processor.learnParamID.isEmpty()) << c->getName();
    }
}

TEST_F (LearnMenu, LearnAgainReplacesTheTargetAndRestartsTheTimeOut)
{
    click (control ("phaser_rate"), right, learn);
    pumpMessages (1500);
    ASSERT_TRUE (processor.learning());
    click (control ("output_out"), right, learn);
    const auto armed = juce::Time::getMillisecondCounter();
    EXPECT_EQ (processor.learnParamID, "output_out");

    ASSERT_TRUE (pumpUntil ([&] { return ! processor.learning(); }, 7000));
    const auto elapsed = juce::Time::getMillisecondCounter() - armed;
    EXPECT_GE (elapsed, 4950u);
    EXPECT_LT (elapsed, 6000u);
}

TEST_F (LearnMenu, UnlearnClearsEveryBindingAndCancelsAnyPendingLearn)
{
    for (auto [id, cc] : { std::pair ("phaser_fb", 7), { "phaser_fb", 20 }, { "phaser_width", 21 }, { "bypass", 127 } })
        bind (id, cc);

    click (control ("phaser_depth"), right, learn);
    ASSERT_TRUE (processor.learning());
    ASSERT_TRUE (midiTableFile().deleteFile());

    // Dismissed, or without a binding: nothing changes, the learn stays armed.
    click (control ("phaser_fb"), right);
    click (control ("filter_lp"), right, unlearn);
    EXPECT_TRUE (processor.learning());
    EXPECT_EQ (processor.learnParamID, "phaser_depth");
    EXPECT_EQ (processor.learnedController ("phaser_fb"), 7);
    EXPECT_FALSE (midiTableFile().exists());

    click (control ("phaser_fb"), right, unlearn);
    EXPECT_FALSE (processor.learning());
    EXPECT_EQ (written (midiTableFile()), R"(<ONDREL_MIDITABLE phaser_width="21" bypass="127">)");
    ASSERT_EQ (processor.midiCCTable.size(), 128);

    for (int cc = 0; cc < 128; ++cc)
        EXPECT_EQ (processor.midiCCTable[cc], cc == 21 ? "phaser_width" : cc == 127 ? "bypass" : "") << cc;

    // The cancelled learn takes no controller.
    sendController (40);
    pumpMessages (100);
    EXPECT_EQ (processor.learnedController ("phaser_depth"), -1);
}

TEST_F (LearnMenu, AnOrdinaryClickActsOnceOnTheControl)
{
    // Handing the press to a knob twice would begin two gestures for one drag.
    struct Gestures : juce::AudioProcessorListener
    {
        int begun = 0;
        void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override {}
        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
        void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int) override { ++begun; }
    } gestures;
    processor.addListener (&gestures);

    EXPECT_FALSE (click (control ("bypass"), left).has_value());
    EXPECT_EQ (normalised (processor, "bypass"), 1.0f);
    EXPECT_EQ (gestures.begun, 1);

    EXPECT_FALSE (click (control ("phaser_depth"), left).has_value());
    EXPECT_EQ (gestures.begun, 2);

    auto& waveform = dynamic_cast<juce::ComboBox&> (control ("lfo_wave"));
    EXPECT_FALSE (click (waveformText(), left).has_value());
    EXPECT_TRUE (pumpUntil ([&] { return waveform.isPopupActive(); }, 1000));
    waveform.hidePopup();

    EXPECT_FALSE (processor.learning());
    processor.removeListener (&gestures);
}
