#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

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

// The child widget of that object name; a test without it cannot go on.
template <class T> T& Child(QWidget& parent, const char* name)
{
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no %s", name);
    return *child;
}

// Types text as a user would, Czech letters included.
inline void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
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
