#include "FileReplacement.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileReplacement
{
namespace
{
constexpr int kMaxLinks = 40; // the kernel's own limit for one path

bool writeAll (int fd, const char* data, size_t size)
{
    while (size > 0)
    {
        const ssize_t n = ::write (fd, data, size);

        if (n < 0 && errno == EINTR)
            continue;

        if (n <= 0)
            return false;

        data += n;
        size -= (size_t) n;
    }

    return true;
}
} // namespace

std::optional<juce::File> finalTarget (const juce::File& file)
{
    auto target = file;

    for (int hops = 0; target.isSymbolicLink(); ++hops)
    {
        if (hops == kMaxLinks)
            return std::nullopt;

        target = target.getLinkedTarget();
    }

    return target;
}

bool replaceContent (const juce::File& file, const juce::MemoryBlock& bytes)
{
    const auto target = finalTarget (file);

    if (! target.has_value())
        return false;

    const auto targetPath = target->getFullPathName().toStdString();
    struct stat existing;
    const mode_t mode = ::stat (targetPath.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;

    // Short whatever the target's name is, so it never exceeds the name limit.
    auto tempPath = target->getParentDirectory().getChildFile (".ondrel-XXXXXX").getFullPathName().toStdString();
    const int fd = ::mkstemp (tempPath.data());

    if (fd < 0)
        return false;

    bool ok = ::fchmod (fd, mode) == 0 && writeAll (fd, static_cast<const char*> (bytes.getData()), bytes.getSize())
              && ::fsync (fd) == 0;
    ok = (::close (fd) == 0) && ok;
    ok = ok && std::rename (tempPath.c_str(), targetPath.c_str()) == 0;

    if (! ok)
        ::unlink (tempPath.c_str());

    return ok;
}
} // namespace FileReplacement
