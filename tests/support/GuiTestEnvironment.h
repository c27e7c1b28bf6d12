#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

namespace mecovnik::test {

// Points HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR at a fresh temporary folder,
// so that no test touches a real user's files, and picks the offscreen platform
// unless another was asked for. Must exist before the QApplication.
class TGuiTestEnvironment final
{
public:
    TGuiTestEnvironment();
    ~TGuiTestEnvironment();
    Q_DISABLE_COPY_MOVE(TGuiTestEnvironment)

    [[nodiscard]] QString Home() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// Delivers posted events and lets the windows repaint, a few rounds deep.
inline void Flush()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

} // namespace mecovnik::test

// A Qt Test main with its own temporary HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR.
#define MECOVNIK_GUI_TEST_MAIN(TestObject)                                                         \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        mecovnik::test::TGuiTestEnvironment environment;                                           \
        QApplication app(argc, argv);                                                              \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
