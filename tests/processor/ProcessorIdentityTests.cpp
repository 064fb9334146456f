#include "TestSupport.h"

#include <atomic>

using namespace ondrel_test;

namespace
{
struct ProfileRow
{
    const char* id;
    const char* name;
    float end;
    float ownDefault;
};

const ProfileRow kProfile[kNumParameters] = {
    { "phaser_depth", "Phaser Depth", 1.0f, 0.5f },
    { "phaser_rate", "Phaser Rate", 1.0f, 0.3f },
    { "phaser_fb", "Phaser Feedback", 1.0f, 0.0f },
    { "phaser_width", "Phaser Width", 1.0f, 0.5f },
    { "filter_hp", "HP", 1.0f, 0.0f },
    { "filter_lp", "LP", 1.0f, 1.0f },
    { "lfo_wave", "LFO Waveform", 5.0f, 1.0f },
    { "lfo_smooth", "LFO Smooth", 1.0f, 0.0f },
    { "output_in", "Input", 1.0f, 0.5f },
    { "output_out", "Output", 1.0f, 0.5f },
    { "output_drywet", "Dry/Wet", 1.0f, 0.5f },
    { "env_todepth", "Env To Phaser Depth", 1.0f, 0.5f },
    { "env_torate", "Env To Phaser Rate", 1.0f, 0.5f },
    { "bypass", "Bypass", 1.0f, 0.0f },
};

// Counts the undo-grouping callbacks.
class CountingProcessor : public OndrelAudioProcessor
{
public:
    explicit CountingProcessor (std::atomic<int>& c) : callbacks (c) {}

    void timerCallback (int timerID) override
    {
        if (timerID == 0)
            ++callbacks;

        OndrelAudioProcessor::timerCallback (timerID);
    }

    std::atomic<int>& callbacks;
};

int transactions (OndrelAudioProcessor& p) { return p.undoManager->getUndoDescriptions().size(); }

using ProcessorIdentity = ProcessorTest;
using ProcessorParameters = ProcessorTest;
using ProcessorConstruction = ProcessorTest;
using UndoGrouping = ProcessorTest;
} // namespace

TEST_F (ProcessorIdentity, AnswersTheHostsFixedQuestions)
{
    OndrelAudioProcessor p;

    EXPECT_EQ (p.getName(), "Ondrel");
    EXPECT_EQ (p.getTailLengthSeconds(), 0.0);
    EXPECT_TRUE (p.acceptsMidi());
    EXPECT_FALSE (p.producesMidi());
    EXPECT_TRUE (p.hasEditor());
    EXPECT_EQ (p.getNumPrograms(), 1);
    EXPECT_EQ (p.getCurrentProgram(), 0);

    for (int index : { -1, 0, 1, 99 })
        EXPECT_TRUE (p.getProgramName (index).isEmpty()) << index;
}

TEST_F (ProcessorIdentity, ProgramCallsChangeNothing)
{
    OndrelAudioProcessor p;
    const auto before = chunkOf (p);

    p.setCurrentProgram (3);
    p.changeProgramName (0, "Renamed");

    EXPECT_EQ (p.getCurrentProgram(), 0);
    EXPECT_TRUE (p.getProgramName (0).isEmpty());
    EXPECT_EQ (chunkOf (p), before);
}

TEST_F (ProcessorIdentity, HasOneStereoInputAndOneStereoOutputBus)
{
    OndrelAudioProcessor p;

    for (bool isInput : { true, false })
    {
        SCOPED_TRACE (isInput ? "input" : "output");
        ASSERT_EQ (p.getBusCount (isInput), 1);

        const auto* bus = p.getBus (isInput, 0);
        EXPECT_EQ (bus->getName(), isInput ? "Input" : "Output");
        EXPECT_EQ (bus->getDefaultLayout(), juce::AudioChannelSet::stereo());
    }
}

TEST_F (ProcessorParameters, FourteenInProfileOrderWithNamesLabelsRangesAndDefaults)
{
    OndrelAudioProcessor p;
    const auto& parameters = p.getParameters();
    ASSERT_EQ (parameters.size(), kNumParameters);

    juce::Array<juce::String> ids;

    for (int i = 0; i < kNumParameters; ++i)
    {
        const auto& row = kProfile[i];
        SCOPED_TRACE (row.id);

        auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (parameters[i]);
        ASSERT_NE (ranged, nullptr);

        EXPECT_EQ (ranged->paramID, row.id);
        EXPECT_EQ (ranged->getParameterIndex(), i);
        EXPECT_EQ (ranged->getName (100), row.name);
        EXPECT_EQ (ranged->getLabel(), row.name);

        const auto& range = ranged->getNormalisableRange();
        EXPECT_EQ (range.start, 0.0f);
        EXPECT_EQ (range.end, row.end);
        EXPECT_EQ (range.interval, 0.0f);
        EXPECT_EQ (range.skew, 1.0f);
        EXPECT_FALSE (range.symmetricSkew);

        EXPECT_EQ (ranged->getDefaultValue(), row.ownDefault / row.end);
        EXPECT_EQ (ranged->getValue(), ranged->getDefaultValue());
        EXPECT_EQ (ranged->convertFrom0to1 (ranged->getValue()), row.ownDefault);

        EXPECT_TRUE (ranged->isAutomatable());
        EXPECT_FALSE (ranged->isMetaParameter());
        EXPECT_FALSE (ranged->isDiscrete());
        EXPECT_EQ (ranged->getCategory(), juce::AudioProcessorParameter::genericParameter);

        ids.add (row.id);
    }

    EXPECT_EQ (p.paramIDs, ids);
    EXPECT_EQ (p.learnableParamIDs, ids);
}

