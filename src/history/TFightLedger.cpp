#include "history/TFightLedger.h"

#include "history/TClock.h"
#include "history/TRosterHistory.h"
#include "roster/TRosterList.h"

#include <ctime>
#include <iterator>
#include <utility>

namespace mecovnik {

std::int64_t TSystemClock::Now() const
{
    return static_cast<std::int64_t>(std::time(nullptr));
}

std::vector<TLedgerRow> JoinedRows(const std::vector<TRecordData>& characters, std::int64_t time)
{
    std::vector<TCharacterChange> changes;
    changes.reserve(characters.size());
    for (const TRecordData& c : characters)
        changes.push_back({c.Name, std::nullopt, c.Numbers});
    return MakeLedgerRows({}, changes, time);
}

void TFightLedger::Begin(const TRosterList& postavy)
{
    m_before = DataOf(postavy);
}

TLedgerMove TFightLedger::Commit(const TLedgerCommand& command, const TFightChange& change,
                                 const TRosterList& postavy, std::uint64_t state,
                                 std::size_t stepCount, std::int64_t time,
                                 std::optional<TExperienceLedger> replacement)
{
    // A new step drops the steps that could be redone.
    std::erase_if(m_steps, [](const auto& entry) { return entry.second.Undone; });
    TStep step;
    TLedgerMove move;
    if (replacement) {
        step.Other = std::exchange(m_ledger, std::move(*replacement));
        move = {true, 0, m_ledger.Count()};
    } else {
        step.Appended = m_ledger.Append(
            MakeLedgerRows(command, CharacterChanges(m_before, change, postavy), time));
        move.Appended = step.Appended;
    }
    m_before.clear();
    m_steps[state] = std::move(step);
    // The oldest steps the history let go of; states only grow.
    while (m_steps.size() > stepCount && !m_steps.empty())
        m_steps.erase(m_steps.begin());
    return move;
}

TLedgerMove TFightLedger::Undone(std::uint64_t state)
{
    const auto found = m_steps.find(state);
    if (found == m_steps.end() || found->second.Undone)
        return {};
    TStep& step = found->second;
    step.Undone = true;
    if (step.Other) {
        std::swap(*step.Other, m_ledger);
        return {true, 0, m_ledger.Count()};
    }
    step.Taken = m_ledger.TakeLast(step.Appended);
    return {false, step.Taken.size(), 0};
}

TLedgerMove TFightLedger::Redone(std::uint64_t state)
{
    const auto found = m_steps.find(state);
    if (found == m_steps.end() || !found->second.Undone)
        return {};
    TStep& step = found->second;
    step.Undone = false;
    if (step.Other) {
        std::swap(*step.Other, m_ledger);
        return {true, 0, m_ledger.Count()};
    }
    const std::size_t n = step.Taken.size();
    m_ledger.PutBack(std::exchange(step.Taken, {}));
    return {false, 0, n};
}

void TFightLedger::Reset(TExperienceLedger ledger)
{
    m_ledger = std::move(ledger);
    m_steps.clear();
    m_before.clear();
}

} // namespace mecovnik
