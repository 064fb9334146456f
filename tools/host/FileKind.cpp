#include "FileKind.h"

#include <sys/stat.h>

namespace ondrel::host
{

FileKind kindOf (const juce::File& file)
{
    struct stat info;

    if (::stat (file.getFullPathName().toRawUTF8(), &info) != 0)
        return FileKind::missing;

    return S_ISREG (info.st_mode) ? FileKind::regular : FileKind::other;
}

} // namespace ondrel::host
