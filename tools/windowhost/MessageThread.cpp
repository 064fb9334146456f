#include "MessageThread.h"

#include <juce_events/juce_events.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

namespace ondrel::windowhost
{

int runBesideMessageLoop (std::function<int()> job)
{
    int result = 1;
    std::thread worker ([&]
    {
        result = job();
        juce::MessageManager::getInstance()->stopDispatchLoop();
    });

    juce::MessageManager::getInstance()->runDispatchLoop();
    worker.join();
    return result;
}

void onMessageThread (std::function<void()> job)
{
    auto done = std::make_shared<juce::WaitableEvent>();

    juce::MessageManager::callAsync ([job = std::move (job), done]
    {
        job();
        done->signal();
    });

    if (! done->wait (30000))
    {
        std::fprintf (stderr, "the message thread did not answer within 30 s\n");
        std::abort();
    }
}

bool waitUntil (const std::function<bool()>& condition, int timeoutMs)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

    while (! condition())
    {
        if (juce::Time::getMillisecondCounter() > end)
            return false;

        juce::Thread::sleep (20);
    }

    return true;
}

void pause (int milliseconds)
{
    juce::Thread::sleep (milliseconds);
}

} // namespace ondrel::windowhost
