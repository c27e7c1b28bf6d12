#include "platform/TProgramResources.h"

#include "components/LogCategories.h"
#include "components/QtText.h"

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
    if (!file.open(QIODevice::ReadOnly)) {
        LogFailure(lcToolbar(), "open", file);
        return;
    }
    const QByteArray text = file.readAll();
    std::string error;
    if (auto table = StringTable::Parse(std::string_view(text.constData(), text.size()), &error))
        m_strings = std::move(*table);
    else
        LogFailure(lcToolbar(), "read", file.fileName(), error.c_str());
}

std::optional<QByteArray> TProgramResources::Bytes(const QString& type, const QString& name) const
{
    if (!IsPlainName(type) || !IsPlainName(name))
        return std::nullopt;
    QFile file(QStringLiteral(":/resources/%1/%2").arg(type, name));
    if (!file.open(QIODevice::ReadOnly)) {
        // A table the program does not carry is looked for on purpose (an
        // optional table); only debugging wants to see it.
        qCDebug(lcToolbar, "open %s: %s", qUtf8Printable(file.fileName()),
                qUtf8Printable(file.errorString()));
        return std::nullopt;
    }
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

QPixmap TProgramResources::LargeBitmap(const QString& name) const
{
    QString file = name;
    if (file.startsWith(u'#'))
        file.remove(0, 1);
    if (!IsPlainName(file))
        return {};
    const QString path = QStringLiteral(":/bitmaps/%1@2x.xpm").arg(file);
    // Most bitmaps have no large artwork; looking costs no warning.
    return QFile::exists(path) ? QPixmap(path) : QPixmap();
}

QString TProgramResources::String(int number) const
{
    return ToQString(m_strings.Load(number));
}

} // namespace mecovnik
