#include "HostedPlugin.h"

#include "Signals.h"

#include <cstring>

namespace ondrel::hosttests
{

host::LoadedPlugin openPlugin (double sampleRate, int blockSize)
{
    juce::String error;
    auto loaded = host::loadVst2Plugin (getPluginFile(), sampleRate, blockSize, error);
    if (loaded.instance == nullptr)
        ADD_FAILURE() << "cannot load " << getPluginFile().getFullPathName() << ": " << error;
    return loaded;
}

juce::AudioBuffer<float> stereoNoise (int numSamples, float amplitude, juce::int64 seed)
{
    host::SignalOptions options;
    options.amplitude = amplitude;
    options.seed = seed;
    return host::makeSignal (host::SignalKind::noise, 2, numSamples, 44100.0, options);
}

::testing::AssertionResult bitIdentical (const juce::AudioBuffer<float>& expected, const juce::AudioBuffer<float>& actual)
{
    if (expected.getNumChannels() != actual.getNumChannels() || expected.getNumSamples() != actual.getNumSamples())
        return ::testing::AssertionFailure() << "shapes differ";

    for (int ch = 0; ch < expected.getNumChannels(); ++ch)
        for (int i = 0; i < expected.getNumSamples(); ++i)
        {
            const auto e = expected.getSample (ch, i), a = actual.getSample (ch, i);
            if (std::memcmp (&e, &a, sizeof (float)) != 0)
                return ::testing::AssertionFailure() << "channel " << ch << ", sample " << i << ": expected "
                                                     << juce::String::formatted ("%.9g", (double) e) << ", got "
                                                     << juce::String::formatted ("%.9g", (double) a);
        }
    return ::testing::AssertionSuccess();
}

std::vector<float> parameterValues (juce::AudioPluginInstance& plugin)
{
    std::vector<float> values;
    for (auto* parameter : plugin.getParameters())
        values.push_back (parameter->getValue());
    return values;
}

juce::MemoryBlock frameChunk (const juce::XmlElement& element)
{
    const auto text = element.toString (juce::XmlElement::TextFormat().singleLine().withoutHeader());
    const auto length = (int) text.getNumBytesAsUTF8();
    juce::MemoryOutputStream out;
    out.writeInt (0x21324356);
    out.writeInt (length);
    out.write (text.toRawUTF8(), (size_t) length);
    out.writeByte (0);
    return out.getMemoryBlock();
}

std::unique_ptr<juce::XmlElement> unframeChunk (const juce::MemoryBlock& chunk)
{
    if (chunk.getSize() < 9)
        return nullptr;
    juce::MemoryInputStream in (chunk, false);
    const auto magic = in.readInt(), length = in.readInt();
    if (magic != 0x21324356 || length <= 0 || (size_t) length + 9 != chunk.getSize()
        || static_cast<const char*> (chunk.getData())[chunk.getSize() - 1] != 0)
        return nullptr;
    return juce::parseXML (juce::String::fromUTF8 (static_cast<const char*> (chunk.getData()) + 8, length));
}

} // namespace ondrel::hosttests
