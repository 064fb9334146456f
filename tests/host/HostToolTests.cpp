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
    // The exit code (-1: not started or not finished) and what the tool printed.
    std::pair<int, juce::String> runTool (juce::StringArray args)
    {
        args.insert (0, ONDREL_HOST_TOOL);
        juce::ChildProcess process;
        if (! process.start (args))
            return { -1, {} };
        const auto output = process.readAllProcessOutput();
        return { process.waitForProcessToFinish (60000) ? (int) process.getExitCode() : -1, output };
    }
}

TEST (HostTool, ListsTheIdentityRendersABypassedPluginAndRejectsBadArguments)
{
    const auto plugin = juce::File (ONDREL_PLUGIN_FILE).getFullPathName();
    const juce::File wav ("~/noise.wav"); // HOME is a fresh folder of this process

    const auto [infoCode, info] = runTool ({ "info", plugin });
    ASSERT_EQ (infoCode, 0) << info;
    for (const char* line : { "name:           Ondrel\n", "vendor:         Kesmark\n", "(vendor version 200)",
                              "unique ID:      ks04 ", "parameters:     14\n" })
        EXPECT_TRUE (info.contains (line)) << line << " in " << info;
    for (const auto& entry : profile)
        EXPECT_TRUE (info.contains ("\"" + juce::String (entry.name) + "\"")) << entry.name;

    const auto [renderCode, render] = runTool ({ "render", plugin, "--signal", "noise", "--seconds", "0.5", "--rate",
                                                 "48000", "--random-blocks", "1:2048", "--seed", "3", "--param",
                                                 "Bypass=1", "--out", wav.getFullPathName() });
    ASSERT_EQ (renderCode, 0) << render;
    juce::AudioBuffer<float> written;
    double writtenRate = 0.0;
    juce::String error;
    ASSERT_TRUE (host::readAudioFile (wav, written, writtenRate, error)) << error;
    EXPECT_EQ (writtenRate, 48000.0);
    // Bypassed, the plug-in hands back exactly the tool's noise, written as float.
    EXPECT_TRUE (bitIdentical (host::makeSignal (host::SignalKind::noise, 2, 24000, 48000.0, {}), written));

    EXPECT_EQ (runTool ({ "render", plugin }).first, 2); // no --out
    EXPECT_EQ (runTool ({ "editor", plugin }).first, 2); // no --screenshot
    EXPECT_EQ (runTool ({ "info", plugin, "--param", "Phaser Depth" }).first, 2);
    EXPECT_EQ (runTool ({ "render", plugin, "--out", wav.getFullPathName(), "--random-blocks", "9:3" }).first, 2);
    EXPECT_EQ (runTool ({ "info", plugin, "--param", "No Such Parameter=0.5" }).first, 1);
    EXPECT_EQ (runTool ({ "info", juce::File ("~/missing.so").getFullPathName() }).first, 1);
}

} // namespace ondrel::hosttests
