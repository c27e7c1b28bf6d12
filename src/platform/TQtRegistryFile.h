#pragma once

#include "persistence/TRegistryFile.h"

#include <QString>

namespace mecovnik {

// The store's file on disk. A write replaces the whole file through a temporary
// file in the same folder (written, flushed, synced, mode 0600, renamed over the
// old one) and then syncs the folder, so that a crash or a full disk leaves the
// old file or the new one, never a torn one. Every step's result is checked.
class TQtRegistryFile final : public TRegistryFile
{
public:
    // The file at path; its folder is made (owner only) when it is first written.
    explicit TQtRegistryFile(QString path);

    // ${XDG_CONFIG_HOME:-$HOME/.config}/mecovnik/registry.reg
    [[nodiscard]] static QString DefaultPath();

    // Reads a regular file (or a link to one), its first kMaxRegistryFileBytes;
    // anything else (a FIFO, a device, a folder) is unreadable and is never
    // waited on.
    [[nodiscard]] TReadResult ReadAll() override;
    // Fails without writing when something other than a regular file stands
    // at the path.
    [[nodiscard]] bool WriteAll(std::string_view bytes) override;
    // Keeps the file under the same name with ".bak": a second link to it, or,
    // where no link can be made, a copy written the same safe way. Fails for
    // anything but a regular file.
    [[nodiscard]] bool KeepBackup() override;

    [[nodiscard]] const QString& Path() const { return m_path; }
    [[nodiscard]] QString BackupPath() const { return m_path + QStringLiteral(".bak"); }

private:
    QString m_path;
};

} // namespace mecovnik
