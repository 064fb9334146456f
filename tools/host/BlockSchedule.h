#pragma once

#include <juce_core/juce_core.h>

#include <vector>

namespace ondrel::host
{

// The sizes of the blocks a host hands to a plug-in: one fixed size, a list
// of sizes repeated in turn (512, 480, 512, ...), or sizes drawn at random
// from a range with a given seed, so a run can be repeated exactly.
class BlockSchedule
{
public:
    static BlockSchedule fixed (int size);
    static BlockSchedule cycle (std::vector<int> sizes);
    static BlockSchedule random (int minSize, int maxSize, juce::int64 seed);

    int next();
    int getMaxBlockSize() const;

private:
    BlockSchedule() = default;

    std::vector<int> sizes;
    size_t position = 0;
    int minRandom = 0, maxRandom = 0;
    juce::Random generator;
};

} // namespace ondrel::host
