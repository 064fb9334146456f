#include "TestSupport.h"

#include "tests/support/AllocationCounter.h"

using namespace ondrel_test;

namespace
{
using AudioLoopAllocation = ProcessorTest;
} // namespace

TEST_F (AudioLoopAllocation, AlternatingBlockSizesWithMidiAllocateNothingAfterTheFirstBlockOfEach)
{
    if (! AllocationCounter::available())
        GTEST_SKIP() << "no allocation count in sanitizer builds";

    {
        // The counter sees both kinds of allocation.
        AllocationCounter counter;
        ::operator delete (::operator new (64));
        juce::MemoryBlock block (64);
        EXPECT_EQ (counter.count(), 2);
    }

    writeUserFile (midiTableFile(), R"(<ONDREL_MIDITABLE phaser_depth="7" bypass="9"/>)");
    OndrelAudioProcessor p;
    ASSERT_EQ (p.learnedController ("phaser_depth"), 7);

    for (int size : { 512, 480 })
        processSilence (p, 1, size);

    juce::Random random (11);
    long total = 0;

    for (int b = 0; b < 40; ++b)
    {
        // Prepared outside the counted call: a bound controller, a learn
        // completed inside the block, and bypass on and off again.
        auto audio = noise (2, b % 2 == 0 ? 512 : 480, random);
        juce::MidiBuffer midi;
        midi.addEvent (juce::MidiMessage::controllerEvent (1, 7, (b * 13) % 128), 100);

        if (b == 20)
        {
            p.armLearn ("phaser_fb");
            midi.addEvent (juce::MidiMessage::controllerEvent (2, 30, 64), 10);
        }

        if (b == 25 || b == 30)
            midi.addEvent (juce::MidiMessage::controllerEvent (1, 9, b == 25 ? 127 : 0), 0);

        setNormalised (p, "output_drywet", 0.3f + 0.01f * (float) b);
        AllocationCounter counter;
        p.processBlock (audio, midi);
        total += counter.count();
    }

    EXPECT_EQ (total, 0);
    EXPECT_NEAR (normalised (p, "phaser_depth"), 123 * 0.00787401, 1e-6); // the last block's controller
    EXPECT_TRUE (pumpUntil ([&] { return ! p.learning() && p.learnedController ("phaser_fb") == 30; }, 1000));
}
