#include "OutputFile.h"

namespace ondrel::host
{

bool writeThroughTemporaryFile (const juce::File& target, const std::function<bool (const juce::File&)>& write,
                                juce::String& error)
{
    // Deleted again by its destructor unless the rename has taken it.
    const juce::TemporaryFile temporary (target, juce::TemporaryFile::useHiddenFile);

    if (write (temporary.getFile()) && temporary.overwriteTargetFileWithTemporary())
        return true;

    if (error.isEmpty())
        error = "cannot write " + target.getFullPathName();

    return false;
}

} // namespace ondrel::host
