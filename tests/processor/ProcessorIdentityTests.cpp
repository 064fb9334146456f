// Names, labels, buses, the VST2 identity and the normalised defaults (and
// with them the ranges) are checked through the raw host in tests/host;
// here: what only the processor shows.

#include "TestSupport.h"

#include <utility>

using namespace ondrel_test;

using Processor = ProcessorTest;

TEST_F (Processor, ConstructionAndTheOneProgram)
{
    OndrelAudioProcessor p;
    EXPECT_EQ (p.pluginVersion, "2.0.0");
    EXPECT_EQ (p.lastSampleRate, 44100.0f);
    // The fourteen default pushes leave no undo history and no timer running.
    EXPECT_FALSE (p.undoManager->canUndo() || undoTimer (p).isTimerRunning (0));

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
        for (int k = 1; k <= 14; ++k, pumpMessages (5))
        {
            setNormalised (p, "phaser_depth", 0.05f * (float) k);
            setNormalised (p, "phaser_rate", 0.02f * (float) k);
            const double now = juce::Time::getMillisecondCounterHiRes();
            widestGap = std::max (widestGap, now - std::exchange (last, now));
        }
        if (widestGap >= 40.0)
            continue;

        // The burst ends 50 ms after its last change, before the next one.
        pumpMessages (100);
        setNormalised (p, "phaser_fb", 0.7f);
        pumpMessages (150);
        EXPECT_EQ (p.undoManager->getUndoDescriptions().size(), 2);
        const auto expectValues = [&p] (float depth, float rate, float fb) {
            EXPECT_EQ (normalised (p, "phaser_depth"), depth);
            EXPECT_EQ (normalised (p, "phaser_rate"), rate);
            EXPECT_EQ (normalised (p, "phaser_fb"), fb);
        };
        ASSERT_TRUE (p.undoManager->undo());
        expectValues (0.05f * 14.0f, 0.02f * 14.0f, 0.0f);
        ASSERT_TRUE (p.undoManager->undo()); // one step takes the whole burst back
        expectValues (0.5f, 0.3f, 0.0f);
        EXPECT_EQ (p.phaserEngine->left().lfoDepth.get(), 0.25f);
        EXPECT_FALSE (p.undoManager->canUndo());
        ASSERT_TRUE (p.undoManager->redo());
        expectValues (0.05f * 14.0f, 0.02f * 14.0f, 0.0f);
        return;
    }
    GTEST_SKIP() << "the machine is too loaded to time a burst of changes";
}
