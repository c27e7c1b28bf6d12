#pragma once

#include "history/TJournalFile.h"

#include <QString>

namespace mecovnik {

// The fight's journal on disk: "fight.journal" in a folder of the user's own,
// with "fight.lock" beside it. Claim takes an exclusive lock on the lock file
// for the life of the object (the kernel releases it when the process dies,
// however it dies), so a second running copy never touches the journal; in a
// folder that cannot be written the lock is taken on the lock file opened for
// reading, so a journal left there can still be read. The journal itself is
// replaced through a temporary file made anew (never opened through a link or
// another name of a file) and rename; appends go to the file this object
// made, and are flushed to the disk (fdatasync) before they count. Only
// regular files are opened, never following a link and never waiting (a FIFO
// or device in a file's place is refused at once). Files are the owner's
// only (0600), the folder too (0700). Every failure is logged with its reason
// under "mecovnik.journal".
class TQtJournalFile final : public TJournalFile
{
public:
    explicit TQtJournalFile(QString folder);
    ~TQtJournalFile() override;
    TQtJournalFile(const TQtJournalFile&) = delete;
    TQtJournalFile& operator=(const TQtJournalFile&) = delete;

    // ${XDG_STATE_HOME:-$HOME/.local/state}/mecovnik (a relative
    // XDG_STATE_HOME is ignored, as the base directory rules say).
    [[nodiscard]] static QString DefaultFolder();

    [[nodiscard]] bool Claim() override;
    [[nodiscard]] TReadResult ReadAll() override;
    [[nodiscard]] bool Append(std::string_view bytes) override;
    [[nodiscard]] bool Replace(std::string_view bytes) override;
    // A journal that cannot be removed (a folder that cannot be written) is
    // emptied in place when the file itself can be written.
    [[nodiscard]] bool Remove() override;
    [[nodiscard]] bool KeepBackup() override;
    [[nodiscard]] std::string Folder() const override;

    [[nodiscard]] QString Path() const;
    [[nodiscard]] QString BackupPath() const;
    [[nodiscard]] QString LockPath() const;
    [[nodiscard]] QString TemporaryPath() const;

private:
    void CloseAppend();
    [[nodiscard]] int OpenLock();

    QString m_folder;
    int m_lock = -1;
    int m_append = -1;
};

} // namespace mecovnik
