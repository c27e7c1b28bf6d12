#pragma once

#include "app/Frm_Main.h"
#include "history/FightDocuments.h"

#include <QString>

#include <optional>

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

} // namespace mecovnik
