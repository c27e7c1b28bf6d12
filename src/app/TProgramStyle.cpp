#include "app/TProgramStyle.h"

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

} // namespace mecovnik
