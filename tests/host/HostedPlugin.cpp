#include "HostedPlugin.h"

#include "Signals.h"

#include <cstring>

namespace ondrel::hosttests
{

namespace
{
    constexpr int chunkMagic = 0x21324356;

    int resolveEnd (const juce::AudioBuffer<float>& buffer, int end)
    {
        return end < 0 ? buffer.getNumSamples() : end;
    }

    ::testing::AssertionResult sameShape (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
    {
        if (a.getNumChannels() != b.getNumChannels() || a.getNumSamples() != b.getNumSamples())
            return ::testing::AssertionFailure() << "shapes differ: " << a.getNumChannels() << "x" << a.getNumSamples()
                                                 << " vs " << b.getNumChannels() << "x" << b.getNumSamples();
        return ::testing::AssertionSuccess();
    }
}

juce::File getPluginFile()
{
    return juce::File (ONDREL_PLUGIN_FILE);
}

host::LoadedPlugin openPlugin (double sampleRate, int blockSize)
{
    juce::String error;
    auto loaded = host::loadVst2Plugin (getPluginFile(), sampleRate, blockSize, error);

    if (loaded.instance == nullptr)
        ADD_FAILURE() << "cannot load " << getPluginFile().getFullPathName() << ": " << error;

    return loaded;
}

void setParameter (juce::AudioPluginInstance& plugin, int index, float value)
{
    auto* parameter = plugin.getParameters()[index];

    if (parameter == nullptr)
    {
        ADD_FAILURE() << "the plug-in has no parameter " << index;
        return;
    }

    parameter->setValue (value);
}

juce::AudioBuffer<float> stereoNoise (int numSamples, float amplitude, juce::int64 seed)
{
    host::SignalOptions options;
    options.amplitude = amplitude;
    options.seed = seed;
    return host::makeSignal (host::SignalKind::noise, 2, numSamples, 44100.0, options);
}

::testing::AssertionResult bitIdentical (const juce::AudioBuffer<float>& expected,
                                         const juce::AudioBuffer<float>& actual,
                                         int start, int end)
{
    if (auto shape = sameShape (expected, actual); ! shape)
        return shape;

    end = resolveEnd (expected, end);

    for (int ch = 0; ch < expected.getNumChannels(); ++ch)
        for (int i = start; i < end; ++i)
        {
            const auto e = expected.getSample (ch, i), a = actual.getSample (ch, i);

            if (std::memcmp (&e, &a, sizeof (float)) != 0)
                return ::testing::AssertionFailure() << "channel " << ch << ", sample " << i << ": expected "
                                                     << juce::String::formatted ("%.9g", (double) e) << ", got "
                                                     << juce::String::formatted ("%.9g", (double) a);
        }

    return ::testing::AssertionSuccess();
}

::testing::AssertionResult differAudibly (const juce::AudioBuffer<float>& a,
                                          const juce::AudioBuffer<float>& b,
                                          int start, int end, float margin)
{
    if (auto shape = sameShape (a, b); ! shape)
        return shape;

    end = resolveEnd (a, end);
    float largest = 0.0f;

    for (int ch = 0; ch < a.getNumChannels(); ++ch)
        for (int i = start; i < end; ++i)
            largest = juce::jmax (largest, std::abs (a.getSample (ch, i) - b.getSample (ch, i)));

    if (largest > margin)
        return ::testing::AssertionSuccess() << "largest difference " << largest;

    return ::testing::AssertionFailure() << "samples " << start << ".." << end
                                         << " differ by at most " << largest << " (no more than " << margin << ")";
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
    out.writeInt (chunkMagic);
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
    const auto magic = in.readInt();
    const auto length = in.readInt();

    if (magic != chunkMagic || length <= 0 || (size_t) length + 9 != chunk.getSize()
        || static_cast<const char*> (chunk.getData())[chunk.getSize() - 1] != 0)
        return nullptr;

    return juce::parseXML (juce::String::fromUTF8 (static_cast<const char*> (chunk.getData()) + 8, length));
}

juce::AudioBuffer<float> channel (const juce::AudioBuffer<float>& buffer, int index)
{
    juce::AudioBuffer<float> single (1, buffer.getNumSamples());
    single.copyFrom (0, 0, buffer, index, 0, buffer.getNumSamples());
    return single;
}

} // namespace ondrel::hosttests
