#pragma once

#include <QImage>
#include <QString>

namespace mecovnik {

// The QR code of text (UTF-8, error correction M) as a one-bit image, one
// pixel a module, with the quiet zone of four modules around it; a null image
// when the text cannot be coded.
[[nodiscard]] QImage QrCodeImage(const QString& text);

} // namespace mecovnik
