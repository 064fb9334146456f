#include "PluginProcessor.h"

#include "editor/OndrelAudioProcessorEditor.h"

OndrelAudioProcessor::OndrelAudioProcessor()
    : juce::AudioProcessor (BusesProperties().withInput ("Input", juce::AudioChannelSet::stereo())
                                              .withOutput ("Output", juce::AudioChannelSet::stereo())),
      pluginVersion ("2.0.0"),
      lastSampleRate (getSampleRate() > 0.0 ? (float) getSampleRate() : 44100.0f)
{
    // The engine exists before any parameter, so the parameterChanged calls
    // made while the parameters are created always find it.
    auto engine = std::make_unique<Phaser_engine> (lastSampleRate);
    phaserEngine = std::move (engine);

    valueTreeState = std::make_unique<juce::AudioProcessorValueTreeState> (*this, undoManager.get());
    createParameters();
    valueTreeState->state = juce::ValueTree ("ONDREL");

    learnableParamIDs = paramIDs;

    readSettingFile();
    getMidiTableSetting();

    // The parameterChanged calls above started the undo timer; a new
    // processor has none running.
    juce::MultiTimer::stopTimer (kUndoTimer);
}

OndrelAudioProcessor::~OndrelAudioProcessor()
{
    // No parameterChanged may run into the engine, the tree or the undo
    // timer once they start to go: the tree calls no listener after it is removed.
    for (const auto& id : paramIDs)
        valueTreeState->removeParameterListener (id, this);

    juce::MultiTimer::stopTimer (kUndoTimer);
    phaserEngine.reset();
    valueTreeState.reset();
}

void OndrelAudioProcessor::createParameters()
{
    paramIDs.resize (paramProfile->size());

    for (int i = 0; i < paramProfile->size(); ++i)
    {
        const auto& id = paramProfile->ids.getReference (i);
        const auto& name = paramProfile->names.getReference (i);
        const float defaultValue = paramProfile->defaults[i];

        auto* parameter = valueTreeState->createAndAddParameter (
            std::make_unique<juce::AudioProcessorValueTreeState::Parameter> (
                juce::ParameterID (id), name, paramProfile->ranges[i], defaultValue,
                juce::AudioProcessorValueTreeStateParameterAttributes().withLabel (name)));

        valueTreeState->addParameterListener (id, this);
        paramIDs.set (i, id);
        parameters.add (parameter);
        parameterChanged (id, defaultValue);
    }
}

void OndrelAudioProcessor::timerCallback (int timerID)
{
    if (timerID != kUndoTimer)
        return;

    // The parameter tree writes values into its state (and so into the undo
    // manager) on a timer of its own: flush it first, so that the burst just
    // ended lands in this transaction and not in the next.
    valueTreeState->copyState();
    undoManager->beginNewTransaction();
    juce::MultiTimer::stopTimer (kUndoTimer);
}

// Stereo out from a mono or stereo input. Without a check of its own the
// framework's VST2 client would announce 64 inputs and 64 outputs to hosts.
bool OndrelAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto input = layouts.getMainInputChannelSet();

    return layouts.getMainOutputChannelSet() == juce::AudioChannelSet::stereo()
        && (input == juce::AudioChannelSet::stereo() || input == juce::AudioChannelSet::mono());
}

const juce::String OndrelAudioProcessor::getName() const { return "Ondrel"; }
double OndrelAudioProcessor::getTailLengthSeconds() const { return 0.0; }
bool OndrelAudioProcessor::acceptsMidi() const { return true; }
bool OndrelAudioProcessor::producesMidi() const { return false; }
int OndrelAudioProcessor::getNumPrograms() { return 1; }
int OndrelAudioProcessor::getCurrentProgram() { return 0; }
void OndrelAudioProcessor::setCurrentProgram (int) {}
const juce::String OndrelAudioProcessor::getProgramName (int) { return {}; }
void OndrelAudioProcessor::changeProgramName (int, const juce::String&) {}

bool OndrelAudioProcessor::hasEditor() const { return true; }

juce::AudioProcessorEditor* OndrelAudioProcessor::createEditor()
{
    return new OndrelAudioProcessorEditor (*this);
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new OndrelAudioProcessor();
}
