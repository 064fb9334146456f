#include "TestSupport.h"

#include <thread>

using namespace ondrel_test;

namespace
{
// The single-precision step of a controller value, not 1/127.
constexpr float kControllerStep = 0.00787401f;

using Events = std::vector<std::pair<int, juce::MidiMessage>>;

juce::MidiMessage cc (int channel, int number, int value)
{
    return juce::MidiMessage::controllerEvent (channel, number, value);
}

// One block of numSamples silent samples carrying the events at their positions.
void send (OndrelAudioProcessor& p, const Events& events, int numSamples = 64)
{
    juce::MidiBuffer midi;

    for (const auto& [position, message] : events)
        midi.addEvent (message, position);

    juce::AudioBuffer<float> buffer (2, numSamples);
    buffer.clear();
    process (p, buffer, midi);
}

class MidiLearn : public ProcessorTest
{
protected:
    void writeTable (const juce::String& attributes) const
    {
        writeUserFile (midiTableFile(), ("<ONDREL_MIDITABLE " + attributes + "/>").toStdString());
    }

    std::unique_ptr<juce::XmlElement> readTable() const { return juce::parseXML (midiTableFile()); }

    bool fileBinds (const juce::String& id, int controller) const
    {
        const auto table = readTable();
        return table != nullptr && table->getStringAttribute (id) == juce::String (controller);
    }

    // Arms a learn, sends the controller and waits for the message thread to take it over.
    void learn (OndrelAudioProcessor& p, const juce::String& id, int controller, int channel = 1) const
    {
        p.armLearn (id);
        send (p, { { 0, cc (channel, controller, 1) } });
        ASSERT_FALSE (p.learning());
        ASSERT_TRUE (pumpUntil ([&] { return fileBinds (id, controller); }, 1000));
    }
};
} // namespace

TEST_F (MidiLearn, LearnsOnEveryChannelWithoutSettingTheParameter)
{
    OndrelAudioProcessor p;

    for (int channel = 1; channel <= 16; ++channel)
    {
        SCOPED_TRACE (channel);
        const int controller = 20 + channel;

        learn (p, "phaser_rate", controller, channel);
        EXPECT_EQ (normalised (p, "phaser_rate"), 0.3f);

        // Any channel reaches the binding afterwards.
        send (p, { { 0, cc (17 - channel, controller, 50) } });
        EXPECT_EQ (normalised (p, "phaser_rate"), 50 * kControllerStep);
        setNormalised (p, "phaser_rate", 0.3f);
    }

    EXPECT_EQ (p.learnedController ("phaser_rate"), 21);
}

TEST_F (MidiLearn, LearnsCompletedBeforeTheMessageThreadRunsAreAllKept)
{
    OndrelAudioProcessor p;

    for (int controller : { 10, 20 })
    {
        p.armLearn ("phaser_rate");
        send (p, { { 0, cc (1, controller, 1) } });
    }

    ASSERT_TRUE (pumpUntil ([&] { return fileBinds ("phaser_rate", 20); }, 1000));
    pumpMessages (50);

    EXPECT_EQ (p.midiCCTable[10], juce::String ("phaser_rate"));
    EXPECT_EQ (p.midiCCTable[20], juce::String ("phaser_rate"));
    EXPECT_EQ (p.learnedController ("phaser_rate"), 10);
}

TEST_F (MidiLearn, ControllerValuesScaleByTheSingleStep)
{
    writeTable ("phaser_rate=\"10\" lfo_wave=\"11\"");
    OndrelAudioProcessor p;

    send (p, { { 0, cc (1, 10, 127) } });
    EXPECT_NEAR (normalised (p, "phaser_rate"), 0.9999993, 1e-7);
    EXPECT_LT (normalised (p, "phaser_rate"), 1.0f);
    EXPECT_NEAR (p.phaserEngine->left().lfoRate.get(), reference::rateHz (0.9999993), 1e-4);

    send (p, { { 0, cc (1, 10, 64) } });
    EXPECT_NEAR (normalised (p, "phaser_rate"), 0.5039366, 1e-7);

    send (p, { { 0, cc (1, 10, 0) } });
    EXPECT_EQ (normalised (p, "phaser_rate"), 0.0f);

    // lfo_wave tops out below 5: the last waveform reachable by MIDI is "Rect".
    send (p, { { 0, cc (1, 11, 127) } });
    EXPECT_NEAR (parameter (p, "lfo_wave").convertFrom0to1 (normalised (p, "lfo_wave")), 4.9999962, 1e-6);
    EXPECT_EQ (p.phaserEngine->left().lfo->waveform.get(), 4);
}

