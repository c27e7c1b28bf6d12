#pragma once

#include "history/FightState.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace mecovnik {

class TObjekt;
class TRosterList;

// What one transition of the fight did to a roster. Rows are ascending.
struct TRosterChange
{
    std::vector<int> Removed;  // rows, in the state before, of records that left
    std::vector<int> Inserted; // rows, in the state after, of records that came
    std::vector<int> Changed;  // rows, in the state after, of records whose numbers changed

    [[nodiscard]] bool Empty() const
    {
        return Removed.empty() && Inserted.empty() && Changed.empty();
    }
    // Rows came or went, so row indexes moved.
    [[nodiscard]] bool RowsMoved() const { return !Removed.empty() || !Inserted.empty(); }
};

// What one transition did to the fight, and the selections after it.
struct TFightChange
{
    std::array<TRosterChange, kRosterSides> Rosters;
    TFightSelection Selection;
    // The rosters did not follow from the notes taken before the command, so
    // the change cannot be told row by row: take the whole fight anew.
    bool Whole = false;
};

// The history of roster changes: undo and redo of whole commands.
//
// A command runs between Begin and Commit. Begin notes each roster's records
// and their numbers; while it records, the lists hand removed records to the
// history instead of destroying them. Commit compares and keeps one step: the
// records that left (with their rows), the rows of those that came, and the
// old and new numbers of those that changed. Undo and redo move the very
// records back and forth by row, so names, numbers, order and the numbering
// of monsters come back exactly; they also give back the selections.
class TRosterHistory
{
public:
    // The most entries (rows removed, added or changed, summed over all
    // steps) the history keeps; the oldest steps go first. Keeps memory
    // bounded in a long evening of changes to thousands of rows.
    static constexpr std::size_t kMaxEntries = 1'000'000;

    TRosterHistory(TRosterList& postavy, TRosterList& nestvury);
    ~TRosterHistory();
    TRosterHistory(const TRosterHistory&) = delete;
    TRosterHistory& operator=(const TRosterHistory&) = delete;

    // Starts recording a command, the selections as they are before it.
    // False (and nothing starts) while a command is already being recorded.
    // Rows added or removed since the last transition other than through the
    // history drop every step, and the change of this command is Whole.
    bool Begin(const TFightSelection& selection);
    [[nodiscard]] bool Recording() const { return m_recording; }

    // Ends the recording. When a roster changed, keeps the change as the
    // newest step under name, drops the steps that could be redone and returns
    // true; LastChange then describes it. A command that changed nothing
    // leaves no step and returns false.
    bool Commit(std::string name, const TFightSelection& selection);

    [[nodiscard]] bool CanUndo() const { return m_done > 0; }
    [[nodiscard]] bool CanRedo() const { return m_done < m_steps.size(); }
    // Name of the step that Undo / Redo would take; empty when none.
    [[nodiscard]] const std::string& UndoName() const;
    [[nodiscard]] const std::string& RedoName() const;
    // Whether undoing / redoing the step would add or remove rows of a roster.
    [[nodiscard]] std::array<bool, kRosterSides> UndoMovesRows() const;
    [[nodiscard]] std::array<bool, kRosterSides> RedoMovesRows() const;

    // Takes the newest step back: the rosters return to the state before it,
    // LastChange tells what moved and the selections before the step. False
    // when there is nothing to undo or a command is being recorded; also when
    // rows were added or removed behind the history's back, which drops every
    // step.
    bool Undo();
    // Takes the next undone step again; LastChange as for Undo.
    bool Redo();

    // The last transition made by Commit, Undo or Redo.
    [[nodiscard]] const TFightChange& LastChange() const { return m_last; }

    // Forgets every step; the history starts again from the rosters as they
    // are now.
    void Clear();
    [[nodiscard]] std::size_t StepCount() const { return m_steps.size(); }

    // The state the rosters stand at, as a number: each step kept gets a new
    // one, never given before; undo and redo come back to the numbers of the
    // states they return to. Clear, and rows changed behind the history's
    // back, start from a new number. So two equal numbers mean the rosters
    // are as they were (as far as commands changed them).
    [[nodiscard]] std::uint64_t State() const
    {
        return m_done > 0 ? m_steps[m_done - 1].State : m_baseState;
    }

private:
    struct TChangedRow
    {
        int Before = 0;
        int After = 0;
        TRecordNumbers Old{};
        TRecordNumbers New{};
    };
    struct TStepRoster
    {
        std::vector<int> Removed; // rows before the step
        std::vector<int> Added;   // rows after the step
        // Records not in the list: those removed while the step is done, those
        // added while it is undone; in row order.
        std::vector<std::unique_ptr<TObjekt>> Outside;
        std::vector<TChangedRow> Changed; // ascending in both row orders
    };
    struct TStep
    {
        std::string Name;
        std::uint64_t State = 0; // the state the step leads to
        std::array<TStepRoster, kRosterSides> Rosters;
        TFightSelection Before;
        TFightSelection After;
        [[nodiscard]] std::size_t Entries() const;
    };
    struct TBefore
    {
        const TObjekt* Record = nullptr;
        TRecordNumbers Numbers{};
    };

    // Whether the lists are as the last transition left them; rows added or
    // removed behind the history's back make its steps useless.
    [[nodiscard]] bool InStep() const;
    void NoteRevisions();
    // Compares a roster with its notes from Begin; false when the list does
    // not follow from them (then the history cannot be trusted).
    bool Diff(int side, TStepRoster& out);
    void StopSinks();
    void Trim();
    [[nodiscard]] static std::array<bool, kRosterSides> MovesRows(const TStep& step);

    std::array<TRosterList*, kRosterSides> m_lists;
    std::deque<TStep> m_steps;
    std::size_t m_done = 0; // steps [0, m_done) are done
    std::size_t m_entries = 0;
    bool m_recording = false;
    bool m_outOfStep = false;      // Begin found the lists changed behind its back
    std::uint64_t m_baseState = 0; // the state before the oldest step kept
    std::uint64_t m_lastState = 0; // the newest state number given
    std::array<std::uint64_t, kRosterSides> m_revisions{};
    TFightSelection m_selectionBefore;
    std::array<std::vector<TBefore>, kRosterSides> m_before;
    std::array<std::vector<std::unique_ptr<TObjekt>>, kRosterSides> m_removed;
    TFightChange m_last;
};

} // namespace mecovnik
