#pragma once

#include "history/FightState.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace mecovnik {

class TRosterList;
struct TFightChange;

// What made a character's experience change.
enum class TLedgerEvent : std::uint8_t
{
    Wound,        // the character's side wounded a monster
    HandOverAll,  // all unassigned experience handed over to the player
    HandOverPart, // a part of it handed over
    Special,      // experience added (or taken) by the game master
    Reset,        // both experience fields zeroed
    Added,        // the character joined the fight
    Deleted,      // the character left it
};

// One change of one character's experience.
struct TLedgerRow
{
    std::int64_t Time = 0; // seconds since the epoch
    std::string Character;
    TLedgerEvent Event = TLedgerEvent::Special;
    // Wounds only: the monster, the lives it lost and the lives it had before.
    std::string Monster;
    std::int32_t LivesTaken = 0;
    std::int32_t LivesBefore = 0;
    // What the row added to (or took from) the earned and the not yet handed
    // over experience; 64 bits, as a change between two 32-bit totals may
    // not fit in 32.
    std::int64_t EarnedChange = 0;
    std::int64_t UnassignedChange = 0;
    // Both totals after the row.
    std::int32_t Earned = 0;
    std::int32_t Unassigned = 0;

    friend bool operator==(const TLedgerRow&, const TLedgerRow&) = default;
};

// What a command was, as far as the ledger needs it. Commands that change no
// experience make no rows whatever their event; rows of characters that join
// or leave take Added and Deleted whatever the command.
struct TLedgerCommand
{
    TLedgerEvent Event = TLedgerEvent::Special;
    // Wounds only.
    std::string Monster;
    std::int32_t LivesTaken = 0;
    std::int32_t LivesBefore = 0;
};

// A wound of the named monster that had livesBefore lives and has livesAfter.
[[nodiscard]] TLedgerCommand WoundCommand(std::string monster, std::int32_t livesBefore,
                                          std::int32_t livesAfter);

// One character as a command found and left it: no Before for a character
// that joined, no After for one that left. Numbers as TRecordNumbers.
struct TCharacterChange
{
    std::string Name;
    std::optional<TRecordNumbers> Before;
    std::optional<TRecordNumbers> After;
};

// The characters a transition touched, from the character roster as it was
// before (in row order), the history's change and the roster after it: those
// that left, then those that joined or whose numbers changed, in row order.
// A Whole change is told apart by name. Costs O(rows touched) unless Whole.
[[nodiscard]] std::vector<TCharacterChange> CharacterChanges(const std::vector<TRecordData>& before,
                                                             const TFightChange& change,
                                                             const TRosterList& postavyAfter);

// The ledger rows of one command at time: one per character whose earned or
// unassigned experience changed, with the command's event and wound, and one
// for each character that joined or left (even with no experience).
[[nodiscard]] std::vector<TLedgerRow> MakeLedgerRows(const TLedgerCommand& command,
                                                     std::span<const TCharacterChange> changes,
                                                     std::int64_t time);

// The Czech text of what happened: "Zranění: Skřet [2], 5 životů z 8",
// "Předána celá zkušenost", "Předána část zkušenosti", "Zvláštní zkušenost",
// "Vynulována zkušenost", "Postava přidána", "Postava smazána".
[[nodiscard]] std::string EventText(const TLedgerRow& row);

// "život", "životy" or "životů", as Czech says it after the number n.
[[nodiscard]] const char* LivesWord(std::int64_t n);

// One character's experience over the ledger. HandedOver is what of the
// earned experience the player has been told to write down
// (Earned - NotHandedOver), as the character itself counts it.
struct TLedgerSummary
{
    std::string Character;
    std::int64_t Earned = 0;
    std::int64_t HandedOver = 0;
    std::int64_t NotHandedOver = 0;
    bool Present = false; // in the fight after the last row (not deleted)

    friend bool operator==(const TLedgerSummary&, const TLedgerSummary&) = default;
};

// The rows of one fight, oldest first.
class TExperienceLedger
{
public:
    [[nodiscard]] std::size_t Count() const { return m_rows.size(); }
    [[nodiscard]] bool Empty() const { return m_rows.empty(); }
    [[nodiscard]] const TLedgerRow& At(std::size_t index) const { return m_rows[index]; }
    [[nodiscard]] const std::deque<TLedgerRow>& Rows() const { return m_rows; }

    // Appends rows as the newest; returns how many (what a step will take
    // back).
    std::size_t Append(std::vector<TLedgerRow> rows);

    // Takes the newest n rows off (all when there are fewer) and returns them
    // oldest first, for an undo step. O(n).
    [[nodiscard]] std::vector<TLedgerRow> TakeLast(std::size_t n);
    // Puts rows taken by TakeLast back as the newest, for a redo step. O(n).
    void PutBack(std::vector<TLedgerRow> rows);

    void Clear() { m_rows.clear(); }

    // Per character, in the order of their first row: the sums of the rows'
    // changes. For a ledger kept beside the roster from the start of the
    // fight these are the characters' own numbers. O(rows).
    [[nodiscard]] std::vector<TLedgerSummary> Summary() const;

    friend bool operator==(const TExperienceLedger&, const TExperienceLedger&) = default;

private:
    std::deque<TLedgerRow> m_rows;
};

// Whether the ledger's summary tells exactly the characters in the roster
// (present ones, by name) with their experience and unassigned experience.
[[nodiscard]] bool LedgerAgrees(const TExperienceLedger& ledger,
                                const std::vector<TRecordData>& characters);

} // namespace mecovnik
