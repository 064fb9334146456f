#pragma once

#include "dsp/Phaser_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "tests/support/AllocationCounter.h"

namespace dsptest
{
constexpr double kPi = 3.14159265358979323846;

inline std::vector<float> noise (size_t n, juce::int64 seed, float amplitude = 1.0f)
{
    juce::Random random (seed);
    std::vector<float> v (n);
    for (auto& x : v)
        x = amplitude * (random.nextFloat() * 2.0f - 1.0f);
    return v;
}

inline bool noAllocations (const AllocationCounter& c) { return c.count() == 0 || ! AllocationCounter::available(); }

// What the parameter mapping writes into a unit, in unit terms.
struct UnitSettings
{
    float lfoRate = 0.09779328f, lfoDepth = 0.5f, feedback = 0.5f, envToRate = 0.0f, envToDepth = 0.0f;
    float hp = 0.0f, lp = 1.0f, divisor = 1.0f;
    int waveform = 0;
    float widthOffset = -1.0f; // below 0: leave the offset and phase alone
};

// The right unit (right = true) keeps no offset but restarts its cycle with the left one.
inline void apply (Phaser_unit& unit, const UnitSettings& s, bool right = false)
{
    unit.lfoRate = s.lfoRate, unit.lfoDepth = s.lfoDepth, unit.feedback = s.feedback;
    unit.envToRate = s.envToRate, unit.envToDepth = s.envToDepth;
    unit.modSmoother->divisor = s.divisor, unit.lfo->waveform = s.waveform;
    unit.setHpCf (s.hp);
    unit.setLpCf (s.lp);
    if (s.widthOffset >= 0.0f)
        unit.lfo->setPhaseOffsetTarget (right ? 0.0f : s.widthOffset), unit.lfo->requestPhaseReset();
}

// Splits [0, total) into blocks of nextSize() samples and calls body (start, n) for each.
template <typename Sizes, typename Body>
void forEachBlock (int total, Sizes&& nextSize, Body&& body)
{
    for (int start = 0, n = 0; start < total; start += n)
        body (start, n = juce::jmin ((int) nextSize(), total - start));
}

inline bool bitIdentical (const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() && std::memcmp (a.data(), b.data(), sizeof (float) * a.size()) == 0;
}
} // namespace dsptest
