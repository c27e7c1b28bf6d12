#pragma once

#include <QString>

#include <memory>

class QDialog;
class QWidget;

namespace mecovnik {

// What needs Qt's print support lives in a module of its own, loaded the
// first time a command needs it, so that a start never loads print support.
class TPrintModule
{
public:
    virtual ~TPrintModule() = default;

    // A page setup dialog for parent over the module's printer, whose
    // settings are kept from one use to the next.
    [[nodiscard]] virtual std::unique_ptr<QDialog> PageSetupDialog(QWidget* parent) = 0;
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
