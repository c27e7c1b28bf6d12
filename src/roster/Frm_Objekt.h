#pragma once

#include <QMdiSubWindow>

#include <cstdint>
#include <functional>
#include <memory>

class QHeaderView;
class QStandardItemModel;
class QStyleOptionViewItem;

namespace mecovnik {

class TAdvancedListBox;
class TNameOrder;
class TObjekt;
class TRosterModel;

// A document window listing combatants, one row per record in columns under a
// header. The base of the character and monster rosters. It tells whoever
// keeps the commands through its signals; it knows nothing of the main window.
class TObjektWindow : public QMdiSubWindow
{
    Q_OBJECT

public:
    // Rows are kept in order (names compared ignoring case); the order must
    // outlive the window.
    explicit TObjektWindow(const TNameOrder& order, QWidget* parent = nullptr);
    ~TObjektWindow() override;
    Q_DISABLE_COPY_MOVE(TObjektWindow)

    // The record of the selected row, or nullptr.
    [[nodiscard]] TObjekt* Active() const;

    // Repaints that row only, and tells that its numbers changed
    // (RecordsChanged).
    void RedrawRow(int row);
    // Tells that records' numbers changed where they are repainted otherwise.
    void NoteRecordsChanged() { emit RecordsChanged(); }

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

signals:
    // A record was added, or the active one deleted. A group deletion is
    // quiet: the commands are re-evaluated on the next roster event.
    void RowsChanged();
    // The user or the program selected another row, or none.
    void SelectionChanged();
    // Anything shown of the records changed: a number, a row added or
    // removed, the whole list. Raised for every change, group changes
    // included, so whoever shows the fight elsewhere follows it.
    void RecordsChanged();

protected:
    // Deletes the active record once the user answers Yes to question (its %1
    // is the name) and reports RowsChanged; afterwards no row is selected.
    // Beeps when no row is selected.
    void DeleteActive(const QString& question);

    // Removes every record for which pred is true and draws the list once. The
    // selected record keeps its selection when it stays; no signal tells of it
    // (the commands are re-evaluated on the next roster event).
    void DeleteRecordsIf(const std::function<bool(const TObjekt&)>& pred);

    // Names the header sections, each 50 wide.
    void SetSections(const QStringList& texts);

    // Draws one row: background, state colour, then each column's text inset by
    // 3 pixels on the left and 10 on the right, cut with an ellipsis, exactly as
    // typed ("&" included).
    virtual void ListBoxDrawItem(QPainter& painter, int row, const QStyleOptionViewItem& option);

    void closeEvent(QCloseEvent* event) override;

private:
    void HeaderControlSectionResize(int logicalIndex);
    void ApplySectionWidths(const std::vector<int>& widths);

    TRosterModel* m_rows = nullptr;
    QStandardItemModel* m_sections = nullptr;
    QHeaderView* m_header = nullptr;
    TAdvancedListBox* m_listBox = nullptr;
    bool m_layingOut = false;
    bool m_quietSelection = false;
};

} // namespace mecovnik
