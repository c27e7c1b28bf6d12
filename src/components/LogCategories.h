#pragma once

#include <QLoggingCategory>
#include <QString>

class QFileDevice;

namespace mecovnik {

// What failed, and why, goes to Qt's logging under one category per area;
// QT_LOGGING_RULES (e.g. "mecovnik.*.debug=true") chooses what is shown.
Q_DECLARE_LOGGING_CATEGORY(lcStore)    // "mecovnik.store": the settings' file
Q_DECLARE_LOGGING_CATEGORY(lcJournal)  // "mecovnik.journal": the fight's journal
Q_DECLARE_LOGGING_CATEGORY(lcToolbar)  // "mecovnik.toolbar": tables, glyphs, strings
Q_DECLARE_LOGGING_CATEGORY(lcInstance) // "mecovnik.instance": the one-copy guard
Q_DECLARE_LOGGING_CATEGORY(lcHelp)     // "mecovnik.help": the help file
Q_DECLARE_LOGGING_CATEGORY(lcPrint)    // "mecovnik.print": the print support module
Q_DECLARE_LOGGING_CATEGORY(lcFight)    // "mecovnik.fight": fight files
Q_DECLARE_LOGGING_CATEGORY(lcPlayers)  // "mecovnik.playerview": the players' view shared

// Logs a failed step on path with the system's reason for the error number.
void LogFailure(const QLoggingCategory& category, const char* step, const QString& path, int error);

// Logs a failed step on path with the reason the file gives.
void LogFailure(const QLoggingCategory& category, const char* step, const QFileDevice& file);

// Logs a failed step on path with a reason in words.
void LogFailure(const QLoggingCategory& category, const char* step, const QString& path,
                const char* reason);

} // namespace mecovnik
