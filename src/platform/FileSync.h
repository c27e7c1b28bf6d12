#pragma once

#include <QString>

namespace mecovnik {

// Makes a folder's entries (a file created, renamed or removed in it) durable.
[[nodiscard]] bool SyncFolder(const QString& folder);

// Makes an open file's contents durable: with dataOnly only what reading it
// back needs (fdatasync), else its metadata too (fsync). Interrupted calls are
// retried.
[[nodiscard]] bool SyncDescriptor(int fd, bool dataOnly = false);

} // namespace mecovnik
