#include "FileReplacement.h"
#include "PathBytes.h"

#include <cerrno>
#include <climits>
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

std::optional<std::string> realFolderOf (const std::string& path)
{
    char resolved[PATH_MAX];

    if (::realpath (PathBytes::folderOf (path).c_str(), resolved) == nullptr)
        return std::nullopt;

    return std::string (resolved);
}

// A new, empty file with a short random hidden name in `folder`, opened for
// writing; created with `mode` less the umask.
int createTemporary (const std::string& folder, mode_t mode, std::string& path)
{
    juce::Random random;

    for (int attempt = 0; attempt < 100; ++attempt)
    {
        path = folder + "/.ondrel-" + juce::String::toHexString (random.nextInt()).toStdString();
        const int fd = ::open (path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);

        if (fd >= 0 || errno != EEXIST)
            return fd;
    }

    return -1;
}
} // namespace

std::optional<std::string> finalTargetPath (const std::string& file)
{
    std::string path = file;

    for (int hops = 0;; ++hops)
    {
        struct stat info;

        if (::lstat (path.c_str(), &info) != 0 || ! S_ISLNK (info.st_mode))
            break;

        char link[PATH_MAX];
        const ssize_t length = ::readlink (path.c_str(), link, sizeof (link) - 1);

        if (hops == kMaxLinks || length <= 0)
            return std::nullopt;

        // The system reads a relative link from where its folder really is,
        // which differs from its written path when a folder on the way is a link.
        std::string next (link, (size_t) length);

        if (next.front() != '/')
        {
            const auto folder = realFolderOf (path);

            if (! folder.has_value())
                return std::nullopt;

            next = *folder + "/" + next;
        }

        path = next;
    }

    const auto folder = realFolderOf (path);
    return folder.has_value() ? *folder + "/" + PathBytes::nameOf (path) : path;
}

std::optional<juce::File> finalTarget (const juce::File& file)
{
    // Bytes all the way: the framework would decode them on the way back.
    const auto path = PathBytes::of (file);
    const auto target = path.has_value() ? finalTargetPath (*path) : std::nullopt;
    return target.has_value() ? PathBytes::toFile (*target) : std::nullopt;
}

bool replaceThrough (const juce::File& file, const std::function<bool (const juce::File& temporary)>& fill)
{
    const auto target = finalTarget (file);

    if (! target.has_value())
        return false;

    const std::string targetPath (target->getFullPathName().toRawUTF8());
    struct stat existing;
    const bool exists = ::stat (targetPath.c_str(), &existing) == 0;

    std::string tempPath;
    const int fd = createTemporary (PathBytes::folderOf (targetPath), exists ? 0600 : 0644, tempPath);

    if (fd < 0)
        return false;

    const auto temporary = PathBytes::toFile (tempPath);
    bool ok = temporary.has_value() && (! exists || ::fchmod (fd, existing.st_mode & 07777) == 0);
    ok = ok && fill (*temporary) && ::fsync (fd) == 0;
    ok = (::close (fd) == 0) && ok;
    ok = ok && std::rename (tempPath.c_str(), targetPath.c_str()) == 0;

    if (! ok)
        ::unlink (tempPath.c_str());

    return ok;
}

bool ForwardingStream::note (bool ok)
{
    anyFailed = anyFailed || ! ok;
    farthest = juce::jmax (farthest, destination.getPosition());
    return ok;
}

bool replaceThroughStream (const juce::File& file, const std::function<bool (juce::OutputStream& out)>& write)
{
    return replaceThrough (file, [&] (const juce::File& temporary) {
        juce::FileOutputStream out (temporary);

        if (! out.openedOk())
            return false;

        ForwardingStream checked (out);
        const auto written = write (checked);
        out.flush();
        // The framework's stream drops the result of a buffer flush (in flush()
        // and before a seek): a cut-short write shows only in the file's size.
        return written && ! checked.failed() && out.getStatus().wasOk() && temporary.getSize() == checked.end();
    });
}

bool replaceContent (const juce::File& file, const juce::MemoryBlock& bytes)
{
    return replaceThroughStream (file, [&] (juce::OutputStream& out) { return out.write (bytes.getData(), bytes.getSize()); });
}
} // namespace FileReplacement
