// Names, labels, buses, the VST2 identity and the normalised defaults (and
// with them the ranges) are checked through the raw host in tests/host;
// here: what only the processor shows.

#include "TestSupport.h"

using namespace ondrel_test;

namespace
{
using Processor = ProcessorTest;
} // namespace

TEST_F (Processor, ConstructionAndTheOneProgram)
{
    OndrelAudioProcessor p;
    EXPECT_EQ (p.pluginVersion, "2.0.0");
    EXPECT_EQ (p.lastSampleRate, 44100.0f);
    expectDspFollows (p, kOwnRangeDefaults, 44100.0);

    // The fourteen default pushes leave no undo history and no timer running.
    EXPECT_FALSE (p.undoManager->canUndo());
    EXPECT_FALSE (undoTimer (p).isTimerRunning (0));

    // The one program: choosing or renaming changes nothing.
    const auto before = chunkOf (p);
    p.setCurrentProgram (3);
    p.changeProgramName (0, "Renamed");
    EXPECT_EQ (p.getCurrentProgram(), 0);
    EXPECT_EQ (chunkOf (p), before);
    EXPECT_TRUE (p.getProgramName (-1).isEmpty() && p.getProgramName (1).isEmpty());
}

TEST_F (Processor, EachBurstOfParameterChangesIsOneUndoTransaction)
{
    // Changes 5 ms apart over more than 50 ms: none of them may end the burst.
    // On a machine so loaded that one gap reaches 40 ms the attempt is repeated.
    for (int attempt = 0; attempt < 5; ++attempt)
    {
        OndrelAudioProcessor p;
        double last = juce::Time::getMillisecondCounterHiRes(), widestGap = 0.0;

        for (int k = 1; k <= 14; ++k)
        {
            setNormalised (p, "phaser_depth", 0.05f * (float) k);
            setNormalised (p, "phaser_rate", 0.02f * (float) k);
            pumpMessages (5);
            const double now = juce::Time::getMillisecondCounterHiRes();
            widestGap = std::max (widestGap, now - last);
            last = now;
        }

        if (widestGap >= 40.0)
            continue;

        // The burst ends 50 ms after its last change, before the next one.
        pumpMessages (100);
        setNormalised (p, "phaser_fb", 0.7f);
        pumpMessages (150);
        EXPECT_EQ (p.undoManager->getUndoDescriptions().size(), 2);

        ASSERT_TRUE (p.undoManager->undo());
        EXPECT_EQ (normalised (p, "phaser_fb"), 0.0f);
        EXPECT_EQ (normalised (p, "phaser_depth"), 0.05f * 14.0f);
        EXPECT_EQ (normalised (p, "phaser_rate"), 0.02f * 14.0f);
        ASSERT_TRUE (p.undoManager->undo()); // one step takes the whole burst back
        EXPECT_EQ (normalised (p, "phaser_depth"), 0.5f);
        EXPECT_EQ (normalised (p, "phaser_rate"), 0.3f);
        EXPECT_EQ (p.phaserEngine->left().lfoDepth.get(), 0.25f);
        EXPECT_FALSE (p.undoManager->canUndo());
        ASSERT_TRUE (p.undoManager->redo());
        EXPECT_EQ (normalised (p, "phaser_rate"), 0.02f * 14.0f);
        return;
    }

    GTEST_SKIP() << "the machine is too loaded to time a burst of changes";
}
