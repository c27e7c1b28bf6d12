#pragma once

#include "persistence/TRegistryFile.h"

#include <optional>
#include <string>

namespace mecovnik::test {

// A store file in memory that counts what is done to it and fails on demand.
class TFakeRegistryFile final : public TRegistryFile
{
public:
    TFakeRegistryFile() = default;
    explicit TFakeRegistryFile(std::string bytes) : Content(std::move(bytes)) {}

    [[nodiscard]] TReadResult ReadAll() override;
    [[nodiscard]] bool WriteAll(std::string_view bytes) override;
    [[nodiscard]] bool KeepBackup() override;

    // No file, no failures, counters at zero.
    void Reset();

    // The file's bytes; no value while there is no file.
    std::optional<std::string> Content;
    // The copy the last KeepBackup made.
    std::optional<std::string> Backup;

    bool FailReads = false;
    bool FailWrites = false;
    bool FailBackups = false;

    int Reads = 0;
    int Writes = 0; // attempts, failed ones included
    int Backups = 0;
};

} // namespace mecovnik::test
