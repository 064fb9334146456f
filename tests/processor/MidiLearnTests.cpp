#include "TestSupport.h"

#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <tuple>

using namespace ondrel_test;

namespace
{
constexpr float kStep = 0.00787401f; // the single-precision step of a controller value, not 1/127

using Events = std::vector<std::pair<int, juce::MidiMessage>>;

juce::MidiMessage cc (int channel, int number, int value) { return juce::MidiMessage::controllerEvent (channel, number, value); }

// One silent block of numSamples samples carrying the events at their positions.
void send (OndrelAudioProcessor& p, const Events& events, int numSamples = 64)
{
    juce::MidiBuffer midi;
    for (const auto& [position, message] : events)
        midi.addEvent (message, position);
    juce::AudioBuffer<float> silence (2, numSamples);
    silence.clear();
    p.processBlock (silence, midi);
}

// Messages that are neither controllers nor may act like one.
const Events kOtherMessages {
    { 0, juce::MidiMessage::noteOn (1, 10, (juce::uint8) 127) }, { 1, juce::MidiMessage::noteOff (1, 10) },
    { 2, juce::MidiMessage::pitchWheel (1, 12000) },             { 3, juce::MidiMessage::aftertouchChange (1, 10, 99) },
    { 4, juce::MidiMessage::channelPressureChange (1, 99) },     { 5, juce::MidiMessage::programChange (1, 10) },
    { 6, juce::MidiMessage::midiStop() }, { 7, juce::MidiMessage::createSysExMessage ("\xb0\x0a\x7f", 3) },
};

class MidiLearn : public ProcessorTest
{
protected:
    void writeTable (const std::string& attributes) const { writeUserFile (midiTableFile(), "<ONDREL_MIDITABLE " + attributes + "/>"); }

    bool fileBinds (const juce::String& id, int controller) const
    {
        return written (midiTableFile()).contains (" " + id + "=\"" + juce::String (controller) + "\"");
    }

    // Arms a learn, sends the controller and waits for the message thread to take it over.
    void learn (OndrelAudioProcessor& p, const juce::String& id, int controller) const
    {
        p.armLearn (id);
        send (p, { { 0, cc (1, controller, 1) } });
        ASSERT_FALSE (p.learning());
        ASSERT_TRUE (pumpUntil ([&] { return fileBinds (id, controller); }));
    }
};
} // namespace

TEST_F (MidiLearn, ControllerStepAndLearnWhileBypassed)
{
    writeTable (R"(phaser_depth="10" phaser_rate="120" phaser_fb="123")");
    OndrelAudioProcessor p;
    setNormalised (p, "bypass", 1.0f); // controllers work all the same

    const std::tuple<Events, int, double> rows[] = { // events, block size, normalised phaser_depth afterwards
        { { { 0, cc (1, 10, 127) } }, 64, 0.9999993 }, { { { 0, cc (1, 10, 64) } }, 64, 0.5039366 },
        { { { 0, cc (16, 10, 0) } }, 64, 0.0 },
        // At or beyond the block's end: not handled.
        { { { 64, cc (1, 10, 127) }, { 500, cc (1, 10, 100) } }, 64, 0.0 }, { { { 0, cc (1, 10, 127) } }, 0, 0.0 },
        { { { 63, cc (1, 10, 127) } }, 64, 0.9999993 },
        // Events at one position in buffer order.
        { { { 5, cc (1, 10, 10) }, { 5, cc (1, 10, 100) } }, 64, 0.7874010 },
        { { { 5, cc (1, 10, 100) }, { 5, cc (1, 10, 10) } }, 64, 0.0787401 },
        // Other messages and channel-mode controllers set nothing.
        { kOtherMessages, 64, 0.0787401 }, { { { 0, cc (1, 120, 0) }, { 1, cc (16, 123, 0) } }, 64, 0.0787401 },
    };
    for (const auto& [events, numSamples, depth] : rows)
    {
        send (p, events, numSamples);
        EXPECT_NEAR (normalised (p, "phaser_depth"), depth, 1e-7) << events.size() << " events, " << numSamples;
    }
    EXPECT_EQ (normalised (p, "phaser_rate"), 0.3f);
    EXPECT_EQ (normalised (p, "phaser_fb"), 0.0f);

    // Armed, only an ordinary controller inside the block completes the learn;
    // the next event already uses the new binding.
    p.armLearn ("phaser_fb");
    send (p, kOtherMessages);
    send (p, { { 0, cc (1, 120, 0) }, { 1, cc (16, 123, 0) }, { 2, cc (5, 120, 64) }, { 64, cc (1, 11, 0) } });
    send (p, { { 0, cc (1, 11, 0) } }, 0);
    EXPECT_TRUE (p.learning());
    send (p, { { 63, cc (1, 30, 1) }, { 63, cc (1, 30, 90) } });
    EXPECT_FALSE (p.learning());
    EXPECT_NEAR (normalised (p, "phaser_fb"), 0.7086609, 1e-7);
    EXPECT_TRUE (pumpUntil ([&] { return p.learnedController ("phaser_fb") == 30; }));
}

