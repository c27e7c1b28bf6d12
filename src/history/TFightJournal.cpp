#include "history/TFightJournal.h"

#include "history/TJournalFile.h"
#include "history/TRosterHistory.h"

namespace mecovnik {

TJournalReading TFightJournal::TakeLeftover(const TNameOrder& order)
{
    TJournalFile::TReadResult read = m_file.ReadAll();
    if (read.Status == TJournalFile::TReadStatus::Missing)
        return {};
    TJournalReading reading;
    if (read.Status == TJournalFile::TReadStatus::Failed)
        reading.Status = TJournalReading::TStatus::Damaged;
    else
        reading = ReadJournal(read.Bytes, order);
    if (reading.Status == TJournalReading::TStatus::Damaged)
        (void)m_file.KeepBackup();
    else
        m_sequence = reading.LastSequence;
    return reading;
}

bool TFightJournal::WriteWhole(const TRosterList& postavy, const TRosterList& nestvury,
                               const TFightSelection& selection)
{
    const std::string text = FormatJournal(++m_sequence, postavy, nestvury, selection);
    if (!m_file.Replace(text)) {
        m_needWhole = true;
        return false;
    }
    m_size = m_wholeSize = text.size();
    m_rowMoves = 0;
    m_needWhole = false;
    return true;
}

bool TFightJournal::Record(const TFightChange& change, const TRosterList& postavy,
                           const TRosterList& nestvury)
{
    if (m_needWhole || change.Whole)
        return WriteWhole(postavy, nestvury, change.Selection);
    const bool movesRows = change.Rosters[0].RowsMoved() || change.Rosters[1].RowsMoved();
    std::string text = FormatChange(m_sequence + 1, change, postavy, nestvury);
    if (m_size + text.size() > 2 * m_wholeSize + kSlackBytes ||
        (movesRows && m_rowMoves + 1 > kMaxRowMoves))
        return WriteWhole(postavy, nestvury, change.Selection);
    if (!m_file.Append(text)) {
        // Part of the record may be on disk: only a whole new journal is sure.
        m_needWhole = true;
        return false;
    }
    ++m_sequence;
    m_size += text.size();
    if (movesRows)
        ++m_rowMoves;
    return true;
}

bool TFightJournal::Remove()
{
    m_needWhole = true;
    m_size = m_wholeSize = 0;
    return m_file.Remove();
}

} // namespace mecovnik
