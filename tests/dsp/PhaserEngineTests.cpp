#include "DspTestSupport.h"

using namespace dsptest;

TEST (PhaserEngine, FollowerRisesIn220AndFallsIn5292SamplesAndFeedsTheEnvelope)
{
    Phaser_engine engine (44100.0f);
    const auto& follower = *engine.envelopeFollower;
    const double attack = std::pow (0.01, 1.0 / 220.5), release = std::pow (0.01, 1.0 / 5292.0);
    EXPECT_NEAR (follower.attackCoef, attack, 1e-6);
    EXPECT_NEAR (follower.releaseCoef, release, 1e-6);

    // A step to -1 (the detector is rectified), silence, bursts of noise at
    // falling levels with a NaN and an infinity in them, then a constant.
    std::vector<float> detector (4000, -1.0f);
    detector.resize (12000, 0.0f);
    for (float amplitude : { 0.9f, 0.3f, 0.05f })
        for (float x : noise (6000, (juce::int64) (amplitude * 100.0f), amplitude))
            detector.push_back (x);
    detector.resize (detector.size() + 6000, 0.5f);
    detector[13000] = std::numeric_limits<float>::quiet_NaN();
    detector[20000] = -std::numeric_limits<float>::infinity();

    // Single samples through the step and the fall, then blocks of 256.
    std::vector<float> envelope (detector.size()), level (detector.size(), -1.0f);
    int done = 0;
    engine.setBufferSize (256);
    AllocationCounter allocations;
    forEachBlock ((int) detector.size(), [&] { return done < 12000 ? 1 : 256; }, [&] (int start, int n)
    {
        float* buffer = engine.envelopeBuffer.getWritePointer (0);
        std::copy (detector.begin() + start, detector.begin() + start + n, buffer);
        engine.processEnvelope (n);
        std::copy (buffer, buffer + n, envelope.begin() + start);
        done = start + n;
        level[(size_t) done - 1] = follower.level;
    });
    EXPECT_TRUE (noAllocations (allocations));

    // The envelope is 1.3 times the level smoothed by a 711.408 Hz one-pole.
    const double G = std::tan (kPi * 711.408 / 44100.0), g = G / (1.0 + G);
    double model = 0.0, state = 0.0;
    int risen = -1, fallen = -1;
    size_t restart = 0;

    for (size_t i = 0; i < detector.size(); ++i)
    {
        // A value that is not finite: the rest of its block of 256 is not
        // compared, and the follower starts the next block at rest.
        restart = std::isfinite (detector[i]) ? restart : i - (i - 12000) % 256 + 256;
        if (i < restart)
            continue;
        if (i == restart)
            model = state = 0.0;
        const double x = std::abs (detector[i]);
        model = x + (model - x) * (x > model ? attack : release);
        const double v = (model - state) * g;
        ASSERT_NEAR (envelope[i], 1.3 * (state + v), 2e-5) << "sample " << i;
        state += 2.0 * v;

        risen = risen < 0 && level[i] >= 0.99f ? (int) i + 1 : risen;
        fallen = fallen < 0 && i >= 4000 && level[i] >= 0.0f && level[i] <= 0.01f ? (int) i - 3999 : fallen;
    }

    EXPECT_NEAR (risen, 220.5, 1.0);
    EXPECT_NEAR (fallen, 5292.0, 2.0);
    EXPECT_NEAR (envelope.back(), 0.65, 1e-4);
}
