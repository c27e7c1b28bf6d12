#pragma once

#include <QDialog>
#include <QPixmap>
#include <QPointer>

#include <cstdint>
#include <memory>
#include <vector>

class QStringListModel;
class QStyleOptionViewItem;

namespace Ui {
class TToolbarAdjustDialog;
}

namespace mecovnik {

class TToolbar;

// "Nastavení panelu nástrojů": the modeless window, kept above the main window,
// that lists the toolbar's groups and the items of the selected one with their
// pictures. An item dragged from the list onto the toolbar is added there;
// while the window is open the toolbar is being arranged. One window is open
// at a time.
class TToolbarAdjustDialog final : public QDialog
{
    Q_OBJECT

public:
    // Where the next window opens: centred on the screen until one was closed,
    // then where that one was left.
    struct TPlacement
    {
        int Left = 0;
        int Top = 0;
        bool Centred = true;
    };

    // Shows the window for toolbar: the open one when it edits toolbar, else a
    // new one (a window open for another toolbar is destroyed first).
    static void Open(TToolbar& toolbar);
    // The open window, or nullptr.
    [[nodiscard]] static TToolbarAdjustDialog* OpenDialog();
    [[nodiscard]] static const TPlacement& Placement();
    // Back to the placement of the first opening.
    static void ForgetPlacement();

    ~TToolbarAdjustDialog() override;
    Q_DISABLE_COPY_MOVE(TToolbarAdjustDialog)

    [[nodiscard]] Ui::TToolbarAdjustDialog& Form() const { return *m_ui; }
    [[nodiscard]] TToolbar* Toolbar() const { return m_toolbar; }
    // The items of the current group, with their pictures at list size.
    [[nodiscard]] const std::vector<std::int32_t>& Items() const { return m_items; }
    [[nodiscard]] const std::vector<QPixmap>& Pictures() const { return m_pictures; }
    // The list item pressed last, -1 before any.
    [[nodiscard]] int LastPressed() const { return m_lastPressed; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    explicit TToolbarAdjustDialog(TToolbar& toolbar);
    void FormCreate();
    void AttachToolbar(TToolbar& toolbar);
    void FillButtons();
    void List_GroupsClick();
    void List_ButtonsDrawItem(QPainter& painter, int row, const QStyleOptionViewItem& option);
    void List_ButtonsMouseDown(QMouseEvent* event);
    bool List_ButtonsWhenMouseMove(Qt::MouseButtons buttons, QPoint local);
    void List_ButtonsMouseUp(QMouseEvent* event);
    void Btn_CloseClick();
    void Btn_RevertClick();

    std::unique_ptr<Ui::TToolbarAdjustDialog> m_ui;
    QPointer<TToolbar> m_toolbar;
    QStringListModel* m_groupNames = nullptr;
    QStringListModel* m_buttonNames = nullptr;
    int m_currentGroup = -1;
    std::vector<std::int32_t> m_items;
    std::vector<QPixmap> m_pictures;
    int m_lastPressed = -1;
    bool m_attaching = false;
};

} // namespace mecovnik