TEST_F (MidiLearn, LearnsOnAnyChannelAreAllTakenOverByTheMessageThread)
{
    OndrelAudioProcessor p;

    // Learns completed on the audio thread before the message thread runs.
    for (int channel = 1; channel <= 16; ++channel)
    {
        p.armLearn ("phaser_rate");
        std::thread ([&] { send (p, { { 0, cc (channel, 20 + channel, 1) } }); }).join();
        EXPECT_FALSE (p.learning()) << channel;
    }
    EXPECT_FALSE (fileBinds ("phaser_rate", 36)) << "the file was written on the audio thread";
    EXPECT_TRUE (pumpUntil ([&] { return fileBinds ("phaser_rate", 36); }));
    EXPECT_EQ (normalised (p, "phaser_rate"), 0.3f); // a learn sets nothing
    for (int channel = 1; channel <= 16; ++channel)
        EXPECT_EQ (p.midiCCTable[20 + channel], juce::String ("phaser_rate")) << channel;
}

TEST_F (MidiLearn, LearningTwiceBindsBothTheFileKeepsTheHighestAndUnlearnRemovesBoth)
{
    writeTable (R"(phaser_depth="10" bypass="127")");
    OndrelAudioProcessor p;

    // Arming again replaces the target; a learn takes the controller over.
    p.armLearn ("phaser_width");
    learn (p, "phaser_rate", 10);
    learn (p, "phaser_rate", 20);
    EXPECT_EQ (p.learnedController ("phaser_depth"), -1);
    EXPECT_EQ (p.learnedController ("phaser_width"), -1);
    EXPECT_EQ (p.learnedController ("phaser_rate"), 10);
    send (p, { { 0, cc (1, 10, 0) } });
    EXPECT_EQ (normalised (p, "phaser_rate"), 0.0f);
    send (p, { { 0, cc (1, 20, 64) } });
    EXPECT_NEAR (normalised (p, "phaser_rate"), 0.5039366, 1e-7);
    EXPECT_EQ (normalised (p, "phaser_depth"), 0.5f);
    EXPECT_EQ (written (midiTableFile()), R"(<ONDREL_MIDITABLE phaser_rate="20" bypass="127">)");
    {
        OndrelAudioProcessor next;
        send (next, { { 0, cc (1, 10, 0) } });
        EXPECT_EQ (next.learnedController ("phaser_rate"), 20);
        EXPECT_EQ (normalised (next, "phaser_rate"), 0.3f);
    }

    p.armLearn ("phaser_fb");
    p.unlearn ("phaser_rate");
    EXPECT_FALSE (p.learning() || p.learnedController ("phaser_rate") != -1);
    setNormalised (p, "phaser_rate", 0.3f);
    send (p, { { 0, cc (1, 10, 90) }, { 1, cc (1, 20, 90) }, { 2, cc (1, 127, 127) } });
    EXPECT_EQ (normalised (p, "phaser_rate"), 0.3f);
    EXPECT_TRUE (p.phaserEngine->isBypassed.get());
    EXPECT_EQ (written (midiTableFile()), R"(<ONDREL_MIDITABLE bypass="127">)");

    // A write that cannot complete (files limited to 16 bytes, as on a full
    // disk; SIGXFSZ ignored so that the write fails instead of the process)
    // keeps the former table and leaves no temporary file behind.
    rlimit limit;
    ASSERT_EQ (getrlimit (RLIMIT_FSIZE, &limit), 0);
    const auto xfsz = std::signal (SIGXFSZ, SIG_IGN);
    const juce::ScopeGuard restore { [&] { setrlimit (RLIMIT_FSIZE, &limit); std::signal (SIGXFSZ, xfsz); } };
    const rlimit full { 16, limit.rlim_max };
    ASSERT_TRUE (xfsz != SIG_ERR && setrlimit (RLIMIT_FSIZE, &full) == 0);
    p.unlearn ("bypass");
    EXPECT_EQ (written (midiTableFile()), R"(<ONDREL_MIDITABLE bypass="127">)");
    EXPECT_EQ (settingsFolder().getNumberOfChildFiles (juce::File::findFiles), 2);
}

