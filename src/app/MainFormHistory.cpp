#include "app/Frm_Main.h"

#include "ui_Frm_Main.h"

#include "app/TFightKeeper.h"
#include "components/MessageBoxes.h"
#include "history/TClock.h"
#include "history/TFightJournal.h"

#include <QAction>
#include <QMenu>

// Undo and redo of roster changes, and the offer to bring back a fight that a
// crash interrupted. Beyond the original program; none of its commands,
// texts or shortcuts changes.

namespace mecovnik {

namespace {

// A caption as a step's name: without the access key mark and the dots.
QString Plain(QString caption)
{
    caption.remove(u'&');
    if (caption.endsWith(QStringLiteral("...")))
        caption.chop(3);
    return caption;
}

// A command's step name is its caption; an item of a submenu adds itself in
// brackets to the submenu's caption: "Změnit životy (aktivní postava)".
QString StepName(const QAction& action)
{
    QString item = Plain(action.text());
    for (QObject* place : action.associatedObjects()) {
        const auto* menu = qobject_cast<QMenu*>(place);
        if (!menu)
            continue;
        // A submenu belongs to another menu; a menu of the bar's to the bar.
        if (!qobject_cast<QMenu*>(menu->parent()))
            continue;
        if (!item.isEmpty())
            item[0] = item[0].toLower();
        return Plain(menu->title()) + QStringLiteral(" (") + item + u')';
    }
    return item;
}

} // namespace

void TMainForm::AttachFight()
{
    if (!m_services.Clock && !m_systemClock)
        m_systemClock = std::make_unique<TSystemClock>();
    m_fight = std::make_unique<TFightKeeper>(
        *m_postavy, *m_nestvury, m_services.Journal,
        m_services.Clock ? *m_services.Clock : *m_systemClock,
        [this](TJournalTrouble trouble) { JournalTrouble(trouble); });
    // Undo, redo and a restored fight move the rows behind the commands' back.
    connect(
        m_fight.get(), &TFightKeeper::RostersChanged, m_commandUpdates,
        [this] { UpdateCommands(); }, Qt::QueuedConnection);
    UpdateHistoryCommands();

    // Asked once the main window shows: the deferred start-up steps were
    // posted before.
    if (m_fight->HasLeftover())
        QMetaObject::invokeMethod(
            this, [this] { OfferRecovery(); }, Qt::QueuedConnection);
    // The file of the command line, after the question.
    if (!m_services.OpenAtStart.isEmpty())
        QMetaObject::invokeMethod(
            this, [this] { OpenFightFileLater(m_services.OpenAtStart); }, Qt::QueuedConnection);
}

bool TMainForm::RunAsStep(const QAction& action, const std::function<void()>& run,
                          TLedgerEvent event)
{
    if (!m_fight || m_fight->Recording()) {
        run();
        return false;
    }
    const QString name = StepName(action);
    const std::uint64_t before = m_fight->History().State();
    m_fight->Begin(event);
    try {
        run();
    } catch (...) {
        // What the command did before it failed is a step too.
        m_fight->Commit(name);
        FollowFightFile(before);
        UpdateHistoryCommands();
        throw;
    }
    const bool kept = m_fight->Commit(name);
    FollowFightFile(before);
    UpdateHistoryCommands();
    return kept;
}

void TMainForm::UpdateHistoryCommands()
{
    const bool undo = m_fight && m_fight->CanUndo();
    const bool redo = m_fight && m_fight->CanRedo();
    m_ui->Item_Zpet->setEnabled(undo);
    m_ui->Item_Zpet->setText(undo ? QStringLiteral("Zpě&t: ") + m_fight->UndoName()
                                  : QStringLiteral("Zpě&t"));
    m_ui->Item_Znovu->setEnabled(redo);
    m_ui->Item_Znovu->setText(redo ? QStringLiteral("Zn&ovu: ") + m_fight->RedoName()
                                   : QStringLiteral("Zn&ovu"));
    // Every change of the fight passes here: the caption's file and mark follow.
    UpdateCaption();
}

void TMainForm::Item_ZpetClick()
{
    const QString name = m_fight && m_fight->CanUndo() ? m_fight->UndoName() : QString();
    const bool undone = m_fight && m_fight->Undo();
    UpdateHistoryCommands();
    // Names what was taken back and the key that does it again.
    if (undone)
        ShowStatusMessage(
            QStringLiteral("Vráceno zpět: %1. Znovu: %2").arg(name, KeyText(*m_ui->Item_Znovu)),
            kDoneSeconds);
}

void TMainForm::Item_ZnovuClick()
{
    const QString name = m_fight && m_fight->CanRedo() ? m_fight->RedoName() : QString();
    const bool redone = m_fight && m_fight->Redo();
    UpdateHistoryCommands();
    if (redone)
        ShowStatusMessage(
            QStringLiteral("Znovu provedeno: %1. Zpět: %2").arg(name, KeyText(*m_ui->Item_Zpet)),
            kDoneSeconds);
}

QString TMainForm::KeyText(const QAction& action)
{
    return action.shortcut().toString(QKeySequence::NativeText);
}

void TMainForm::OfferRecovery()
{
    if (!m_fight || !m_fight->HasLeftover())
        return;
    if (AskQuestion(QStringLiteral("Program minule neskončil řádně. Obnovit rozehraný souboj?"))) {
        const std::uint64_t before = m_fight->History().State();
        m_fight->RestoreLeftover();
        FollowFightFile(before);
    } else
        m_fight->DiscardLeftover();
    UpdateHistoryCommands();
}

void TMainForm::EndFight()
{
    m_ending = true;
    // A fight that could not be kept stays in the journal, to be offered again.
    if (KeepFightAtEnd() && m_fight)
        m_fight->EndNormally();
}

void TMainForm::JournalTrouble(TJournalTrouble trouble)
{
    // Never in the middle of a command: the box would run the event loop
    // while its step is still open.
    if (m_ending)
        ShowJournalTrouble(trouble);
    else
        QMetaObject::invokeMethod(
            this, [this, trouble] { ShowJournalTrouble(trouble); }, Qt::QueuedConnection);
}

void TMainForm::ShowJournalTrouble(TJournalTrouble trouble)
{
    if (!m_fight)
        return;
    // A failure that a later write has already mended is no longer true.
    if (trouble == TJournalTrouble::NotKept && !m_fight->JournalFailing())
        return;
    const QString folder = m_fight->JournalFolder();
    switch (trouble) {
    case TJournalTrouble::NotKept:
        ShowErrorMessage(QStringLiteral("Rozehraný souboj se nedaří průběžně ukládat do složky "
                                        "%1; při pádu programu by se ztratil.")
                             .arg(folder));
        break;
    case TJournalTrouble::SetAside:
        ShowErrorMessage(QStringLiteral("Záznam rozehraného souboje ve složce %1 nelze přečíst, "
                                        "souboj z něj obnovit nejde. Záznam zůstal v téže "
                                        "složce jako fight.journal.bak.")
                             .arg(folder));
        break;
    case TJournalTrouble::NotRemoved:
        ShowErrorMessage(QStringLiteral("Záznam rozehraného souboje ve složce %1 nelze smazat; "
                                        "při příštím spuštění programu bude souboj znovu "
                                        "nabídnut.")
                             .arg(folder));
        break;
    }
}

} // namespace mecovnik
