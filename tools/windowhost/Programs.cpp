#include "Programs.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace ondrel::windowhost
{

int runProgram (const juce::StringArray& arguments, juce::String& output)
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

    for (ssize_t n = 0; started && (n = read (fds[0], buffer, sizeof (buffer))) != 0;)
    {
        if (n > 0)
            text.write (buffer, (size_t) n);
        else if (errno != EINTR)
            break;
    }

    close (fds[0]);
    output = text.toString();
    int status = 0;

    if (! started)
        return -1;

    while (waitpid (child, &status, 0) < 0)
        if (errno != EINTR)
            return -1;

    return WIFEXITED (status) ? WEXITSTATUS (status) : -1;
}

} // namespace ondrel::windowhost
