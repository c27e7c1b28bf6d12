#include "components/LogCategories.h"

#include <QDir>
#include <QFileDevice>

#include <cstring>

namespace mecovnik {

Q_LOGGING_CATEGORY(lcStore, "mecovnik.store")
Q_LOGGING_CATEGORY(lcJournal, "mecovnik.journal")
Q_LOGGING_CATEGORY(lcToolbar, "mecovnik.toolbar")
Q_LOGGING_CATEGORY(lcInstance, "mecovnik.instance")
Q_LOGGING_CATEGORY(lcHelp, "mecovnik.help")
Q_LOGGING_CATEGORY(lcPrint, "mecovnik.print")
Q_LOGGING_CATEGORY(lcFight, "mecovnik.fight")
Q_LOGGING_CATEGORY(lcPlayers, "mecovnik.playerview")

void LogFailure(const QLoggingCategory& category, const char* step, const QString& path,
                const char* reason)
{
    qCWarning(category, "%s %s: %s", step, qUtf8Printable(QDir::toNativeSeparators(path)), reason);
}

void LogFailure(const QLoggingCategory& category, const char* step, const QString& path, int error)
{
    LogFailure(category, step, path, std::strerror(error));
}

void LogFailure(const QLoggingCategory& category, const char* step, const QFileDevice& file)
{
    LogFailure(category, step, file.fileName(), qUtf8Printable(file.errorString()));
}

} // namespace mecovnik
