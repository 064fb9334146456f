#include "PluginProcessor.h"

#include <cmath>

namespace
{
constexpr float kWetInputScale = 0.7f;
constexpr float kWetOutputScale = 1.7f;
} // namespace

void OndrelAudioProcessor::followHostSampleRate()
{
    const double rate = getSampleRate();

    // A host rate of 0, below 0 or not a number would build units that only
    // produce NaN; the units stay at the last usable rate instead.
    if (! (rate > 0.0 && std::isfinite (rate)) || rate == (double) lastSampleRate)
        return;

    lastSampleRate = (float) rate;
    phaserEngine->sampleRate = lastSampleRate;
    phaserEngine->makePhaserUnits();

    for (int i = 0; i < paramIDs.size(); ++i)
        parameterChanged (paramIDs[i], parameters[i]->convertFrom0to1 (parameters[i]->getValue()));
}

void OndrelAudioProcessor::prepareToPlay (double, int samplesPerBlock)
{
    followHostSampleRate();

    samplesPerBlock = juce::jmax (0, samplesPerBlock);

    if (lastBlockSize != samplesPerBlock)
    {
        phaserEngine->setBufferSize (samplesPerBlock);
        lastBlockSize = samplesPerBlock;
    }
}

void OndrelAudioProcessor::releaseResources()
{
    followHostSampleRate();
}

void OndrelAudioProcessor::fillEngineBuffers (const juce::AudioBuffer<float>& buffer, int numInputs,
                                              int numSamples, float inputGain)
{
    Phaser_engine& engine = *phaserEngine;
    float* envelope = engine.envelopeBuffer.getWritePointer (0);

    if (numInputs == 2)
    {
        for (int c = 0; c < 2; ++c)
        {
            const float* in = buffer.getReadPointer (c);
            juce::FloatVectorOperations::copyWithMultiply (engine.workBuffer.getWritePointer (c), in, inputGain, numSamples);
            juce::FloatVectorOperations::copy (engine.dryBuffer.getWritePointer (c), in, numSamples);
        }

        // The larger signed sample, not the larger magnitude.
        juce::FloatVectorOperations::max (envelope, buffer.getReadPointer (0), buffer.getReadPointer (1), numSamples);
    }
    else if (numInputs == 1)
    {
        const float* in = buffer.getReadPointer (0);

        for (int c = 0; c < 2; ++c)
        {
            juce::FloatVectorOperations::copyWithMultiply (engine.workBuffer.getWritePointer (c), in, inputGain, numSamples);
            juce::FloatVectorOperations::copy (engine.dryBuffer.getWritePointer (c), in, numSamples);
        }

        juce::FloatVectorOperations::copy (envelope, in, numSamples);
    }
    else
    {
        // Any other layout: silence, rather than whatever the last block left.
        for (int c = 0; c < 2; ++c)
        {
            juce::FloatVectorOperations::clear (engine.workBuffer.getWritePointer (c), numSamples);
            juce::FloatVectorOperations::clear (engine.dryBuffer.getWritePointer (c), numSamples);
        }

        juce::FloatVectorOperations::clear (envelope, numSamples);
    }
}

void OndrelAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    const int numSamples = buffer.getNumSamples();
    const int numChannels = buffer.getNumChannels();
    const int numInputs = juce::jmin (getTotalNumInputChannels(), numChannels);
    const int numOutputs = juce::jmin (getTotalNumOutputChannels(), numChannels);

    for (int c = numInputs; c < numOutputs; ++c)
        buffer.clear (c, 0, numSamples);

    Phaser_engine& engine = *phaserEngine;

    if (numSamples != lastBlockSize)
    {
        engine.setBufferSize (numSamples);
        lastBlockSize = numSamples;
    }

    processMidiControllers (midi, numSamples);

    // Targets set since the last block (controllers included) take effect
    // before the smoothers step.
    engine.applyPendingTargets();

    if (engine.isBypassed)
        return;

    const float inputGain = engine.inputGainSmoother->getNextValue();

    if (numSamples > 0)
    {
        fillEngineBuffers (buffer, numInputs, numSamples, inputGain);
        engine.processEnvelope (numSamples);
        engine.workBuffer.applyGain (0, numSamples, kWetInputScale);

        Phaser_unit::process_block_pair (engine.left(), engine.workBuffer.getWritePointer (0),
                                         engine.right(), engine.workBuffer.getWritePointer (1),
                                         engine.envelopeBuffer.getReadPointer (0), numSamples);
    }

    const float outputGain = engine.outputGainSmoother->getNextValue() * kWetOutputScale;
    engine.workBuffer.applyGain (0, numSamples, outputGain);

    const float wet = engine.dryWetSmoother->getNextValue();
    engine.dryBuffer.applyGain (0, numSamples, 1.0f - wet);

    for (int c = 0; c < 2; ++c)
        engine.dryBuffer.addFrom (c, 0, engine.workBuffer, c, 0, numSamples, wet);

    if (numSamples > 0)
        for (int c = 0; c < juce::jmin (2, numChannels); ++c)
            buffer.copyFrom (c, 0, engine.dryBuffer, c, 0, numSamples);
}
