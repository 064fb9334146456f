// Names, labels, buses, the VST2 identity and the normalised defaults (and
// with them the ranges) are checked through the raw host in tests/host;
// here: what only the processor shows. How changes group into undo steps is
// checked through the editor's knobs and header buttons in tests/editor.

#include "TestSupport.h"

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

// The tree writes values into its state on a timer of its own; a burst that
// ends before that timer has run must still land in its own undo step.
TEST_F (Processor, AnEndedBurstIsFlushedIntoItsOwnUndoStep)
{
    OndrelAudioProcessor p;
    setNormalised (p, "phaser_depth", 0.8f);
    p.timerCallback (0); // the undo timer
    setNormalised (p, "phaser_fb", 0.7f);
    p.timerCallback (0);
    ASSERT_TRUE (p.undoManager->undo());
    EXPECT_EQ (normalised (p, "phaser_depth"), 0.8f);
    EXPECT_EQ (normalised (p, "phaser_fb"), 0.0f);
}
