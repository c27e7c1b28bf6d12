#pragma once

#include "toolbar/THandleSpeedButton.h"
#include "toolbar/TToolbarItemEvent.h"

namespace mecovnik {

// A toolbar's command button. It tells its toolbar of its clicks, and, while
// the toolbar is arranged, of the drag that a left press starts instead, with
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

    // Raise OnClick / OnDblClick, then tell the toolbar.
    void Click() override;
    void DblClick() override;

signals:
    // One signal for all, so that a toolbar of hundreds of items makes one
    // connection an item. Screen points: globalPos for the drag steps, the
    // press point within the button (hotSpot) for the start.
    void Happened(mecovnik::TToolbarItemEvent event, QPoint hotSpot, QPoint globalPos);

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
