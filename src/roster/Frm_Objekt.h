#pragma once

#include "roster/RowColours.h"

#include <QFont>
#include <QMdiSubWindow>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

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

    // The size of the list's text, its rows and its header in per cent of
    // the normal size (RosterZoom: 100..300); the columns but the last grow
    // or shrink with the text.
    void SetZoom(int percent);
    [[nodiscard]] int Zoom() const { return m_zoom; }

    // The colours the rows are drawn in, from the list's palette.
    [[nodiscard]] const TRowColourTable& RowColourTable() const;

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
    // The user double-clicked a row (which is then the selected one).
    void RowActivated(int row);
    // The user pressed Delete in the list.
    void DeleteRequested();
    // The user asked for the roster's context menu at a screen point: a
    // right click (which selects the row under it first) or the menu key.
    void ContextMenuRequested(QPoint globalPos);

protected:
    // Puts an edited copy in place of a row's record as one removal and one
    // addition (so the history sees both), selects it at its new row and
    // reports RowsChanged. Returns its row.
    int ReplaceRecord(int row, std::unique_ptr<TObjekt> record);

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
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void HeaderControlSectionResize(int logicalIndex);
    // Lays the sections out. A layout chosen by the user or by
    // ResetColumnWidths also sets their widths at the normal text size; one
    // that only follows the text's size or the window's keeps them.
    void ApplySectionWidths(const std::vector<int>& widths, bool following = false);
    [[nodiscard]] std::vector<int> SectionWidths() const;

    TRosterModel* m_rows = nullptr;
    QStandardItemModel* m_sections = nullptr;
    QHeaderView* m_header = nullptr;
    TAdvancedListBox* m_listBox = nullptr;
    bool m_layingOut = false;
    bool m_quietSelection = false;
    int m_zoom = 100;
    // The sections' widths at the normal text size, from which every size
    // of text lays them out anew.
    std::vector<int> m_normalWidths;
    QFont m_normalFont;
    // The row colours and the palette colours they were made from.
    mutable TRowColourTable m_colours{};
    mutable TListColours m_coloursFrom{};
    mutable bool m_coloursMade = false;
};

} // namespace mecovnik
