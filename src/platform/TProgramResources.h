#pragma once

#include "platform/StringTable.h"
#include "platform/TResourceSource.h"

namespace mecovnik {

// The resources built into the program (Qt's resource system): tables under
// ":/resources/<TYPE>/<NAME>", bitmaps ":/bitmaps/<name>.xpm" (a "#" before a
// number is dropped) with their artwork at twice the size beside them as
// "<name>@2x.xpm", and the string table ":/strings/strings.txt". The
// program's start makes one and passes it to whatever reads resources.
class TProgramResources final : public TResourceSource
{
public:
    TProgramResources();

    [[nodiscard]] std::optional<QByteArray> Bytes(const QString& type,
                                                  const QString& name) const override;
    [[nodiscard]] QPixmap Bitmap(const QString& name) const override;
    [[nodiscard]] QPixmap LargeBitmap(const QString& name) const override;
    [[nodiscard]] QString String(int number) const override;

private:
    StringTable m_strings;
};

} // namespace mecovnik
