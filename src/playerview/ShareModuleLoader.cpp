#include "playerview/TShareModule.h"

#include "components/LogCategories.h"

#include <QLibrary>

namespace mecovnik {

QString ShareModuleFileName()
{
    return QStringLiteral("libmecovnik_share.so");
}

std::unique_ptr<TShareModule> LoadShareModule(const QString& path, QString& reason)
{
    // The library stays loaded for the rest of the run: the module's objects
    // live in its code.
    QLibrary library(path);
    if (!library.load()) {
        reason = library.errorString();
        LogFailure(lcPlayers(), "load", path, qUtf8Printable(reason));
        return nullptr;
    }
    auto* make = reinterpret_cast<TMakeShareModule*>(library.resolve(kMakeShareModuleSymbol));
    if (!make) {
        reason = library.errorString();
        LogFailure(lcPlayers(), "load", path, qUtf8Printable(reason));
        return nullptr;
    }
    return std::unique_ptr<TShareModule>(make());
}

} // namespace mecovnik
