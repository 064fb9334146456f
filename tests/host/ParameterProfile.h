#pragma once

// What a host must see of Ondrel: identity and the fourteen parameters in
// host order. Plain C++, shared by the tests of both hosts.

#include <array>

namespace ondrel::hosttests
{

constexpr const char *pluginName = "Ondrel", *vendorName = "Kesmark";
constexpr int uniqueId = ('k' << 24) | ('s' << 16) | ('0' << 8) | '4', vendorVersion = 200;
constexpr int numParameters = 14, phaserFeedback = 2, bypass = 13;

// The display name, which is also the label, and the normalised default. The
// waveform parameter spans 0..5, so its default 1 is 1/5 normalised.
struct ProfileEntry { const char* name; float defaultValue; };
inline const std::array<ProfileEntry, numParameters> profile { {
    { "Phaser Depth", 0.5f }, { "Phaser Rate", 0.3f }, { "Phaser Feedback", 0.0f }, { "Phaser Width", 0.5f },
    { "HP", 0.0f }, { "LP", 1.0f }, { "LFO Waveform", 1.0f / 5.0f }, { "LFO Smooth", 0.0f },
    { "Input", 0.5f }, { "Output", 0.5f }, { "Dry/Wet", 0.5f },
    { "Env To Phaser Depth", 0.5f }, { "Env To Phaser Rate", 0.5f }, { "Bypass", 0.0f },
} };

} // namespace ondrel::hosttests
