#pragma once

#include "history/TJournalFile.h"

#include <cstddef>
#include <optional>
#include <string>

namespace mecovnik::test {

// A journal in memory that fails on demand. An append that fails may leave
// a part of its bytes behind, as a full disk does.
class TFakeJournalFile final : public TJournalFile
{
public:
    [[nodiscard]] bool Claim() override;
    [[nodiscard]] TReadResult ReadAll() override;
    [[nodiscard]] bool Append(std::string_view bytes) override;
    [[nodiscard]] bool Replace(std::string_view bytes) override;
    [[nodiscard]] bool Remove() override;
    [[nodiscard]] bool KeepBackup() override;
    [[nodiscard]] std::string Folder() const override { return "/stav/mecovnik"; }

    // The journal's bytes; no value while there is none.
    std::optional<std::string> Content;
    std::optional<std::string> Backup;

    bool HeldElsewhere = false; // another copy holds it: Claim fails
    bool Claimed = false;
    bool FailAppends = false;
    std::size_t TornAppendBytes = 0; // what a failed append still writes
    bool FailReplaces = false;
    bool FailRemoves = false; // and it cannot be emptied either
    bool FailBackups = false;

    int Appends = 0;
    int Replaces = 0;
    int Removes = 0;
    int Claims = 0;
    int Touches = 0; // every call but Claim and Folder, failed ones included
};

} // namespace mecovnik::test
