// ondrel-rawhost: loads a VST2 plug-in with no framework on the host side,
// prints what it reports, runs a sine through it and counts the calls the
// plug-in made to the host, by opcode.

#include "RawPlugin.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace
{
    using namespace vst2;

    void printIdentity (ondrel::rawhost::RawPlugin& plugin)
    {
        auto& effect = plugin.getEffect();
        const auto id = (unsigned) effect.uniqueID;

        std::printf ("name:            %s\n", plugin.dispatchText (effGetEffectName).c_str());
        std::printf ("vendor:          %s\n", plugin.dispatchText (effGetVendorString).c_str());
        std::printf ("product:         %s\n", plugin.dispatchText (effGetProductString).c_str());
        std::printf ("vendor version:  %ld\n", (long) plugin.dispatch (effGetVendorVersion));
        std::printf ("unique ID:       %c%c%c%c (%d)\n", (char) (id >> 24), (char) (id >> 16), (char) (id >> 8), (char) id, effect.uniqueID);
        std::printf ("channels:        %d in, %d out\n", effect.numInputs, effect.numOutputs);
        std::printf ("programs:        %d\n", effect.numPrograms);
        std::printf ("flags:           0x%lx\n", (unsigned long) effect.flags);
        std::printf ("category:        %ld\n", (long) plugin.dispatch (effGetPlugCategory));
        std::printf ("MIDI in:         canDo %d\n", plugin.canDo ("receiveVstMidiEvent"));
        std::printf ("parameters:      %d\n", effect.numParams);

        for (int i = 0; i < effect.numParams; ++i)
            std::printf ("  %3d  %-24s value %-12.9g label \"%s\"  text \"%s\"\n", i,
                         plugin.dispatchText (effGetParamName, i).c_str(), (double) plugin.getParameter (i),
                         plugin.dispatchText (effGetParamLabel, i).c_str(),
                         plugin.dispatchText (effGetParamDisplay, i).c_str());
    }

    // One second of a 440 Hz sine on every input; returns the largest |out - in|.
    float processSine (ondrel::rawhost::RawPlugin& plugin)
    {
        constexpr double rate = 44100.0;
        constexpr int block = 512;
        auto& effect = plugin.getEffect();
        const auto numIn = std::max (effect.numInputs, 1), numOut = std::max (effect.numOutputs, 1);
        std::vector<std::vector<float>> in ((size_t) numIn, std::vector<float> (block)), out ((size_t) numOut, std::vector<float> (block));
        std::vector<float*> inPtrs, outPtrs;

        for (auto& c : in)  inPtrs.push_back (c.data());
        for (auto& c : out) outPtrs.push_back (c.data());

        plugin.resume (rate, block);
        float largestChange = 0.0f;

        for (int start = 0; start < (int) rate; start += block)
        {
            for (auto& c : in)
                for (int i = 0; i < block; ++i)
                    c[(size_t) i] = (float) (0.5 * std::sin (2.0 * 3.141592653589793 * 440.0 * (start + i) / rate));

            plugin.processReplacing (inPtrs.data(), outPtrs.data(), block);

            for (int ch = 0; ch < std::min (numIn, numOut); ++ch)
                for (int i = 0; i < block; ++i)
                    largestChange = std::max (largestChange, std::abs (out[(size_t) ch][(size_t) i] - in[(size_t) ch][(size_t) i]));
        }

        plugin.suspend();
        return largestChange;
    }
}

int main (int argc, char* argv[])
{
    static const char* const usage =
        "usage: ondrel-rawhost PLUGIN.so\n"
        "Loads a VST2 plug-in with dlopen (a name without a slash is a file in the current\n"
        "folder), prints its name, vendor, IDs, channels, flags and parameters, runs one second\n"
        "of a 440 Hz sine through it and prints the largest change to the signal, then how many\n"
        "times the plug-in called the host for each host-callback opcode (\"opcode: calls\").\n"
        "Exit code: 0 done, 2 the command line is wrong, 1 the plug-in cannot be loaded.\n";
    const std::string arg = argc == 2 ? argv[1] : "";

    if (arg == "-h" || arg == "--help")
    {
        std::fputs (usage, stdout);
        return 0;
    }

    if (argc != 2 || arg.empty() || arg[0] == '-')
    {
        std::fputs (usage, stderr);
        return 2;
    }

    // dlopen searches the library path for a bare name, never the current folder.
    ondrel::rawhost::RawPlugin plugin (arg.find ('/') == std::string::npos ? "./" + arg : arg);

    if (! plugin.isOpen())
    {
        std::fprintf (stderr, "ondrel-rawhost: %s\n", plugin.getError().c_str());
        return 1;
    }

    printIdentity (plugin);
    std::printf ("1 s of sine:     largest |out - in| %g\n", (double) processSine (plugin));
    plugin.close();

    std::map<int, int> counts;

    for (const auto& call : plugin.getHostCalls())
        ++counts[call.opcode];

    std::printf ("host callback opcodes (opcode: calls):");

    for (const auto& [opcode, count] : counts)
        std::printf (" %d: %d", opcode, count);

    std::printf ("\n");
    return 0;
}
