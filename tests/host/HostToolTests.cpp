// The ondrel-host program itself, run as a separate process the way a user
// runs it.

#include "HostedPlugin.h"
#include "ParameterProfile.h"
#include "Programs.h"
#include "Signals.h"
#include "WavFiles.h"

#include <cstring>

namespace ondrel::hosttests
{

namespace
{
    // The exit code (-1: not started, or killed) and what the tool printed.
    std::pair<int, juce::String> runTool (juce::StringArray args, const char* tool = ONDREL_HOST_TOOL)
    {
        args.insert (0, tool);
        std::pair<int, juce::String> result;
        result.first = windowhost::runProgram (args, result.second);
        return result;
    }

    // A string holding exactly these bytes, UTF-8 or not (a const char* is read as Latin-1).
    juce::String bytes (const char* text)
    {
        return juce::String (juce::CharPointer_UTF8 (text), juce::CharPointer_UTF8 (text + std::strlen (text)));
    }
}

TEST (HostTool, ListsTheIdentityAndRendersABypassedPlugin)
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
    juce::StringArray warnings;
    ASSERT_TRUE (host::readAudioFile (wav, written, writtenRate, warnings, error)) << error;
    EXPECT_EQ (writtenRate, 48000.0);
    // Bypassed, the plug-in hands back exactly the tool's noise, written as float.
    EXPECT_TRUE (bitIdentical (host::makeSignal (host::SignalKind::noise, 2, 24000, 48000.0, {}), written));
}

namespace
{
    // A WAV file: 'fmt ' and `extra` chunks, then a 'data' chunk announcing `claimed` bytes of which
    // `present` follow, every four bytes the float `fill`; `riff` 0 gives the true RIFF size.
    juce::MemoryBlock wav (int channels, int bits, juce::int64 claimed, int present, float fill = 0, int format = 1,
                           juce::int64 riff = 0, const juce::MemoryBlock& extra = {})
    {
        juce::MemoryOutputStream out;
        out << "RIFF";
        out.writeInt ((int) (riff != 0 ? riff : 36 + (juce::int64) extra.getSize() + claimed));
        out << "WAVEfmt ";
        out.writeInt (16);
        out.writeShort ((short) format);
        out.writeShort ((short) channels);
        out.writeInt (44100);
        out.writeInt (0); // bytes per second: unread
        out.writeShort ((short) (channels * bits / 8));
        out.writeShort ((short) bits);
        out << extra << "data";
        out.writeInt ((int) claimed);
        for (int i = 0; i < present / 4; ++i)
            out.writeFloat (fill);
        return out.getMemoryBlock();
    }

    // An AIFF file at 44100 Hz announcing `frames` 16-bit frames, with none present.
    juce::MemoryBlock aiff (int channels, juce::int64 frames)
    {
        juce::MemoryOutputStream out;
        out << "FORM";
        out.writeIntBigEndian ((int) (46 + frames * channels * 2));
        out << "AIFFCOMM";
        out.writeIntBigEndian (18);
        out.writeShortBigEndian ((short) channels);
        out.writeIntBigEndian ((int) frames);
        out.writeShortBigEndian (16);
        out.write ("\x40\x0e\xac\x44\0\0\0\0\0\0SSND", 14); // 44100 as an 80-bit float
        out.writeIntBigEndian ((int) (8 + frames * channels * 2));
        out.writeInt64 (0); // offset and block size
        return out.getMemoryBlock();
    }
}

