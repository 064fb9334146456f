#pragma once

#include "KesParamBase.h"
#include "PluginSettingState.h"
#include "dsp/Phaser_engine.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

// The processor the host loads: identity, buses, the fourteen parameters and
// their mapping to the phaser, the audio loop, undo grouping and state.
class OndrelAudioProcessor : public juce::AudioProcessor,
                             public KesParamBase,
                             public PluginSettingState,
                             public juce::MultiTimer
{
public:
    OndrelAudioProcessor();
    ~OndrelAudioProcessor() override;

    const juce::String getName() const override;
    void prepareToPlay (double sampleRate, int samplesPerBlock) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;
    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;
    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;
    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    void parameterChanged (const juce::String& parameterID, float newValue) override;
    void timerCallback (int timerID) override;

    // The state element "ONDREL2": preset name, last preset folder and the
    // fourteen normalised parameter values.
    void saveStateToXML (juce::XmlElement& xml);
    void loadStateFromXML (juce::XmlElement* xml);
    juce::XmlElement getXmlStateForSaveingPreset();

    juce::String pluginVersion;
    float lastSampleRate;
    int lastBlockSize = 0;
    std::unique_ptr<Phaser_engine> phaserEngine;

private:
    static constexpr int kUndoTimer = 0;
    static constexpr int kUndoGroupingMs = 50;

    void createParameters();
    void applyToSoundPath (const juce::String& parameterID, float value);
    void followHostSampleRate();
    void fillEngineBuffers (const juce::AudioBuffer<float>& buffer, int numInputs, int numSamples, float inputGain);

    // The editor's dialogs check after their modal loops whether the host
    // closed the plug-in meanwhile.
    JUCE_DECLARE_WEAK_REFERENCEABLE (OndrelAudioProcessor)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OndrelAudioProcessor)
};
