#pragma once

#include "roster/TNameOrder.h"

#include <QCollator>

namespace mecovnik {

// Names ordered and compared ignoring case in the user's locale collation
// (under a Czech locale "ch" sorts after "h", and accents still count).
class TQtNameOrder final : public TNameOrder
{
public:
    TQtNameOrder();
    explicit TQtNameOrder(const QLocale& locale);

    [[nodiscard]] int Compare(std::string_view a, std::string_view b) const override;
    [[nodiscard]] std::string FoldKey(std::string_view name) const override;

private:
    QCollator m_collator;
};

} // namespace mecovnik
