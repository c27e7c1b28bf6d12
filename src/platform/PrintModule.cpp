// The print support module (libmecovnik_print.so): built apart from the
// program, which loads it through LoadPrintModule.

#include "platform/TPrintModule.h"

#include "history/FightReport.h"
#include "platform/ReportPages.h"

#include <QBuffer>
#include <QPageSetupDialog>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <type_traits>

namespace mecovnik {

namespace {

// The margins a PDF keeps at least, whatever the printer's are.
constexpr double kPdfMarginMm = 12;

class TQtPrintModule final : public TPrintModule
{
public:
    std::unique_ptr<QDialog> PageSetupDialog(QWidget* parent) override
    {
        return std::make_unique<QPageSetupDialog>(&m_printer, parent);
    }

    std::unique_ptr<QDialog> PrintDialog(QWidget* parent) override
    {
        auto dialog = std::make_unique<QPrintDialog>(&m_printer, parent);
        dialog->setObjectName(QStringLiteral("PrintDialog"));
        // One report, printed whole: no page ranges or selection to offer.
        dialog->setOptions(QAbstractPrintDialog::PrintToFile |
                           QAbstractPrintDialog::PrintCollateCopies |
                           QAbstractPrintDialog::PrintShowPageSize);
        return dialog;
    }

    bool PrintReport(const TFightReport& report) override
    {
        return PaintReport(report, m_printer) > 0;
    }

    std::unique_ptr<QDialog> PreviewDialog(const TFightReport& report, QWidget* parent) override
    {
        auto dialog = std::make_unique<QPrintPreviewDialog>(&m_printer, parent);
        dialog->setObjectName(QStringLiteral("PrintPreviewDialog"));
        dialog->setWindowTitle(QStringLiteral("Náhled před tiskem"));
        QObject::connect(dialog.get(), &QPrintPreviewDialog::paintRequested, dialog.get(),
                         [copy = report](QPrinter* printer) { (void)PaintReport(copy, *printer); });
        return dialog;
    }

    QByteArray Pdf(const TFightReport& report) override
    {
        QByteArray bytes;
        {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QPdfWriter writer(&buffer);
            writer.setResolution(300);
            writer.setCreator(QStringLiteral("Mečovník pro Hradomor"));
            writer.setTitle(QString::fromStdString(report.Title));
            QPageLayout layout = m_printer.pageLayout();
            layout.setUnits(QPageLayout::Millimeter);
            const QMarginsF m = layout.margins();
            layout.setMinimumMargins({});
            layout.setMargins({std::max(m.left(), kPdfMarginMm), std::max(m.top(), kPdfMarginMm),
                               std::max(m.right(), kPdfMarginMm),
                               std::max(m.bottom(), kPdfMarginMm)});
            writer.setPageLayout(layout);
            if (PaintReport(report, writer) == 0)
                return {};
        }
        return bytes;
    }

private:
    QPrinter m_printer;
};

} // namespace

} // namespace mecovnik

extern "C" Q_DECL_EXPORT mecovnik::TPrintModule* mecovnik_make_print_module()
{
    return new mecovnik::TQtPrintModule;
}

static_assert(std::is_same_v<decltype(mecovnik_make_print_module), mecovnik::TMakePrintModule>);
