// The plug-in through a host written on the bare VST2 interface. Opcodes
// that fst leaves unnumbered are sent by their standard numbers written out
// here, so a wrong number in our interface header cannot hide itself.

#include "ParameterProfile.h"
#include "RawPlugin.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

namespace ondrel::hosttests
{

namespace
{
    using namespace vst2;

    constexpr int opSetBypass = 44;
    constexpr int opGetTailSize = 52;
    constexpr int opGetNumMidiInputChannels = 78;
    constexpr int opGetNumMidiOutputChannels = 79;
    constexpr int opGetInputProperties = 33;
    constexpr int opGetOutputProperties = 34;
    constexpr int opGetChunk = 23;
    constexpr int opSetChunk = 24;

    constexpr int hostAutomate = 0, hostBeginEdit = 43, hostEndEdit = 44;

    constexpr int pinIsActive = 1, pinIsStereo = 2, pinUseSpeaker = 4;

    constexpr int block = 512;

    // Host-side buffers for as many channels as the plug-in declares (at
    // least two): a sine on the left input, noise on the right.
    class AudioIO
    {
    public:
        explicit AudioIO (const AEffect& effect)
            : inputs ((size_t) std::max (effect.numInputs, 2), std::vector<float> (block)),
              outputs ((size_t) std::max (effect.numOutputs, 2), std::vector<float> (block))
        {
            for (auto& c : inputs)  inputPointers.push_back (c.data());
            for (auto& c : outputs) outputPointers.push_back (c.data());
        }

        // Processes `numBlocks` blocks; true when every block's stereo output
        // equals its input bit for bit.
        bool process (rawhost::RawPlugin& plugin, int numBlocks)
        {
            bool unchanged = true;

            for (int b = 0; b < numBlocks; ++b, ++blockCount)
            {
                for (int i = 0; i < block; ++i)
                {
                    const auto n = blockCount * block + i;
                    inputs[0][(size_t) i] = (float) (0.5 * std::sin (2.0 * 3.141592653589793 * 440.0 * n / 44100.0));
                    seed = seed * 1664525u + 1013904223u;
                    inputs[1][(size_t) i] = (float) ((double) seed / 4294967296.0 - 0.5);
                }

                plugin.processReplacing (inputPointers.data(), outputPointers.data(), block);

                for (size_t ch = 0; ch < 2; ++ch)
                    unchanged = unchanged && std::memcmp (inputs[ch].data(), outputs[ch].data(), block * sizeof (float)) == 0;
            }

            return unchanged;
        }

    private:
        std::vector<std::vector<float>> inputs, outputs;
        std::vector<float*> inputPointers, outputPointers;
        int blockCount = 0;
        unsigned seed = 1;
    };

    class RawHost : public ::testing::Test
    {
    protected:
        rawhost::RawPlugin plugin { ONDREL_PLUGIN_FILE };

        void SetUp() override { ASSERT_TRUE (plugin.isOpen()) << plugin.getError(); }

        // effGetChunk: index 0 asks for the bank, 1 for the current program.
        std::vector<char> getChunk (int isProgram)
        {
            void* data = nullptr;
            const auto size = plugin.dispatch (opGetChunk, isProgram, 0, &data);

            if (data == nullptr || size <= 0)
                return {};

            return { static_cast<char*> (data), static_cast<char*> (data) + size };
        }

        void setChunk (int isProgram, std::vector<char> chunk)
        {
            plugin.dispatch (opSetChunk, isProgram, (VstIntPtr) chunk.size(), chunk.data());
        }

        void setAllParameters (float value)
        {
            for (int i = 0; i < numParameters; ++i)
                plugin.setParameter (i, value);
        }

