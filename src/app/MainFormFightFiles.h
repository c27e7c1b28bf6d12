#pragma once

#include "app/Frm_Main.h"
#include "history/FightDocuments.h"

#include <QString>

class QFileDialog;

#include <optional>
#include <string>

namespace mecovnik {

// What the main window keeps for the fight's files.
struct TMainForm::TFightFiles
{
    // The file each state of the fight belongs to.
    TFightDocuments Documents;
    // The file a command running now opens (or none, for a new fight): set
    // by the command, taken over once its step is committed.
    std::optional<TFightDocuments::TDocument> Opening;
    // The main window's caption without a file.
    QString Caption;
    // The folder that keeps fights at a normal end, cleaned.
    QString KeptFolder;
    // A failure to store the recent list has been told.
    bool StoreFailureTold = false;
};

// A path as messages show it.
[[nodiscard]] QString Native(const QString& path);
// Whether anything (a file, a folder, a link, even a dangling one) is at path.
[[nodiscard]] bool Exists(const QString& path);
// Where the file dialogs start: the folder last used while it is one, else
// the user's documents folder, else home.
[[nodiscard]] QString StartFolder(const std::string& last);
// Runs a save dialog until the user gives a name (extension added when it
// lacks it) that is free or that they agree to replace; empty when they
// cancel.
[[nodiscard]] QString RunSaveDialog(QFileDialog& dialog, const QString& extension);

} // namespace mecovnik
