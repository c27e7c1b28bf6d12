#include "app/MainFormFightFiles.h"

#include "app/TFightKeeper.h"
#include "components/LogCategories.h"
#include "components/MessageBoxes.h"
#include "components/ProgramWindows.h"
#include "components/QtText.h"
#include "components/ScreenCursor.h"
#include "history/FightReport.h"
#include "history/LedgerExport.h"
#include "platform/DocumentFile.h"
#include "platform/TPrintModule.h"
#include "settings/TNastaveni.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>

// The fight on paper: printing, the print preview, the PDF and the ledger's
// CSV. Beyond the original program; its printer setup now sets up the printer
// these print on.

namespace mecovnik {

namespace {

// What an export asks for in its file dialog.
struct TExportAsk
{
    QString Caption;
    QString Filter;
    QString Extension;
};

// Asks where to export in Qt's own dialog (Czech on every desktop), starting
// in folder with name offered; the chosen path with the extension, or empty.
// Replacing a file is asked first.
QString AskExportFile(QWidget& owner, const TExportAsk& ask, const QString& folder,
                      const QString& name)
{
    ScreenCursor hourglass;
    QFileDialog dialog(&owner, ask.Caption);
    dialog.setObjectName(QStringLiteral("ExportFileDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({ask.Filter});
    dialog.setDirectory(folder);
    dialog.selectFile(name);
    dialog.setWindowModality(Qt::WindowModal);
    OpenAboveCurrentWindow(dialog);
    hourglass.Restore();
    return RunSaveDialog(dialog, ask.Extension);
}

} // namespace

TPrintModule* TMainForm::PrintModule(const QString& what)
{
    if (!m_print) {
        QString reason;
        m_print = LoadPrintModule(m_services.PrintModule, reason);
        if (!m_print) {
            ShowErrorMessage(QStringLiteral("%1: chybí součást programu „%2“.")
                                 .arg(what, QDir::toNativeSeparators(m_services.PrintModule)));
            return nullptr;
        }
    }
    return m_print.get();
}

namespace {

// The fight's file (empty for none) and the pages of the fight as it stands.
TFightReport Report(const std::string& path, const TFightData& fight,
                    const TExperienceLedger& ledger)
{
    const QString date = QDateTime::currentDateTime().toString(QStringLiteral("d. M. yyyy, H:mm"));
    return MakeFightReport(ReportTitle(path), ToStdString(date), fight, ledger,
                           [](std::int64_t t) { return LocalTimeText(t, TTimeStyle::Czech); });
}

// A file name for an export of the fight: the fight file's base name, or
// fallback, with extension.
QString ExportName(const std::string& path, const QString& fallback, const QString& extension)
{
    const QString base = path.empty() ? QString() : QFileInfo(ToQString(path)).completeBaseName();
    return (base.isEmpty() ? fallback : base) + extension;
}

} // namespace

void TMainForm::Item_TiskClick()
{
    if (!m_fight)
        return;
    TPrintModule* print = PrintModule(QStringLiteral("Souboj nelze vytisknout"));
    if (!print)
        return;
    const std::unique_ptr<QDialog> dialog = print->PrintDialog(this);
    dialog->setWindowModality(Qt::WindowModal);
    OpenAboveCurrentWindow(*dialog);
    if (dialog->exec() != QDialog::Accepted)
        return;
    const std::string& path = m_fightFiles->Documents.At(m_fight->History().State()).Path;
    ScreenCursor hourglass;
    const bool printed = print->PrintReport(Report(path, m_fight->Fight(), m_fight->Ledger()));
    hourglass.Restore();
    if (!printed) {
        LogFailure(lcPrint(), "print", QStringLiteral("printer"), "the printer refused");
        ShowErrorMessage(QStringLiteral("Souboj se nepodařilo vytisknout: tiskárnu nelze použít."));
        return;
    }
    ShowStatusMessage(QStringLiteral("Souboj byl odeslán k tisku."), 10);
}

void TMainForm::Item_NahledTiskuClick()
{
    if (!m_fight)
        return;
    TPrintModule* print = PrintModule(QStringLiteral("Náhled před tiskem nelze otevřít"));
    if (!print)
        return;
    const std::string& path = m_fightFiles->Documents.At(m_fight->History().State()).Path;
    ScreenCursor hourglass;
    const std::unique_ptr<QDialog> dialog =
        print->PreviewDialog(Report(path, m_fight->Fight(), m_fight->Ledger()), this);
    // Room to read a page: most of the main window.
    dialog->resize(size() * 0.9);
    dialog->setWindowModality(Qt::WindowModal);
    OpenAboveCurrentWindow(*dialog);
    hourglass.Restore();
    dialog->exec();
}

void TMainForm::Item_ExportovatPdfClick()
{
    if (!m_fight)
        return;
    // The module first: no file is asked for that could not be written.
    TPrintModule* print = PrintModule(QStringLiteral("Souboj nelze exportovat do PDF"));
    if (!print)
        return;
    const std::string& current = m_fightFiles->Documents.At(m_fight->History().State()).Path;
    const QString path =
        AskExportFile(*this,
                      {QStringLiteral("Exportovat do PDF"), QStringLiteral("PDF (*.pdf)"),
                       QStringLiteral(".pdf")},
                      StartFolder(m_nastaveni.FightFolder),
                      ExportName(current, QStringLiteral("Souboj"), QStringLiteral(".pdf")));
    if (path.isEmpty())
        return;
    RememberFightFile(path, false);
    ScreenCursor hourglass;
    const QByteArray pdf = print->Pdf(Report(current, m_fight->Fight(), m_fight->Ledger()));
    const QString problem =
        pdf.isEmpty()
            ? QStringLiteral("dokument PDF se nepodařilo vytvořit")
            : WriteDocumentFile(
                  path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())),
                  lcPrint());
    hourglass.Restore();
    if (!problem.isEmpty()) {
        ShowErrorMessage(QStringLiteral("Souboj nelze exportovat do souboru %1: %2.")
                             .arg(Native(path), problem));
        return;
    }
    ShowStatusMessage(QStringLiteral("Souboj byl exportován do souboru %1.").arg(Native(path)), 10);
}

void TMainForm::Item_ExportovatDenikCsvClick()
{
    if (!m_fight)
        return;
    const std::string& current = m_fightFiles->Documents.At(m_fight->History().State()).Path;
    const QString path =
        AskExportFile(*this,
                      {QStringLiteral("Exportovat deník do CSV"), QStringLiteral("CSV (*.csv)"),
                       QStringLiteral(".csv")},
                      StartFolder(m_nastaveni.FightFolder),
                      ExportName(current, QStringLiteral("Deník"), QStringLiteral(".csv")));
    if (path.isEmpty())
        return;
    RememberFightFile(path, false);
    const QString problem = WriteDocumentFile(
        path, LedgerCsv(m_fight->Ledger(), [](std::int64_t t) { return LocalTimeText(t); }),
        lcPrint());
    if (!problem.isEmpty()) {
        ShowErrorMessage(QStringLiteral("Deník zkušeností nelze exportovat do souboru %1: %2.")
                             .arg(Native(path), problem));
        return;
    }
    ShowStatusMessage(
        QStringLiteral("Deník zkušeností byl exportován do souboru %1.").arg(Native(path)), 10);
}

} // namespace mecovnik
