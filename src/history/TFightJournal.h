#pragma once

#include "history/FightJournalFormat.h"

#include <cstddef>
#include <cstdint>

namespace mecovnik {

class TJournalFile;
class TNameOrder;
class TRosterList;
struct TFightChange;

// Keeps the fight durable: after every completed change the journal holds the
// rosters and selections as they are. The first write of a run writes the
// whole fight; later ones append the change alone. When a change would take
// the journal beyond twice the whole fight's size and kSlackBytes, or many
// appended changes moved rows, the whole fight is written anew instead, so
// that the journal's size follows the fight, not the length of the evening,
// and reading it back stays quick.
class TFightJournal
{
public:
    // Appended bytes allowed beyond twice the size of the whole fight.
    static constexpr std::size_t kSlackBytes = 16u * 1024u;
    // Appended changes that add or remove rows before the fight is written anew.
    static constexpr int kMaxRowMoves = 256;

    explicit TFightJournal(TJournalFile& file) : m_file(file) {}
    TFightJournal(const TFightJournal&) = delete;
    TFightJournal& operator=(const TFightJournal&) = delete;

    // What a run that did not end properly left, read through the file. A
    // damaged journal is moved aside as a backup at once, so it is never read
    // again. Call once, before the first write.
    [[nodiscard]] TJournalReading TakeLeftover(const TNameOrder& order);

    // Writes the whole fight, replacing the journal.
    bool WriteWhole(const TRosterList& postavy, const TRosterList& nestvury,
                    const TFightSelection& selection);

    // Records a completed change of the rosters (given as they are after it).
    // False when the file refused; the next write then writes the whole fight.
    bool Record(const TFightChange& change, const TRosterList& postavy,
                const TRosterList& nestvury);

    // The fight ended properly, or was given up: no journal is left.
    bool Remove();

    // Bytes the journal holds now, as far as this object wrote them.
    [[nodiscard]] std::size_t Size() const { return m_size; }

private:
    TJournalFile& m_file;
    std::uint64_t m_sequence = 0;
    std::size_t m_size = 0;
    std::size_t m_wholeSize = 0;
    int m_rowMoves = 0;
    bool m_needWhole = true;
};

} // namespace mecovnik
