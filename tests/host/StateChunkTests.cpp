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
    // Name, folder and values as a chunk; the attribute names are the parameter IDs in host order.
    juce::MemoryBlock stateChunk (const juce::String& name, const juce::String& folder, const std::vector<float>& values)
    {
        const char* const ids[] { "phaser_depth", "phaser_rate", "phaser_fb", "phaser_width", "filter_hp",
                                  "filter_lp", "lfo_wave", "lfo_smooth", "output_in", "output_out",
                                  "output_drywet", "env_todepth", "env_torate", "bypass" };
        juce::XmlElement element ("ONDREL2");
        element.setAttribute ("pluginVersion", "2");
        element.setAttribute ("presetName", name);
        element.setAttribute ("lastPresetFolderPath", folder);
        for (size_t i = 0; i < values.size(); ++i)
            element.setAttribute (ids[i], juce::String::formatted ("%.9g", (double) values[i]));
        return frameChunk (element);
    }

    // The parameter values, and name and folder as the plug-in saves them.
    std::vector<juce::var> stateOf (juce::AudioPluginInstance& plugin)
    {
        std::vector<juce::var> state;
        for (float v : parameterValues (plugin))
            state.push_back ((double) v);
        const auto chunk = host::getChunk (plugin);
        const auto element = chunk ? unframeChunk (*chunk) : nullptr;
        if (element == nullptr)
            ADD_FAILURE() << "no framed state element in the plug-in's chunk";
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
    ASSERT_TRUE (host::setPluginState (plugin, stateChunk (name, folder, std::vector<float> (numParameters, 0.2f))));

    // The values then from the host: digits that need all nine places, and a
    // value small enough to be written in exponent form.
    const std::vector<float> values { 0.123456789f, 0.987654321f, 0.333333343f, 1.0e-5f, 0.7071068f, 0.2718282f, 0.6f,
                                      0.1414214f, 0.5772157f, 0.6931472f, 0.3010300f, 0.4342945f, 0.8660254f, 1.0f };
    for (int i = 0; i < numParameters; ++i)
        setParameter (plugin, i, values[(size_t) i]);
    for (int i = 0; i < numParameters; ++i)
        EXPECT_NEAR (parameterValues (plugin)[(size_t) i], values[(size_t) i], 1.0e-6f) << i;

    const auto saved = host::getChunk (plugin);
    ASSERT_TRUE (saved.has_value());
    const auto savedState = stateOf (plugin);
    ASSERT_EQ (savedState.size(), numParameters + 2u);
    EXPECT_TRUE (savedState[numParameters] == name && savedState.back() == folder);

    // Change everything, then restore.
    ASSERT_TRUE (host::setPluginState (plugin, stateChunk ("second", "/srv/other", std::vector<float> (numParameters, 0.9f))));
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
