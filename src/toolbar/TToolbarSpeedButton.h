#pragma once

#include "toolbar/THandleSpeedButton.h"

namespace mecovnik {

class TToolbar;

// A toolbar's command button: while the toolbar arranges, a press drags it.
class TToolbarSpeedButton final : public THandleSpeedButton
{
    Q_OBJECT

public:
    TToolbarSpeedButton(TToolbar& toolbar, int commandId, int group, bool allowAllUp);

    [[nodiscard]] int CommandId() const { return m_commandId; }
    [[nodiscard]] int Group() const { return m_group; }
    // The definition's own allowAllUp, which the button's may differ from.
    [[nodiscard]] bool DefinitionAllowAllUp() const { return m_allowAllUp; }
    // The long hint shown in the status bar while the pointer is over it.
    void SetLongHint(const QString& hint) { m_longHint = hint; }

    // The click and double click go to the toolbar.
    void Click() override;
    void DblClick() override;

protected:
    void MouseDown(QMouseEvent* event) override;
    void MouseMove(QMouseEvent* event) override;
    void MouseUp(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    TToolbar& m_toolbar;
    int m_commandId;
    int m_group;
    bool m_allowAllUp;
    QString m_longHint;
};

} // namespace mecovnik
