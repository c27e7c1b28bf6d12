#pragma once

#include <QProxyStyle>

namespace mecovnik {

// The platform's style with the program's own rules where the original
// controls behaved otherwise: a disabled menu item can be highlighted, so the
// arrow keys reach it and the status bar shows its hint; it is drawn on the
// highlight in its disabled colour.
class TProgramStyle final : public QProxyStyle
{
    Q_OBJECT

public:
    TProgramStyle();
    ~TProgramStyle() override;
    Q_DISABLE_COPY_MOVE(TProgramStyle)

    [[nodiscard]] int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                                const QWidget* widget = nullptr,
                                QStyleHintReturn* returnData = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

} // namespace mecovnik
