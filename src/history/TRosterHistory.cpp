#include "history/TRosterHistory.h"

#include "roster/TRosterList.h"

#include <algorithm>
#include <unordered_map>

namespace mecovnik {

namespace {

const std::string kNoName;

} // namespace

TRosterHistory::TRosterHistory(TRosterList& postavy, TRosterList& nestvury)
    : m_lists{&postavy, &nestvury}
{
    NoteRevisions();
}

bool TRosterHistory::InStep() const
{
    for (int side = 0; side < kRosterSides; ++side)
        if (m_lists[side]->Revision() != m_revisions[side])
            return false;
    return true;
}

void TRosterHistory::NoteRevisions()
{
    for (int side = 0; side < kRosterSides; ++side)
        m_revisions[side] = m_lists[side]->Revision();
}

TRosterHistory::~TRosterHistory()
{
    StopSinks();
}

void TRosterHistory::StopSinks()
{
    for (TRosterList* list : m_lists)
        list->SetRemovalSink(nullptr);
}

std::size_t TRosterHistory::TStep::Entries() const
{
    std::size_t n = 1;
    for (const TStepRoster& r : Rosters)
        n += r.Removed.size() + r.Added.size() + r.Changed.size();
    return n;
}

bool TRosterHistory::Begin(const TFightSelection& selection)
{
    if (m_recording)
        return false;
    m_outOfStep = !InStep();
    if (m_outOfStep)
        Clear();
    m_recording = true;
    m_selectionBefore = selection;
    for (int side = 0; side < kRosterSides; ++side) {
        const TRosterList& list = *m_lists[side];
        std::vector<TBefore>& before = m_before[side];
        before.clear();
        before.reserve(static_cast<std::size_t>(list.Count()));
        for (int row = 0; row < list.Count(); ++row)
            before.push_back({list.At(row), NumbersOf(*list.At(row))});
        m_removed[side].clear();
        m_lists[side]->SetRemovalSink(&m_removed[side]);
    }
    return true;
}

bool TRosterHistory::Diff(int side, TStepRoster& out)
{
    const TRosterList& list = *m_lists[side];
    const std::vector<TBefore>& before = m_before[side];
    std::vector<std::unique_ptr<TObjekt>>& removed = m_removed[side];

    // Kept records keep their order (names never change and the list stays
    // sorted), so one walk over both row orders tells everything apart; only
    // removed records need looking up.
    std::unordered_map<const TObjekt*, std::size_t> removedAt;
    removedAt.reserve(removed.size());
    for (std::size_t i = 0; i < removed.size(); ++i)
        removedAt.emplace(removed[i].get(), i);

    const std::size_t nb = before.size();
    const auto na = static_cast<std::size_t>(list.Count());
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < nb || j < na) {
        if (i < nb) {
            const auto found = removedAt.find(before[i].Record);
            if (found != removedAt.end()) {
                out.Removed.push_back(static_cast<int>(i));
                out.Outside.push_back(std::move(removed[found->second]));
                ++i;
                continue;
            }
        }
        if (i < nb && j < na && list.At(static_cast<int>(j)) == before[i].Record) {
            const TRecordNumbers now = NumbersOf(*before[i].Record);
            if (now != before[i].Numbers)
                out.Changed.push_back(
                    {static_cast<int>(i), static_cast<int>(j), before[i].Numbers, now});
            ++i;
            ++j;
            continue;
        }
        if (j < na) {
            out.Added.push_back(static_cast<int>(j));
            ++j;
            continue;
        }
        return false; // a record vanished without passing the sink
    }
    // Every removed record was one the notes knew.
    return out.Outside.size() == removed.size();
}

bool TRosterHistory::Commit(std::string name, const TFightSelection& selection)
{
    if (!m_recording)
        return false;
    m_recording = false;
    StopSinks();

    TStep step;
    step.Name = std::move(name);
    step.Before = m_selectionBefore;
    step.After = selection;
    bool consistent = true;
    bool changed = false;
    for (int side = 0; side < kRosterSides; ++side) {
        consistent = Diff(side, step.Rosters[side]) && consistent;
        const TStepRoster& r = step.Rosters[side];
        changed = changed || !r.Removed.empty() || !r.Added.empty() || !r.Changed.empty();
        m_removed[side].clear();
        m_before[side].clear();
    }

    NoteRevisions();
    m_last = {};
    m_last.Selection = selection;
    if (!consistent || m_outOfStep) {
        // The rosters cannot be walked back from here: forget the history,
        // and let whoever follows the changes take the whole fight anew.
        Clear();
        m_last.Whole = true;
        return true;
    }
    if (!changed)
        return false;

    for (int side = 0; side < kRosterSides; ++side) {
        const TStepRoster& r = step.Rosters[side];
        TRosterChange& c = m_last.Rosters[side];
        c.Removed = r.Removed;
        c.Inserted = r.Added;
        for (const TChangedRow& row : r.Changed)
            c.Changed.push_back(row.After);
    }
    while (m_steps.size() > m_done) {
        m_entries -= m_steps.back().Entries();
        m_steps.pop_back();
    }
    m_entries += step.Entries();
    step.State = ++m_lastState;
    m_steps.push_back(std::move(step));
    ++m_done;
    Trim();
    return true;
}

