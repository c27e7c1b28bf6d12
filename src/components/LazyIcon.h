#pragma once

#include <QIcon>
#include <QList>
#include <QSize>
#include <QString>

#include <utility>

namespace mecovnik {

// An icon of image files, each holding one image of the size given with it,
// that answers as the icon QIcon::addFile makes of the same files but decodes
// a file only when a pixmap or a drawing of it is asked for: the window icon
// is made at start, and a title bar at 16 pixels needs none of the larger
// files a task bar may ask for later. Files that are not there are left out.
[[nodiscard]] QIcon LazyFileIcon(const QList<std::pair<QString, QSize>>& files);

} // namespace mecovnik
