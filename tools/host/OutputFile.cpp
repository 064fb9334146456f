#include "OutputFile.h"

#include "processor/FileReplacement.h"

namespace ondrel::host
{

bool writeThroughTemporaryFile (const juce::File& target, const std::function<bool (const juce::File&)>& write,
                                juce::String& error)
{
    if (FileReplacement::replaceThrough (target, write))
        return true;

    if (error.isEmpty())
        error = "cannot write " + target.getFullPathName();

    return false;
}

} // namespace ondrel::host
