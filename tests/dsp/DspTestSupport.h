#pragma once

#include "dsp/Phaser_unit.h"

#include <juce_core/juce_core.h>

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <functional>
#include <vector>

namespace dsptest
{
constexpr double kPi = 3.14159265358979323846;

// Counts heap allocations (malloc and operator new alike) made by the calling
// thread while an instance is alive. Off in sanitizer builds, whose runtimes
// own malloc.
class AllocationCounter
{
public:
    AllocationCounter();
    ~AllocationCounter();
    long count() const;
    static bool available();
};

// Uniform noise in [-amplitude, amplitude], reproducible from the seed.
inline std::vector<float> noise (size_t n, juce::int64 seed, float amplitude = 1.0f)
{
    juce::Random random (seed);
    std::vector<float> v (n);

    for (auto& x : v)
        x = amplitude * (random.nextFloat() * 2.0f - 1.0f);

    return v;
}

inline std::vector<float> constant (size_t n, float value) { return std::vector<float> (n, value); }

// The cut-off a one-pole coefficient g stands for: g = G / (1 + G) with
// G = tan(pi * fc / rate).
inline double cutoffFromCoefficient (double g, double rate)
{
    return std::atan (g / (1.0 - g)) * rate / kPi;
}

// Phase of the first-order all-pass (a + z^-1) / (1 + a z^-1) at f Hz.
inline double allpassPhase (double a, double f, double rate)
{
    const std::complex<double> z1 = std::polar (1.0, -2.0 * kPi * f / rate);
    return std::arg ((a + z1) / (1.0 + a * z1));
}

// Coefficient from the truncated tan series w + w^3 * 0.333333 + w^5 * 0.133333.
inline double seriesCoefficient (double f, double rate)
{
    const double w = f * kPi / rate;
    const double t = w + std::pow (w, 3) * 0.333333 + std::pow (w, 5) * 0.133333;
    return (t - 1.0) / (t + 1.0);
}

// What the parameter mapping writes into a unit, in unit terms.
struct UnitSettings
{
    float lfoRate = 0.09779328f;
    float lfoDepth = 0.5f;
    float feedback = 0.5f;
    float envToRate = 0.0f;
    float envToDepth = 0.0f;
    float hp = 0.0f;
    float lp = 1.0f;
    float divisor = 1.0f;
    int waveform = 0;
    float widthOffset = -1.0f; // below 0: leave the offset and phase alone
};

inline void apply (Phaser_unit& unit, const UnitSettings& s)
{
    unit.lfoRate = s.lfoRate;
    unit.lfoDepth = s.lfoDepth;
    unit.feedback = s.feedback;
    unit.envToRate = s.envToRate;
    unit.envToDepth = s.envToDepth;
    unit.setHpCf (s.hp);
    unit.setLpCf (s.lp);
    unit.modSmoother->divisor = s.divisor;
    unit.lfo->waveform = s.waveform;

    if (s.widthOffset >= 0.0f)
    {
        unit.lfo->setPhaseOffsetTarget (s.widthOffset);
        unit.lfo->requestPhaseReset();
    }
}

// Splits [0, total) into blocks whose sizes come from nextSize.
inline void forEachBlock (int total, const std::function<int()>& nextSize,
                          const std::function<void (int start, int n)>& body)
{
    for (int start = 0; start < total;)
    {
        const int n = juce::jmin (nextSize(), total - start);
        body (start, n);
        start += n;
    }
}

inline std::function<int()> fixedBlocks (int n) { return [n] { return n; }; }

inline std::function<int()> randomBlocks (juce::int64 seed, int maxSize)
{
    auto random = std::make_shared<juce::Random> (seed);
    return [random, maxSize] { return 1 + random->nextInt (maxSize); };
}

// One silent sample through a unit. A fresh unit's first sample runs a
// control update and an LFO read.
inline void processSample (Phaser_unit& unit, float envelope = 0.0f)
{
    float x = 0.0f;
    unit.process_block (&x, &envelope, 1);
}

// Runs a signal through a unit block by block, returning the output.
inline std::vector<float> run (Phaser_unit& unit, std::vector<float> samples, std::vector<float> envelope,
                               const std::function<int()>& blocks)
{
    forEachBlock ((int) samples.size(), blocks, [&] (int start, int n)
                  { unit.process_block (samples.data() + start, envelope.data() + start, n); });
    return samples;
}

// Bit-for-bit equality, reporting the first differing sample.
inline ::testing::AssertionResult bitIdentical (const std::vector<float>& a, const std::vector<float>& b)
{
    if (a.size() != b.size())
        return ::testing::AssertionFailure() << "sizes " << a.size() << " vs " << b.size();

    for (size_t i = 0; i < a.size(); ++i)
        if (std::memcmp (&a[i], &b[i], sizeof (float)) != 0)
            return ::testing::AssertionFailure() << "sample " << i << ": " << a[i] << " vs " << b[i];

    return ::testing::AssertionSuccess();
}
} // namespace dsptest
