#include "Signals.h"

#include <cmath>

namespace ondrel::host
{

std::optional<SignalKind> parseSignalKind (const juce::String& name)
{
    if (name == "sine")    return SignalKind::sine;
    if (name == "noise")   return SignalKind::noise;
    if (name == "silence") return SignalKind::silence;
    if (name == "impulse") return SignalKind::impulse;
    return std::nullopt;
}

juce::AudioBuffer<float> makeSignal (SignalKind kind, int numChannels, int numSamples,
                                     double sampleRate, const SignalOptions& options)
{
    juce::AudioBuffer<float> buffer (numChannels, numSamples);
    buffer.clear();
    juce::Random random (options.seed);

    for (int ch = 0; ch < numChannels; ++ch)
    {
        auto* samples = buffer.getWritePointer (ch);

        switch (kind)
        {
            case SignalKind::sine:
                for (int i = 0; i < numSamples; ++i)
                    samples[i] = (float) (options.amplitude
                                          * std::sin (juce::MathConstants<double>::twoPi * options.frequency * i / sampleRate));
                break;

            case SignalKind::noise:
                for (int i = 0; i < numSamples; ++i)
                    samples[i] = options.amplitude * (2.0f * random.nextFloat() - 1.0f);
                break;

            case SignalKind::impulse:
                if (numSamples > 0)
                    samples[0] = options.amplitude;
                break;

            case SignalKind::silence:
                break;
        }
    }

    return buffer;
}

} // namespace ondrel::host