// Bad input on the command line or in a file gets a clear error or a warning, never a crash, a
// hang or a partial file. Run in a folder of crafted files beside a link to the plug-in.
TEST (HostTool, MeetsBadInputWithAnErrorOrAWarningAndLeavesNoPartialFile)
{
    const juce::File folder ("~/bad-input"), previous = juce::File::getCurrentWorkingDirectory();
    const juce::ScopeGuard back { [previous] { previous.setAsCurrentWorkingDirectory(); } };
    ASSERT_TRUE (folder.createDirectory() && folder.setAsCurrentWorkingDirectory());
    ASSERT_TRUE (juce::File (ONDREL_PLUGIN_FILE).createSymbolicLink (folder.getChildFile ("Ondrel.so"), true));
    const std::pair<const char*, juce::MemoryBlock> files[] = {
        { "channels65535.wav", wav (65535, 16, 0, 4052) }, { "channels2881.wav", wav (2881, 16, 5762, 5762) },
        { "claims2GB.wav", wav (2, 16, 1LL << 31, 0) }, { "beyondRiff.wav", wav (2, 16, 4000, 4000, 0, 1, 36) },
        { "cut.wav", wav (2, 16, 4000, 1600) }, { "six.wav", wav (6, 16, 1200, 1200) },
        { "loud.wav", wav (2, 32, 35280, 35280, 3.4e38f, 3) }, // 0.1 s: the overflow takes a while
        { "smpl.wav", wav (2, 16, 4, 4, 0, 1, 0, { "smpl\xf0\xff\xff\x7f", 8 }) },
        { "channels65535.aiff", aiff (65535, 1) }, { "cut.aiff", aiff (2, 100) }, { "garbage.state", { "not a state", 11 } },
    };
    for (const auto& [name, bytes] : files)
        ASSERT_TRUE (folder.getChildFile (name).replaceWithData (bytes.getData(), bytes.getSize()));

    // Exit code 2: the command line is wrong; 1: an input file or the plug-in fails; 0: done, with a
    // warning when the input was not used whole. Options alone are given to a render into out.wav.
    // `writes`: the file a run that succeeds writes (its name's bytes as given), and no other.
    const struct { juce::StringArray args; int code; const char* says; bool raw = false; const char* writes = "out.wav"; } rows[] = {
        { { "--in", "channels65535.wav" }, 1, "65535 channels (this tool reads 1 to 64)" },
        { { "--in", "channels2881.wav" }, 1, "2881 channels" }, { { "--in", "channels65535.aiff" }, 1, "65535 channels" },
        { { "--in", "claims2GB.wav" }, 1, "announces 536870912 sample frames, more than the 134217728" },
        { { "--in", "beyondRiff.wav" }, 1, "its data (4000 bytes) runs past the 44 bytes the file says it has" },
        { { "--in", "smpl.wav" }, 1, "its 'smpl' chunk runs past the end of the file" },
        { { "--in", "missing.wav" }, 1, "missing.wav: no such file" },
        { { "--in", "cut.wav" }, 0, "cut.wav is shorter than its header says: read 400 sample frames (0.009 s) of 1000" },
        { { "--in", "cut.aiff" }, 0, "cut.aiff is shorter than its header says: read 0 sample frames (0.000 s) of 100" },
        { { "--in", "six.wav" }, 0, "six.wav has 6 channels; channels 3 to 6 left out" },
        { { "--in", "loud.wav", "--param", "Input=1" }, 0, " output samples are not finite (NaN or infinite)" },
        { { "--state", "garbage.state" }, 0, "the plug-in's state did not change when given" },
        { { "--state", "six.wav" }, 0, "six.wav: it did not take that state" },
        { { "--state", "/dev/zero" }, 1, "cannot read state from /dev/zero (a regular file, not empty, is needed)" },
        { { "--blocks", "2147483647" }, 2, "bad value for --blocks: \"2147483647\" (expected a list of whole numbers from 1 to 65536)" },
        { { "--blocks", "4294967297" }, 2, "--blocks: \"4294967297\"" },
        { { "--random-blocks", "1:2147483647" }, 2, "--random-blocks: \"1:2147483647\"" },
        { { "--random-blocks", "9:3" }, 2, "MIN <= MAX" },
        { { "--seconds", "99999999999999" }, 2, "--seconds: 1e+14 s at 44100 Hz is more than 134217728 samples" },
        { { "--rate", "768000.5" }, 2, "--rate: \"768000.5\" (expected a number from 1000 to 768000)" },
        { { "--channels", "2147483647" }, 2, "--channels: \"2147483647\" (expected a whole number from 1 to 2)" },
        { { "--param", "Dry/Wet=--1" }, 2, "--param: \"Dry/Wet=--1\"" }, { { "--param", "Dry/Wet=0.5.5" }, 2, "--param: " },
        { { "--param", "Dry/Wet=1e" }, 2, "--param: " }, { { "--param", "Dry/Wet=0.3-" }, 2, "--param: " },
        { { "--param", "Phaser Depth" }, 2, "--param: " }, { { "--param", "Dry/Wet=1.01" }, 2, "from 0 to 1" },
        { { "--param", "No Such Parameter=0.5" }, 2, "--param: the plug-in has no parameter \"No Such Parameter\"" },
        { { "--out", "no-folder/out.wav" }, 1, "cannot write " }, { { "render", "Ondrel.so" }, 2, "--out FILE is required" },
        { { "editor", "Ondrel.so" }, 2, "--screenshot FILE.png is required" }, { { "info", "missing.so" }, 1, "no such file" },
        { { "Ondrel.so" }, 0, "host callback opcodes (opcode: calls):", true },
        { { "missing.so" }, 1, "dlopen failed: ./missing.so: cannot open", true }, { {}, 2, "Exit code: 0 done, 2 ", true },
        { { "--state", "garbage.state", "--out", bytes ("Caf\xe9.wav") }, 0, "state did not change", false, "Caf\xe9.wav" },
        { { "--out", bytes ("\xc0\xae\xc0\xae\xc0\xafup.wav") }, 2, "bad value for --out: " },
        { { "--out", bytes ("\xae\xae\xafup.wav") }, 2, "bad value for --out: " },
    };
    for (const auto& row : rows)
    {
        juce::StringArray args;
        if (row.args[0].startsWith ("--"))
            args = { "render", "Ondrel.so", "--seconds", "0.1", "--out", "out.wav" };
        args.addArray (row.args);
        const auto [code, output] = runTool (args, row.raw ? ONDREL_RAWHOST_TOOL : ONDREL_HOST_TOOL);
        EXPECT_EQ (code, row.code) << args.joinIntoString (" ") << "\n" << output;
        const auto line = output.substring (0, output.indexOf (row.says)).fromLastOccurrenceOf ("\n", false, false);
        EXPECT_TRUE (output.contains (row.says) && (row.raw || row.code != 0 || line.startsWith ("warning: "))) << row.says;
        // The render wrote its file when it succeeded, and left no file at all otherwise (nor one folder up).
        const auto out = juce::File::createFileWithoutCheckingPath (folder.getFullPathName() + "/" + bytes (row.writes));
        EXPECT_EQ (out.existsAsFile() && out.deleteFile(), code == 0 && args.contains (bytes (row.writes))) << row.says;
        EXPECT_FALSE (folder.getSiblingFile ("up.wav").exists()) << row.says;
        EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), (int) std::size (files) + 1) << row.says;
    }
}

} // namespace ondrel::hosttests
