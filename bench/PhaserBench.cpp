// Cost of the phaser per stereo frame, beside JUCE's own phaser in the same
// run. Every case copies a fixed noise block in before processing it, so the
// signal neither dies out nor builds up across iterations.

#include "dsp/Phaser_engine.h"
#include "processor/PluginProcessor.h"

#include <juce_dsp/juce_dsp.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <string>

namespace
{
constexpr int kBlock = 512;
const std::string kYardstick = "JuceDspPhaser";

juce::AudioBuffer<float> noiseBlock()
{
    juce::AudioBuffer<float> block (2, kBlock);
    juce::Random random (1);

    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < kBlock; ++i)
            block.setSample (c, i, random.nextFloat() - 0.5f);

    return block;
}

void countFrames (benchmark::State& state)
{
    state.SetItemsProcessed ((int64_t) state.iterations() * kBlock);
    state.counters["frame"] = benchmark::Counter (kBlock, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The engine as the audio loop drives it: detector max(L, R), envelope step,
// both units on their channel. Units at their constructor values except
// feedback 0.8 and the random waveform.
struct EngineCase
{
    explicit EngineCase (float rate) : engine (rate)
    {
        engine.setBufferSize (kBlock);

        for (auto* unit : { &engine.left(), &engine.right() })
        {
            unit->feedback = 0.8f;
            unit->lfo->waveform = 5;
        }
    }

    void fill()
    {
        for (int c = 0; c < 2; ++c)
            engine.workBuffer.copyFrom (c, 0, input, c, 0, kBlock);

        juce::FloatVectorOperations::max (engine.envelopeBuffer.getWritePointer (0), input.getReadPointer (0),
                                          input.getReadPointer (1), kBlock);
        engine.processEnvelope (kBlock);
    }

    Phaser_engine engine;
    const juce::AudioBuffer<float> input = noiseBlock();
};

void unitsSeparately (benchmark::State& state, float rate)
{
    EngineCase c (rate);
    auto& e = c.engine;

    for (auto _ : state)
    {
        c.fill();
        e.left().process_block (e.workBuffer.getWritePointer (0), e.envelopeBuffer.getWritePointer (0), kBlock);
        e.right().process_block (e.workBuffer.getWritePointer (1), e.envelopeBuffer.getWritePointer (0), kBlock);
        benchmark::DoNotOptimize (e.workBuffer.getReadPointer (1)[kBlock - 1]);
    }

    countFrames (state);
}

void unitsPaired (benchmark::State& state, float rate)
{
    EngineCase c (rate);
    auto& e = c.engine;

    for (auto _ : state)
    {
        c.fill();
        Phaser_unit::process_block_pair (e.left(), e.workBuffer.getWritePointer (0), e.right(),
                                         e.workBuffer.getWritePointer (1), e.envelopeBuffer.getReadPointer (0), kBlock);
        benchmark::DoNotOptimize (e.workBuffer.getReadPointer (1)[kBlock - 1]);
    }

    countFrames (state);
}

void ProcessorBlock (benchmark::State& state)
{
    // Constructing the processor writes its settings under $HOME.
    const auto home = juce::File::createTempFile ("ondrel-bench-home");
    home.createDirectory();
    setenv ("HOME", home.getFullPathName().toRawUTF8(), 1);
    unsetenv ("XDG_CONFIG_HOME");

    {
        juce::ScopedJuceInitialiser_GUI juce;
        OndrelAudioProcessor processor;

        const std::pair<const char*, float> settings[] = { { "phaser_fb", 0.8f }, { "env_todepth", 0.75f }, { "env_torate", 0.75f } };
        for (const auto& [id, value] : settings)
            processor.findParameter (id)->setValueNotifyingHost (value);

        processor.setRateAndBufferSizeDetails (44100.0, kBlock);
        processor.prepareToPlay (44100.0, kBlock);

        const auto input = noiseBlock();
        juce::AudioBuffer<float> buffer (2, kBlock);
        juce::MidiBuffer midi;

        for (auto _ : state)
        {
            buffer.makeCopyOf (input, true);
            processor.processBlock (buffer, midi);
            benchmark::DoNotOptimize (buffer.getReadPointer (1)[kBlock - 1]);
        }

        countFrames (state);
    }

    home.deleteRecursively();
}

void JuceDspPhaser (benchmark::State& state)
{
    juce::dsp::Phaser<float> phaser;
    phaser.prepare ({ 44100.0, (juce::uint32) kBlock, 2 });

    const auto input = noiseBlock();
    juce::AudioBuffer<float> buffer (2, kBlock);

    for (auto _ : state)
    {
        buffer.makeCopyOf (input, true);
        juce::dsp::AudioBlock<float> block (buffer);
        phaser.process (juce::dsp::ProcessContextReplacing<float> (block));
        benchmark::DoNotOptimize (buffer.getReadPointer (1)[kBlock - 1]);
    }

    countFrames (state);
}

// Prints ns per stereo frame of every case and its ratio to JUCE's phaser
// once the run is over (the median when repetitions are asked for).
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns (const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns (runs);

        for (const auto& run : runs)
        {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";

            if (run.run_type == Run::RT_Iteration || median)
            {
                const auto name = run.run_name.function_name + (run.run_name.args.empty() ? "" : "/" + run.run_name.args);

                if (median || medians.count (name) == 0)
                    nsPerFrame[name] = run.GetAdjustedRealTime() * multiplierToNs (run.time_unit) / kBlock;

                if (median)
                    medians[name] = true;
            }
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();

        if (nsPerFrame.count (kYardstick) == 0)
            return;

        const double yardstick = nsPerFrame[kYardstick];
        auto& out = GetOutputStream();
        out << "\nns per stereo frame, and ratio to " << kYardstick << " (lower is better):\n";

        for (const auto& [name, ns] : nsPerFrame)
            out << "  " << name << std::string (name.size() < 34 ? 34 - name.size() : 1, ' ')
                << juce::String (ns, 2) << " ns   " << juce::String (ns / yardstick, 3) << "\n";
    }

private:
    static double multiplierToNs (benchmark::TimeUnit unit)
    {
        switch (unit)
        {
            case benchmark::kSecond: return 1e9;
            case benchmark::kMillisecond: return 1e6;
            case benchmark::kMicrosecond: return 1e3;
            default: return 1.0;
        }
    }

    std::map<std::string, double> nsPerFrame;
    std::map<std::string, bool> medians;
};
} // namespace

BENCHMARK_CAPTURE (unitsSeparately, 44100, 44100.0f);
BENCHMARK_CAPTURE (unitsPaired, 44100, 44100.0f);
BENCHMARK_CAPTURE (unitsSeparately, 22050, 22050.0f);
BENCHMARK_CAPTURE (unitsPaired, 22050, 22050.0f);
BENCHMARK (ProcessorBlock);
BENCHMARK (JuceDspPhaser);

int main (int argc, char** argv)
{
    benchmark::Initialize (&argc, argv);

    if (benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks (&reporter);
    benchmark::Shutdown();
    return 0;
}
