#include "platform/TQtNameOrder.h"

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
    const auto qa = QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()));
    const auto qb = QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size()));
    return m_collator.compare(qa, qb);
}

std::string TQtNameOrder::FoldKey(std::string_view name) const
{
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))
        .normalized(QString::NormalizationForm_C)
        .toCaseFolded()
        .toStdString();
}

} // namespace mecovnik
