#pragma once

#include "persistence/TRegistryFile.h"

#include <optional>

namespace mecovnik {

// A store file that lives in memory: for a configuration that must not reach
// the disk, and for tests.
class TMemoryRegistryFile final : public TRegistryFile
{
public:
    TMemoryRegistryFile() = default;
    explicit TMemoryRegistryFile(std::string bytes) : Content(std::move(bytes)) {}

    [[nodiscard]] TReadResult ReadAll() override;
    [[nodiscard]] bool WriteAll(std::string_view bytes) override;
    [[nodiscard]] bool KeepBackup() override;

    // The file's bytes; no value while there is no file.
    std::optional<std::string> Content;
    // The copy that KeepBackup made last.
    std::optional<std::string> Backup;
};

} // namespace mecovnik