TEST_F (ProcessorConstruction, LeavesTheDspAtTheDefaults)
{
    OndrelAudioProcessor p;
    const auto s = captureDsp (p);

    for (int i = 0; i < 2; ++i)
    {
        SCOPED_TRACE (i == 0 ? "left unit" : "right unit");
        const auto& u = s.units[i];

        EXPECT_EQ (u.sampleRate, 44100.0f);
        EXPECT_EQ (u.lfoDepth, 0.25f);
        EXPECT_NEAR (u.lfoRate, 0.0977933, 1e-7);
        EXPECT_NEAR (u.feedback, 0.0, 1e-7);
        EXPECT_EQ (u.offsetTarget, i == 0 ? 0.25f : 0.0f);
        EXPECT_FLOAT_EQ (u.hpCutoff, 80.0f);
        EXPECT_FLOAT_EQ (u.lpCutoff, 12000.0f);
        EXPECT_EQ (u.waveform, 1);
        EXPECT_NEAR (u.divisor, 4.41, 1e-5);
        EXPECT_EQ (u.envToDepth, 0.0f);
        EXPECT_EQ (u.envToRate, 0.0f);
    }

    EXPECT_EQ (s.inputGain, 1.0f);
    EXPECT_EQ (s.outputGain, 1.0f);
    EXPECT_EQ (s.dryWet, 0.5f);
    EXPECT_FALSE (s.bypassed);
}

TEST_F (ProcessorConstruction, StartsWithItsFieldsAndNoUndoHistory)
{
    std::atomic<int> callbacks { 0 };
    CountingProcessor p (callbacks);

    EXPECT_EQ (p.pluginVersion, "2.0.0");
    EXPECT_EQ (p.presetName.toString(), "Preset");
    EXPECT_TRUE (p.currentPresetPath.isEmpty());
    EXPECT_TRUE (p.lastPresetFolderPath.isEmpty());
    EXPECT_EQ (p.lastSampleRate, 44100.0f);
    EXPECT_EQ (p.lastBlockSize, 0);
    EXPECT_EQ (p.defaultWindowWidth, 718);
    EXPECT_EQ (p.defaultWindowHeight, 222);
    EXPECT_FALSE (p.undoManager->canUndo());

    // The fourteen default pushes started the undo timer; a new processor has none running.
    EXPECT_FALSE (undoTimer (p).isTimerRunning (0));
    pumpMessages (120);
    EXPECT_EQ (callbacks.load(), 0);
    EXPECT_EQ (transactions (p), 0);
}

TEST_F (UndoGrouping, ABurstOfChangesIsOneTransaction)
{
    std::atomic<int> callbacks { 0 };
    CountingProcessor p (callbacks);

    // Changes 15 ms apart: none of them may end the burst.
    for (int k = 1; k <= 6; ++k)
    {
        setNormalised (p, "phaser_depth", 0.1f * (float) k);
        setNormalised (p, "phaser_rate", 0.05f * (float) k);
        pumpMessages (15);
    }

    EXPECT_EQ (callbacks.load(), 0) << "the burst was split";
    ASSERT_TRUE (pumpUntil ([&] { return callbacks.load() > 0; }, 1000));
    pumpMessages (150);

    EXPECT_EQ (callbacks.load(), 1);
    EXPECT_EQ (transactions (p), 1);

    // One undo step takes the whole burst back.
    ASSERT_TRUE (p.undoManager->undo());
    EXPECT_EQ (normalised (p, "phaser_depth"), 0.5f);
    EXPECT_EQ (normalised (p, "phaser_rate"), 0.3f);
    EXPECT_EQ (p.phaserEngine->left().lfoDepth.get(), 0.25f);
}

TEST_F (UndoGrouping, ChangesMoreThanFiftyMillisecondsApartAreTwoTransactions)
{
    std::atomic<int> callbacks { 0 };
    CountingProcessor p (callbacks);

    setNormalised (p, "phaser_fb", 0.2f);
    pumpMessages (60);
    ASSERT_TRUE (pumpUntil ([&] { return callbacks.load() == 1; }, 1000));

    setNormalised (p, "phaser_fb", 0.7f);
    ASSERT_TRUE (pumpUntil ([&] { return callbacks.load() == 2; }, 1000));
    pumpMessages (150);

    EXPECT_EQ (callbacks.load(), 2);
    EXPECT_EQ (transactions (p), 2);

    ASSERT_TRUE (p.undoManager->undo());
    EXPECT_EQ (normalised (p, "phaser_fb"), 0.2f);
    ASSERT_TRUE (p.undoManager->undo());
    EXPECT_EQ (normalised (p, "phaser_fb"), 0.0f);
    ASSERT_TRUE (p.undoManager->redo());
    EXPECT_EQ (normalised (p, "phaser_fb"), 0.2f);
}

TEST_F (UndoGrouping, NoCallbackAfterDestruction)
{
    std::atomic<int> callbacks { 0 };

    {
        CountingProcessor p (callbacks);
        setNormalised (p, "phaser_width", 0.9f);
        EXPECT_TRUE (undoTimer (p).isTimerRunning (0));
        pumpMessages (10);
    }

    pumpMessages (150);
    EXPECT_EQ (callbacks.load(), 0);
}
