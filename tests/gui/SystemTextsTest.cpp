// Qt's own texts in Czech: the program's application object loads them
// whatever the user's locale (this test runs under the C locale).
#include "GuiTestEnvironment.h"

#include "app/TApplication.h"
#include "components/MessageBoxes.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLibraryInfo>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QTimer>

using namespace mecovnik;

namespace {

QString WithoutAccelerator(QString text)
{
    return text.remove(u'&');
}

// Every text a dialog shows on its labels and buttons.
QStringList TextsOf(QWidget& window)
{
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        texts << WithoutAccelerator(label->text());
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        texts << WithoutAccelerator(button->text());
    return texts;
}

} // namespace

class SystemTextsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                           QStringLiteral("/qtbase_cs.qm")))
            QSKIP("Qt's Czech translation (qt6-translations-l10n) is not installed");
    }

    // A question box offers "Ano" and "Ne".
    void questionBoxIsCzech()
    {
        QStringList buttons;
        QTimer::singleShot(0, [&buttons] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            for (QAbstractButton* b : box->buttons())
                buttons << WithoutAccelerator(b->text());
            box->button(QMessageBox::No)->click();
        });
        QVERIFY(!AskQuestion(QStringLiteral("Opravdu chcete smazat postavu Bard?")));
        buttons.sort();
        QCOMPARE(buttons, (QStringList{QStringLiteral("Ano"), QStringLiteral("Ne")}));
    }

    // The printer-setup dialog and a document window's system menu.
    void standardDialogsAndMenusAreCzech()
    {
        QPrinter printer;
        QPageSetupDialog setup(&printer);
        const QStringList texts = TextsOf(setup);
        QVERIFY2(texts.contains(QStringLiteral("Zdroj papíru:")), qPrintable(texts.join(u'|')));
        QVERIFY2(texts.contains(QStringLiteral("Formát na výšku")), qPrintable(texts.join(u'|')));
        QVERIFY2(texts.contains(QStringLiteral("Zrušit")), qPrintable(texts.join(u'|')));

        QMdiSubWindow child;
        QStringList items;
        for (const QAction* a : child.systemMenu()->actions())
            items << WithoutAccelerator(a->text());
        QVERIFY2(items.contains(QStringLiteral("Obnovit")), qPrintable(items.join(u'|')));
        QVERIFY2(items.contains(QStringLiteral("Zavřít")), qPrintable(items.join(u'|')));
    }

    // A folder without the translation is no error.
    void missingTranslationIsNoError()
    {
        QVERIFY(!TApplication::LoadSystemTranslation(QStringLiteral("/nonexistent/translations")));
    }
};

int main(int argc, char** argv)
{
    mecovnik::test::TGuiTestEnvironment environment;
    TApplication app(argc, argv);
    SystemTextsTest tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "SystemTextsTest.moc"
