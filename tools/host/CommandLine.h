#pragma once

#include "BlockSchedule.h"
#include "Parameters.h"
#include "Signals.h"

#include <optional>
#include <vector>

namespace ondrel::host
{

constexpr double defaultSampleRate = 44100.0;

struct Options
{
    juce::String command;                       // info, render, save-state, load-state, editor
    juce::File plugin;
    juce::File stateFile;                       // save-state / load-state target
    juce::File initialState;                    // --state: restored before anything else
    std::vector<ParameterSetting> parameters;   // --param, applied after --state

    juce::File screenshot;                      // editor: the PNG to write

    // render
    juce::File input, output;
    SignalKind signal = SignalKind::sine;
    SignalOptions signalOptions;
    double seconds = 2.0;
    int channels = 0;                           // 0: as many as the plug-in needs
    std::optional<double> sampleRate;           // default: the input file's, else 44100
    std::vector<int> blockSizes { 512 };
    std::optional<std::pair<int, int>> randomBlocks;
    juce::int64 blockSeed = 1;

    BlockSchedule makeBlockSchedule() const;
};

// Parses the arguments after the program name; sets `error` when they make
// no complete command.
std::optional<Options> parseCommandLine (const juce::StringArray& args, juce::String& error);

juce::String getUsageText();

} // namespace ondrel::host
