#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QDialog;
class QWidget;

namespace mecovnik {

struct TFightReport;

// What needs Qt's print support lives in a module of its own, loaded the
// first time a command needs it, so that a start never loads print support.
// The module keeps one printer for the run: the page setup, the print dialog
// and the preview all work on it, and PDFs take its page layout.
class TPrintModule
{
public:
    virtual ~TPrintModule() = default;

    // A page setup dialog for parent over the module's printer, whose
    // settings are kept from one use to the next.
    [[nodiscard]] virtual std::unique_ptr<QDialog> PageSetupDialog(QWidget* parent) = 0;

    // Qt's print dialog over the module's printer; once it is accepted,
    // PrintReport prints on what it chose.
    [[nodiscard]] virtual std::unique_ptr<QDialog> PrintDialog(QWidget* parent) = 0;

    // Prints report's pages on the module's printer; false when the printer
    // could not be opened or failed on the way.
    [[nodiscard]] virtual bool PrintReport(const TFightReport& report) = 0;

    // A print preview of report's pages on the module's printer (its own
    // copy of the report), from which the user may also print.
    [[nodiscard]] virtual std::unique_ptr<QDialog> PreviewDialog(const TFightReport& report,
                                                                 QWidget* parent) = 0;

    // Report's pages as a PDF document on the printer's page layout; empty
    // when it could not be made.
    [[nodiscard]] virtual QByteArray Pdf(const TFightReport& report) = 0;
};

// The module's one entry point, by its name: makes a TPrintModule the caller
// owns.
using TMakePrintModule = TPrintModule*();
inline constexpr char kMakePrintModuleSymbol[] = "mecovnik_make_print_module";

// The module's file name; the program looks for it beside its own file.
[[nodiscard]] QString PrintModuleFileName();

// Loads the module at path and makes its object; nullptr, with the reason
// logged and put in reason, when it cannot.
[[nodiscard]] std::unique_ptr<TPrintModule> LoadPrintModule(const QString& path, QString& reason);

} // namespace mecovnik