TEST_F (MidiLearn, ChannelModeControllersNeitherLearnNorSet)
{
    writeTable ("phaser_depth=\"120\" phaser_rate=\"123\"");
    OndrelAudioProcessor p;
    ASSERT_EQ (p.learnedController ("phaser_depth"), 120);

    send (p, { { 0, cc (1, 120, 0) }, { 1, cc (16, 123, 0) } });
    EXPECT_EQ (normalised (p, "phaser_depth"), 0.5f);
    EXPECT_EQ (normalised (p, "phaser_rate"), 0.3f);

    p.armLearn ("phaser_fb");
    send (p, { { 0, cc (1, 120, 0) }, { 1, cc (16, 123, 0) }, { 2, cc (5, 120, 64) } });
    EXPECT_TRUE (p.learning());

    // The next ordinary controller completes it.
    send (p, { { 0, cc (5, 121, 0) } });
    EXPECT_FALSE (p.learning());
}

TEST_F (MidiLearn, OtherMessagesChangeNothingEvenWhileArmed)
{
    writeTable ("phaser_depth=\"10\"");
    OndrelAudioProcessor p;
    p.armLearn ("phaser_fb");

    send (p, { { 0, juce::MidiMessage::noteOn (1, 10, (juce::uint8) 127) },
               { 1, juce::MidiMessage::noteOff (1, 10) },
               { 2, juce::MidiMessage::pitchWheel (1, 12000) },
               { 3, juce::MidiMessage::aftertouchChange (1, 10, 99) },
               { 4, juce::MidiMessage::channelPressureChange (1, 99) },
               { 5, juce::MidiMessage::programChange (1, 10) },
               { 6, juce::MidiMessage::midiStop() },
               { 7, juce::MidiMessage::midiStart() },
               { 8, juce::MidiMessage::createSysExMessage ("\xb0\x0a\x7f", 3) } });

    EXPECT_TRUE (p.learning());
    EXPECT_EQ (normalised (p, "phaser_depth"), 0.5f);
    EXPECT_EQ (normalised (p, "phaser_fb"), 0.0f);
    pumpMessages (50);
    EXPECT_EQ (p.learnedController ("phaser_fb"), -1);
}

TEST_F (MidiLearn, EventsAtOrBeyondTheBlockEndAreNotHandled)
{
    writeTable ("phaser_depth=\"10\"");
    OndrelAudioProcessor p;

    send (p, { { 64, cc (1, 10, 127) }, { 500, cc (1, 10, 100) } }, 64);
    EXPECT_EQ (normalised (p, "phaser_depth"), 0.5f);

    send (p, { { 0, cc (1, 10, 127) } }, 0);
    EXPECT_EQ (normalised (p, "phaser_depth"), 0.5f);

    send (p, { { 63, cc (1, 10, 127) } }, 64);
    EXPECT_EQ (normalised (p, "phaser_depth"), 127 * kControllerStep);

    p.armLearn ("phaser_fb");
    send (p, { { 64, cc (1, 11, 0) } }, 64);
    send (p, { { 0, cc (1, 11, 0) } }, 0);
    EXPECT_TRUE (p.learning());

    send (p, { { 63, cc (1, 11, 0) } }, 64);
    EXPECT_FALSE (p.learning());
}

TEST_F (MidiLearn, EventsAtOnePositionAreHandledInBufferOrder)
{
    writeTable ("phaser_depth=\"10\"");
    OndrelAudioProcessor p;

    send (p, { { 5, cc (1, 10, 10) }, { 5, cc (1, 10, 100) } });
    EXPECT_EQ (normalised (p, "phaser_depth"), 100 * kControllerStep);

    send (p, { { 5, cc (1, 10, 100) }, { 5, cc (1, 10, 10) } });
    EXPECT_EQ (normalised (p, "phaser_depth"), 10 * kControllerStep);

    // The first event completes the learn, the second already uses the binding.
    p.armLearn ("phaser_fb");
    send (p, { { 3, cc (1, 30, 1) }, { 3, cc (1, 30, 90) } });
    EXPECT_EQ (normalised (p, "phaser_fb"), 90 * kControllerStep);
}

