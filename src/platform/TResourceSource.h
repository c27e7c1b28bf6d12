#pragma once

#include <QByteArray>
#include <QPixmap>
#include <QString>

#include <optional>

namespace mecovnik {

// The program's resources as the toolbar asks for them.
class TResourceSource
{
public:
    virtual ~TResourceSource() = default;
    // The bytes of resource (type, name); no value when there is none.
    [[nodiscard]] virtual std::optional<QByteArray> Bytes(const QString& type,
                                                          const QString& name) const = 0;
    // The bitmap of a name, or of a number written "#" and digits; a null
    // pixmap when there is none.
    [[nodiscard]] virtual QPixmap Bitmap(const QString& name) const = 0;
    // The artwork of a bitmap drawn at twice its size, for screens with more
    // than one device pixel to a pixel; a null pixmap when there is none.
    [[nodiscard]] virtual QPixmap LargeBitmap(const QString& name) const
    {
        Q_UNUSED(name)
        return {};
    }
    // String number; empty when there is none.
    [[nodiscard]] virtual QString String(int number) const = 0;
};

} // namespace mecovnik
