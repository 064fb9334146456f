#include "Programs.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace ondrel::windowhost
{

int runProgram (const juce::StringArray& arguments, juce::String& output, int timeoutMs)
{
    output = {};
    std::vector<std::string> words;
    std::vector<char*> argv;

    for (const auto& argument : arguments) // empty ones dropped, as juce::ChildProcess does
        if (argument.isNotEmpty())
            words.push_back (argument.toStdString());

    for (auto& word : words)
        argv.push_back (word.data());

    argv.push_back (nullptr);

    int fds[2];

    if (words.empty() || pipe2 (fds, O_CLOEXEC) != 0)
        return -1;

    // Both streams into the pipe; the copies lose close-on-exec, the pipe itself keeps it.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init (&actions);
    posix_spawn_file_actions_adddup2 (&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2 (&actions, fds[1], STDERR_FILENO);
    pid_t child = 0;
    const bool started = posix_spawnp (&child, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy (&actions);
    close (fds[1]);

    juce::MemoryOutputStream text;
    char buffer[4096];
    const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
    const auto timeLeft = [deadline] { return (int) (deadline - juce::Time::getMillisecondCounter()); };
    bool timedOut = false;

    for (bool open = started; open;)
    {
        pollfd end { fds[0], POLLIN, 0 };
        const int ready = timeLeft() > 0 ? poll (&end, 1, timeLeft()) : 0;
        const ssize_t n = ready > 0 ? read (fds[0], buffer, sizeof (buffer)) : -1;

        if (n > 0)
            text.write (buffer, (size_t) n);
        else
            open = n < 0 && ready != 0 && errno == EINTR;

        timedOut = ready == 0;
    }

    close (fds[0]);
    int status = 0;

    if (! started)
        return -1;

    // It may also have closed its output and still be running.
    pid_t reaped = 0;

    while (! timedOut && ((reaped = waitpid (child, &status, WNOHANG)) == 0 || (reaped < 0 && errno == EINTR)))
    {
        juce::Thread::sleep (1);
        timedOut = timeLeft() <= 0;
    }

    if (timedOut)
    {
        kill (child, SIGKILL);
        text << "\n(timed out after " << timeoutMs / 1000 << " s: killed)\n";

        while (waitpid (child, &status, 0) < 0 && errno == EINTR) {}
    }

    output = text.toString();

    if (timedOut || reaped < 0)
        return -1;

    return WIFEXITED (status) ? WEXITSTATUS (status) : -1;
}

} // namespace ondrel::windowhost