TEST_F (MidiLearn, ArmingAgainReplacesTheTargetAndALearnTakesTheControllerOver)
{
    writeTable ("phaser_depth=\"10\"");
    OndrelAudioProcessor p;

    p.armLearn ("phaser_width");
    learn (p, "phaser_rate", 10);

    EXPECT_EQ (p.learnedController ("phaser_depth"), -1);
    EXPECT_EQ (p.learnedController ("phaser_width"), -1);
    EXPECT_EQ (p.learnedController ("phaser_rate"), 10);

    send (p, { { 0, cc (1, 10, 0) } });
    EXPECT_EQ (normalised (p, "phaser_rate"), 0.0f);
    EXPECT_EQ (normalised (p, "phaser_depth"), 0.5f);
}

TEST_F (MidiLearn, LearningTwiceBindsBothAndTheFileKeepsTheHighest)
{
    {
        OndrelAudioProcessor p;
        learn (p, "phaser_rate", 10);
        learn (p, "phaser_rate", 20);

        EXPECT_EQ (p.learnedController ("phaser_rate"), 10);
        send (p, { { 0, cc (1, 10, 0) } });
        EXPECT_EQ (normalised (p, "phaser_rate"), 0.0f);
        send (p, { { 0, cc (1, 20, 64) } });
        EXPECT_EQ (normalised (p, "phaser_rate"), 64 * kControllerStep);

        const auto table = readTable();
        ASSERT_NE (table, nullptr);
        EXPECT_EQ (table->getNumAttributes(), 1);
        EXPECT_EQ (table->getStringAttribute ("phaser_rate"), "20");
        EXPECT_TRUE (midiTableFile().loadFileAsString().startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    }

    OndrelAudioProcessor next;
    EXPECT_EQ (next.learnedController ("phaser_rate"), 20);
    send (next, { { 0, cc (1, 10, 0) } });
    EXPECT_EQ (normalised (next, "phaser_rate"), 0.3f);
    send (next, { { 0, cc (1, 20, 0) } });
    EXPECT_EQ (normalised (next, "phaser_rate"), 0.0f);
}

TEST_F (MidiLearn, UnlearnEmptiesEveryBindingOfTheParameter)
{
    writeTable ("bypass=\"127\"");
    OndrelAudioProcessor p;
    learn (p, "phaser_rate", 10);
    learn (p, "phaser_rate", 20);

    p.armLearn ("phaser_fb");
    p.unlearn ("phaser_rate");

    EXPECT_FALSE (p.learning());
    EXPECT_EQ (p.midiCCTable.size(), 128);
    EXPECT_TRUE (p.midiCCTable[10].isEmpty());
    EXPECT_TRUE (p.midiCCTable[20].isEmpty());
    EXPECT_EQ (p.learnedController ("phaser_rate"), -1);

    send (p, { { 0, cc (1, 10, 0) }, { 1, cc (1, 20, 0) }, { 2, cc (1, 127, 127) } });
    EXPECT_EQ (normalised (p, "phaser_rate"), 0.3f);
    EXPECT_TRUE (p.phaserEngine->isBypassed.get());

    const auto table = readTable();
    ASSERT_NE (table, nullptr);
    EXPECT_FALSE (table->hasAttribute ("phaser_rate"));
    EXPECT_EQ (table->getStringAttribute ("bypass"), "127");

    // Without a binding, unlearn does nothing at all (not even write the file).
    ASSERT_TRUE (midiTableFile().deleteFile());
    p.unlearn ("phaser_fb");
    EXPECT_FALSE (midiTableFile().exists());
}

TEST_F (MidiLearn, ArmedLearnTimesOutAfterFiveSeconds)
{
    writeTable ("phaser_depth=\"10\"");
    OndrelAudioProcessor p;

    const auto start = juce::Time::getMillisecondCounterHiRes();
    p.armLearn ("phaser_fb");
    pumpMessages (4800);
    EXPECT_TRUE (p.learning());

    ASSERT_TRUE (pumpUntil ([&] { return ! p.learning(); }, 1000));
    EXPECT_GE (juce::Time::getMillisecondCounterHiRes() - start, 4950.0);

    // The table is as it was, and its binding still applies.
    send (p, { { 0, cc (1, 10, 127) } });
    EXPECT_EQ (normalised (p, "phaser_depth"), 127 * kControllerStep);
    EXPECT_EQ (normalised (p, "phaser_fb"), 0.0f);
    pumpMessages (50);
    EXPECT_EQ (p.learnedController ("phaser_fb"), -1);
    EXPECT_EQ (p.learnedController ("phaser_depth"), 10);
}

TEST_F (MidiLearn, FileDeletedWhileRunningIsRecreatedWithTheWholeTable)
{
    writeTable ("phaser_depth=\"5\"");
    OndrelAudioProcessor p;
    ASSERT_TRUE (midiTableFile().deleteFile());

    learn (p, "phaser_fb", 6);

    EXPECT_TRUE (fileBinds ("phaser_depth", 5));
    EXPECT_TRUE (fileBinds ("phaser_fb", 6));
}

TEST_F (MidiLearn, LearnOnTheAudioThreadIsWrittenShortlyAfterByTheMessageThread)
{
    OndrelAudioProcessor p;
    p.armLearn ("phaser_depth");

    std::thread audio ([&] { send (p, { { 0, cc (3, 40, 1) } }); });
    audio.join();

    EXPECT_FALSE (p.learning());
    EXPECT_FALSE (fileBinds ("phaser_depth", 40)) << "the file was written on the audio thread";

    EXPECT_TRUE (pumpUntil ([&] { return fileBinds ("phaser_depth", 40); }, 500));
    EXPECT_EQ (p.learnedController ("phaser_depth"), 40);
}

TEST_F (MidiLearn, FileEntriesOutsideTheTableBindNothing)
{
    writeTable ("phaser_depth=\"200\" phaser_rate=\"-5\" phaser_fb=\"-1\" phaser_width=\"abc\" filter_hp=\"127\" "
                "filter_lp=\"99999999999\" unknown=\"3\"");
    OndrelAudioProcessor p;

    EXPECT_EQ (p.midiCCTable.size(), 128);
    EXPECT_EQ (p.learnedController ("phaser_depth"), -1);
    EXPECT_EQ (p.learnedController ("phaser_rate"), -1);
    EXPECT_EQ (p.learnedController ("phaser_fb"), -1);
    EXPECT_EQ (p.learnedController ("phaser_width"), 0);
    EXPECT_EQ (p.learnedController ("filter_hp"), 127);
    EXPECT_EQ (p.learnedController ("filter_lp"), -1);
    EXPECT_TRUE (p.midiCCTable[3].isEmpty());

    send (p, { { 0, cc (1, 0, 127) }, { 1, cc (1, 3, 127) } });
    EXPECT_EQ (normalised (p, "phaser_width"), 127 * kControllerStep);

    for (const char* id : kParameterIDs)
    {
        if (juce::String (id) == "phaser_width")
            continue;

        EXPECT_EQ (normalised (p, id), parameter (p, id).getDefaultValue()) << id;
    }
}

TEST_F (MidiLearn, UnparsableFileGivesAnEmptyTable)
{
    for (const auto& text : unreadableTexts ("<ONDREL_MIDITABLE phaser_depth=\"5\" phaser_rate=\""))
    {
        SCOPED_TRACE (text);
        writeUserFile (midiTableFile(), text);
        OndrelAudioProcessor p;

        ASSERT_EQ (p.midiCCTable.size(), 128);

        for (const auto& entry : p.midiCCTable)
            EXPECT_TRUE (entry.isEmpty());

        const auto table = readTable();
        ASSERT_NE (table, nullptr);
        EXPECT_EQ (table->getTagName(), "ONDREL_MIDITABLE");
        EXPECT_EQ (table->getNumAttributes(), 0);
    }
}

TEST_F (MidiLearn, ControllersAndLearnsWorkWhileBypassed)
{
    writeTable ("phaser_depth=\"10\"");
    OndrelAudioProcessor p;
    setNormalised (p, "bypass", 1.0f);

    send (p, { { 0, cc (1, 10, 127) } });
    EXPECT_EQ (normalised (p, "phaser_depth"), 127 * kControllerStep);

    learn (p, "phaser_fb", 11);
    EXPECT_EQ (p.learnedController ("phaser_fb"), 11);
}
