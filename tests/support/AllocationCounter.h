#pragma once

// Heap allocations (malloc and operator new) of the calling thread while the
// counter is alive. Unavailable in sanitizer builds, whose runtimes own malloc.
class AllocationCounter
{
public:
    AllocationCounter();
    ~AllocationCounter();
    long count() const;
    static bool available();
};
