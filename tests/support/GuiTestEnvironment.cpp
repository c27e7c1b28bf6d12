#include "GuiTestEnvironment.h"

#include <QDir>
#include <QFile>

#include <cstdlib>

namespace mecovnik::test {

TGuiTestEnvironment::TGuiTestEnvironment()
{
    if (!m_dir.isValid())
        qFatal("cannot create a temporary home for the test");
    const QDir root(m_dir.path());
    for (const char* sub : {"home", "config", "runtime"})
        root.mkpath(QString::fromLatin1(sub));
    const auto set = [&](const char* name, const char* sub) {
        const QByteArray path = QFile::encodeName(root.filePath(QString::fromLatin1(sub)));
        qputenv(name, path);
    };
    set("HOME", "home");
    set("XDG_CONFIG_HOME", "config");
    set("XDG_RUNTIME_DIR", "runtime");
    QFile::setPermissions(root.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

TGuiTestEnvironment::~TGuiTestEnvironment() = default;

} // namespace mecovnik::test
