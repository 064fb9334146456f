// Controls and parameters follow each other through the attachments; closing
// editors leaves nothing pointing at a destroyed look.

#include "EditorTestSupport.h"
#include "tests/support/AllocationCounter.h"

#include <cmath>
#include <thread>
#include <tuple>
#include <vector>

using namespace editor_test;

namespace
{
TEST_F (EditorTest, EveryControlFollowsItsParameterBothWays)
{
    for (auto* id : { "phaser_depth", "phaser_rate", "phaser_fb", "phaser_width", "filter_hp", "filter_lp", "lfo_smooth",
                      "output_in", "output_out", "output_drywet", "env_todepth", "env_torate" })
    {
        auto& slider = get<juce::Slider> (id);
        setNormalised (*processor, id, 0.25f);
        EXPECT_DOUBLE_EQ (slider.getValue(), 0.25) << id;
        slider.setValue (0.75, juce::sendNotificationSync);
        EXPECT_FLOAT_EQ (normalised (*processor, id), 0.75f) << id;
        slider.setValue (0.1);
        slider.mouseDoubleClick ({ juce::Desktop::getInstance().getMainMouseSource(), {}, {}, 0, 0, 0, 0, 0, &slider,
                                   &slider, {}, {}, {}, 2, false });
        EXPECT_FLOAT_EQ (normalised (*processor, id), 0.5f) << id << ": double-click returns to the middle";
    }

    auto& box = get<juce::ComboBox> ("lfo_wave");
    const char* const names[] = { "Sine", "Tri", "Up", "Down", "Rect", "Rnd" };

    for (int k = 0; k < 6; ++k)
    {
        box.setSelectedId (k + 1, juce::sendNotificationSync);
        EXPECT_FLOAT_EQ (parameter (*processor, "lfo_wave").convertFrom0to1 (normalised (*processor, "lfo_wave")), (float) k);
        setNormalised (*processor, "lfo_wave", (float) ((5 - k) / 5.0));
        EXPECT_EQ (box.getText(), juce::String (names[5 - k]));
    }

    // Clicks on it are made by the learn menu's and the real window's tests.
    setNormalised (*processor, "bypass", 1.0f);
    EXPECT_TRUE (get<juce::Button> ("bypass").getToggleState());
}

// lfo_wave is continuous and the sound plays the waveform of its integer part:
// the box names that waveform however the value arrives, and never writes
// back; choosing item k sets k/5.
TEST_F (EditorTest, WaveformBoxNamesTheWaveformTheSoundPlays)
{
    const char* const names[] = { "Sine", "Tri", "Up", "Down", "Rect", "Rnd" };
    const auto played = [&] (float v) { return juce::String (names[juce::jlimit (0, 5, (int) std::floor (v * 5.0))]); };
    auto& box = get<juce::ComboBox> ("lfo_wave");
    auto& wave = parameter (*processor, "lfo_wave");

    std::vector<float> values { 0.19f, 0.99f, 0.5f, 0.0f, 1.0f };
    for (int k = 1; k <= 5; ++k)
        values.insert (values.end(), { (float) k / 5.0f, std::nextafter ((float) k / 5.0f, 0.0f) });

    // Announced to the host (automation: the attachment) or set quietly
    // (state, presets, Randomise, controllers: the editor's follower); from
    // other threads the box follows on the message thread.
    using Set = std::function<void (float)>;
    const Set announced = [&] (float v) { wave.setValueNotifyingHost (v); };
    const Set quiet = [&] (float v) { wave.setValue (v); };
    const auto elsewhere = [] (const Set& set) { return [set] (float v) { std::thread ([&] { set (v); }).join(); }; };
    const std::tuple<const char*, Set, std::vector<float>, bool> ways[] = {
        { "announced", announced, values, false },
        { "quiet", quiet, values, false },
        { "announced elsewhere", elsewhere (announced), { 0.19f, 0.99f }, true },
        { "quiet elsewhere", elsewhere (quiet), { 0.19f, 0.99f }, true },
    };
    for (const auto& [way, set, rows, later] : ways)
        for (float v : rows)
        {
            const float other = v < 0.5f ? 1.0f : 0.0f;
            quiet (other);
            ASSERT_EQ (box.getText(), played (other));
            set (v);
            if (later)
            {
                EXPECT_TRUE (pumpUntil ([&] { return box.getText() == played (v); })) << way << " " << v;
            }
            pumpPostedMessages();
            EXPECT_EQ (box.getText(), played (v)) << way << " " << v;
            EXPECT_FLOAT_EQ (wave.getValue(), v) << way << ": the box wrote back";
        }

    for (int k = 0; k < 6; ++k)
    {
        wave.setValue (k < 3 ? 0.99f : 0.19f);
        box.setSelectedItemIndex (k, juce::sendNotificationSync);
        EXPECT_EQ (wave.getValue(), (float) k / 5.0f) << k;
    }

    // From the box's menu, the item shown (standing for an in-between value)
    // and another one: either sets its exact value.
    for (int k = 0; k < 6; ++k)
        for (int chosen : { k, (k + 3) % 6 })
        {
            wave.setValueNotifyingHost (std::min (k + 0.5f, 5.0f) / 5.0f);
            pumpPostedMessages();
            box.showPopup();
            auto* menu = juce::ModalComponentManager::getInstance()->getModalComponent (0);
            ASSERT_NE (menu, nullptr);
            menu->exitModalState (chosen + 1);
            EXPECT_TRUE (pumpUntil ([&] { return wave.getValue() == (float) chosen / 5.0f; })) << k << " " << chosen;
            EXPECT_EQ (box.getText(), played ((float) chosen / 5.0f));
        }

    // Randomise draws continuous values.
    for (int i = 0; i < 20; ++i)
    {
        click ("randomize");
        EXPECT_EQ (box.getText(), played (wave.getValue())) << wave.getValue();
    }

    // A choice is one undo step.
    const auto burstEnds = [&] { EXPECT_TRUE (pumpUntil ([&] { return ! undoTimer (*processor).isTimerRunning (0); })); };
    burstEnds();
    const float before = wave.getValue();
    box.setSelectedItemIndex (box.getSelectedItemIndex() == 3 ? 2 : 3, juce::sendNotificationSync);
    burstEnds();
    click ("undo");
    burstEnds();
    EXPECT_EQ (wave.getValue(), before);
    EXPECT_EQ (box.getText(), played (before));
}

TEST_F (EditorTest, KnobFollowsALearnedControllerWithoutTheAudioThreadAllocating)
{
    writeUserFile (midiTableFile(), R"(<ONDREL_MIDITABLE phaser_fb="21"/>)");
    processor->getMidiTableSetting();
    prepare (*processor, 44100.0, 64);
    processSilence (*processor, 1, 64);

    long allocations = -1;
    std::thread audio ([&] {
        juce::AudioBuffer<float> buffer (2, 64);
        buffer.clear();
        juce::MidiBuffer midi (juce::MidiMessage::controllerEvent (1, 21, 127));
        AllocationCounter counter;
        processor->processBlock (buffer, midi);
        allocations = counter.count();
    });
    audio.join();
    EXPECT_TRUE (! AllocationCounter::available() || allocations == 0) << allocations;
    EXPECT_TRUE (pumpUntil ([&] { return get<juce::Slider> ("phaser_fb").getValue() == (double) (127 * 0.00787401f); }));
}

TEST_F (EditorTest, ClosingOneOfTwoEditorsLeavesNoDanglingLook)
{
    OndrelAudioProcessor second;
    auto other = std::make_unique<OndrelAudioProcessorEditor> (second);
    EXPECT_EQ (&juce::LookAndFeel::getDefaultLookAndFeel(), &other->defaultLookAndFeel);

    other.reset(); // the current default goes: the framework's own look takes over
    EXPECT_EQ (dynamic_cast<Tamberlo_CLAF_Common*> (&juce::LookAndFeel::getDefaultLookAndFeel()), nullptr);
    // The remaining editor still draws.
    EXPECT_EQ (editor->createComponentSnapshot (editor->getLocalBounds()).getPixelAt (5, 190).getARGB(), 0xfff05f40u);

    editor.reset();
    EXPECT_EQ (dynamic_cast<Tamberlo_CLAF_Common*> (&juce::LookAndFeel::getDefaultLookAndFeel()), nullptr);
}
} // namespace
