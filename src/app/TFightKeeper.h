#pragma once

#include "history/ExperienceLedger.h"
#include "history/FightFileRules.h"
#include "history/FightJournalFormat.h"
#include "history/TFightJournal.h"
#include "history/TFightLedger.h"
#include "history/TRosterHistory.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace mecovnik {

class TClock;
class TJournalFile;
class TNestvuryWindow;
class TObjektWindow;
class TPostavyWindow;

// The windows' side of the fight's history and journal. Roster commands run
// between Begin and Commit; undo and redo move the records in both roster
// windows, tell their views, and bring back the selections; every completed
// change is written to the journal with the monster kinds entered or changed
// since the configuration was last loaded or saved; a proper end of the
// program removes the journal. Whatever moves the rosters behind the
// commands' back (undo, redo, a restored fight) is reported by RostersChanged.
// The experience ledger goes with every step: a command appends the rows of
// the characters it changed, undo and redo take them off and put them back,
// an opened or new fight brings its own; each move is told by LedgerMoved.
class TFightKeeper final : public QObject
{
    Q_OBJECT

public:
    // The journal file may be nullptr (no journal at all); when another copy
    // of the program holds it, this copy never touches it, and tries again at
    // every change. Whatever the user must know of the journal goes to
    // trouble, once per occasion (TFightJournal).
    // The ledger's rows take their time from clock, which must outlive the
    // keeper.
    TFightKeeper(TPostavyWindow& postavy, TNestvuryWindow& nestvury, TJournalFile* file,
                 const TClock& clock, std::function<void(TJournalTrouble)> trouble = {});
    ~TFightKeeper() override;
    Q_DISABLE_COPY_MOVE(TFightKeeper)

    [[nodiscard]] bool Recording() const { return m_history.Recording(); }
    // Starts a command whose experience changes the ledger tells as event.
    void Begin(TLedgerEvent event = TLedgerEvent::Special);
    // The running command wounded a monster: its rows tell the wound.
    void NoteWound(TLedgerCommand wound);
    // Ends a command: keeps its step when it changed a roster, with its
    // ledger rows, and writes the journal. True when a step was kept.
    bool Commit(const QString& name);

    // The fight's experience ledger, oldest row first.
    [[nodiscard]] const TExperienceLedger& Ledger() const { return m_ledger.Ledger(); }

    [[nodiscard]] bool CanUndo() const { return m_history.CanUndo(); }
    [[nodiscard]] bool CanRedo() const { return m_history.CanRedo(); }
    [[nodiscard]] QString UndoName() const;
    [[nodiscard]] QString RedoName() const;
    bool Undo();
    bool Redo();

    // A fight left by a run that did not end properly, waiting for the
    // user's answer.
    [[nodiscard]] bool HasLeftover() const { return m_leftover.has_value(); }
    // Puts the left fight into both rosters (as the only rows) with its
    // selections, its kinds into the monster kinds, and writes the journal
    // anew.
    void RestoreLeftover();
    // Gives the left fight up: the journal is removed.
    void DiscardLeftover();

    // The program ends properly: the journal is removed (unless a left fight
    // still waits for an answer).
    void EndNormally();

    // Replaces both rosters with fight's records (a fight opened, a new one),
    // selecting its selections, and the ledger with ledger (none: a
    // "Postava přidána" row for each of its characters); a command's part,
    // recorded by Begin and Commit.
    void ReplaceFight(const TFightData& fight, std::optional<TExperienceLedger> ledger = {});
    // Adds a file's records to the rosters (FightFileRules.h); the selected
    // records stay selected. A command's part, as ReplaceFight.
    TAddedFromFile AddFight(const TFightData& fight);
    // The fight as it stands: both rosters in row order and their selections.
    [[nodiscard]] TFightData Fight() const;

    [[nodiscard]] bool Journalling() const { return m_journal != nullptr; }
    // The journal does not hold the fight as it is (see TFightJournal).
    [[nodiscard]] bool JournalFailing() const { return m_journal && m_journal->Failing(); }
    // The journal's folder, for messages; empty without a journal.
    [[nodiscard]] QString JournalFolder() const;
    [[nodiscard]] const TRosterHistory& History() const { return m_history; }

signals:
    // Undo or redo was asked for, or a left fight came back: the rosters'
    // rows and selections may differ from what the commands were enabled for.
    void RostersChanged();
    // The ledger moved (it is as the move left it).
    void LedgerMoved(const mecovnik::TLedgerMove& move);

private:
    [[nodiscard]] TFightSelection Selection() const;
    [[nodiscard]] TObjektWindow& Window(int side) const;
    // Runs change on the roster lists, both views reset around it.
    template <class F> void ResetAround(F change);
    // Runs a transition of the history, telling the views around it.
    bool Move(bool undo);
    void Select(const TFightSelection& selection);
    void Journal(const TFightChange& change, const TLedgerMove* move = nullptr);

    TPostavyWindow& m_postavy;
    TNestvuryWindow& m_nestvury;
    TRosterHistory m_history;
    TFightLedger m_ledger;
    const TClock& m_clock;
    TLedgerCommand m_command;
    std::optional<TExperienceLedger> m_replacement;
    TJournalFile* m_file;
    std::unique_ptr<TJournalKinds> m_kinds;
    std::unique_ptr<TFightJournal> m_journal;
    std::optional<TFightData> m_leftover;
    TExperienceLedger m_leftoverLedger;
};

} // namespace mecovnik
