#pragma once

#include "platform/TQtNameOrder.h"

#include <QMdiSubWindow>

#include <cstdint>
#include <functional>
#include <memory>

class QHeaderView;
class QStandardItemModel;
class QStyleOptionViewItem;

namespace mecovnik {

class TAdvancedListBox;
class TObjekt;
class TRosterModel;

// A document window listing combatants, one row per record in columns under a
// header. The base of the character and monster rosters.
class TObjektWindow : public QMdiSubWindow
{
    Q_OBJECT

public:
    explicit TObjektWindow(QWidget* parent = nullptr);
    ~TObjektWindow() override;
    Q_DISABLE_COPY_MOVE(TObjektWindow)

    // The record of the selected row, or nullptr.
    [[nodiscard]] TObjekt* Active() const;

    // Repaints that row only.
    void RedrawRow(int row);

    // Lives of one row or of every row (see TObjekt); row -1 does nothing.
    void SetLives(int row, std::int32_t lives);
    void SetLivesAll(std::int32_t lives);
    // Adjusts the lives of one row; nothing for row -1 or delta 0.
    void AddLives(int row, std::int32_t delta);
    void AddLivesAll(std::int32_t delta);

    // Lays the header sections out anew: the name column twice as wide as each
    // other, the last taking the remainder.
    void ResetColumnWidths();

    // Puts a record into the roster at its sorted place and returns its row.
    int AddRecord(std::unique_ptr<TObjekt> record);

    [[nodiscard]] TAdvancedListBox* ListBox() const { return m_listBox; }
    [[nodiscard]] QHeaderView* HeaderControl() const { return m_header; }
    [[nodiscard]] TRosterModel& Rows() const { return *m_rows; }

protected:
    // Deletes the active record once the user answers Yes to question (its %1
    // is the name) and tells the main form; afterwards no row is selected.
    // Beeps when no row is selected.
    void DeleteActive(const QString& question);

    // Removes every record for which pred is true and draws the list once. The
    // selected record keeps its selection when it stays; the main window is not
    // told (its commands are re-evaluated on the next roster event).
    void DeleteRecordsIf(const std::function<bool(const TObjekt&)>& pred);

    // Names the header sections, each 50 wide.
    void SetSections(const QStringList& texts);

    // Draws one row: background, state colour, then each column's text inset by
    // 3 pixels on the left and 10 on the right, cut with an ellipsis, exactly as
    // typed ("&" included).
    virtual void ListBoxDrawItem(QPainter& painter, int row, const QStyleOptionViewItem& option);

    // Tells the main form that the roster changed, so it re-enables its commands.
    void PostUpdateCommands();

    void closeEvent(QCloseEvent* event) override;

private:
    void HeaderControlSectionResize(int logicalIndex);
    void ApplySectionWidths(const std::vector<int>& widths);

    TQtNameOrder m_order;
    TRosterModel* m_rows = nullptr;
    QStandardItemModel* m_sections = nullptr;
    QHeaderView* m_header = nullptr;
    TAdvancedListBox* m_listBox = nullptr;
    bool m_layingOut = false;
    bool m_quietSelection = false;
};

} // namespace mecovnik
