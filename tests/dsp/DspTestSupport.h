#pragma once

#include "dsp/Phaser_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstring>
#include <functional>
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

// Cut-off of a one-pole coefficient g = G / (1 + G), G = tan(pi * fc / rate).
inline double cutoffFromCoefficient (double g, double rate) { return std::atan (g / (1.0 - g)) * rate / kPi; }

// Phase of the all-pass (a + z^-1) / (1 + a z^-1) at f Hz.
inline double allpassPhase (double a, double f, double rate)
{
    const std::complex<double> z1 = std::polar (1.0, -2.0 * kPi * f / rate);
    return std::arg ((a + z1) / (1.0 + a * z1));
}

// All-pass coefficient from the truncated tan series w + w^3 * 0.333333 + w^5 * 0.133333.
inline double seriesCoefficient (double f, double rate)
{
    const double w = f * kPi / rate;
    const double t = w + std::pow (w, 3) * 0.333333 + std::pow (w, 5) * 0.133333;
    return (t - 1.0) / (t + 1.0);
}

// What the parameter mapping writes into a unit, in unit terms.
struct UnitSettings
{
    float lfoRate = 0.09779328f, lfoDepth = 0.5f, feedback = 0.5f, envToRate = 0.0f, envToDepth = 0.0f;
    float hp = 0.0f, lp = 1.0f, divisor = 1.0f;
    int waveform = 0;
    float widthOffset = -1.0f; // below 0: leave the offset and phase alone
};

inline void apply (Phaser_unit& unit, const UnitSettings& s)
{
    unit.lfoRate = s.lfoRate, unit.lfoDepth = s.lfoDepth, unit.feedback = s.feedback;
    unit.envToRate = s.envToRate, unit.envToDepth = s.envToDepth;
    unit.modSmoother->divisor = s.divisor, unit.lfo->waveform = s.waveform;
    unit.setHpCf (s.hp);
    unit.setLpCf (s.lp);

    if (s.widthOffset >= 0.0f)
    {
        unit.lfo->setPhaseOffsetTarget (s.widthOffset);
        unit.lfo->requestPhaseReset();
    }
}

// The right unit's LFO keeps no offset but restarts its cycle with the left one.
inline UnitSettings rightOf (UnitSettings s)
{
    s.widthOffset = s.widthOffset >= 0.0f ? 0.0f : s.widthOffset;
    return s;
}

using BlockSizes = std::function<int()>;

inline BlockSizes fixedBlocks (int n) { return [n] { return n; }; }

inline BlockSizes randomBlocks (juce::int64 seed, int maxSize)
{
    auto random = std::make_shared<juce::Random> (seed);
    return [random, maxSize] { return 1 + random->nextInt (maxSize); };
}

// Splits [0, total) into blocks and calls body (start, n) for each.
template <typename Body>
void forEachBlock (int total, const BlockSizes& nextSize, Body&& body)
{
    for (int start = 0, n = 0; start < total; start += n)
        body (start, n = juce::jmin (nextSize(), total - start));
}

// One silent sample; a fresh unit's first sample runs a control update and an LFO read.
inline void processSample (Phaser_unit& unit, float envelope = 0.0f)
{
    float x = 0.0f;
    unit.process_block (&x, &envelope, 1);
}

inline std::vector<float> run (Phaser_unit& unit, std::vector<float> samples, std::vector<float> envelope,
                               const BlockSizes& blocks)
{
    forEachBlock ((int) samples.size(), blocks,
                  [&] (int start, int n) { unit.process_block (samples.data() + start, envelope.data() + start, n); });
    return samples;
}

// Bit-for-bit equality, reporting the first differing sample.
inline ::testing::AssertionResult bitIdentical (const std::vector<float>& a, const std::vector<float>& b)
{
    const auto [x, y] = std::mismatch (a.begin(), a.end(), b.begin(), b.end(),
                                       [] (float p, float q) { return std::memcmp (&p, &q, sizeof p) == 0; });
    if (x == a.end() && y == b.end())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "sizes " << a.size() << ", " << b.size() << "; first difference at " << (x - a.begin());
}
} // namespace dsptest
