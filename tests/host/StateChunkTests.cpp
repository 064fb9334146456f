// The host chunk through JUCE's VST2 hosting code: a state that survives
// saving and restoring into the same and a fresh instance. The exact bytes
// and malformed chunks are checked on the processor in tests/processor.

#include "HostedPlugin.h"
#include "ParameterProfile.h"
#include "StateChunks.h"

namespace ondrel::hosttests
{

namespace
{
    // Name, folder and every parameter at one value, framed as the plug-in frames
    // its state: the magic 0x21324356, the text's length, the text, a zero byte.
    juce::MemoryBlock stateChunk (const juce::String& name, const juce::String& folder, float value)
    {
        juce::XmlElement element ("ONDREL2");
        element.setAttribute ("presetName", name);
        element.setAttribute ("lastPresetFolderPath", folder);
        for (const char* id : { "phaser_depth", "phaser_rate", "phaser_fb", "phaser_width", "filter_hp", "filter_lp",
                                "lfo_wave", "lfo_smooth", "output_in", "output_out", "output_drywet", "env_todepth",
                                "env_torate", "bypass" })
            element.setAttribute (id, value);
        const auto text = element.toString (juce::XmlElement::TextFormat().singleLine().withoutHeader());
        juce::MemoryOutputStream out;
        out.writeInt (0x21324356);
        out.writeInt ((int) text.getNumBytesAsUTF8());
        out.write (text.toRawUTF8(), text.getNumBytesAsUTF8() + 1);
        return out.getMemoryBlock();
    }

    // The parameter values, then name and folder as the plug-in saves them.
    std::vector<juce::var> stateOf (juce::AudioPluginInstance& plugin)
    {
        std::vector<juce::var> state;
        for (auto* parameter : plugin.getParameters())
            state.push_back ((double) parameter->getValue());
        const auto chunk = host::getChunk (plugin);
        const auto element = chunk && chunk->getSize() > 9
                                 ? juce::parseXML (juce::String::fromUTF8 ((const char*) chunk->getData() + 8,
                                                                           (int) chunk->getSize() - 9))
                                 : nullptr;
        if (element == nullptr)
            ADD_FAILURE() << "no state element in the plug-in's chunk";
        else
            state.insert (state.end(), { element->getStringAttribute ("presetName"),
                                         element->getStringAttribute ("lastPresetFolderPath") });
        return state;
    }
}

TEST (StateChunk, RestoresEveryValueThePresetNameAndFolderIntoTheSameAndAFreshInstance)
{
    auto source = openPlugin();
    ASSERT_NE (source.instance, nullptr);
    auto& plugin = *source.instance;

    // Name and folder come only with a state (with markup characters and non-ASCII letters).
    const auto name = juce::String::fromUTF8 ("Kes & Co <\"first\"> \xc3\xa4");
    const auto folder = juce::String::fromUTF8 ("/tmp/ondrel presets/K\xc3\xa4s & more");
    ASSERT_TRUE (host::setPluginState (plugin, stateChunk (name, folder, 0.2f)));

    // The values then from the host: digits that need all nine places, and a
    // value small enough to be written in exponent form.
    const float values[] { 0.123456789f, 0.987654321f, 0.333333343f, 1.0e-5f, 0.7071068f, 0.2718282f, 0.6f,
                           0.1414214f,   0.5772157f,   0.6931472f,   0.3010300f, 0.4342945f, 0.8660254f, 1.0f };
    for (int i = 0; i < numParameters; ++i)
        plugin.getParameters()[i]->setValue (values[i]);

    const auto saved = host::getChunk (plugin);
    ASSERT_TRUE (saved.has_value());
    const auto savedState = stateOf (plugin);
    ASSERT_EQ (savedState.size(), numParameters + 2u);
    for (int i = 0; i < numParameters; ++i)
        EXPECT_NEAR ((double) savedState[(size_t) i], values[i], 1.0e-6) << i;
    EXPECT_TRUE (savedState[numParameters] == name && savedState.back() == folder);

    // Change everything, then restore.
    ASSERT_TRUE (host::setPluginState (plugin, stateChunk ("second", "/srv/other", 0.9f)));
    EXPECT_EQ (stateOf (plugin).back(), "/srv/other");
    ASSERT_TRUE (host::setPluginState (plugin, *saved));
    EXPECT_EQ (stateOf (plugin), savedState);

    auto fresh = openPlugin();
    ASSERT_NE (fresh.instance, nullptr);
    ASSERT_TRUE (host::setPluginState (*fresh.instance, *saved));
    EXPECT_EQ (stateOf (*fresh.instance), savedState);
    EXPECT_TRUE (host::getChunk (*fresh.instance) == saved) << "the fresh instance saves a different chunk";
}

} // namespace ondrel::hosttests
