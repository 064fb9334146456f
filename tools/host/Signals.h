#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <optional>

namespace ondrel::host
{

enum class SignalKind
{
    sine,
    noise,
    silence,
    impulse
};

std::optional<SignalKind> parseSignalKind (const juce::String& name);

struct SignalOptions
{
    double frequency = 440.0;   // sine
    float amplitude = 0.5f;     // peak of sine and noise, height of the impulse
    juce::int64 seed = 1;       // noise
};

// A test signal: the same sine, silence or impulse (first sample) on every
// channel; noise uniform in [-amplitude, amplitude), independent per channel.
juce::AudioBuffer<float> makeSignal (SignalKind kind, int numChannels, int numSamples,
                                     double sampleRate, const SignalOptions& options);

} // namespace ondrel::host
