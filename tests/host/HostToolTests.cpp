// The ondrel-host program itself, run as a separate process the way a user
// runs it.

#include "HostedPlugin.h"
#include "ParameterProfile.h"
#include "Programs.h"
#include "Signals.h"
#include "WavFiles.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <cstring>

namespace ondrel::hosttests
{

namespace
{
    // The exit code (-1: not started, or killed) and what the tool printed. With `fileLimit` the
    // tool may write no file beyond that many bytes, as on a full disk (SIGXFSZ ignored, so that
    // the write fails rather than the tool).
    std::pair<int, juce::String> runTool (juce::StringArray args, const char* tool = ONDREL_HOST_TOOL,
                                          rlim_t fileLimit = RLIM_INFINITY)
    {
        args.insert (0, tool);
        rlimit normal {};
        getrlimit (RLIMIT_FSIZE, &normal);
        const auto xfsz = fileLimit != RLIM_INFINITY ? std::signal (SIGXFSZ, SIG_IGN) : SIG_ERR;
        const juce::ScopeGuard restore { [&] { if (xfsz != SIG_ERR) { setrlimit (RLIMIT_FSIZE, &normal); std::signal (SIGXFSZ, xfsz); } } };
        const rlimit limited { fileLimit, normal.rlim_max };
        std::pair<int, juce::String> result;
        if (fileLimit == RLIM_INFINITY || (xfsz != SIG_ERR && setrlimit (RLIMIT_FSIZE, &limited) == 0))
            result.first = windowhost::runProgram (args, result.second);
        else
            result = { -1, "cannot limit the file size" };
        return result;
    }

