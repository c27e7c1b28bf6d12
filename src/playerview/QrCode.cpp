#include "playerview/QrCode.h"

#include <qrencode.h>

#include <memory>

namespace mecovnik {

namespace {

constexpr int kQuietZone = 4;

struct TQrFree
{
    void operator()(QRcode* code) const { QRcode_free(code); }
};

} // namespace

QImage QrCodeImage(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    const std::unique_ptr<QRcode, TQrFree> code(
        QRcode_encodeString8bit(bytes.constData(), 0, QR_ECLEVEL_M));
    if (!code || code->width <= 0)
        return {};
    const int side = code->width + 2 * kQuietZone;
    QImage image(side, side, QImage::Format_Mono);
    image.setColor(0, qRgb(255, 255, 255));
    image.setColor(1, qRgb(0, 0, 0));
    image.fill(0);
    for (int y = 0; y < code->width; ++y) {
        for (int x = 0; x < code->width; ++x) {
            // Bit 0 of each module's byte says dark.
            if (code->data[y * code->width + x] & 1)
                image.setPixel(x + kQuietZone, y + kQuietZone, 1);
        }
    }
    return image;
}

} // namespace mecovnik