TEST_F (MidiLearn, UnparsableFilesAndEntriesOutsideTheTableBindNothing)
{
    for (const auto& text : unreadableTexts ("<ONDREL_MIDITABLE phaser_depth=\"5\" phaser_rate=\""))
    {
        writeUserFile (midiTableFile(), text);
        OndrelAudioProcessor p;
        EXPECT_TRUE (p.midiCCTable.size() == 128 && std::all_of (p.midiCCTable.begin(), p.midiCCTable.end(), [] (auto& e) { return e.isEmpty(); })) << text;
        EXPECT_EQ (written (midiTableFile()), "<ONDREL_MIDITABLE>");
        EXPECT_EQ (bytesOf (settingsFolder().getChildFile ("Ondrel.miditable.unreadable")), text); // kept as it was
    }

    // When that copy cannot be made, the file stays as it is and no empty table is written over it.
    const auto path = midiTableFile().getFullPathName().toStdString(), copy = path + ".unreadable";
    const std::pair<const char*, std::function<bool()>> blocked[] = {
        { "the copy's name taken by a folder", [&] { return putFile (path, "<ONDREL_MIDITABLE bypass=\"1") && mkdir (copy.c_str(), 0700) == 0; } },
        { "a FIFO", [&] { return mkfifo (path.c_str(), 0600) == 0; } },
        { "over 8 MiB", [&] { return putFile (path, "<ONDREL_MIDITABLE bypass=\"1\"/>" + std::string ((8 << 20) + 1, ' ')); } },
    };
    for (const auto& [what, lay] : blocked)
    {
        ASSERT_TRUE (settingsFolder().deleteRecursively() && settingsFolder().createDirectory() && lay()) << what;
        const auto before = tree (settingsFolder().getFullPathName().toStdString());
        OndrelAudioProcessor p;
        EXPECT_EQ (p.learnedController ("bypass"), -1) << what;
        // A learn binds in memory but writes nothing over the file either.
        p.armLearn ("phaser_rate");
        send (p, { { 0, cc (1, 10, 1) } });
        EXPECT_TRUE (pumpUntil ([&] { return p.learnedController ("phaser_rate") == 10; })) << what;
        auto after = tree (settingsFolder().getFullPathName().toStdString());
        after.erase (std::remove_if (after.begin(), after.end(), [] (auto& e) { return e.rfind ("Ondrel.settings", 0) == 0; }),
                     after.end());
        EXPECT_TRUE (after == before) << what;
    }

    // Numbers beyond the int range are not taken modulo 2^32 (to 107 and to 0).
    writeTable (R"(phaser_depth="200" phaser_rate="-5" phaser_fb="4294967403" phaser_width="abc" filter_hp="127" )"
                R"(filter_lp="4294967296" lfo_wave="-1" unknown="3")");
    OndrelAudioProcessor p;
    const std::pair<const char*, int> bindings[] = { { "phaser_depth", -1 }, { "phaser_rate", -1 }, { "phaser_fb", -1 },
                                                     { "phaser_width", 0 },  { "filter_hp", 127 },  { "filter_lp", -1 },
                                                     { "lfo_wave", -1 } };
    for (const auto& [id, controller] : bindings)
        EXPECT_EQ (p.learnedController (id), controller) << id;

    send (p, { { 0, cc (1, 0, 127) }, { 1, cc (1, 3, 127) } });
    for (const char* id : kParameterIDs)
        EXPECT_EQ (normalised (p, id), juce::String (id) == "phaser_width" ? 127 * kStep : parameter (p, id).getDefaultValue()) << id;
}
