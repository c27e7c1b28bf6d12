#include "persistence/TMemoryRegistryFile.h"

namespace mecovnik {

TRegistryFile::TReadResult TMemoryRegistryFile::ReadAll()
{
    if (!Content)
        return {TReadStatus::Missing, {}};
    // Like a file on disk: at most the limit, and whether there was more.
    if (Content->size() > kMaxRegistryFileBytes)
        return {TReadStatus::Read, Content->substr(0, kMaxRegistryFileBytes), true};
    return {TReadStatus::Read, *Content};
}

bool TMemoryRegistryFile::WriteAll(std::string_view bytes)
{
    Content = std::string(bytes);
    return true;
}

bool TMemoryRegistryFile::KeepBackup()
{
    if (Content)
        Backup = Content;
    return true;
}

} // namespace mecovnik
