// What JUCE's VST2 hosting code sees when it loads the plug-in.

#include "HostedPlugin.h"
#include "ParameterProfile.h"
#include "PluginInfo.h"

namespace ondrel::hosttests
{

TEST (JuceHostIdentity, NameVendorIdVersionBusesMidiProgramsAndTheFourteenParameters)
{
    auto loaded = openPlugin();
    ASSERT_NE (loaded.instance, nullptr);
    const auto info = host::describePlugin (*loaded.instance, loaded.description);

    EXPECT_EQ (info.name, pluginName);
    EXPECT_EQ (info.vendor, vendorName);
    EXPECT_EQ (info.uniqueId, uniqueId) << "as text: " << host::uniqueIdToText (info.uniqueId);
    EXPECT_EQ (info.vendorVersion, vendorVersion);
    EXPECT_EQ (info.numInputChannels, 2);
    EXPECT_EQ (info.numOutputChannels, 2);
    EXPECT_TRUE (info.acceptsMidi);
    EXPECT_FALSE (info.producesMidi);
    EXPECT_EQ (info.tailSeconds, 0.0);
    ASSERT_EQ (info.numPrograms, 1);
    EXPECT_EQ (info.programNames[0], "");

    ASSERT_EQ (info.parameters.size(), profile.size());
    for (size_t i = 0; i < profile.size(); ++i)
    {
        const auto& seen = info.parameters[i];
        EXPECT_EQ (seen.index, (int) i);
        EXPECT_EQ (seen.name, profile[i].name);
        EXPECT_EQ (seen.label, profile[i].name);
        EXPECT_EQ (seen.value, profile[i].defaultValue) << profile[i].name;
    }
}

} // namespace ondrel::hosttests
