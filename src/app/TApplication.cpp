#include "app/TApplication.h"

#include "app/TProgramStyle.h"
#include "components/LazyIcon.h"
#include "components/MessageBoxes.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include <exception>

namespace mecovnik {

namespace {

// The program's emblem, the menu entry's icon, at the sizes window managers
// and task bars ask for; decoded only when one asks.
QIcon Emblem()
{
    QList<std::pair<QString, QSize>> files;
    for (const int size : {16, 24, 32, 48, 64, 128})
        files.append({QStringLiteral(":/emblem/%1.png").arg(size), QSize(size, size)});
    return LazyFileIcon(files);
}

} // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // Names the per-user folders; the title "Mečovník" is not made the display
    // name, which Qt would append to every window caption.
    setApplicationName(QStringLiteral("mecovnik"));
    setOrganizationName(QStringLiteral("Ferdax"));
    // Ties the windows to the menu entry cz.ferdax.mecovnik.desktop (the
    // Wayland application id; on X11 its StartupWMClass names the class).
    setDesktopFileName(QStringLiteral("cz.ferdax.mecovnik"));
    setWindowIcon(Emblem());
    LoadSystemTranslation();
    setStyle(new TProgramStyle);
}

TApplication::~TApplication() = default;

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowErrorMessage(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ShowErrorMessage(QStringLiteral("Neočekávaná chyba programu."));
    }
    return false;
}

bool TApplication::LoadSystemTranslation(const QString& folder)
{
    const QString from =
        folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_cs"), from) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace mecovnik
