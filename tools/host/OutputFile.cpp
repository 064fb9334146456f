#include "OutputFile.h"

#include "FileKind.h"
#include "processor/FileReplacement.h"

namespace ondrel::host
{

bool writeThroughTemporaryFile (const juce::File& target, const std::function<bool (juce::OutputStream&)>& write,
                                juce::String& error)
{
    if (kindOf (target) == FileKind::other)
    {
        error = "cannot write " + target.getFullPathName() + ": it exists and is not a regular file";
        return false;
    }

    const auto replaced = FileReplacement::replaceThroughStream (target, write);

    if (! replaced && error.isEmpty())
        error = "cannot write " + target.getFullPathName();

    return replaced;
}

} // namespace ondrel::host
