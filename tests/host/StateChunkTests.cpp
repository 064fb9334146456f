// The host chunk through JUCE's VST2 hosting code: its framing, and a state
// that survives saving and restoring into the same and a fresh instance.

#include "HostedPlugin.h"
#include "ParameterProfile.h"
#include "StateChunks.h"

namespace ondrel::hosttests
{

namespace
{
    // Parameter IDs in host order: the attribute names of the state element.
    const char* const parameterIds[] { "phaser_depth", "phaser_rate", "phaser_fb", "phaser_width",
                                       "filter_hp", "filter_lp", "lfo_wave", "lfo_smooth",
                                       "output_in", "output_out", "output_drywet",
                                       "env_todepth", "env_torate", "bypass" };

    struct PresetState
    {
        juce::String name, folder;
        std::array<float, numParameters> values;
    };

    juce::MemoryBlock makeStateChunk (const PresetState& state)
    {
        juce::XmlElement element ("ONDREL2");
        element.setAttribute ("pluginVersion", "2");
        element.setAttribute ("presetName", state.name);
        element.setAttribute ("lastPresetFolderPath", state.folder);

        for (int i = 0; i < numParameters; ++i)
            element.setAttribute (parameterIds[i], juce::String::formatted ("%.9g", (double) state.values[(size_t) i]));

        return frameChunk (element);
    }

    void expectValuesNear (const std::vector<float>& actual, const std::array<float, numParameters>& expected)
    {
        ASSERT_EQ (actual.size(), expected.size());

        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_NEAR (actual[i], expected[i], 1.0e-6f) << "parameter " << i;
    }

    void expectNameAndFolder (juce::AudioPluginInstance& plugin, const PresetState& state)
    {
        const auto chunk = host::getChunk (plugin);
        ASSERT_TRUE (chunk.has_value()) << "the plug-in returned no chunk";
        const auto element = unframeChunk (*chunk);
        ASSERT_NE (element, nullptr) << "the chunk is not a framed state element";
        EXPECT_EQ (element->getStringAttribute ("presetName"), state.name);
        EXPECT_EQ (element->getStringAttribute ("lastPresetFolderPath"), state.folder);
    }

    const PresetState first { juce::String::fromUTF8 ("Kes & Co <\"first\"> \xc3\xa4"),
                              juce::String::fromUTF8 ("/tmp/ondrel presets/K\xc3\xa4s & more"),
                              { 0.1f, 0.2f, 0.3f, 0.4f, 0.6f, 0.7f, 0.8f, 0.9f, 0.15f, 0.25f, 0.35f, 0.45f, 0.55f, 0.0f } };

    const PresetState second { "second", "/srv/other",
                               { 0.95f, 0.85f, 0.75f, 0.65f, 0.55f, 0.45f, 0.35f, 0.25f, 0.15f, 0.05f, 0.9f, 0.8f, 0.7f, 1.0f } };

    // Set through the host: digits that need all nine places, and a value
    // small enough to be written in exponent form.
    const std::array<float, numParameters> hostValues { 0.123456789f, 0.987654321f, 0.333333343f, 1.0e-5f,
                                                        0.7071068f, 0.2718282f, 0.6f, 0.1414214f,
                                                        0.5772157f, 0.6931472f, 0.3010300f, 0.4342945f,
                                                        0.8660254f, 1.0f };
}

TEST (StateChunk, DefaultChunkIs346BytesFramedAroundA337ByteText)
{
    auto loaded = openPlugin();
    ASSERT_NE (loaded.instance, nullptr);

    const auto chunk = host::getChunk (*loaded.instance);
    ASSERT_TRUE (chunk.has_value()) << "the plug-in returned no chunk";
    ASSERT_EQ (chunk->getSize(), 346u);

    const auto* bytes = static_cast<const juce::uint8*> (chunk->getData());
    EXPECT_EQ (bytes[0], 0x56);
    EXPECT_EQ (bytes[1], 0x43);
    EXPECT_EQ (bytes[2], 0x32);
    EXPECT_EQ (bytes[3], 0x21);
    EXPECT_EQ (bytes[4] | (bytes[5] << 8) | (bytes[6] << 16) | (bytes[7] << 24), 337);
    EXPECT_EQ (bytes[345], 0);

    const auto element = unframeChunk (*chunk);
    ASSERT_NE (element, nullptr);
    EXPECT_EQ (element->getTagName(), "ONDREL2");
}

TEST (StateChunk, RestoresEveryValueThePresetNameAndFolderIntoTheSameAndAFreshInstance)
{
    auto source = openPlugin();
    ASSERT_NE (source.instance, nullptr);
    auto& plugin = *source.instance;

    // Name and folder come only with a state; the values then from the host.
    ASSERT_TRUE (host::setPluginState (plugin, makeStateChunk (first)));
    expectValuesNear (parameterValues (plugin), first.values);

    for (int i = 0; i < numParameters; ++i)
        setParameter (plugin, i, hostValues[(size_t) i]);

    expectValuesNear (parameterValues (plugin), hostValues);
    const auto savedValues = parameterValues (plugin);
    const auto saved = host::getChunk (plugin);
    ASSERT_TRUE (saved.has_value()) << "the plug-in returned no chunk";

    // Change everything, then restore.
    ASSERT_TRUE (host::setPluginState (plugin, makeStateChunk (second)));
    expectValuesNear (parameterValues (plugin), second.values);
    expectNameAndFolder (plugin, second);

    ASSERT_TRUE (host::setPluginState (plugin, *saved));
    EXPECT_EQ (parameterValues (plugin), savedValues);
    expectNameAndFolder (plugin, first);

    auto fresh = openPlugin();
    ASSERT_NE (fresh.instance, nullptr);
    ASSERT_TRUE (host::setPluginState (*fresh.instance, *saved));
    EXPECT_EQ (parameterValues (*fresh.instance), savedValues);
    expectNameAndFolder (*fresh.instance, first);

    const auto again = host::getChunk (*fresh.instance);
    ASSERT_TRUE (again.has_value());
    EXPECT_TRUE (*again == *saved) << "the fresh instance saves a different chunk";
}

} // namespace ondrel::hosttests
