#pragma once

#include "history/FightJournalFormat.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace mecovnik {

class TJournalFile;
class TNameOrder;
class TRosterList;
struct TFightChange;
struct TLedgerMove;

// The monster kinds the journal carries beside the rosters: those entered or
// changed since the configuration was last loaded or saved.
class TJournalKinds
{
public:
    TJournalKinds() = default;
    TJournalKinds(const TJournalKinds&) = delete;
    TJournalKinds& operator=(const TJournalKinds&) = delete;
    virtual ~TJournalKinds() = default;

    // A mark that grows whenever a kind is entered or changed.
    [[nodiscard]] virtual std::uint64_t Mark() const = 0;
    // The kinds the configuration does not hold yet that were entered or
    // changed after the mark; with mark 0, all of them.
    [[nodiscard]] virtual std::vector<TKindData> Since(std::uint64_t mark) const = 0;
};

// What the journal must tell the user.
enum class TJournalTrouble
{
    NotKept,    // the fight as it is now could not be written
    SetAside,   // a journal that could not be read was moved aside
    NotRemoved, // the journal could not be removed: its fight will be offered again
};

// Keeps the fight durable: after every completed change the journal holds the
// rosters, the selections and the kinds the configuration does not hold yet,
// as they are. The first write of a run writes the whole fight; later ones
// append the change alone. When a change would take the journal beyond twice
// the whole fight's size and kSlackBytes, or many appended changes moved
// rows, the whole fight is written anew instead, so that the journal's size
// follows the fight, not the length of the evening, and reading it back stays
// quick.
//
// Whatever fails is told once through the trouble sink: the first write that
// fails (or the file that cannot be claimed) after the start or after a write
// that worked. Every later change tries again, with the whole fight; a write
// that works again says nothing.
class TFightJournal
{
public:
    // Appended bytes allowed beyond twice the size of the whole fight.
    static constexpr std::size_t kSlackBytes = 16u * 1024u;
    // Appended changes that add or remove rows before the fight is written anew.
    static constexpr int kMaxRowMoves = 256;

    using TTroubleSink = std::function<void(TJournalTrouble)>;

    // kinds may be nullptr (the journal then carries none); both must outlive
    // the journal.
    explicit TFightJournal(TJournalFile& file, const TJournalKinds* kinds = nullptr,
                           TTroubleSink trouble = {})
        : m_file(file), m_kinds(kinds), m_trouble(std::move(trouble))
    {
    }
    TFightJournal(const TFightJournal&) = delete;
    TFightJournal& operator=(const TFightJournal&) = delete;

    // Claims the file and takes what a run that did not end properly left
    // there. A file that another copy holds, or that cannot be claimed, is
    // told (NotKept) and claimed again at the next write. Call once, first.
    [[nodiscard]] TJournalReading Open(const TNameOrder& order);

    // What a run that did not end properly left, read through the claimed
    // file. A damaged journal is moved aside as a backup at once (told as
    // SetAside), so it is never read again. Call once, before the first write.
    [[nodiscard]] TJournalReading TakeLeftover(const TNameOrder& order);

    // The experience ledger the journal carries beside the rosters (none when
    // nullptr); it must outlive the journal.
    void SetLedger(const TExperienceLedger* ledger) { m_ledger = ledger; }

    // Writes the whole fight, replacing the journal.
    bool WriteWhole(const TRosterList& postavy, const TRosterList& nestvury,
                    const TFightSelection& selection);

    // Records a completed change of the rosters (given as they are after it)
    // with the kinds entered or changed since the last write and how the
    // ledger moved (a cleared ledger writes the whole fight). An append the
    // file refuses is followed by the whole fight at once. False when the
    // file refused that too; the next write then writes the whole fight.
    bool Record(const TFightChange& change, const TRosterList& postavy, const TRosterList& nestvury,
                const TLedgerMove* ledgerMove = nullptr);

    // Kinds were entered or changed since the last write.
    [[nodiscard]] bool KindsPending() const;

    // The fight ended properly, or was given up: no journal is left (a
    // journal that stays is told as NotRemoved). Nothing to do when the file
    // was never claimed.
    bool Remove();

    // The last write failed, or the file could not be claimed: the journal
    // does not hold the fight as it is.
    [[nodiscard]] bool Failing() const { return m_failing; }

    // Bytes the journal holds now, as far as this object wrote them.
    [[nodiscard]] std::size_t Size() const { return m_size; }

private:
    // Claims the file when an earlier claim failed; a journal found there
    // then is another run's, and is moved aside rather than overwritten
    // (false while it cannot be).
    bool Claimed();
    bool Failed();
    void Tell(TJournalTrouble trouble) const;

    TJournalFile& m_file;
    const TJournalKinds* m_kinds;
    const TExperienceLedger* m_ledger = nullptr;
    TTroubleSink m_trouble;
    std::uint64_t m_sequence = 0;
    std::uint64_t m_kindsMark = 0;
    std::size_t m_size = 0;
    std::size_t m_wholeSize = 0;
    int m_rowMoves = 0;
    bool m_needWhole = true;
    bool m_claimed = false;
    bool m_failing = false;
};

} // namespace mecovnik
