#include "platform/TPrintModule.h"

#include "components/LogCategories.h"

#include <QLibrary>

namespace mecovnik {

QString PrintModuleFileName()
{
    return QStringLiteral("libmecovnik_print.so");
}

std::unique_ptr<TPrintModule> LoadPrintModule(const QString& path, QString& reason)
{
    // The library stays loaded for the rest of the run: the module's objects
    // live in its code.
    QLibrary library(path);
    if (!library.load()) {
        reason = library.errorString();
        LogFailure(lcPrint(), "load", path, qUtf8Printable(reason));
        return nullptr;
    }
    auto* make = reinterpret_cast<TMakePrintModule*>(library.resolve(kMakePrintModuleSymbol));
    if (!make) {
        reason = library.errorString();
        LogFailure(lcPrint(), "load", path, qUtf8Printable(reason));
        return nullptr;
    }
    return std::unique_ptr<TPrintModule>(make());
}

} // namespace mecovnik
