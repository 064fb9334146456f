#include "LfoWaveformIndex.h"
#include "PluginProcessor.h"

#include <cmath>

namespace
{
// -40 dB at 0, unity at exactly 0.5, +12 dB at 1.
float gainForLevel (float v)
{
    float dB = 0.0f;

    if (v < 0.5f)
        dB = (40.0f * v) * 2.0f - 40.0f;
    else if (v > 0.5f)
        dB = ((v - 0.5f) * 12.0f) * 2.0f;

    return (float) std::pow (10.0, dB * 0.05);
}
} // namespace

void OndrelAudioProcessor::parameterChanged (const juce::String& parameterID, float newValue)
{
    // A non-finite value (a host may send one) keeps the sound path as it was.
    if (std::isfinite (newValue) && phaserEngine != nullptr)
        applyToSoundPath (parameterID, newValue);

    // Starting a running timer does not restart its count in the framework,
    // so stop it first: the burst's transaction ends 50 ms after its last change.
    juce::MultiTimer::stopTimer (kUndoTimer);
    juce::MultiTimer::startTimer (kUndoTimer, kUndoGroupingMs);
}

void OndrelAudioProcessor::applyToSoundPath (const juce::String& id, float v)
{
    Phaser_engine& engine = *phaserEngine;
    Phaser_unit* units[2] = { &engine.left(), &engine.right() };

    if (id == "phaser_depth")
    {
        for (auto* unit : units)
            unit->lfoDepth = v * v;
    }
    else if (id == "phaser_rate")
    {
        for (auto* unit : units)
            unit->lfoRate = expf (7.6009026f * v + (-4.6051702f));
    }
    else if (id == "phaser_fb")
    {
        for (auto* unit : units)
            unit->feedback = (expf ((1.0f - v) * 2.9957323f) - 1.0f) / -19.0f + 1.0f;
    }
    else if (id == "phaser_width")
    {
        // The left LFO runs up to half a cycle ahead; both cycles restart together.
        units[0]->lfo->setPhaseOffsetTarget (0.5f * v);
        units[0]->lfo->requestPhaseReset();
        units[1]->lfo->setPhaseOffsetTarget (0.0f);
        units[1]->lfo->requestPhaseReset();
    }
    else if (id == "filter_hp")
    {
        for (auto* unit : units)
            unit->setHpCf (v);
    }
    else if (id == "filter_lp")
    {
        for (auto* unit : units)
            unit->setLpCf (v);
    }
    else if (id == "output_in")
    {
        engine.setInputGainTarget (gainForLevel (v));
    }
    else if (id == "output_out")
    {
        engine.setOutputGainTarget (gainForLevel (v));
    }
    else if (id == "output_drywet")
    {
        engine.setDryWetTarget (v);
    }
    else if (id == "lfo_wave")
    {
        for (auto* unit : units)
            unit->lfo->waveform = lfoWaveformIndex (v);
    }
    else if (id == "lfo_smooth")
    {
        const float s = ((expf (2.9957323f * v) - 1.0f) / 19.0f) * 0.5f;
        const float c = s * s * 0.0799f + 0.0001f;

        for (auto* unit : units)
        {
            const float fs = unit->modSmoother->sampleRate;
            const float scaled = c * fs;
            unit->modSmoother->divisor = scaled < 1.0f ? 1.0f : juce::jmin (fs, scaled);
        }
    }
    else if (id == "env_todepth")
    {
        for (auto* unit : units)
            unit->envToDepth = (v + v) - 1.0f;
    }
    else if (id == "env_torate")
    {
        for (auto* unit : units)
            unit->envToRate = (v + v) - 1.0f;
    }
    else if (id == "bypass")
    {
        engine.isBypassed = v > 0.0f;
    }
}