void TRosterHistory::Trim()
{
    while (m_entries > kMaxEntries && m_steps.size() > 1 && m_done > 1) {
        m_entries -= m_steps.front().Entries();
        m_baseState = m_steps.front().State;
        m_steps.pop_front();
        --m_done;
    }
}

const std::string& TRosterHistory::UndoName() const
{
    return CanUndo() ? m_steps[m_done - 1].Name : kNoName;
}

const std::string& TRosterHistory::RedoName() const
{
    return CanRedo() ? m_steps[m_done].Name : kNoName;
}

std::array<bool, kRosterSides> TRosterHistory::MovesRows(const TStep& step)
{
    std::array<bool, kRosterSides> moves{};
    for (int side = 0; side < kRosterSides; ++side)
        moves[side] = !step.Rosters[side].Removed.empty() || !step.Rosters[side].Added.empty();
    return moves;
}

std::array<bool, kRosterSides> TRosterHistory::UndoMovesRows() const
{
    return CanUndo() ? MovesRows(m_steps[m_done - 1]) : std::array<bool, kRosterSides>{};
}

std::array<bool, kRosterSides> TRosterHistory::RedoMovesRows() const
{
    return CanRedo() ? MovesRows(m_steps[m_done]) : std::array<bool, kRosterSides>{};
}

namespace {

std::vector<std::pair<int, std::unique_ptr<TObjekt>>>
Pairs(const std::vector<int>& rows, std::vector<std::unique_ptr<TObjekt>>& records)
{
    std::vector<std::pair<int, std::unique_ptr<TObjekt>>> pairs;
    pairs.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        pairs.emplace_back(rows[i], std::move(records[i]));
    return pairs;
}

} // namespace

bool TRosterHistory::Undo()
{
    if (m_recording || !CanUndo())
        return false;
    if (!InStep()) {
        Clear();
        return false;
    }
    TStep& step = m_steps[m_done - 1];
    m_last = {};
    m_last.Selection = step.Before;
    for (int side = 0; side < kRosterSides; ++side) {
        TRosterList& list = *m_lists[side];
        TStepRoster& r = step.Rosters[side];
        TRosterChange& c = m_last.Rosters[side];
        for (const TChangedRow& row : r.Changed)
            SetNumbers(*list.At(row.After), row.Old);
        auto added = list.TakeRows(r.Added);
        list.PutRows(Pairs(r.Removed, r.Outside));
        r.Outside = std::move(added);
        c.Removed = r.Added;
        c.Inserted = r.Removed;
        for (const TChangedRow& row : r.Changed)
            c.Changed.push_back(row.Before);
    }
    --m_done;
    NoteRevisions();
    return true;
}

bool TRosterHistory::Redo()
{
    if (m_recording || !CanRedo())
        return false;
    if (!InStep()) {
        Clear();
        return false;
    }
    TStep& step = m_steps[m_done];
    m_last = {};
    m_last.Selection = step.After;
    for (int side = 0; side < kRosterSides; ++side) {
        TRosterList& list = *m_lists[side];
        TStepRoster& r = step.Rosters[side];
        TRosterChange& c = m_last.Rosters[side];
        auto removed = list.TakeRows(r.Removed);
        list.PutRows(Pairs(r.Added, r.Outside));
        r.Outside = std::move(removed);
        for (const TChangedRow& row : r.Changed)
            SetNumbers(*list.At(row.After), row.New);
        c.Removed = r.Removed;
        c.Inserted = r.Added;
        for (const TChangedRow& row : r.Changed)
            c.Changed.push_back(row.After);
    }
    ++m_done;
    NoteRevisions();
    return true;
}

void TRosterHistory::Clear()
{
    NoteRevisions();
    m_steps.clear();
    m_done = 0;
    m_entries = 0;
    m_baseState = ++m_lastState;
}

} // namespace mecovnik
