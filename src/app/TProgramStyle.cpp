#include "app/TProgramStyle.h"

#include <QPainter>
#include <QStyleOptionMenuItem>

namespace mecovnik {

TProgramStyle::TProgramStyle() = default;

TProgramStyle::~TProgramStyle() = default;

int TProgramStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returnData) const
{
    if (hint == QStyle::SH_Menu_AllowActiveAndDisabled)
        return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void TProgramStyle::drawControl(ControlElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuItem && item && (item->state & State_Selected) &&
        !(item->state & State_Enabled) && item->menuItemType != QStyleOptionMenuItem::Separator) {
        // Styles draw no highlight under a disabled item; the keyboard user
        // still needs to see where the highlight is.
        painter->fillRect(item->rect, item->palette.brush(QPalette::Active, QPalette::Highlight));
        QStyleOptionMenuItem plain(*item);
        plain.state &= ~State_Selected;
        QProxyStyle::drawControl(element, &plain, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

} // namespace mecovnik
