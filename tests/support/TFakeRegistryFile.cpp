#include "TFakeRegistryFile.h"

namespace mecovnik::test {

TRegistryFile::TReadResult TFakeRegistryFile::ReadAll()
{
    ++Reads;
    if (FailReads)
        return {TReadStatus::Failed, {}};
    if (!Content)
        return {TReadStatus::Missing, {}};
    // Like a file on disk: at most the limit, and whether there was more.
    if (Content->size() > kMaxRegistryFileBytes)
        return {TReadStatus::Read, Content->substr(0, kMaxRegistryFileBytes), true};
    return {TReadStatus::Read, *Content};
}

bool TFakeRegistryFile::WriteAll(std::string_view bytes)
{
    ++Writes;
    if (FailWrites)
        return false;
    Content = std::string(bytes);
    return true;
}

bool TFakeRegistryFile::KeepBackup()
{
    ++Backups;
    if (FailBackups)
        return false;
    if (Content)
        Backup = Content;
    return true;
}

void TFakeRegistryFile::Reset()
{
    Content.reset();
    Backup.reset();
    FailReads = FailWrites = FailBackups = false;
    Reads = Writes = Backups = 0;
}

} // namespace mecovnik::test
