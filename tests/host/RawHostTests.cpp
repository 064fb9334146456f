// The plug-in through a host written on the bare VST2 interface. Opcodes
// that fst leaves unnumbered are sent by their standard numbers written out
// here, so a wrong number in our interface header cannot hide itself.

#include "ParameterProfile.h"
#include "RawPlugin.h"

#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

#include <algorithm>
#include <chrono>
#include <string>
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

    // effGetChunk and effSetChunk: index 0 for the bank, 1 for the current program.
    std::vector<char> getChunk (rawhost::RawPlugin& plugin, int isProgram)
    {
        void* data = nullptr;
        const auto size = plugin.dispatch (opGetChunk, isProgram, 0, &data);
        return data == nullptr || size <= 0 ? std::vector<char>() : std::vector<char> ((char*) data, (char*) data + size);
    }
    void setChunk (rawhost::RawPlugin& plugin, int isProgram, const std::vector<char>& chunk)
    { plugin.dispatch (opSetChunk, isProgram, (VstIntPtr) chunk.size(), (void*) chunk.data()); }

    // Framed as the plug-in frames its state: the magic 0x21324356 and the
    // text's length, both little-endian, the text, a zero byte.
    std::vector<char> framed (const std::string& text)
    {
        std::vector<char> chunk { 0x56, 0x43, 0x32, 0x21 };
        for (int shift = 0; shift < 32; shift += 8)
            chunk.push_back ((char) (text.size() >> shift));
        chunk.insert (chunk.end(), text.begin(), text.end());
        chunk.push_back (0);
        return chunk;
    }

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
            const auto channels = (size_t) std::max ({ plugin.getEffect().numInputs, plugin.getEffect().numOutputs, 2 });
            std::vector<std::vector<float>> in (channels, std::vector<float> (block)), out = in;
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
    };
}

TEST_F (RawHost, ReportsIdentityParametersPinsLayoutsAndQueriesByTheirStandardNumbers)
{
    const auto& effect = plugin.getEffect();
    // effSetSpeakerArrangement: the host's input arrangement with stereo out.
    const auto arrangeInput = [this] (int type, int channels) {
        VstSpeakerArrangement in { type, channels, {} }, out { kSpeakerArrStereo, 2, {} };
        return plugin.dispatch (effSetSpeakerArrangement, 0, (VstIntPtr) &in, &out);
    };
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
        // Mono in is taken; then stereo in again, for the pins below.
        { arrangeInput (kSpeakerArrMono, 1), 1 }, { arrangeInput (kSpeakerArrStereo, 2), 1 },
    };
    for (size_t row = 0; row < std::size (numbers); ++row)
        EXPECT_EQ (numbers[row].first, numbers[row].second) << "row " << row;

    for (int i = 0; i < std::min (effect.numParams, numParameters); ++i)
        EXPECT_TRUE (plugin.dispatchText (effGetParamName, i) == profile[(size_t) i].name
                     && plugin.dispatchText (effGetParamLabel, i) == profile[(size_t) i].name
                     && plugin.getParameter (i) == profile[(size_t) i].defaultValue) << "parameter " << i;

    // Active speaker pins, the left one stereo; a stereo plug-in has no third pin.
    for (const int opcode : { opGetInputProperties, opGetOutputProperties })
        for (int pin = 0; pin < 3; ++pin)
        {
            VstPinProperties properties {};
            EXPECT_EQ (plugin.dispatch (opcode, pin, 0, &properties), pin < 2 ? 1 : 0) << opcode << " pin " << pin;
            EXPECT_TRUE (pin == 2 || (properties.flags == (pinIsActive | pinUseSpeaker | (pin == 0 ? pinIsStereo : 0))
                                      && properties.arrangementType == kSpeakerArrStereo)) << opcode << " pin " << pin;
        }
}

// A session: audio with and without the bypass opcode, then chunks. Name and folder (with markup
// characters and non-ASCII letters; what is kept of them is the processor tests' concern) come only
// with a state, the values then from the host: digits that need all nine places, and one written in
// exponent form. The host hears only standard opcodes, and no automation from restored state.
TEST_F (RawHost, ASessionWithBypassAndChunksInTheSameAndAFreshInstanceSendsTheHostOnlyStandardOpcodes)
{
    plugin.resume (44100.0, block);
    EXPECT_FALSE (passesThrough (40)) << "the phaser left the audio untouched";

    EXPECT_EQ (plugin.dispatch (opSetBypass, 0, 1), 1);
    EXPECT_TRUE (passesThrough (20)) << "bypassed output differs from the input";
    EXPECT_EQ (plugin.dispatch (opSetBypass, 0, 0), 1);
    EXPECT_FALSE (passesThrough (20)) << "still bypassed";
    plugin.suspend();

    setChunk (plugin, 0, framed ("<ONDREL2 presetName=\"Kes &amp; Co &lt;&quot;first&quot;&gt; \xc3\xa4\" "
                                 "lastPresetFolderPath=\"/tmp/ondrel presets/K\xc3\xa4s &amp; more\"/>"));
    const float values[] { 0.123456789f, 0.987654321f, 0.333333343f, 1.0e-5f, 0.7071068f, 0.2718282f, 0.6f,
                           0.1414214f,   0.5772157f,   0.6931472f,   0.3010300f, 0.4342945f, 0.8660254f, 1.0f };
    const auto expectValues = [&] (rawhost::RawPlugin& p) {
        for (int i = 0; i < numParameters; ++i)
            EXPECT_EQ (p.getParameter (i), values[i]) << "parameter " << i;
    };
    for (int i = 0; i < numParameters; ++i)
        plugin.setParameter (i, values[i]);

    const auto bank = getChunk (plugin, 0);
    ASSERT_FALSE (bank.empty()) << "the plug-in returned no chunk";
    EXPECT_EQ (getChunk (plugin, 1), bank);

    for (int isProgram : { 0, 1 })
    {
        setChunk (plugin, 0, framed (R"(<ONDREL2 presetName="second" lastPresetFolderPath="/srv/other"/>)"));
        const auto callsBefore = plugin.getHostCalls().size();
        setChunk (plugin, isProgram, bank);
        expectValues (plugin);
        EXPECT_EQ (getChunk (plugin, 0), bank);
        std::this_thread::sleep_for (std::chrono::milliseconds (200)); // the plug-in's own message thread
        const auto calls = plugin.getHostCalls();
        for (auto call = calls.begin() + (long) callsBefore; call != calls.end(); ++call)
            EXPECT_TRUE (call->opcode != hostAutomate && call->opcode != hostBeginEdit && call->opcode != hostEndEdit)
                << "the host was sent opcode " << call->opcode << " for parameter " << call->index;
    }

    rawhost::RawPlugin fresh { ONDREL_PLUGIN_FILE };
    setChunk (fresh, 0, bank);
    expectValues (fresh);
    EXPECT_EQ (getChunk (fresh, 0), bank) << "the fresh instance saves a different chunk";

    plugin.close();
    const auto calls = plugin.getHostCalls();
    ASSERT_FALSE (calls.empty());
    EXPECT_EQ (calls.front().opcode, audioMasterVersion) << "the plug-in must ask the host's version first";
    for (const auto& call : calls)
        EXPECT_LE (call.opcode, 100000) << "placeholder opcode sent to the host (index " << call.index << ")";
}

} // namespace ondrel::hosttests
