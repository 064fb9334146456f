#include "TestSupport.h"

using namespace ondrel_test;

namespace
{
constexpr int kMainParameters = 8;

class RandomiseReset : public ProcessorTest
{
protected:
    OndrelAudioProcessor p;

    void setAllTo (float v)
    {
        for (const char* id : kParameterIDs)
            setNormalised (p, id, v);
    }

    std::array<float, kNumParameters> values() { return captureState (p).values; }
};
} // namespace

TEST_F (RandomiseReset, ResetRestoresTheMainEightAndLeavesTheOtherSix)
{
    for (int mode : { 1, 2, -1 })
    {
        SCOPED_TRACE (mode);
        setAllTo (0.9f);
        p.paramRndReset (mode);

        const auto v = values();

        for (int i = 0; i < kNumParameters; ++i)
        {
            const char* id = kParameterIDs[(size_t) i];
            const float expected = i < kMainParameters ? kOwnRangeDefaults[(size_t) i] / (i == 6 ? 5.0f : 1.0f) : 0.9f;
            EXPECT_EQ (v[(size_t) i], expected) << id;
        }

        EXPECT_TRUE (p.phaserEngine->isBypassed.get());
        EXPECT_EQ (p.phaserEngine->left().lfoDepth.get(), 0.25f);
    }
}

TEST_F (RandomiseReset, RandomiseDrawsTheMainEightAndDiffersBetweenCalls)
{
    setAllTo (0.9f);
    p.paramRndReset (0);
    const auto first = values();

    p.paramRndReset (0);
    const auto second = values();

    int changedBetweenCalls = 0;

    for (int i = 0; i < kNumParameters; ++i)
    {
        const char* id = kParameterIDs[(size_t) i];

        if (i < kMainParameters)
        {
            EXPECT_GE (second[(size_t) i], 0.0f) << id;
            EXPECT_LE (second[(size_t) i], 1.0f) << id;
            changedBetweenCalls += first[(size_t) i] != second[(size_t) i] ? 1 : 0;
        }
        else
        {
            EXPECT_EQ (second[(size_t) i], 0.9f) << id;
        }
    }

    EXPECT_GE (changedBetweenCalls, 7);

    // The sound path follows the drawn values.
    std::array<float, kNumParameters> own = second;
    own[6] *= 5.0f;
    expectDspFollows (p, own, 44100.0);
}
