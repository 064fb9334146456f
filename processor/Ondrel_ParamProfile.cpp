#include "Ondrel_ParamProfile.h"

Ondrel_ParamProfile::Ondrel_ParamProfile()
{
    add ("phaser_depth", "Phaser Depth", 1.0f, 0.5f);
    add ("phaser_rate", "Phaser Rate", 1.0f, 0.3f);
    add ("phaser_fb", "Phaser Feedback", 1.0f, 0.0f);
    add ("phaser_width", "Phaser Width", 1.0f, 0.5f);
    add ("filter_hp", "HP", 1.0f, 0.0f);
    add ("filter_lp", "LP", 1.0f, 1.0f);
    add ("lfo_wave", "LFO Waveform", 5.0f, 1.0f);
    add ("lfo_smooth", "LFO Smooth", 1.0f, 0.0f);
    add ("output_in", "Input", 1.0f, 0.5f);
    add ("output_out", "Output", 1.0f, 0.5f);
    add ("output_drywet", "Dry/Wet", 1.0f, 0.5f);
    add ("env_todepth", "Env To Phaser Depth", 1.0f, 0.5f);
    add ("env_torate", "Env To Phaser Rate", 1.0f, 0.5f);
    add ("bypass", "Bypass", 1.0f, 0.0f);
}

void Ondrel_ParamProfile::add (const char* id, const char* name, float end, float defaultValue)
{
    // Every range is linear and continuous, lfo_wave included: the sound
    // path truncates its 0..5 value to a waveform index.
    ids.add (id);
    names.add (name);
    ranges.add (juce::NormalisableRange<float> (0.0f, end, 0.0f, 1.0f, false));
    defaults.add (defaultValue);
}
