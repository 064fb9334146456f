// The plug-in through a host written on the bare VST2 interface. Opcodes
// that fst leaves unnumbered are sent by their standard numbers written out
// here, so a wrong number in our interface header cannot hide itself.

#include "ParameterProfile.h"
#include "RawPlugin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace ondrel::hosttests
{

namespace
{
    using namespace vst2;

    constexpr int opGetChunk = 23, opSetChunk = 24, opGetInputProperties = 33, opGetOutputProperties = 34;
    constexpr int opSetBypass = 44, opGetTailSize = 52, opGetNumMidiInputChannels = 78, opGetNumMidiOutputChannels = 79;

    constexpr int hostAutomate = 0, hostBeginEdit = 43, hostEndEdit = 44;

    constexpr int pinIsActive = 1, pinIsStereo = 2, pinUseSpeaker = 4;

    constexpr int block = 512;

    class RawHost : public ::testing::Test
    {
    protected:
        rawhost::RawPlugin plugin { ONDREL_PLUGIN_FILE };
        unsigned seed = 1;

        void SetUp() override { ASSERT_TRUE (plugin.isOpen()) << plugin.getError(); }

        // Noise blocks through buffers for as many channels as the plug-in
        // declares (at least two); true when every stereo output equals its input.
        bool passesThrough (int numBlocks)
        {
            const auto& effect = plugin.getEffect();
            std::vector<std::vector<float>> in ((size_t) std::max (effect.numInputs, 2), std::vector<float> (block)),
                out ((size_t) std::max (effect.numOutputs, 2), std::vector<float> (block));
            std::vector<float*> ins, outs;
            for (auto& c : in) ins.push_back (c.data());
            for (auto& c : out) outs.push_back (c.data());
            bool unchanged = true;

            for (int b = 0; b < numBlocks; ++b)
            {
                for (auto& c : in)
                    for (auto& x : c)
                        x = (float) ((double) (seed = seed * 1664525u + 1013904223u) / 4294967296.0 - 0.5);
                plugin.processReplacing (ins.data(), outs.data(), block);
                unchanged = unchanged && in[0] == out[0] && in[1] == out[1];
            }
            return unchanged;
        }

        // effGetChunk: index 0 asks for the bank, 1 for the current program.
        std::vector<char> getChunk (int isProgram)
        {
            void* data = nullptr;
            const auto size = plugin.dispatch (opGetChunk, isProgram, 0, &data);
            return data == nullptr || size <= 0 ? std::vector<char>() : std::vector<char> ((char*) data, (char*) data + size);
        }

        void setAllParameters (float value, int count = numParameters)
        {
            for (int i = 0; i < count; ++i)
                plugin.setParameter (i, value);
        }

        // What the plug-in sent the host from call `from` on, its own message thread given time to deliver.
        std::vector<rawhost::HostCall> callsSince (size_t from)
        {
            std::this_thread::sleep_for (std::chrono::milliseconds (200));
            const auto calls = plugin.getHostCalls();
            return { calls.begin() + (long) std::min (from, calls.size()), calls.end() };
        }
    };
}

TEST_F (RawHost, ReportsIdentityParametersPinsAndQueriesByTheirStandardNumbers)
{
    const auto& effect = plugin.getEffect();
    EXPECT_EQ (plugin.dispatchText (effGetEffectName), pluginName);
    EXPECT_EQ (plugin.dispatchText (effGetProductString), pluginName);
    EXPECT_EQ (plugin.dispatchText (effGetVendorString), vendorName);

    const std::pair<VstIntPtr, VstIntPtr> numbers[] = {
        { plugin.dispatch (effGetVendorVersion), vendorVersion }, { effect.uniqueID, uniqueId },
        { effect.numInputs, 2 }, { effect.numOutputs, 2 }, { effect.numPrograms, 1 }, { effect.numParams, numParameters },
        { plugin.dispatch (effGetPlugCategory), kPlugCategEffect }, { plugin.canDo ("receiveVstMidiEvent"), 1 },
        { plugin.canDo ("receiveVstEvents"), 1 }, { plugin.dispatch (opGetTailSize), 0 },
        { plugin.dispatch (opGetNumMidiInputChannels), 16 }, { plugin.dispatch (opGetNumMidiOutputChannels), 0 },
        // Replacing, the state as a chunk, no synth.
        { effect.flags & (effFlagsCanReplacing | effFlagsProgramChunks | effFlagsIsSynth),
          effFlagsCanReplacing | effFlagsProgramChunks },
    };
    for (size_t row = 0; row < std::size (numbers); ++row)
        EXPECT_EQ (numbers[row].first, numbers[row].second) << "row " << row;

    for (int i = 0; i < std::min (effect.numParams, numParameters); ++i)
    {
        EXPECT_EQ (plugin.dispatchText (effGetParamName, i), profile[(size_t) i].name);
        EXPECT_EQ (plugin.dispatchText (effGetParamLabel, i), profile[(size_t) i].name);
        EXPECT_EQ (plugin.getParameter (i), profile[(size_t) i].defaultValue) << "parameter " << i;
    }

    // Active speaker pins, the left one stereo; a stereo plug-in has no third pin.
    for (const int opcode : { opGetInputProperties, opGetOutputProperties })
        for (int pin = 0; pin < 3; ++pin)
        {
            VstPinProperties properties {};
            EXPECT_EQ (plugin.dispatch (opcode, pin, 0, &properties), pin < 2 ? 1 : 0) << opcode << " pin " << pin;
            if (pin < 2)
            {
                EXPECT_TRUE (properties.flags == (pinIsActive | pinUseSpeaker | (pin == 0 ? pinIsStereo : 0))
                             && properties.arrangementType == kSpeakerArrStereo) << opcode << " pin " << pin;
            }
        }
}

TEST_F (RawHost, ASessionWithTheBypassOpcodeSendsTheHostOnlyStandardOpcodes)
{
    plugin.resume (44100.0, block);
    EXPECT_FALSE (passesThrough (40)) << "the phaser left the audio untouched";

    const auto chunk = getChunk (0);
    ASSERT_FALSE (chunk.empty()) << "the plug-in returned no chunk";
    setAllParameters (0.25f, numParameters - 1);
    passesThrough (10);
    plugin.dispatch (opSetChunk, 0, (VstIntPtr) chunk.size(), (void*) chunk.data());

    EXPECT_EQ (plugin.dispatch (opSetBypass, 0, 1), 1);
    EXPECT_TRUE (passesThrough (20)) << "bypassed output differs from the input";
    EXPECT_EQ (plugin.dispatch (opSetBypass, 0, 0), 1);
    EXPECT_FALSE (passesThrough (20)) << "still bypassed";
    plugin.suspend();

    std::this_thread::sleep_for (std::chrono::milliseconds (200)); // the plug-in's own message thread
    plugin.close();
    const auto calls = plugin.getHostCalls();
    ASSERT_FALSE (calls.empty());
    EXPECT_EQ (calls.front().opcode, audioMasterVersion) << "the plug-in must ask the host's version first";
    for (const auto& call : calls)
        EXPECT_LE (call.opcode, 100000) << "placeholder opcode sent to the host (index " << call.index << ")";
}

TEST_F (RawHost, ProgramAndBankChunksCarryTheWholeStateAndRestoringThemReportsNothingToTheHost)
{
    setAllParameters (0.25f);
    const auto bank = getChunk (0);
    ASSERT_FALSE (bank.empty()) << "the plug-in returned no chunk";
    EXPECT_EQ (getChunk (1), bank);

    for (int isProgram : { 0, 1 })
    {
        setAllParameters (0.75f);
        const auto callsBefore = plugin.getHostCalls().size();
        plugin.dispatch (opSetChunk, isProgram, (VstIntPtr) bank.size(), (void*) bank.data());
        for (int i = 0; i < numParameters; ++i)
            EXPECT_EQ (plugin.getParameter (i), 0.25f) << "parameter " << i;
        for (const auto& call : callsSince (callsBefore))
            EXPECT_TRUE (call.opcode != hostAutomate && call.opcode != hostBeginEdit && call.opcode != hostEndEdit)
                << "the host was sent opcode " << call.opcode << " for parameter " << call.index;
    }
}

} // namespace ondrel::hosttests
