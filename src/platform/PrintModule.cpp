// The print support module (libmecovnik_print.so): built apart from the
// program, which loads it through LoadPrintModule.

#include "platform/TPrintModule.h"

#include <QPageSetupDialog>
#include <QPrinter>

#include <type_traits>

namespace mecovnik {

namespace {

class TQtPrintModule final : public TPrintModule
{
public:
    std::unique_ptr<QDialog> PageSetupDialog(QWidget* parent) override
    {
        return std::make_unique<QPageSetupDialog>(&m_printer, parent);
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
