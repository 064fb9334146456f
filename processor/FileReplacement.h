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

// The same, with `bytes` as the new content.
bool replaceContent (const juce::File& file, const juce::MemoryBlock& bytes);
} // namespace FileReplacement
