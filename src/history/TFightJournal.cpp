#include "history/TFightJournal.h"

#include "history/TFightLedger.h"
#include "history/TJournalFile.h"
#include "history/TRosterHistory.h"

namespace mecovnik {

void TFightJournal::Tell(TJournalTrouble trouble) const
{
    if (m_trouble)
        m_trouble(trouble);
}

bool TFightJournal::Failed()
{
    if (!m_failing) {
        m_failing = true;
        Tell(TJournalTrouble::NotKept);
    }
    return false;
}

TJournalReading TFightJournal::Open(const TNameOrder& order)
{
    m_claimed = m_file.Claim();
    if (!m_claimed) {
        (void)Failed();
        return {};
    }
    return TakeLeftover(order);
}

TJournalReading TFightJournal::TakeLeftover(const TNameOrder& order)
{
    m_claimed = true;
    TJournalFile::TReadResult read = m_file.ReadAll();
    if (read.Status == TJournalFile::TReadStatus::Missing)
        return {};
    TJournalReading reading;
    if (read.Status == TJournalFile::TReadStatus::Failed)
        reading.Status = TJournalReading::TStatus::Damaged;
    else
        reading = ReadJournal(read.Bytes, order);
    if (reading.Status == TJournalReading::TStatus::Damaged) {
        if (m_file.KeepBackup())
            Tell(TJournalTrouble::SetAside);
    } else {
        m_sequence = reading.LastSequence;
    }
    return reading;
}

bool TFightJournal::Claimed()
{
    if (m_claimed)
        return true;
    if (!m_file.Claim())
        return false;
    // Another copy held the journal until now, and may have left its fight:
    // nothing is written over it before it is set aside.
    if (!m_file.KeepBackup())
        return false;
    m_claimed = true;
    return true;
}

bool TFightJournal::KindsPending() const
{
    return m_kinds && m_kinds->Mark() != m_kindsMark;
}

bool TFightJournal::WriteWhole(const TRosterList& postavy, const TRosterList& nestvury,
                               const TFightSelection& selection)
{
    m_needWhole = true;
    if (!Claimed())
        return Failed();
    const std::uint64_t mark = m_kinds ? m_kinds->Mark() : 0;
    const std::string text =
        FormatJournal(++m_sequence, postavy, nestvury, selection,
                      m_kinds ? m_kinds->Since(0) : std::vector<TKindData>{}, m_ledger);
    if (!m_file.Replace(text))
        return Failed();
    m_size = m_wholeSize = text.size();
    m_rowMoves = 0;
    m_needWhole = false;
    m_kindsMark = mark;
    m_failing = false;
    return true;
}

bool TFightJournal::Record(const TFightChange& change, const TRosterList& postavy,
                           const TRosterList& nestvury, const TLedgerMove* ledgerMove)
{
    if (m_needWhole || change.Whole || (ledgerMove && ledgerMove->Cleared))
        return WriteWhole(postavy, nestvury, change.Selection);
    const bool movesRows = change.Rosters[0].RowsMoved() || change.Rosters[1].RowsMoved();
    const std::uint64_t mark = m_kinds ? m_kinds->Mark() : 0;
    std::string text =
        FormatChange(m_sequence + 1, change, postavy, nestvury,
                     KindsPending() ? m_kinds->Since(m_kindsMark) : std::vector<TKindData>{},
                     m_ledger, ledgerMove);
    if (m_size + text.size() > 2 * m_wholeSize + kSlackBytes ||
        (movesRows && m_rowMoves + 1 > kMaxRowMoves))
        return WriteWhole(postavy, nestvury, change.Selection);
    if (!m_file.Append(text)) {
        // Part of the record may be on disk: only a whole new journal is sure.
        return WriteWhole(postavy, nestvury, change.Selection);
    }
    ++m_sequence;
    m_size += text.size();
    m_kindsMark = mark;
    if (movesRows)
        ++m_rowMoves;
    m_failing = false;
    return true;
}

bool TFightJournal::Remove()
{
    m_needWhole = true;
    m_size = m_wholeSize = 0;
    if (!m_claimed)
        return true; // nothing of this run's was ever there
    if (m_file.Remove())
        return true;
    Tell(TJournalTrouble::NotRemoved);
    return false;
}

} // namespace mecovnik
