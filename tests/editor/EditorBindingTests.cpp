// Controls and parameters follow each other through the attachments; closing
// editors leaves nothing pointing at a destroyed look.

#include "EditorTestSupport.h"
#include "tests/support/AllocationCounter.h"

#include <thread>

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