        void expectAllParameters (float value)
        {
            for (int i = 0; i < numParameters; ++i)
                EXPECT_EQ (plugin.getParameter (i), value) << "parameter " << i;
        }
    };
}

TEST_F (RawHost, ReportsIdentityChannelsMidiAndPrograms)
{
    auto& effect = plugin.getEffect();

    EXPECT_EQ (plugin.dispatchText (effGetEffectName), pluginName);
    EXPECT_EQ (plugin.dispatchText (effGetProductString), pluginName);
    EXPECT_EQ (plugin.dispatchText (effGetVendorString), vendorName);
    EXPECT_EQ (plugin.dispatch (effGetVendorVersion), vendorVersion);
    EXPECT_EQ (effect.uniqueID, uniqueId);
    EXPECT_EQ (effect.numInputs, 2);
    EXPECT_EQ (effect.numOutputs, 2);
    EXPECT_EQ (effect.numPrograms, 1);
    EXPECT_EQ (plugin.dispatch (effGetPlugCategory), kPlugCategEffect);
    EXPECT_EQ (plugin.canDo ("receiveVstMidiEvent"), 1);
    EXPECT_EQ (plugin.canDo ("receiveVstEvents"), 1);
    EXPECT_NE (effect.flags & effFlagsCanReplacing, 0);
    EXPECT_NE (effect.flags & effFlagsProgramChunks, 0) << "the state travels as a chunk";
    EXPECT_EQ (effect.flags & effFlagsIsSynth, 0);
}

TEST_F (RawHost, ListsTheFourteenParametersWithNamesLabelsAndDefaults)
{
    ASSERT_EQ (plugin.getEffect().numParams, numParameters);

    for (int i = 0; i < numParameters; ++i)
    {
        SCOPED_TRACE ("parameter " + std::to_string (i));
        EXPECT_EQ (plugin.dispatchText (effGetParamName, i), profile[(size_t) i].name);
        EXPECT_EQ (plugin.dispatchText (effGetParamLabel, i), profile[(size_t) i].name);
        EXPECT_EQ (plugin.getParameter (i), profile[(size_t) i].defaultValue);
    }
}

TEST_F (RawHost, SetBypassOpcodePassesTheInputThroughAndReleasingItBringsThePhaserBack)
{
    AudioIO io (plugin.getEffect());
    plugin.resume (44100.0, block);

    EXPECT_FALSE (io.process (plugin, 40)) << "the phaser left the audio untouched";

    EXPECT_EQ (plugin.dispatch (opSetBypass, 0, 1), 1);
    EXPECT_TRUE (io.process (plugin, 20)) << "bypassed output differs from the input";

    EXPECT_EQ (plugin.dispatch (opSetBypass, 0, 0), 1);
    EXPECT_FALSE (io.process (plugin, 20)) << "still bypassed";
}

TEST_F (RawHost, AnswersTailAndMidiChannelQueriesByTheirStandardNumbers)
{
    EXPECT_EQ (plugin.dispatch (opGetTailSize), 0);
    EXPECT_EQ (plugin.dispatch (opGetNumMidiInputChannels), 16);
    EXPECT_EQ (plugin.dispatch (opGetNumMidiOutputChannels), 0);
}

TEST_F (RawHost, PinPropertiesFlagActiveSpeakerPinsAndTheLeftOneStereo)
{
    for (const int opcode : { opGetInputProperties, opGetOutputProperties })
    {
        SCOPED_TRACE (opcode == opGetInputProperties ? "input" : "output");

        for (int pin = 0; pin < 2; ++pin)
        {
            SCOPED_TRACE ("pin " + std::to_string (pin));
            VstPinProperties properties {};
            EXPECT_EQ (plugin.dispatch (opcode, pin, 0, &properties), 1);
            EXPECT_EQ (properties.flags, pin == 0 ? (pinIsActive | pinIsStereo | pinUseSpeaker)
                                                  : (pinIsActive | pinUseSpeaker));
            EXPECT_EQ (properties.arrangementType, kSpeakerArrStereo);
        }

        VstPinProperties third {};
        EXPECT_EQ (plugin.dispatch (opcode, 2, 0, &third), 0) << "a stereo plug-in has no third pin";
    }
}

TEST_F (RawHost, AWholeSessionSendsTheHostOnlyStandardOpcodes)
{
    AudioIO io (plugin.getEffect());
    plugin.resume (44100.0, block);
    io.process (plugin, 10);

    const auto chunk = getChunk (0);

    for (int i = 0; i < numParameters - 1; ++i)
        plugin.setParameter (i, 0.25f);

    io.process (plugin, 10);

    if (! chunk.empty())
        setChunk (0, chunk);

    plugin.dispatch (opSetBypass, 0, 1);
    io.process (plugin, 5);
    plugin.dispatch (opSetBypass, 0, 0);
    io.process (plugin, 5);
    plugin.suspend();

    // Let the plug-in's own message thread deliver what it queued for the host.
    std::this_thread::sleep_for (std::chrono::milliseconds (200));
    plugin.close();

    const auto calls = plugin.getHostCalls();
    ASSERT_FALSE (calls.empty());
    EXPECT_EQ (calls.front().opcode, audioMasterVersion) << "the plug-in must ask the host's version first";
    EXPECT_FALSE (chunk.empty()) << "the plug-in returned no chunk";

    for (const auto& call : calls)
        EXPECT_LE (call.opcode, 100000) << "placeholder opcode sent to the host (index " << call.index << ")";
}

TEST_F (RawHost, ProgramAndBankChunksCarryTheSameWholeState)
{
    setAllParameters (0.25f);
    const auto bank = getChunk (0);
    ASSERT_FALSE (bank.empty()) << "the plug-in returned no chunk";
    EXPECT_EQ (getChunk (1), bank);

    setAllParameters (0.75f);
    setChunk (1, bank);
    expectAllParameters (0.25f);
}

TEST_F (RawHost, RestoringAChunkDoesNotReportParameterChangesToTheHost)
{
    setAllParameters (0.25f);
    const auto chunk = getChunk (0);
    ASSERT_FALSE (chunk.empty()) << "the plug-in returned no chunk";
    setAllParameters (0.75f);

    const auto callsBefore = plugin.getHostCalls().size();
    setChunk (0, chunk);
    expectAllParameters (0.25f);

    // Reports would come through the plug-in's own message thread too.
    std::this_thread::sleep_for (std::chrono::milliseconds (200));
    const auto calls = plugin.getHostCalls();

    for (auto call = calls.begin() + (long) callsBefore; call != calls.end(); ++call)
        EXPECT_TRUE (call->opcode != hostAutomate && call->opcode != hostBeginEdit && call->opcode != hostEndEdit)
            << "the host was sent opcode " << call->opcode << " for parameter " << call->index;
}

} // namespace ondrel::hosttests
