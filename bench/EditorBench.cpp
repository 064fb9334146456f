// The editor's cost beside JUCE's generic parameter editor on the same
// processor: construction plus a first full paint into an image, and one
// repaint after a parameter change. Ratios are printed at the end.

#include "editor/OndrelAudioProcessorEditor.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <set>

namespace
{
OndrelAudioProcessor* processorUnderTest = nullptr;

OndrelAudioProcessor& sharedProcessor() { return *processorUnderTest; }

std::unique_ptr<juce::AudioProcessorEditor> makeEditor (bool generic, int w, int h)
{
    auto& p = sharedProcessor();
    // The stored size, so that opening at it writes no settings file.
    p.windowWidth = w;
    p.windowHeight = h;
    std::unique_ptr<juce::AudioProcessorEditor> e;
    if (generic)
        e = std::make_unique<juce::GenericAudioProcessorEditor> (p);
    else
        e = std::make_unique<OndrelAudioProcessorEditor> (p);
    e->setSize (w, h);
    return e;
}

// Messages the editors leave behind (deferred updates) are handled outside the timing.
void drainMessages() { juce::MessageManager::getInstance()->runDispatchLoopUntil (1); }

void openAndPaint (benchmark::State& state, bool generic, int w, int h)
{
    for (auto _ : state)
    {
        auto editor = makeEditor (generic, w, h);
        benchmark::DoNotOptimize (editor->createComponentSnapshot (editor->getLocalBounds()).getPixelAt (1, 1));
        editor.reset();
        state.PauseTiming();
        drainMessages();
        state.ResumeTiming();
    }
}

void repaintAfterChange (benchmark::State& state, bool generic)
{
    auto editor = makeEditor (generic, 718, 222);
    auto* fb = sharedProcessor().valueTreeState->getParameter ("phaser_fb");
    float value = 0.0f;
    drainMessages();

    for (auto _ : state)
    {
        value = value > 0.5f ? 0.1f : 0.9f;
        fb->setValueNotifyingHost (value);
        juce::MessageManager::getInstance()->runDispatchLoopUntil (0);
        benchmark::DoNotOptimize (editor->createComponentSnapshot (editor->getLocalBounds()).getPixelAt (1, 1));
    }
}

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns (const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns (runs);
        // CPU time: the generic editor's repaint waits on the message loop.
        for (const auto& run : runs)
        {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const auto name = run.run_name.function_name + "/" + run.run_name.args;
            if (median || (run.run_type == Run::RT_Iteration && medians.count (name) == 0))
                times[name] = run.GetAdjustedCPUTime();
            if (median)
                medians.insert (name);
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        auto& out = GetOutputStream();
        out << "\nOndrel editor / generic editor, CPU time (lower is better):\n";
        for (const auto& [name, t] : times)
            if (name.rfind ("ondrel", 0) == 0)
            {
                const auto yardstick = "generic" + name.substr (6);
                if (times.count (yardstick) != 0)
                    out << "  " << name << "  " << juce::String (t / times[yardstick], 2) << "\n";
            }
    }

private:
    std::map<std::string, double> times;
    std::set<std::string> medians;
};
} // namespace

BENCHMARK_CAPTURE (openAndPaint, ondrel_718x222, false, 718, 222)->Name ("ondrel_open_paint")->Arg (718)->Unit (benchmark::kMillisecond);
BENCHMARK_CAPTURE (openAndPaint, generic_718x222, true, 718, 222)->Name ("generic_open_paint")->Arg (718)->Unit (benchmark::kMillisecond);
BENCHMARK_CAPTURE (openAndPaint, ondrel_1436x444, false, 1436, 444)->Name ("ondrel_open_paint")->Arg (1436)->Unit (benchmark::kMillisecond);
BENCHMARK_CAPTURE (openAndPaint, generic_1436x444, true, 1436, 444)->Name ("generic_open_paint")->Arg (1436)->Unit (benchmark::kMillisecond);
BENCHMARK_CAPTURE (repaintAfterChange, ondrel, false)->Name ("ondrel_repaint")->Arg (718)->Unit (benchmark::kMillisecond);
BENCHMARK_CAPTURE (repaintAfterChange, generic, true)->Name ("generic_repaint")->Arg (718)->Unit (benchmark::kMillisecond);

int main (int argc, char** argv)
{
    // The processor keeps its settings under HOME: keep the user's untouched.
    const auto home = juce::File::createTempFile ("ondrel-bench-home");
    home.createDirectory();
    setenv ("HOME", home.getFullPathName().toRawUTF8(), 1);
    const juce::ScopedJuceInitialiser_GUI juceRuntime;

    benchmark::Initialize (&argc, argv);
    if (benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;

    {
        OndrelAudioProcessor processor;
        processorUnderTest = &processor;
        RatioReporter reporter;
        benchmark::RunSpecifiedBenchmarks (&reporter);
        benchmark::Shutdown();
    }
    home.deleteRecursively();
    return 0;
}
