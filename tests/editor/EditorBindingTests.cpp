// Controls and parameters follow each other through the attachments; the
// preset-name label follows the processor; closing editors leaves nothing
// pointing at a destroyed look.

#include "EditorTestSupport.h"

#include <thread>

namespace editor_test
{
namespace
{
struct ChangeCounter : juce::AudioProcessorValueTreeState::Listener
{
    void parameterChanged (const juce::String&, float) override { ++count; }
    int count = 0;
};

// A drag across the slider with the left button, as the user makes it.
void drag (juce::Slider& slider, int steps)
{
    auto source = juce::Desktop::getInstance().getMainMouseSource();
    const auto start = slider.getLocalBounds().getCentre().toFloat();
    const auto time = juce::Time::getCurrentTime();
    const auto event = [&] (juce::Point<float> at, juce::ModifierKeys mods, bool dragged)
    {
        return juce::MouseEvent (source, at, mods, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, &slider, &slider, time, start, time, 1,
                                 dragged);
    };
    const auto left = juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier);
    slider.mouseDown (event (start, left, false));
    for (int i = 1; i <= steps; ++i)
        slider.mouseDrag (event (start.translated (0.0f, -4.0f * (float) i), left, true));
    slider.mouseUp (event (start.translated (0.0f, -4.0f * (float) steps), {}, true));
}

TEST_F (EditorTest, EverySliderFollowsItsParameterBothWays)
{
    const char* const sliderIDs[] = { "phaser_depth", "phaser_rate", "phaser_fb", "phaser_width", "filter_hp",
                                      "filter_lp",    "lfo_smooth",  "output_in", "output_out",   "output_drywet",
                                      "env_todepth",  "env_torate" };

    for (auto* id : sliderIDs)
    {
        auto* slider = dynamic_cast<juce::Slider*> (component (id));
        ASSERT_NE (slider, nullptr) << id;
        setNormalised (*processor, id, 0.25f);
        EXPECT_DOUBLE_EQ (slider->getValue(), 0.25) << id;
        slider->setValue (0.75, juce::sendNotificationSync);
        EXPECT_FLOAT_EQ (normalised (*processor, id), 0.75f) << id;
        slider->setValue (0.1);
        slider->mouseDoubleClick ({ juce::Desktop::getInstance().getMainMouseSource(), {}, {}, 0, 0, 0, 0, 0, slider,
                                    slider, {}, {}, {}, 2, false });
        EXPECT_FLOAT_EQ (normalised (*processor, id), 0.5f) << id << ": double-click returns to the middle";
    }
}

TEST_F (EditorTest, WaveformItemsAndBypassToggleFollowTheirParameters)
{
    auto& box = *dynamic_cast<juce::ComboBox*> (component ("lfo_wave"));
    const char* const names[] = { "Sine", "Tri", "Up", "Down", "Rect", "Rnd" };

    for (int k = 0; k < 6; ++k)
    {
        box.setSelectedId (k + 1, juce::sendNotificationSync);
        EXPECT_FLOAT_EQ (parameter (*processor, "lfo_wave").convertFrom0to1 (normalised (*processor, "lfo_wave")), (float) k);
        setNormalised (*processor, "lfo_wave", (float) ((5 - k) / 5.0));
        EXPECT_EQ (box.getText(), juce::String (names[5 - k]));
    }

    auto& bypass = *dynamic_cast<juce::Button*> (component ("bypass"));
    bypass.triggerClick();
    pumpMessages (20);
    EXPECT_EQ (normalised (*processor, "bypass"), 1.0f);
    setNormalised (*processor, "bypass", 0.0f);
    EXPECT_FALSE (bypass.getToggleState());
}

TEST_F (EditorTest, WidthReportsOnReleaseOnlyOtherKnobsWhileDragging)
{
    editor->setSize (718, 222);

    for (auto [id, expectedChanges] : { std::pair { "phaser_width", 1 }, std::pair { "phaser_depth", 5 } })
    {
        ChangeCounter counter;
        processor->valueTreeState->addParameterListener (id, &counter);
        drag (*dynamic_cast<juce::Slider*> (component (id)), 5);
        pumpMessages (20); // a change reported on release arrives asynchronously
        processor->valueTreeState->removeParameterListener (id, &counter);
        EXPECT_EQ (counter.count, expectedChanges) << id;
    }
}

TEST_F (EditorTest, PresetNameLabelFollowsTheProcessor)
{
    EXPECT_EQ ((*editor->mainPanel).presetNameLabel.getText(), "Preset");

    processor->setPresetName ("Warm Sweep");
    EXPECT_EQ ((*editor->mainPanel).presetNameLabel.getText(), "Warm Sweep");

    // A state restored on another thread reaches the label on the message thread.
    auto chunk = makeChunk (R"(<ONDREL2 presetName="From Host"/>)");
    std::thread host ([&] { processor->setStateInformation (chunk.getData(), (int) chunk.getSize()); });
    host.join();
    EXPECT_TRUE (pumpUntil ([&] { return (*editor->mainPanel).presetNameLabel.getText() == "From Host"; }, 2000));
}

TEST_F (EditorTest, ClosingOneOfTwoEditorsLeavesNoDanglingLook)
{
    OndrelAudioProcessor second;
    auto other = std::make_unique<OndrelAudioProcessorEditor> (second);
    EXPECT_EQ (&juce::LookAndFeel::getDefaultLookAndFeel(), &other->defaultLookAndFeel);

    other.reset(); // the current default goes: the framework's own look takes over
    auto& fallback = juce::LookAndFeel::getDefaultLookAndFeel();
    EXPECT_EQ (dynamic_cast<Tamberlo_CLAF_Common*> (&fallback), nullptr);

    // The remaining editor still draws.
    const auto image = editor->createComponentSnapshot (editor->getLocalBounds());
    EXPECT_EQ (image.getPixelAt (5, 190).getARGB(), 0xfff05f40u);

    editor.reset();
    EXPECT_EQ (dynamic_cast<Tamberlo_CLAF_Common*> (&juce::LookAndFeel::getDefaultLookAndFeel()), nullptr);
}
} // namespace
} // namespace editor_test
