#pragma once

#include "toolbar/THandleSpeedButton.h"

namespace mecovnik {

// A toolbar's command button. Its clicks are OnClick and OnDblClick; while
// the toolbar is arranged, a left press starts a drag instead, reported with
// the moves and the release that follow.
class TToolbarSpeedButton final : public THandleSpeedButton
{
    Q_OBJECT

public:
    TToolbarSpeedButton(QWidget* toolbar, int commandId, int group, bool allowAllUp);

    [[nodiscard]] int CommandId() const { return m_commandId; }
    [[nodiscard]] int Group() const { return m_group; }
    // The definition's own allowAllUp, which the button's may differ from.
    [[nodiscard]] bool DefinitionAllowAllUp() const { return m_allowAllUp; }
    // The long hint shown in the status bar while the pointer is over it.
    void SetLongHint(const QString& hint) { m_longHint = hint; }
    // Whether presses drag (the toolbar is being arranged).
    void SetArranging(bool arranging) { m_arranging = arranging; }

signals:
    // Screen points; the hot spot is the press point within the button.
    void DragStarted(QPoint hotSpot, QPoint globalPos);
    void DragMoved(QPoint globalPos);
    void DragReleased(QPoint globalPos);

protected:
    void MouseDown(QMouseEvent* event) override;
    void MouseMove(QMouseEvent* event) override;
    void MouseUp(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    int m_commandId;
    int m_group;
    bool m_allowAllUp;
    bool m_arranging = false;
    QString m_longHint;
};

} // namespace mecovnik
