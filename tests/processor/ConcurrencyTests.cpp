#include "TestSupport.h"

#include <atomic>
#include <thread>

using namespace ondrel_test;

namespace
{
using Concurrency = ProcessorTest;

// Parameters that only the audio thread's controllers set, and parameters
// that only the host thread automates: a parameter object itself is the
// framework's, and one parameter set from two threads at once is not ours to test.
const char* const kLearnable[] = { "phaser_depth", "phaser_rate", "phaser_fb", "filter_hp" };
const char* const kAutomated[] = { "phaser_width", "filter_lp", "lfo_wave", "lfo_smooth", "output_in",
                                   "output_out", "output_drywet", "env_todepth", "env_torate" };

// Runs blocks with random controller messages until told to stop.
class AudioThread
{
public:
    AudioThread (OndrelAudioProcessor& p, bool withControllers)
        : thread ([this, &p, withControllers] { run (p, withControllers); })
    {
    }

    ~AudioThread() { stop(); }

    void stop()
    {
        stopping = true;

        if (thread.joinable())
            thread.join();
    }

    int blocks() const { return processed.load(); }

private:
    void run (OndrelAudioProcessor& p, bool withControllers)
    {
        juce::Random random (1);
        juce::AudioBuffer<float> buffer (2, 128);
        juce::MidiBuffer midi;
        midi.ensureSize (1024);

        while (! stopping)
        {
            midi.clear();

            for (int k = 0; withControllers && k < 4; ++k)
                midi.addEvent (juce::MidiMessage::controllerEvent (1 + random.nextInt (16), random.nextInt (128),
                                                                   random.nextInt (128)),
                               random.nextInt (128));

            for (int c = 0; c < 2; ++c)
                for (int i = 0; i < buffer.getNumSamples(); ++i)
                    buffer.setSample (c, i, random.nextFloat() - 0.5f);

            p.processBlock (buffer, midi);
            ++processed;
        }
    }

    std::atomic<bool> stopping { false };
    std::atomic<int> processed { 0 };
    std::thread thread;
};

void expectConsistentTable (OndrelAudioProcessor& p)
{
    ASSERT_EQ (p.midiCCTable.size(), 128);

    for (const auto& entry : p.midiCCTable)
        EXPECT_TRUE (entry.isEmpty() || p.learnableParamIDs.contains (entry)) << entry;
}
} // namespace

TEST_F (Concurrency, ArmingAndUnlearningWhileControllersArrive)
{
    OndrelAudioProcessor p;
    AudioThread audio (p, true);
    juce::Random random (2);

    for (int k = 0; k < 400; ++k)
    {
        const char* id = kLearnable[random.nextInt ((int) std::size (kLearnable))];

        switch (random.nextInt (3))
        {
            case 0: p.armLearn (id); break;
            case 1: p.unlearn (id); break;
            default: p.learnedController (id); break;
        }

        pumpMessages (1);
    }

    audio.stop();
    EXPECT_GT (audio.blocks(), 100);

    pumpMessages (50);
    expectConsistentTable (p);

    // After the storm, a learn still completes and reaches the file.
    p.armLearn ("phaser_rate");
    AudioThread more (p, true);
    ASSERT_TRUE (pumpUntil ([&] { return ! p.learning() && p.learnedController ("phaser_rate") >= 0; }, 2000));
    more.stop();
    expectConsistentTable (p);
}

TEST_F (Concurrency, HostAutomationAndStateWhileAudioRuns)
{
    OndrelAudioProcessor p;
    AudioThread audio (p, false);
    std::atomic<bool> hostDone { false };

    std::thread host ([&] {
        juce::Random random (3);

        for (int k = 0; k < 3000; ++k)
        {
            for (const char* id : kAutomated)
                setNormalised (p, id, random.nextFloat());

            if (k % 100 == 0)
            {
                juce::MemoryBlock chunk;
                p.getStateInformation (chunk);
                p.setStateInformation (chunk.getData(), (int) chunk.getSize());
            }
        }

        hostDone = true;
    });

    // The message thread keeps the framework's and the processor's timers running.
    ASSERT_TRUE (pumpUntil ([&] { return hostDone.load(); }, 30000));
    host.join();
    audio.stop();

    EXPECT_TRUE (allFinite (captureDsp (p)));
}
