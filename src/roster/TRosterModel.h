#pragma once

#include "roster/TRosterList.h"

#include <QAbstractListModel>

#include <memory>

namespace mecovnik {

// A thin list model over a roster's records: one row per record, its name as
// the row text. Changes go through here so that views hear of them.
class TRosterModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    TRosterModel(const TNameOrder& order, QObject* parent = nullptr);
    ~TRosterModel() override;
    Q_DISABLE_COPY_MOVE(TRosterModel)

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

    [[nodiscard]] const TRosterList& Records() const { return m_records; }
    [[nodiscard]] TObjekt* At(int row) const { return m_records.At(row); }

    // Inserts the record at its sorted place; returns its row.
    int Add(std::unique_ptr<TObjekt> record);
    // Removes and destroys the record of a row; nothing for an invalid row.
    void Delete(int row);

    // Removes and destroys every record for which pred is true; views are told
    // once, after all removals.
    template <class Pred> void DeleteIf(Pred pred)
    {
        beginResetModel();
        m_records.RemoveIf(pred);
        endResetModel();
    }

    // The records themselves, for changes made elsewhere: one that adds or
    // removes rows must lie between BeginReset and EndReset, so that views
    // hear of it; one that changes numbers only asks the views to repaint.
    [[nodiscard]] TRosterList& EditRecords() { return m_records; }
    void BeginReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }

    // Row of a record, or -1.
    [[nodiscard]] int RowOf(const TObjekt* record) const;

private:
    TRosterList m_records;
};

} // namespace mecovnik
