#pragma once

#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

class QLoggingCategory;

namespace mecovnik {

// A document's bytes as read, or why they could not be read.
struct TDocumentRead
{
    std::string Bytes;
    // Why the file could not be read, in Czech words for a message ("soubor
    // neexistuje"); empty when it was read.
    QString Problem;
    // The file goes on beyond the limit asked for: only the limit and one
    // byte more were read.
    bool BeyondLimit = false;
};

// Reads a document the user chose: a regular file, or a link to one. Never
// waits for a FIFO or a device (such a file is refused at once); reads at
// most limit bytes and one more, so a file too large to be a document is
// told apart without taking its size in memory. Failures are logged under
// category.
[[nodiscard]] TDocumentRead ReadDocumentFile(const QString& path, std::size_t limit,
                                             const QLoggingCategory& category);

// Where WriteDocumentFile puts the bytes before they replace the document.
[[nodiscard]] QString DocumentTemporaryPath(const QString& path);

// Writes bytes as the document's new content, all or nothing: into a new file
// beside it (made anew, so a link or anything else planted under that name is
// never written through), synced, renamed over the document, and its folder
// synced. A document that is a link has the file it leads to replaced; one
// that is a folder, a FIFO or anything else but a regular file is refused. A
// new document gets the mode the user's umask gives (mode 0666 before it,
// privateFile: 0600), a replaced one keeps its mode. Returns why it failed in
// Czech words, empty when the document holds the bytes; the old content stays
// whole on failure. Failures are logged under category.
[[nodiscard]] QString WriteDocumentFile(const QString& path, std::string_view bytes,
                                        const QLoggingCategory& category, bool privateFile = false);

// A system error number in Czech words for a message about a file ("na disku
// není místo").
[[nodiscard]] QString FileErrorText(int error);

} // namespace mecovnik
