#pragma once

#include "persistence/RegistryLimits.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace mecovnik {

// Where the store's bytes live: the platform's file, or memory. Each call does
// its whole job or reports failure; nothing is half done.
class TRegistryFile
{
public:
    enum class TReadStatus
    {
        Read,    // Bytes hold the file, or its first kMaxRegistryFileBytes
        Missing, // there is no file yet
        Failed,  // the file exists but could not be read (or is no regular file)
    };
    struct TReadResult
    {
        TReadStatus Status = TReadStatus::Missing;
        std::string Bytes;
        // The file goes on past the limit; Bytes hold its start.
        bool Truncated = false;
    };

    TRegistryFile() = default;
    TRegistryFile(const TRegistryFile&) = delete;
    TRegistryFile& operator=(const TRegistryFile&) = delete;
    virtual ~TRegistryFile() = default;

    // All bytes of the file, at most kMaxRegistryFileBytes of them.
    [[nodiscard]] virtual TReadResult ReadAll() = 0;
    // Replaces the whole file with bytes, so that afterwards the file holds
    // either its old bytes or all the new ones. False when any step failed.
    [[nodiscard]] virtual bool WriteAll(std::string_view bytes) = 0;
    // Keeps a copy of the file as it is now beside it (a missing file needs no
    // copy). False when the copy could not be made.
    [[nodiscard]] virtual bool KeepBackup() = 0;
};

} // namespace mecovnik
