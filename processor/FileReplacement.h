#pragma once

#include <juce_core/juce_core.h>

#include <functional>
#include <optional>
#include <string>

// Replacing a file's whole content so that a reader only ever sees the old
// content or the new one: the bytes go to a temporary file beside the file,
// which is then renamed over it in one step.
namespace FileReplacement
{
// The file that `file` finally names, as the system resolves it: symbolic
// links followed one after the other (a relative one from its own folder's
// real place); `file` itself when it is no link. Nothing for a chain that
// loops or is longer than 40 links, and for a path (given or reached) whose
// bytes the framework would read as another path (PathBytes::readsAsWritten):
// such a file is never written, rather than written elsewhere.
std::optional<juce::File> finalTarget (const juce::File& file);

// The same on a path's bytes, taken as they are.
std::optional<std::string> finalTargetPath (const std::string& path);

// Writes over the final target of `file`, so that a link stays a link: `fill`
// writes the new content into the (empty) temporary file it is given. The
// temporary file has a short hidden name in the target's folder and takes the
// target's permissions (a new file: 0644 less the umask). On any failure (no
// space, no such folder, a looping link, `fill` returning false) the target
// keeps its former content and false is returned.
bool replaceThrough (const juce::File& file, const std::function<bool (const juce::File& temporary)>& fill);

// Passes everything written on to `destination`, which it does not own (a
// writer that insists on owning its stream gets one of these), and notes
// whether any write failed and the farthest position written.
class ForwardingStream final : public juce::OutputStream
{
public:
    explicit ForwardingStream (juce::OutputStream& to) : destination (to) {}

    void flush() override { destination.flush(); }
    juce::int64 getPosition() override { return destination.getPosition(); }
    bool setPosition (juce::int64 position) override { return note (destination.setPosition (position)); }
    bool write (const void* data, size_t numBytes) override { return note (destination.write (data, numBytes)); }

    bool failed() const { return anyFailed; }
    juce::int64 end() const { return farthest; }

private:
    bool note (bool ok);

    juce::OutputStream& destination;
    bool anyFailed = false;
    juce::int64 farthest = 0;
};

// Replaces `file` as replaceThrough does, with the content written through a
// stream (a ForwardingStream over the temporary file): it counts as written
// only when `write` returns true, no write failed and the file holds exactly
// what was written, the last buffered bytes included (a full disk or a
// file-size limit cuts them short without any error reported).
bool replaceThroughStream (const juce::File& file, const std::function<bool (juce::OutputStream& out)>& write);

// Replaces `file` as replaceThrough does, with `bytes` as the new content.
bool replaceContent (const juce::File& file, const juce::MemoryBlock& bytes);
} // namespace FileReplacement
