#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace mecovnik {

// The one crossing between the rules' texts (UTF-8 in std::string) and the
// windows' (QString). Invalid UTF-8 becomes U+FFFD on the way in.

// A text of the rules as the windows show it.
[[nodiscard]] inline QString ToQString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A text of the windows as the rules keep it.
[[nodiscard]] inline std::string ToStdString(const QString& text)
{
    return text.toStdString();
}

} // namespace mecovnik
