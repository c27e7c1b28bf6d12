#include "platform/TProgramResources.h"

#include <QFile>

namespace mecovnik {

namespace {

bool IsPlainName(const QString& s)
{
    for (const QChar c : s) {
        if (c == u'/' || c == u'\\' || c == u':')
            return false;
    }
    return !s.isEmpty() && s != u"." && s != u"..";
}

} // namespace

TProgramResources::TProgramResources()
{
    QFile file(QStringLiteral(":/strings/strings.txt"));
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray text = file.readAll();
        if (auto table = StringTable::Parse(std::string_view(text.constData(), text.size())))
            m_strings = std::move(*table);
    }
}

std::optional<QByteArray> TProgramResources::Bytes(const QString& type, const QString& name) const
{
    if (!IsPlainName(type) || !IsPlainName(name))
        return std::nullopt;
    QFile file(QStringLiteral(":/resources/%1/%2").arg(type, name));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QPixmap TProgramResources::Bitmap(const QString& name) const
{
    QString file = name;
    if (file.startsWith(u'#'))
        file.remove(0, 1);
    if (!IsPlainName(file))
        return {};
    return QPixmap(QStringLiteral(":/bitmaps/%1.xpm").arg(file));
}

QString TProgramResources::String(int number) const
{
    return QString::fromStdString(m_strings.Load(number));
}

} // namespace mecovnik
