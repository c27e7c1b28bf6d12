#include "app/TFightKeeper.h"

#include "components/QtText.h"
#include "components/TAdvancedListBox.h"
#include "history/TClock.h"
#include "history/TJournalFile.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/TMonsterPresets.h"
#include "roster/TNestvura.h"
#include "roster/TObjekt.h"
#include "roster/TRosterModel.h"

#include <QDir>
#include <QScrollBar>

namespace mecovnik {

namespace {

// Above this many changed rows a roster repaints whole, not row by row.
constexpr std::size_t kRowsToRepaintOneByOne = 64;

// The monster kinds of the monster roster's dialog, as the journal sees them.
class TPresetKinds final : public TJournalKinds
{
public:
    explicit TPresetKinds(const TNestvuryWindow& nestvury) : m_nestvury(nestvury) {}

    [[nodiscard]] std::uint64_t Mark() const override
    {
        const TMonsterPresets* presets = m_nestvury.Presets();
        return presets ? presets->LastMark() : 0;
    }

    [[nodiscard]] std::vector<TKindData> Since(std::uint64_t mark) const override
    {
        std::vector<TKindData> kinds;
        const TMonsterPresets* presets = m_nestvury.Presets();
        if (!presets)
            return kinds;
        for (int i = 0; i < presets->Count(); ++i) {
            const std::uint64_t own = presets->MarkOf(i);
            if (own == 0 || own <= mark)
                continue;
            const TNestvura& preset = *presets->At(i);
            kinds.push_back(
                {preset.Name, preset.Level, preset.KnockOutRule, preset.KillExperience});
        }
        return kinds;
    }

private:
    const TNestvuryWindow& m_nestvury;
};

} // namespace

TFightKeeper::TFightKeeper(TPostavyWindow& postavy, TNestvuryWindow& nestvury, TJournalFile* file,
                           const TClock& clock, std::function<void(TJournalTrouble)> trouble)
    : m_postavy(postavy), m_nestvury(nestvury),
      m_history(postavy.Rows().EditRecords(), nestvury.Rows().EditRecords()), m_clock(clock),
      m_file(file)
{
    if (!file)
        return;
    m_kinds = std::make_unique<TPresetKinds>(nestvury);
    m_journal = std::make_unique<TFightJournal>(*file, m_kinds.get(), std::move(trouble));
    m_journal->SetLedger(&m_ledger.Ledger());
    TJournalReading left = m_journal->Open(postavy.Rows().Records().Order());
    switch (left.Status) {
    case TJournalReading::TStatus::Fight:
        if (!left.Fight.Empty()) {
            m_leftover = std::move(left.Fight);
            m_leftoverLedger = std::move(left.Ledger);
            break;
        }
        [[fallthrough]]; // an empty fight is not worth a question
    case TJournalReading::TStatus::NoFight:
        (void)m_journal->Remove();
        break;
    case TJournalReading::TStatus::Damaged:
        break; // kept aside as a backup already
    }
}

TFightKeeper::~TFightKeeper() = default;

QString TFightKeeper::JournalFolder() const
{
    return m_file ? QDir::toNativeSeparators(ToQString(m_file->Folder())) : QString();
}

TObjektWindow& TFightKeeper::Window(int side) const
{
    if (side == kPostavy)
        return m_postavy;
    return m_nestvury;
}

TFightSelection TFightKeeper::Selection() const
{
    TFightSelection selection;
    for (int side = 0; side < kRosterSides; ++side)
        selection.Rows[static_cast<std::size_t>(side)] = Window(side).ListBox()->ItemIndex();
    return selection;
}

void TFightKeeper::Begin(TLedgerEvent event)
{
    if (!m_history.Begin(Selection()))
        return;
    m_command = {};
    m_command.Event = event;
    m_replacement.reset();
    m_ledger.Begin(m_postavy.Rows().Records());
}

void TFightKeeper::NoteWound(TLedgerCommand wound)
{
    m_command = std::move(wound);
}

bool TFightKeeper::Commit(const QString& name)
{
    if (m_history.Commit(ToStdString(name), Selection())) {
        const TLedgerMove move = m_ledger.Commit(
            m_command, m_history.LastChange(), m_postavy.Rows().Records(), m_history.State(),
            m_history.StepCount(), m_clock.Now(), std::exchange(m_replacement, std::nullopt));
        Journal(m_history.LastChange(), &move);
        if (move != TLedgerMove{})
            emit LedgerMoved(move);
        return true;
    }
    if (m_journal && m_journal->KindsPending()) {
        // A kind entered without a roster change still belongs in the journal.
        TFightChange kindsOnly;
        kindsOnly.Selection = Selection();
        Journal(kindsOnly);
    }
    return false;
}

QString TFightKeeper::UndoName() const
{
    return ToQString(m_history.UndoName());
}

QString TFightKeeper::RedoName() const
{
    return ToQString(m_history.RedoName());
}

bool TFightKeeper::Undo()
{
    return Move(true);
}

bool TFightKeeper::Redo()
{
    return Move(false);
}

bool TFightKeeper::Move(bool undo)
{
    if (m_history.Recording() || !(undo ? m_history.CanUndo() : m_history.CanRedo()))
        return false;
    const auto moves = undo ? m_history.UndoMovesRows() : m_history.RedoMovesRows();
    std::array<int, kRosterSides> scrolled{};
    for (int side = 0; side < kRosterSides; ++side) {
        if (!moves[static_cast<std::size_t>(side)])
            continue;
        scrolled[static_cast<std::size_t>(side)] =
            Window(side).ListBox()->verticalScrollBar()->value();
        Window(side).Rows().BeginReset();
    }
    const std::uint64_t stateBefore = m_history.State();
    const bool moved = undo ? m_history.Undo() : m_history.Redo();
    for (int side = 0; side < kRosterSides; ++side)
        if (moves[static_cast<std::size_t>(side)])
            Window(side).Rows().EndReset();

    if (moved) {
        const TFightChange& change = m_history.LastChange();
        for (int side = 0; side < kRosterSides; ++side) {
            TObjektWindow& window = Window(side);
            const auto s = static_cast<std::size_t>(side);
            if (moves[s]) {
                // A reset scrolls to the top; stay where the user was.
                window.ListBox()->doItemsLayout();
                window.ListBox()->verticalScrollBar()->setValue(scrolled[s]);
            } else if (change.Rosters[s].Changed.size() > kRowsToRepaintOneByOne) {
                window.ListBox()->viewport()->update();
                window.NoteRecordsChanged();
            } else {
                for (const int row : change.Rosters[s].Changed)
                    window.RedrawRow(row);
            }
        }
        Select(change.Selection);
        const TLedgerMove move =
            undo ? m_ledger.Undone(stateBefore) : m_ledger.Redone(m_history.State());
        Journal(change, &move);
        if (move != TLedgerMove{})
            emit LedgerMoved(move);
    }
    emit RostersChanged();
    return moved;
}

void TFightKeeper::Select(const TFightSelection& selection)
{
    for (int side = 0; side < kRosterSides; ++side) {
        TAdvancedListBox* list = Window(side).ListBox();
        const int row = selection.Rows[static_cast<std::size_t>(side)];
        list->SetItemIndex(row);
        if (row >= 0)
            list->scrollTo(list->model()->index(row, 0));
    }
}

void TFightKeeper::Journal(const TFightChange& change, const TLedgerMove* move)
{
    // While a left fight waits for its answer, the journal still holds it.
    if (m_journal && !m_leftover)
        m_journal->Record(change, m_postavy.Rows().Records(), m_nestvury.Rows().Records(), move);
}

void TFightKeeper::RestoreLeftover()
{
    if (!m_leftover)
        return;
    const TFightData fight = std::move(*m_leftover);
    m_leftover.reset();
    TFightSelection selection;
    for (int side = 0; side < kRosterSides; ++side) {
        const auto s = static_cast<std::size_t>(side);
        TRosterModel& rows = Window(side).Rows();
        TRosterList& list = rows.EditRecords();
        rows.BeginReset();
        list.RemoveIf([](const TObjekt&) { return true; });
        // Added by name: the order is the user's collation of today.
        for (const TRecordData& record : fight.Rosters[s])
            if (list.IndexOf(record.Name) < 0)
                list.Add(MakeRecord(static_cast<TRosterSide>(side), record));
        rows.EndReset();
        const int selected = fight.Selection.Rows[s];
        if (selected >= 0)
            selection.Rows[s] =
                list.IndexOf(fight.Rosters[s][static_cast<std::size_t>(selected)].Name);
    }
    // The kinds come back as entered, still waiting for the configuration.
    if (TMonsterPresets* presets = m_nestvury.Presets()) {
        const TNameOrder& order = m_nestvury.Rows().Records().Order();
        for (const TKindData& kind : fight.Kinds) {
            int index = presets->IndexOf(kind.Name, order);
            if (index < 0)
                index = presets->Append(std::make_unique<TNestvura>(kind.Name));
            TNestvura& preset = *presets->At(index);
            preset.Level = kind.Level;
            preset.KnockOutRule = kind.KnockOutRule;
            preset.KillExperience = kind.KillExperience;
            presets->MarkChanged(index);
        }
    }
    Select(selection);
    m_history.Clear();
    // A journal of an older version, or one that does not tell the
    // characters' experience, gives a ledger of their joining.
    TExperienceLedger ledger = std::move(m_leftoverLedger);
    m_leftoverLedger.Clear();
    if (const std::vector<TRecordData> characters = DataOf(m_postavy.Rows().Records());
        !LedgerAgrees(ledger, characters)) {
        ledger.Clear();
        ledger.Append(JoinedRows(characters, m_clock.Now()));
    }
    m_ledger.Reset(std::move(ledger));
    emit LedgerMoved({true, 0, m_ledger.Ledger().Count()});
    if (m_journal)
        m_journal->WriteWhole(m_postavy.Rows().Records(), m_nestvury.Rows().Records(), Selection());
    emit RostersChanged();
}

template <class F> void TFightKeeper::ResetAround(F change)
{
    for (int side = 0; side < kRosterSides; ++side)
        Window(side).Rows().BeginReset();
    change(m_postavy.Rows().EditRecords(), m_nestvury.Rows().EditRecords());
    for (int side = 0; side < kRosterSides; ++side)
        Window(side).Rows().EndReset();
}

void TFightKeeper::ReplaceFight(const TFightData& fight, std::optional<TExperienceLedger> ledger)
{
    if (!ledger) {
        ledger.emplace();
        ledger->Append(JoinedRows(fight.Rosters[kPostavy], m_clock.Now()));
    }
    m_replacement = std::move(ledger);
    TFightSelection selection;
    ResetAround([&](TRosterList& postavy, TRosterList& nestvury) {
        selection = mecovnik::ReplaceFight(postavy, nestvury, fight);
    });
    Select(selection);
    emit RostersChanged();
}

TAddedFromFile TFightKeeper::AddFight(const TFightData& fight)
{
    const std::array<const TObjekt*, kRosterSides> selected{m_postavy.Active(),
                                                            m_nestvury.Active()};
    TAddedFromFile added;
    ResetAround([&](TRosterList& postavy, TRosterList& nestvury) {
        added = AddFightFromFile(postavy, nestvury, fight);
    });
    TFightSelection selection;
    for (int side = 0; side < kRosterSides; ++side)
        selection.Rows[static_cast<std::size_t>(side)] =
            Window(side).Rows().RowOf(selected[static_cast<std::size_t>(side)]);
    Select(selection);
    emit RostersChanged();
    return added;
}

TFightData TFightKeeper::Fight() const
{
    TFightData fight;
    fight.Rosters[kPostavy] = DataOf(m_postavy.Rows().Records());
    fight.Rosters[kNestvury] = DataOf(m_nestvury.Rows().Records());
    fight.Selection = Selection();
    return fight;
}

void TFightKeeper::DiscardLeftover()
{
    if (!m_leftover)
        return;
    m_leftover.reset();
    m_leftoverLedger.Clear();
    if (m_journal)
        (void)m_journal->Remove();
}

void TFightKeeper::EndNormally()
{
    if (m_journal && !m_leftover)
        (void)m_journal->Remove();
}

} // namespace mecovnik
