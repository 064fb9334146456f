#include "OutputFile.h"

#include "FileKind.h"
#include "processor/FileReplacement.h"

namespace ondrel::host
{

bool ForwardingStream::note (bool ok)
{
    anyFailed = anyFailed || ! ok;
    farthest = juce::jmax (farthest, destination.getPosition());
    return ok;
}

bool writeThroughTemporaryFile (const juce::File& target, const std::function<bool (juce::OutputStream&)>& write,
                                juce::String& error)
{
    if (kindOf (target) == FileKind::other)
    {
        error = "cannot write " + target.getFullPathName() + ": it exists and is not a regular file";
        return false;
    }

    const auto replaced = FileReplacement::replaceThrough (target, [&] (const juce::File& temporary)
    {
        juce::FileOutputStream file (temporary);

        if (! file.openedOk())
            return false;

        ForwardingStream checked (file);
        const auto written = write (checked);
        file.flush();
        // JUCE's stream drops the result of a buffer flush (in flush() and before
        // a seek): a cut-short write shows only in the file's size.
        return written && ! checked.failed() && file.getStatus().wasOk() && temporary.getSize() == checked.end();
    });

    if (! replaced && error.isEmpty())
        error = "cannot write " + target.getFullPathName();

    return replaced;
}

} // namespace ondrel::host
