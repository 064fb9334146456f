#include "TestSupport.h"

#include <atomic>
#include <thread>

using namespace ondrel_test;

namespace
{
using Concurrency = ProcessorTest;

// Parameters that only the audio thread's controllers set, and parameters
// that only the host thread automates: one parameter object set from two
// threads at once is the framework's business, not ours.
const char* const kLearnable[] = { "phaser_depth", "phaser_rate", "phaser_fb", "filter_hp" };
const char* const kAutomated[] = { "phaser_width", "filter_lp", "lfo_wave", "lfo_smooth", "output_in",
                                   "output_out", "output_drywet", "env_todepth", "env_torate" };

// Runs noise blocks with random controllers until destroyed.
struct AudioThread
{
    std::atomic<bool> stopping { false };
    std::atomic<int> blocks { 0 };
    std::thread thread;

    explicit AudioThread (OndrelAudioProcessor& p) : thread ([this, &p] {
        juce::Random random (1);
        for (juce::MidiBuffer midi; ! stopping; ++blocks, midi.clear())
        {
            for (int k = 0; k < 4; ++k)
                midi.addEvent (juce::MidiMessage::controllerEvent (1 + random.nextInt (16), random.nextInt (128),
                                                                   random.nextInt (128)), random.nextInt (128));
            auto buffer = noise (2, 128, random);
            p.processBlock (buffer, midi);
        }
    }) {}
    ~AudioThread() { stopping = true; thread.join(); }
};
} // namespace

TEST_F (Concurrency, LearningAutomationAndStateWhileControllersArrive)
{
    OndrelAudioProcessor p;
    const auto expectConsistentTable = [&p] {
        ASSERT_EQ (p.midiCCTable.size(), 128);
        for (const auto& entry : p.midiCCTable)
            EXPECT_TRUE (entry.isEmpty() || p.learnableParamIDs.contains (entry)) << entry;
    };
    {
        // The audio thread, a host thread automating and saving and restoring
        // the state, and the message thread arming, learning and unlearning.
        AudioThread audio (p);
        std::atomic<bool> hostDone { false };
        std::thread host ([&] {
            juce::Random random (3);
            for (int k = 0; k < 3000; ++k)
            {
                for (const char* id : kAutomated)
                    setNormalised (p, id, random.nextFloat());
                if (k % 100 == 0)
                {
                    const auto chunk = chunkOf (p);
                    p.setStateInformation (chunk.getData(), (int) chunk.getSize());
                }
            }
            hostDone = true;
        });

        // Until the others are done, and the audio thread has had its share (a
        // minute at most, so that a stalled audio thread fails here instead of hanging).
        juce::Random random (2);
        const auto deadline = juce::Time::getMillisecondCounter() + 60000;
        for (int k = 0; (k < 400 || ! hostDone || audio.blocks <= 100) && juce::Time::getMillisecondCounter() < deadline;
             ++k, pumpMessages (1))
        {
            const char* id = kLearnable[random.nextInt ((int) std::size (kLearnable))];
            const int action = random.nextInt (3);
            action == 0 ? p.armLearn (id) : action == 1 ? p.unlearn (id) : (void) p.learnedController (id);
        }
        EXPECT_GT (audio.blocks, 100);
        host.join();
    }

    expectConsistentTable();
    EXPECT_TRUE (allFinite (captureDsp (p)));

    // After the storm, a learn still completes and reaches the table.
    p.armLearn ("phaser_rate");
    p.learnTimeOut().stopTimer(); // however long the audio thread takes to start
    AudioThread more (p);
    EXPECT_TRUE (pumpUntil ([&] { return ! p.learning() && p.learnedController ("phaser_rate") >= 0; }));
    expectConsistentTable();
}

namespace
{
// A host's parameter change, made on the host thread and held where the
// processor would hear it next (the tree calls the listener added last
// first) until the test releases it. It is made from a listener of the
// parameter, under the parameter's listener lock, which the parameter tree's
// teardown takes: the host's call has left the tree before the tree goes, as
// a real host's call would have returned long before.
struct HeldChange : juce::AudioProcessorValueTreeState::Listener,
                    juce::AudioProcessorParameter::Listener
{
    HeldChange (OndrelAudioProcessor& p, const juce::String& id, float v) : target (parameter (p, id)), value (v)
    {
        p.valueTreeState->addParameterListener (id, this);
        target.addListener (this);
    }

    // On the host thread.
    void make() { target.sendValueChangedMessageToListeners (target.getValue()); }

    void parameterValueChanged (int, float) override
    {
        if (! made.exchange (true))
            target.setValue (value);
    }
    void parameterGestureChanged (int, bool) override {}

    // Also hears the audio thread's controllers, before the host's change.
    void parameterChanged (const juce::String&, float) override
    {
        if (! made)
            return;
        underway = true;
        while (! released)
            std::this_thread::yield();
    }

    juce::RangedAudioParameter& target;
    const float value;
    std::atomic<bool> made { false }, underway { false }, released { false };
};
} // namespace

// A host stops the audio and stops calling into an instance before deleting
// it, but a change it made on its own thread may still be under way when the
// deletion starts. The processor leaves the parameters' listener lists first,
// which waits for that change, and only then lets the engine go. The held
// change is to the first or the last listener the processor removes; it is
// released just before the deletion starts and runs on into it. The verdict
// is the sanitizers' (a plain run only shows the change was reached): the
// destructor's first lock can order a change that finishes very early, so
// several rounds run.
TEST_F (Concurrency, DeletionWaitsForAHostChangeUnderWay)
{
    writeUserFile (midiTableFile(), R"(<ONDREL_MIDITABLE phaser_depth="1" phaser_rate="2" phaser_fb="3" filter_hp="4"/>)");

    for (int round = 0; round < 8; ++round)
    {
        SCOPED_TRACE (round);
        auto p = std::make_unique<OndrelAudioProcessor>();
        HeldChange change (*p, round % 2 == 0 ? "bypass" : "phaser_depth", 1.0f);
        std::atomic<bool> lastChange { false };
        std::atomic<int> hostRounds { 0 };
        std::thread host ([&] {
            juce::Random random (5 + round);
            for (; ! lastChange; ++hostRounds)
                for (const char* id : kAutomated)
                    setNormalised (*p, id, random.nextFloat());
            change.make();
        });

        {
            AudioThread audio (*p);
            pumpUntil ([&] { return audio.blocks > 20 && hostRounds > 20; }, 60000);
            EXPECT_GT (audio.blocks, 20);
        }

        lastChange = true;
        const bool underway = pumpUntil ([&] { return change.underway.load(); });
        EXPECT_TRUE (underway);
        change.released = true;
        if (! underway)
            host.join(); // never delete under a host that may still call in
        p.reset();
        if (host.joinable())
            host.join();
    }
}
