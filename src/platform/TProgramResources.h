#pragma once

#include "platform/StringTable.h"
#include "platform/TResourceSource.h"

namespace mecovnik {

// The resources built into the program (Qt's resource system): tables under
// ":/resources/<TYPE>/<NAME>", bitmaps ":/bitmaps/<name>.xpm" (a "#" before a
// number is dropped), and the string table ":/strings/strings.txt".
class TProgramResources final : public TResourceSource
{
public:
    TProgramResources();

    [[nodiscard]] std::optional<QByteArray> Bytes(const QString& type,
                                                  const QString& name) const override;
    [[nodiscard]] QPixmap Bitmap(const QString& name) const override;
    [[nodiscard]] QString String(int number) const override;

    // The one instance of the program.
    [[nodiscard]] static const TProgramResources& Instance();

private:
    StringTable m_strings;
};

} // namespace mecovnik
