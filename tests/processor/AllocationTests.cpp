#include "TestSupport.h"

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

// Global allocation functions that count the calls made on a thread while
// that thread has counting switched on.
namespace
{
std::atomic<long> allocationCount { 0 };
thread_local bool countingOnThisThread = false;

void* allocate (std::size_t size)
{
    if (countingOnThisThread)
        allocationCount.fetch_add (1, std::memory_order_relaxed);

    if (void* p = std::malloc (size == 0 ? 1 : size))
        return p;

    throw std::bad_alloc();
}

void* allocateNoThrow (std::size_t size) noexcept
{
    try
    {
        return allocate (size);
    }
    catch (...)
    {
        return nullptr;
    }
}
} // namespace

void* operator new (std::size_t size) { return allocate (size); }
void* operator new[] (std::size_t size) { return allocate (size); }
void* operator new (std::size_t size, const std::nothrow_t&) noexcept { return allocateNoThrow (size); }
void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept { return allocateNoThrow (size); }
void operator delete (void* p) noexcept { std::free (p); }
void operator delete[] (void* p) noexcept { std::free (p); }
void operator delete (void* p, std::size_t) noexcept { std::free (p); }
void operator delete[] (void* p, std::size_t) noexcept { std::free (p); }
void operator delete (void* p, const std::nothrow_t&) noexcept { std::free (p); }
void operator delete[] (void* p, const std::nothrow_t&) noexcept { std::free (p); }

using namespace ondrel_test;

namespace
{
// Allocations made on this thread during the object's lifetime.
class CountAllocations
{
public:
    CountAllocations() : start (allocationCount.load())
    {
        countingOnThisThread = true;
    }

    ~CountAllocations() { countingOnThisThread = false; }

    long count() const { return allocationCount.load() - start; }

private:
    long start;
};

constexpr int kRampBlocks = 22;

using AudioLoopAllocation = ProcessorTest;
} // namespace

TEST_F (AudioLoopAllocation, CounterSeesAllocations)
{
    long counted = 0;

    {
        CountAllocations counter;
        void* block = ::operator new (64);
        counted = counter.count();
        ::operator delete (block);
    }

    EXPECT_EQ (counted, 1);
}

TEST_F (AudioLoopAllocation, AlternatingBlockSizesAllocateNothingAfterTheFirstBlockOfEach)
{
    writeUserFile (midiTableFile(), R"(<ONDREL_MIDITABLE phaser_depth="7" bypass="9"/>)");
    OndrelAudioProcessor p;
    ASSERT_EQ (p.learnedController ("phaser_depth"), 7);

    const int sizes[] = { 512, 480 };
    juce::Random random (11);

    // Buffers and MIDI prepared outside the counted calls: controller changes,
    // a learn completed inside a block, and bypass on and off again.
    constexpr int kBlocks = 40;
    std::vector<juce::AudioBuffer<float>> audio;
    std::vector<juce::MidiBuffer> midi ((size_t) kBlocks);

    for (int b = 0; b < kBlocks; ++b)
    {
        audio.push_back (noise (2, sizes[b % 2], random));
        midi[(size_t) b].addEvent (juce::MidiMessage::controllerEvent (1, 7, (b * 13) % 128), 100);

        if (b == 20)
            midi[(size_t) b].addEvent (juce::MidiMessage::controllerEvent (2, 30, 64), 10);

        if (b == 25 || b == 30)
            midi[(size_t) b].addEvent (juce::MidiMessage::controllerEvent (1, 9, b == 25 ? 127 : 0), 0);
    }

    for (int size : sizes)
    {
        juce::AudioBuffer<float> first (2, size);
        first.clear();
        process (p, first);
    }

    long total = 0;

    for (int b = 0; b < kBlocks; ++b)
    {
        if (b == 20)
            p.armLearn ("phaser_fb");

        setNormalised (p, "output_drywet", 0.3f + 0.01f * (float) b);

        CountAllocations counter;
        process (p, audio[(size_t) b], midi[(size_t) b]);
        total += counter.count();
    }

    EXPECT_EQ (total, 0);
    EXPECT_FALSE (p.learning());
}

TEST_F (AudioLoopAllocation, AlternatingBlockSizesGiveTheSameOutputAsFixedBlocks)
{
    OndrelAudioProcessor alternating, fixed;

    for (auto* p : { &alternating, &fixed })
    {
        setNormalised (*p, "phaser_fb", 0.8f);
        setNormalised (*p, "env_todepth", 0.9f);
        setNormalised (*p, "env_torate", 0.7f);
        processSilence (*p, kRampBlocks, 512);
    }

    constexpr int kLength = 20 * (512 + 480);
    juce::Random random (12);
    const auto signal = noise (2, kLength, random);

    const auto run = [&] (OndrelAudioProcessor& p, const std::function<int (int)>& sizeOfBlock) {
        juce::AudioBuffer<float> out (2, kLength);

        for (int start = 0, b = 0; start < kLength; ++b)
        {
            const int n = sizeOfBlock (b);
            juce::AudioBuffer<float> block (2, n);
            block.clear();

            for (int c = 0; c < 2; ++c)
                block.copyFrom (c, 0, signal, c, start, juce::jmin (n, kLength - start));

            process (p, block);

            for (int c = 0; c < 2; ++c)
                out.copyFrom (c, start, block, c, 0, juce::jmin (n, kLength - start));

            start += n;
        }

        return out;
    };

    const auto a = run (alternating, [] (int b) { return b % 2 == 0 ? 512 : 480; });
    const auto f = run (fixed, [] (int) { return 512; });

    EXPECT_TRUE (identical (a, f));
}
