#include "BlockSchedule.h"

#include <algorithm>

namespace ondrel::host
{

BlockSchedule BlockSchedule::fixed (int size)
{
    return cycle ({ size });
}

BlockSchedule BlockSchedule::cycle (std::vector<int> sizes)
{
    jassert (! sizes.empty() && *std::min_element (sizes.begin(), sizes.end()) > 0);
    BlockSchedule schedule;
    schedule.sizes = std::move (sizes);
    return schedule;
}

BlockSchedule BlockSchedule::random (int minSize, int maxSize, juce::int64 seed)
{
    jassert (0 < minSize && minSize <= maxSize);
    BlockSchedule schedule;
    schedule.minRandom = minSize;
    schedule.maxRandom = maxSize;
    schedule.generator.setSeed (seed);
    return schedule;
}

int BlockSchedule::next()
{
    if (sizes.empty())
        return minRandom + generator.nextInt (maxRandom - minRandom + 1);

    const auto size = sizes[position];
    position = (position + 1) % sizes.size();
    return size;
}

int BlockSchedule::getMaxBlockSize() const
{
    return sizes.empty() ? maxRandom : *std::max_element (sizes.begin(), sizes.end());
}

} // namespace ondrel::host
