#pragma once

#include <atomic>

// A field written by a parameter thread and read by the audio thread.
// Relaxed loads and stores compile to plain moves on x86, but are defined
// behaviour under the C++ memory model (and clean under ThreadSanitizer).
template <typename T>
class RelaxedAtomic
{
public:
    RelaxedAtomic (T initial = T()) noexcept : value (initial) {}

    RelaxedAtomic& operator= (T newValue) noexcept
    {
        value.store (newValue, std::memory_order_relaxed);
        return *this;
    }

    operator T() const noexcept { return value.load (std::memory_order_relaxed); }
    T get() const noexcept { return value.load (std::memory_order_relaxed); }

private:
    std::atomic<T> value;
};
