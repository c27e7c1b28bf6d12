#pragma once

#include <QString>

#include <cstddef>
#include <sys/types.h>

class QLoggingCategory;

namespace mecovnik {

// Makes a folder's entries (a file created, renamed or removed in it) durable.
[[nodiscard]] bool SyncFolder(const QString& folder);

// Makes an open file's contents durable: with dataOnly only what reading it
// back needs (fdatasync), else its metadata too (fsync). Interrupted calls are
// retried.
[[nodiscard]] bool SyncDescriptor(int fd, bool dataOnly = false);

// read(2) retried while interrupted: the bytes read, 0 at the end, -1 with
// errno set on failure.
[[nodiscard]] ssize_t ReadSome(int fd, char* buffer, std::size_t size);

// SyncFolder, with a failure logged under category.
[[nodiscard]] bool SyncFolderOrLog(const QString& folder, const QLoggingCategory& category);

// Makes folder (and the folders above it) when missing, open to its owner
// only, and syncs its entry in the folder above, or a power cut could lose it
// with what is written into it. False, logged under category, when something
// else stands there or a step fails.
[[nodiscard]] bool MakePrivateFolder(const QString& folder, const QLoggingCategory& category);

} // namespace mecovnik
