// The ondrel-host program itself, run as a separate process the way a user
// runs it.

#include "HostedPlugin.h"
#include "ParameterProfile.h"
#include "Signals.h"
#include "WavFiles.h"

namespace ondrel::hosttests
{

namespace
{
    struct ToolRun
    {
        int exitCode = -1;
        juce::String output;
    };

    ToolRun runTool (juce::StringArray args)
    {
        args.insert (0, ONDREL_HOST_TOOL);
        juce::ChildProcess process;
        ToolRun run;
        if (! process.start (args))
            return run;
        run.output = process.readAllProcessOutput();
        if (process.waitForProcessToFinish (60000))
            run.exitCode = (int) process.getExitCode();
        return run;
    }

    class HostTool : public ::testing::Test
    {
    protected:
        // HOME is a fresh folder of this test process.
        juce::File folder = juce::File ("~").getChildFile ("host-tool");
        juce::String plugin = getPluginFile().getFullPathName();

        void SetUp() override { ASSERT_TRUE (folder.createDirectory()); }
        void TearDown() override { folder.deleteRecursively(); }
        juce::String path (const char* name) const { return folder.getChildFile (name).getFullPathName(); }
    };

    // The parameter line of `name` in the tool's info listing.
    juce::String parameterLine (const juce::String& info, const char* name)
    {
        for (const auto& line : juce::StringArray::fromLines (info))
            if (line.contains ("\"" + juce::String (name) + "\""))
                return line;
        return {};
    }
}

TEST_F (HostTool, InfoListsIdentityAndEveryParameter)
{
    const auto run = runTool ({ "info", plugin });
    ASSERT_EQ (run.exitCode, 0) << run.output;
    for (const char* line : { "name:           Ondrel\n", "vendor:         Kesmark\n", "(vendor version 200)",
                              "unique ID:      ks04 ", "parameters:     14\n" })
        EXPECT_TRUE (run.output.contains (line)) << line << " in " << run.output;
    for (const auto& entry : profile)
        EXPECT_TRUE (parameterLine (run.output, entry.name).isNotEmpty()) << entry.name;
}

TEST_F (HostTool, RenderWritesTheBlocksOfABypassedPluginAsFloatWav)
{
    const auto render = runTool ({ "render", plugin, "--signal", "noise", "--seconds", "0.5", "--rate", "48000",
                                   "--random-blocks", "1:2048", "--seed", "3", "--param", "Bypass=1",
                                   "--out", path ("noise.wav") });
    ASSERT_EQ (render.exitCode, 0) << render.output;
    juce::AudioBuffer<float> written;
    double writtenRate = 0.0;
    juce::String error;
    ASSERT_TRUE (host::readAudioFile (juce::File (path ("noise.wav")), written, writtenRate, error)) << error;
    EXPECT_EQ (writtenRate, 48000.0);

    // Bypassed, the plug-in hands back exactly the tool's noise.
    EXPECT_TRUE (bitIdentical (host::makeSignal (host::SignalKind::noise, 2, 24000, 48000.0, {}), written));
}

TEST_F (HostTool, RejectsBadArgumentsAndFilesThatAreNoPlugin)
{
    EXPECT_EQ (runTool ({ "render", plugin }).exitCode, 2); // no --out
    EXPECT_EQ (runTool ({ "info", plugin, "--param", "Phaser Depth" }).exitCode, 2);
    EXPECT_EQ (runTool ({ "render", plugin, "--out", path ("x.wav"), "--random-blocks", "9:3" }).exitCode, 2);
    EXPECT_EQ (runTool ({ "info", plugin, "--param", "No Such Parameter=0.5" }).exitCode, 1);
    EXPECT_EQ (runTool ({ "info", path ("missing.so") }).exitCode, 1);
}

} // namespace ondrel::hosttests
