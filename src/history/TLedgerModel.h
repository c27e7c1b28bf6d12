#pragma once

#include "history/ExperienceLedger.h"

#include <QAbstractTableModel>

#include <vector>

namespace mecovnik {

struct TLedgerMove;

// The experience ledger's rows as a table, oldest first: time, character,
// what happened, the two changes and the two totals. A thin view of the core
// ledger: it holds nothing of its own but the row count it has told its
// views, and follows each move of the ledger as it is told (Follow).
class TLedgerModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum TColumn : int
    {
        kTime,
        kCharacter,
        kEvent,
        kEarnedChange,
        kUnassignedChange,
        kEarned,
        kUnassigned,
        kColumns
    };

    // ledger must outlive the model.
    explicit TLedgerModel(const TExperienceLedger& ledger, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

    // The ledger has just moved so: rows taken off the end, put on, or all
    // replaced.
    void Follow(const TLedgerMove& move);

    // A number of the four number columns as a cell shows it: a change with
    // its sign, so a taken change reads as one; a total as it is.
    [[nodiscard]] static QString NumberText(std::int64_t n, bool change);
    // The number a row shows in the number column (kEarnedChange to
    // kUnassigned).
    [[nodiscard]] static std::int64_t Number(const TLedgerRow& row, int column);

private:
    const TExperienceLedger& m_ledger;
    int m_count = 0;
};

// The per-character summary of the ledger: character, earned this fight,
// handed over, not yet handed over. Computed anew when told (Refresh).
class TLedgerSummaryModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TLedgerSummaryModel(const TExperienceLedger& ledger, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

    // Sums the ledger again.
    void Refresh();

private:
    const TExperienceLedger& m_ledger;
    std::vector<TLedgerSummary> m_rows;
};

} // namespace mecovnik
