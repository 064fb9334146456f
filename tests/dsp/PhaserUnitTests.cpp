#include "dsp/Phaser_unit.h"

#include <gtest/gtest.h>

TEST (PhaserUnit, DelayLineHoldsTenMilliseconds)
{
    EXPECT_EQ (Phaser_unit (44100.0f).delayLength, 441);
    EXPECT_EQ (Phaser_unit (48000.0f).delayLength, 480);
}
