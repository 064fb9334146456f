#pragma once

#include <atomic>

// Carries a new target for a juce::LinearSmoothedValue from a parameter
// thread to the audio thread, which applies it before its next step.
//
// setValue() writes several fields, so it must not run while the audio
// thread steps the smoother. Applying the last posted target with a restarted
// ramp gives exactly what a sequence of setValue() calls made between two
// steps gives: each call that differs from the then-current target restarts
// the ramp from the current value, and calls equal to it change nothing.
class PendingSmootherTarget
{
public:
    explicit PendingSmootherTarget (float initialTarget) noexcept : requested (initialTarget) {}

    // Any thread.
    void post (float newTarget) noexcept
    {
        if (newTarget == requested.load (std::memory_order_relaxed))
            return;

        requested.store (newTarget, std::memory_order_relaxed);
        pending.store (true, std::memory_order_release);
    }

    // Audio thread only.
    template <typename Smoother>
    void applyTo (Smoother& smoother) noexcept
    {
        if (! pending.exchange (false, std::memory_order_acquire))
            return;

        // Settle on the current value first, so that a target equal to the
        // old one still restarts the ramp, as a changed setValue() would.
        smoother.setCurrentAndTargetValue (smoother.getCurrentValue());
        smoother.setTargetValue (requested.load (std::memory_order_relaxed));
    }

private:
    std::atomic<float> requested;
    std::atomic<bool> pending { false };
};
