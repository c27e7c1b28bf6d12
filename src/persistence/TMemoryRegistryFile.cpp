#include "persistence/TMemoryRegistryFile.h"

namespace mecovnik {

TRegistryFile::TReadResult TMemoryRegistryFile::ReadAll()
{
    if (!Content)
        return {TReadStatus::Missing, {}};
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