    // Every entry of `folder` (hidden ones too) as it stands: its kind, device number, size and a
    // regular file's bytes (a large one's modification time) or a link's target.
    juce::String describeEntries (const juce::File& folder)
    {
        juce::StringArray entries;
        for (const auto& entry : juce::RangedDirectoryIterator (folder, false, "*", juce::File::findFilesAndDirectories))
        {
            const auto& file = entry.getFile();
            struct stat info {};
            lstat (file.getFullPathName().toRawUTF8(), &info);
            auto line = file.getFileName() + " mode " + juce::String::toHexString ((int) info.st_mode) + " device "
                        + juce::String ((juce::int64) info.st_rdev) + " size " + juce::String ((juce::int64) info.st_size);
            if (S_ISLNK (info.st_mode))
                line << " -> " << file.getNativeLinkedTarget();
            else if (juce::MemoryBlock bytes; S_ISREG (info.st_mode) && info.st_size < (1 << 16) && file.loadFileAsData (bytes))
                line << " bytes " << juce::String::toHexString (bytes.getData(), (int) bytes.getSize(), 0);
            else
                line << " modified " << juce::String ((juce::int64) info.st_mtim.tv_sec) << "." << juce::String ((juce::int64) info.st_mtim.tv_nsec);
            entries.add (line);
        }
        entries.sort (false);
        return entries.joinIntoString ("\n");
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

// save-state writes through a link to the file it names, as render does: the link stays a link.
TEST (HostTool, SavesStateThroughALinkAndKeepsTheLink)
{
    const juce::File folder ("~/linked"), plain ("~/linked/plain.state"), target ("~/linked/target.state"),
        link ("~/linked/link.state");
    ASSERT_TRUE (folder.createDirectory() && target.replaceWithText ("old") && target.createSymbolicLink (link, true));
    const auto plugin = juce::File (ONDREL_PLUGIN_FILE).getFullPathName();
    ASSERT_EQ (runTool ({ "save-state", plugin, plain.getFullPathName() }).first, 0);
    ASSERT_EQ (runTool ({ "save-state", plugin, link.getFullPathName() }).first, 0);
    EXPECT_TRUE (link.isSymbolicLink() && link.getLinkedTarget() == target);
    juce::MemoryBlock expected, written;
    EXPECT_TRUE (plain.loadFileAsData (expected) && target.loadFileAsData (written) && expected.getSize() > 3 && written == expected);
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
        { "channels64.wav", wav (64, 16, 12800, 12800) }, { "old.wav", wav (2, 16, 8, 8, 0.5f) }, { "old.state", { "old state", 9 } },
        { "old.png", { "old picture", 11 } },
        // Written to a pipe: sox's placeholder sizes, and ffmpeg's (which also puts its name in a LIST chunk).
        { "sox.wav", wav (2, 16, 0x7ffff000, 4000) },
        { "ffmpeg.wav", wav (2, 16, 0xffffffff, 4000, 0, 1, 0xffffffff, { "LIST\x1a\0\0\0INFOISFT\x0e\0\0\0Lavf59.27.100", 34 }) },
        { "holdsTooMany.wav", wav (1, 8, 0xffffffff, 0, 0, 1, 0xffffffff) }, // made larger below
    };
    for (const auto& [name, bytes] : files)
        ASSERT_TRUE (folder.getChildFile (name).replaceWithData (bytes.getData(), bytes.getSize()));
    // One 8-bit frame more than the tool reads, behind the placeholder header (sparse: no space taken).
    ASSERT_EQ (truncate ("holdsTooMany.wav", 44 + (1 << 27) + 1), 0);
    ASSERT_TRUE (folder.getChildFile ("old.state").createSymbolicLink (folder.getChildFile ("link.state"), true));
    ASSERT_EQ (mkfifo ("fifo", 0644), 0);
    // Renaming over a device node replaces it: only root may make one (a null device here).
    const auto asRoot = geteuid() == 0;
    ASSERT_TRUE (! asRoot || mknod ("device", S_IFCHR | 0644, makedev (1, 3)) == 0);
    const auto entries = describeEntries (folder);

    // Exit code 2: the command line is wrong; 1: an input file or the plug-in fails; 0: done, with a
    // warning when the input was not used whole. Options alone are given to a render into out.wav.
    // With a file limit the tool writes no file larger than that many bytes: every crafted file, and
    // the one a link names, is then left as it was, byte for byte. `writes`: the file a run that
    // succeeds writes (its name's bytes as given), and no other.
    const struct { juce::StringArray args; int code; const char* says; bool raw = false; rlim_t fileLimit = RLIM_INFINITY;
                   const char* writes = "out.wav"; } rows[] = {
        { { "--in", "channels65535.wav" }, 1, "65535 channels (this tool reads 1 to 64)" },
        { { "--in", "channels2881.wav" }, 1, "2881 channels" }, { { "--in", "channels65535.aiff" }, 1, "65535 channels" },
        { { "--in", "claims2GB.wav" }, 0, "claims2GB.wav is shorter than its header says: read 0 sample frames (0.000 s) of 536870912" },
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
        { { "--rate", "768000.5" }, 2, "--rate: \"768000.5\" (expected a whole number from 1000 to 768000)" },
        { { "--rate", "22050.7" }, 2, "--rate: \"22050.7\"" },
        { { "--in", "cut.wav", "--rate", "48000" }, 2, "--rate 48000 is not the 44100 Hz of cut.wav" },
        { { "--in", "cut.wav", "--rate", "44100" }, 0, "cut.wav is shorter than its header says" },
        { { "--in", "cut.wav", "--signal", "noise" }, 2, "--signal is for a test signal, which is made only without --in" },
        { { "--in", "cut.wav", "--seconds", "1" }, 2, "--seconds is for a test signal" },
        { { "--blocks", "64", "--random-blocks", "1:9" }, 2, "--blocks and --random-blocks exclude each other" },
        { { "--random-blocks", "1:9", "--blocks", "64" }, 2, "--blocks and --random-blocks exclude each other" },
        { { "--out", "out.mp3" }, 2, "--out out.mp3: this tool writes WAV only, not .mp3" }, { { "--out", "o.FLAC" }, 2, "not .flac" },
        { { "--out", "out.ogg" }, 2, "not .ogg" }, { { "--out", "out.aif" }, 2, "not .aif" }, { { "--out", "out.aiff" }, 2, "not .aiff" },
        { { "info", "Ondrel.so", "--out", "out.wav" }, 2, "info does not take --out" },
        { { "load-state", "Ondrel.so", "garbage.state", "--param", "Dry/Wet=0.5" }, 2, "load-state does not take --param" },
        { { "editor", "Ondrel.so", "--screenshot", "x.png", "--rate", "48000" }, 2, "editor does not take --rate" },
        { { "--channels", "2147483647" }, 2, "--channels: \"2147483647\" (expected a whole number from 1 to 2)" },
        { { "--param", "Dry/Wet=--1" }, 2, "--param: \"Dry/Wet=--1\"" }, { { "--param", "Dry/Wet=0.5.5" }, 2, "--param: " },
        { { "--param", "Dry/Wet=1e" }, 2, "--param: " }, { { "--param", "Dry/Wet=0.3-" }, 2, "--param: " },
        { { "--param", "Phaser Depth" }, 2, "--param: " }, { { "--param", "Dry/Wet=1.01" }, 2, "from 0 to 1" },
        { { "--param", "No Such Parameter=0.5" }, 2, "--param: the plug-in has no parameter \"No Such Parameter\"" },
        { { "--out", "no-folder/out.wav" }, 1, "cannot write " }, { { "render", "Ondrel.so" }, 2, "--out FILE is required" },
        { { "editor", "Ondrel.so" }, 2, "--screenshot FILE.png is required" }, { { "info", "missing.so" }, 1, "no such file" },
        { { "Ondrel.so" }, 0, "host callback opcodes (opcode: calls):", true },
        { { "missing.so" }, 1, "dlopen failed: ./missing.so: cannot open", true }, { {}, 2, "Exit code: 0 done, 2 ", true },
        // Files written to a pipe, too many frames or channels, what is no regular file, a write cut short.
        { { "--in", "sox.wav" }, 0, "sox.wav is shorter than its header says: read 1000 sample frames (0.023 s) of 536869888" },
        { { "--in", "ffmpeg.wav" }, 0, "ffmpeg.wav is shorter than its header says: read 1000 sample frames (0.023 s) of 1073741823" },
        { { "--in", "holdsTooMany.wav" }, 1, "it holds 134217729 sample frames, more than the 134217728" },
        { { "--in", "channels64.wav" }, 0, "channels64.wav has 64 channels; channels 3 to 64 left out" },
        { { "--in", "fifo" }, 1, "fifo: not a regular file" }, { { "--out", "fifo" }, 1, "fifo: it exists and is not a regular file" },
        { { "--out", "device" }, 1, "device: it exists and is not a regular file" },
        { { "save-state", "Ondrel.so", "device" }, 1, "device: it exists and is not a regular file" },
        { { "editor", "Ondrel.so", "--screenshot", "fifo" }, 1, "fifo: it exists and is not a regular file" },
        // 14112 bytes of samples stay in the stream's buffer until it is closed; 35280 go in one write.
        { { "--out", "old.wav", "--seconds", "0.04" }, 1, "cannot write ", false, 4096 },
        { { "--out", "old.wav" }, 1, "cannot write ", false, 35000 },
        { { "save-state", "Ondrel.so", "old.state" }, 1, "cannot write ", false, 100 },
        { { "save-state", "Ondrel.so", "link.state" }, 1, "cannot write ", false, 100 },
        { { "editor", "Ondrel.so", "--screenshot", "old.png" }, 1, "cannot write ", false, 4096 },
        { { "--blocks", "0" }, 2, "bad value for --blocks: \"0\"" },
        // Options the render would not read.
        { { "--seed", "5" }, 2, "--seed does not apply to fixed blocks" },
        { { "--signal", "noise", "--frequency", "300" }, 2, "--frequency does not apply to this --signal" },
        { { "--noise-seed", "3" }, 2, "--noise-seed does not apply to this --signal" },
        { { "--signal", "silence", "--amplitude", "1" }, 2, "--amplitude does not apply to this --signal" },
        { { "--out", "a.wav", "--out", "b.wav" }, 2, "--out is given twice" },
        { { "--param", "Dry/Wet=0.5", "--param", "Bypass=1", "--state", "garbage.state" }, 0, "state did not change" },
        { { "--seconds", "175", "--rate", "768000" }, 2, "--seconds: 175 s at 768000 Hz is more than 134217728 samples" },
        { { "--verbose" }, 2, "usage: ondrel-rawhost PLUGIN.so", true },
        { { "--state", "garbage.state", "--out", bytes ("Caf\xe9.wav") }, 0, "state did not change", false, RLIM_INFINITY, "Caf\xe9.wav" },
        { { "--out", bytes ("\xc0\xae\xc0\xae\xc0\xafup.wav") }, 2, "bad value for --out: " },
        { { "--out", bytes ("\xae\xae\xafup.wav") }, 2, "bad value for --out: " },
        { { "save-state", "Ondrel.so", bytes ("\xc0\xae\xc0\xae\xc0\xafup.wav") }, 2, "save-state: bad FILE" },
    };
    for (const auto& row : rows)
    {
        if (row.args.contains ("device") && ! asRoot)
            continue;
        juce::StringArray args;
        if (! row.raw && row.args[0].startsWith ("--"))
            args = { "render", "Ondrel.so" };
        if (! row.raw && row.args[0].startsWith ("--") && ! row.args.contains ("--out"))
            args.addArray ({ "--out", "out.wav" });
        if (! row.raw && row.args[0].startsWith ("--") && ! row.args.contains ("--in") && ! row.args.contains ("--seconds"))
            args.addArray ({ "--seconds", "0.1" });
        args.addArray (row.args);
        // The editor opens on a private Xvfb display, which needs larger files than the limit: the
        // limit is set for the tool alone.
        const auto onDisplay = args[0] == "editor";
        if (onDisplay)
            args.insert (0, ONDREL_HOST_TOOL);
        if (onDisplay && row.fileLimit != RLIM_INFINITY)
        {
            juce::StringArray limited { "env", "--ignore-signal=XFSZ", "prlimit", "--fsize=" + juce::String ((juce::int64) row.fileLimit) };
            limited.addArray (args);
            args = limited;
        }
        const auto [code, output] = runTool (args, onDisplay ? ONDREL_WITH_XVFB : row.raw ? ONDREL_RAWHOST_TOOL : ONDREL_HOST_TOOL,
                                             onDisplay ? RLIM_INFINITY : row.fileLimit);
        EXPECT_EQ (code, row.code) << args.joinIntoString (" ") << "\n" << output;
        const auto line = output.substring (0, output.indexOf (row.says)).fromLastOccurrenceOf ("\n", false, false);
        EXPECT_TRUE (output.contains (row.says) && (row.raw || row.code != 0 || line.startsWith ("warning: "))) << row.says;
        // The render wrote its file when it succeeded, and left no file at all otherwise (nor one folder up).
        const auto out = juce::File::createFileWithoutCheckingPath (folder.getFullPathName() + "/" + bytes (row.writes));
        EXPECT_EQ (out.existsAsFile() && out.deleteFile(), code == 0 && args.contains (bytes (row.writes))) << row.says;
        EXPECT_FALSE (folder.getSiblingFile ("up.wav").exists()) << row.says;
        EXPECT_EQ (describeEntries (folder), entries) << row.says;
    }
}

// The editor command saves all of the editor at the size stored in the settings file, also what lies
// beyond the private display's 1600 x 1024 screen, and runs no other program, so a caller that ignores
// SIGCHLD (its child inherits that) does not matter. Panel samples 3 px inside the LFO panel's top left
// and the IN/OUT panel's bottom right corner at 718 x 222, scaled.
TEST (HostTool, SavesTheWholeEditorWhateverTheScreenAndTheIgnoredSignals)
{
    const juce::File settings ("~/.config/Application Support/Kesmark/Ondrel.settings"), png ("~/editor.png");
    const juce::ScopeGuard defaults { [settings] { settings.deleteFile(); } };
    const struct { int scale; bool ignoreSigchld; } rows[] = { { 1, true }, { 6, false } };
    for (const auto& row : rows)
    {
        const int width = 718 * row.scale, height = 222 * row.scale;
        juce::XmlElement stored ("ONDREL");
        stored.setAttribute ("window_width", width);
        stored.setAttribute ("window_height", height);
        ASSERT_TRUE (settings.getParentDirectory().createDirectory() && stored.writeTo (settings));
        juce::StringArray args;
        if (row.ignoreSigchld)
            args.addArray ({ "env", "--ignore-signal=CHLD" });
        args.addArray ({ ONDREL_HOST_TOOL, "editor", ONDREL_PLUGIN_FILE, "--screenshot", png.getFullPathName() });

        const auto [code, output] = runTool (args, ONDREL_WITH_XVFB);
        EXPECT_EQ (code, 0) << output;
        EXPECT_TRUE (output.contains ("editor " + juce::String (width) + " x " + juce::String (height))) << output;
        const auto picture = juce::ImageFileFormat::loadFrom (png);
        EXPECT_EQ (picture.getBounds(), juce::Rectangle<int> (width, height));
        EXPECT_EQ (picture.getPixelAt (6 * row.scale, 38 * row.scale), juce::Colour (0xfff05f40));
        EXPECT_EQ (picture.getPixelAt (710 * row.scale, 193 * row.scale), juce::Colour (0xffeb3c14));
        EXPECT_TRUE (png.deleteFile());
    }
}

} // namespace ondrel::hosttests
