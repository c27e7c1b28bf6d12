#pragma once

#include "history/ExperienceLedger.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace mecovnik {

class TRosterList;
struct TFightChange;

// How one transition moved the ledger, for the journal: the rows taken off
// the end, or all of them when Cleared, then the newest Appended rows added.
struct TLedgerMove
{
    bool Cleared = false;
    std::size_t Taken = 0;
    std::size_t Appended = 0;
    friend bool operator==(const TLedgerMove&, const TLedgerMove&) = default;
};

// The "Postava přidána" rows of characters that come with a fight of no
// ledger of its own, so the ledger still tells their experience.
[[nodiscard]] std::vector<TLedgerRow> JoinedRows(const std::vector<TRecordData>& characters,
                                                 std::int64_t time);

// The fight's ledger kept in step with the roster history: each step of the
// history (known by the state it leads to, TRosterHistory::State) remembers
// the rows it appended, or the whole ledger it replaced, so undo takes them
// off and redo puts them back exactly.
class TFightLedger
{
public:
    [[nodiscard]] const TExperienceLedger& Ledger() const { return m_ledger; }

    // A command starts: the characters as they are before it.
    void Begin(const TRosterList& postavy);

    // The command made the step that leads to state (the history's Commit
    // returned true), and the history keeps stepCount steps. Appends the rows
    // of the characters it changed, with command's event, at time; or, given
    // a replacement (a fight opened or started anew), puts that ledger in
    // place of the whole one. Returns how the ledger moved.
    TLedgerMove Commit(const TLedgerCommand& command, const TFightChange& change,
                       const TRosterList& postavy, std::uint64_t state, std::size_t stepCount,
                       std::int64_t time, std::optional<TExperienceLedger> replacement = {});

    // The step that led to state was undone / redone. A step this ledger does
    // not know moves nothing.
    TLedgerMove Undone(std::uint64_t state);
    TLedgerMove Redone(std::uint64_t state);

    // The history starts again with this ledger (a fight brought back).
    void Reset(TExperienceLedger ledger);

private:
    struct TStep
    {
        std::size_t Appended = 0;
        // A replacing step: the other ledger (the one before while the step
        // is done, the step's own while it is undone).
        std::optional<TExperienceLedger> Other;
        std::vector<TLedgerRow> Taken; // rows taken off while undone
        bool Undone = false;
    };

    TExperienceLedger m_ledger;
    std::vector<TRecordData> m_before;
    std::map<std::uint64_t, TStep> m_steps;
};

} // namespace mecovnik
