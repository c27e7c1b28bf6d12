#pragma once

#include <string>
#include <string_view>

namespace mecovnik {

// Where the fight's journal lives: the platform's file, or memory in tests.
// Each call does its whole job or reports failure.
class TJournalFile
{
public:
    enum class TReadStatus
    {
        Read,    // Bytes hold the whole file
        Missing, // there is no journal
        Failed,  // it exists but could not be read, or is too large
    };
    struct TReadResult
    {
        TReadStatus Status = TReadStatus::Missing;
        std::string Bytes;
    };

    TJournalFile() = default;
    TJournalFile(const TJournalFile&) = delete;
    TJournalFile& operator=(const TJournalFile&) = delete;
    virtual ~TJournalFile() = default;

    // Makes the journal this process's own for as long as the object lives.
    // False when another running copy of the program holds it, or its place
    // cannot be made; then every other call fails without touching the
    // journal. May be tried again.
    [[nodiscard]] virtual bool Claim() = 0;
    // All bytes of the journal.
    [[nodiscard]] virtual TReadResult ReadAll() = 0;
    // Adds bytes at the end; when it returns true they survive a crash or a
    // power cut. A false return may leave part of them written.
    [[nodiscard]] virtual bool Append(std::string_view bytes) = 0;
    // Replaces the whole journal so that it holds either its old bytes or all
    // of the new ones, durably.
    [[nodiscard]] virtual bool Replace(std::string_view bytes) = 0;
    // Removes the journal (nothing to do when there is none). A journal that
    // cannot be removed may be emptied instead, which reads as no fight;
    // false when it still holds what it held.
    [[nodiscard]] virtual bool Remove() = 0;
    // Moves the journal aside as a backup, replacing an older backup (nothing
    // to do when there is none).
    [[nodiscard]] virtual bool KeepBackup() = 0;
    // Where the journal lives, for the user: its folder, UTF-8.
    [[nodiscard]] virtual std::string Folder() const = 0;
};

} // namespace mecovnik
