#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <string>

// Paths as the system holds them: bytes, not always UTF-8 (an old archive's
// Latin-1 names, a folder named on another system). The framework's strings
// carry such bytes unchanged from a directory listing to the system calls,
// but its decoder reads some of them as other characters: a stray 0xAF or an
// overlong C0 AF as "/", C0 AE as ".", a lone E0 before a dot as the end of
// the text. Anything that decodes such a path finds another file.
namespace PathBytes
{
// True when the framework reads no ASCII character (nor the end of the text)
// out of bytes that are not that character, and no character out of more
// bytes than it takes (an overlong form). Control characters read out of a
// lone lead byte (Latin-1 letters) do no harm and pass.
bool readsAsWritten (const std::string& bytes);

// The bytes of `file`'s full path, or nothing when they do not read as written.
std::optional<std::string> of (const juce::File& file);

// A file whose full path has exactly these bytes, or nothing: bytes that do
// not read as written, or a path the framework would change (not absolute,
// a trailing slash).
std::optional<juce::File> toFile (const std::string& bytes);

// A string holding exactly these bytes; the framework's own constructors
// decode and re-encode them, or size the copy by their decoded length.
juce::String toString (const std::string& bytes);

// The text shown for a file name: the name itself when it is UTF-8, else
// each byte read as a Latin-1 character.
juce::String shownName (const std::string& bytes);

// The folder part and the last name of a path, split at its last slash.
std::string folderOf (const std::string& path);
std::string nameOf (const std::string& path);

// A file name without its extension (from its last dot, when that is not its first byte).
std::string stemOf (const std::string& name);

// Creates the folder and any missing folders above it; true when it exists.
bool createFolders (const std::string& path);
} // namespace PathBytes
