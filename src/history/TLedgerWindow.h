#pragma once

#include <QMdiSubWindow>

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
// opens again there.
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

private:
    TLedgerModel* m_rowModel;
    TLedgerSummaryModel* m_summaryModel;
    QTableView* m_rows = nullptr;
    QTableView* m_summary = nullptr;
    // The newest row was in sight when rows came.
    bool m_follow = true;
};

} // namespace mecovnik
