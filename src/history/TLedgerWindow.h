#pragma once

#include <QMdiSubWindow>

#include <array>
#include <cstddef>

class QTableView;

namespace mecovnik {

class TExperienceLedger;
class TLedgerModel;
class TLedgerSummaryModel;
struct TLedgerMove;

// "Deník zkušeností": the fight's experience ledger, a document window beside
// the rosters. The rows newest last, scrolled to the newest unless the user
// scrolled away from it; below them what each character earned, had handed
// over and has still to hand over. Closing it hides it where it is, so it
// opens again there. The number and name columns are as wide as their
// widest cell (found without measuring every row); what happened, and the
// summary's names, take the rest of the width.
class TLedgerWindow final : public QMdiSubWindow
{
    Q_OBJECT

public:
    // ledger must outlive the window.
    explicit TLedgerWindow(const TExperienceLedger& ledger, QWidget* parent = nullptr);
    ~TLedgerWindow() override;
    Q_DISABLE_COPY_MOVE(TLedgerWindow)

    // The ledger has just moved so; rows and summary follow at once.
    void Follow(const TLedgerMove& move);

    [[nodiscard]] QTableView* Rows() const { return m_rows; }
    [[nodiscard]] QTableView* Summary() const { return m_summary; }
    [[nodiscard]] TLedgerModel* RowModel() const { return m_rowModel; }
    [[nodiscard]] TLedgerSummaryModel* SummaryModel() const { return m_summaryModel; }

signals:
    // The user closed the window; it hides unless the slot hid it already.
    void CloseAsked();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Finds the widest number of each number column in the rows from the
    // given one on (all of them from 0), then sizes the columns.
    void MeasureFrom(std::size_t row);
    // Sizes the name and number columns to their widest cells, then
    // Stretch.
    void FitColumns();
    // Gives "Událost" and the summary's names what the other columns leave.
    void Stretch();

    const TExperienceLedger& m_ledger;
    TLedgerModel* m_rowModel;
    TLedgerSummaryModel* m_summaryModel;
    QTableView* m_rows = nullptr;
    QTableView* m_summary = nullptr;
    // The newest row was in sight when rows came.
    bool m_follow = true;
    // The rows measured so far, and per number column the row of the widest
    // number among them.
    std::size_t m_measured = 0;
    std::array<std::size_t, 4> m_widest{};
    // The columns' widths are being set by the window, not by the user.
    bool m_fitting = false;
};

} // namespace mecovnik
