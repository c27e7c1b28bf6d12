#include "platform/TQtNameOrder.h"

#include "components/QtText.h"

namespace mecovnik {

TQtNameOrder::TQtNameOrder() : TQtNameOrder(QLocale()) {}

TQtNameOrder::TQtNameOrder(const QLocale& locale) : m_collator(locale)
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_collator.setNumericMode(false);
    m_collator.setIgnorePunctuation(false);
}

int TQtNameOrder::Compare(std::string_view a, std::string_view b) const
{
    const auto qa = ToQString(a);
    const auto qb = ToQString(b);
    return m_collator.compare(qa, qb);
}

std::string TQtNameOrder::FoldKey(std::string_view name) const
{
    return ToStdString(ToQString(name).normalized(QString::NormalizationForm_C).toCaseFolded());
}

} // namespace mecovnik
