#include "GuiTestEnvironment.h"
#include "MainFormFixture.h"
#include "TFakeHelpSystem.h"

#include "ui_AboutDialog.h"

#include "app/Frm_Main.h"
#include "components/TAboutDialog.h"
#include "components/TAboutDialogForm.h"
#include "settings/TNastaveni.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QTimer>

#include <functional>

using namespace mecovnik;

namespace {

// Runs Execute; look is called with the about window once it is up and must
// close it (as a user does); returns false when no window came.
bool ExecuteAndLook(TAboutDialog& about, const std::function<void(TAboutDialogForm&)>& look,
                    QPointer<TAboutDialogForm>* seen = nullptr)
{
    bool came = false;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<TAboutDialogForm*>(QApplication::activeModalWidget());
        if (!form)
            return;
        came = true;
        if (seen)
            *seen = form;
        QVERIFY(QTest::qWaitForWindowExposed(form));
        test::Flush();
        look(*form);
        // Whatever the check did, never leave the window open.
        if (form->isVisible())
            form->done(QDialog::Accepted);
    });
    about.Execute();
    return came;
}

void PressKey(TAboutDialogForm& form, Qt::Key key)
{
    QTest::keyClick(&form, key);
}

TAboutDialog& Configured(TAboutDialog& about)
{
    about.SetBitmapID(256);
    about.SetCaption(QStringLiteral("Mečovník"));
    about.SetAppName(QStringLiteral("Mečovník pro Hradomor"));
    about.SetAppVersion(QStringLiteral("Verze 1.0"));
    about.SetAppCopyright(QStringLiteral("Copyright © 1997 Ferdax."));
    about.SetAppComments(QStringLiteral("Krátká poznámka."));
    return about;
}

} // namespace

class AboutBoxTest final : public QObject
{
    Q_OBJECT

private slots:
    void theWindowAtItsPositions()
    {
        QWidget owner;
        TAboutDialog about(&owner);
        QCOMPARE(about.BitmapID(), quint16{0});
        QVERIFY(about.Caption().isEmpty() && about.AppComments().isEmpty());
        Configured(about);
        QVERIFY(ExecuteAndLook(about, [&](TAboutDialogForm& form) {
            Ui::TAboutDialogForm& ui = form.Form();
            QCOMPARE(form.windowTitle(), QStringLiteral("Mečovník"));
            QCOMPARE(form.size(), QSize(377, 204));
            QVERIFY(form.windowFlags() & Qt::WindowContextHelpButtonHint);
            QCOMPARE(form.parentWidget(), &owner);
            QCOMPARE(ui.Panel->geometry(), QRect(8, 3, 361, 161));
            QVERIFY(ui.Panel->title().isEmpty());
            QCOMPARE(ui.Icon->geometry(), QRect(8, 13, 64, 64));
            QCOMPARE(ui.ProductName->pos(), QPoint(88, 21));
            QCOMPARE(ui.Version->pos(), QPoint(88, 45));
            QCOMPARE(ui.Copyright->pos(), QPoint(8, 85));
            QCOMPARE(ui.Comments->geometry(), QRect(8, 109, 345, 39));
            QCOMPARE(ui.OKButton->geometry(), QRect(151, 173, 75, 23));
            QCOMPARE(ui.OKButton->text(), QStringLiteral("OK"));
            QVERIFY(ui.OKButton->isDefault());
            QCOMPARE(ui.OKButton->property("helpContext").toInt(), 1);
            QCOMPARE(ui.ProductName->Caption(), QStringLiteral("Mečovník pro Hradomor"));
            QCOMPARE(ui.Version->Caption(), QStringLiteral("Verze 1.0"));
            QCOMPARE(ui.Copyright->Caption(), QStringLiteral("Copyright © 1997 Ferdax."));
            QCOMPARE(ui.Comments->Caption(), QStringLiteral("Krátká poznámka."));
            // The hourglass is gone before the window waits for the user.
            QVERIFY(!QGuiApplication::overrideCursor());
            // The picture: the 64 x 64 emblem, with its red field at the centre.
            const QPixmap picture = ui.Icon->pixmap();
            QCOMPARE(picture.size(), QSize(64, 64));
            const QColor centre = picture.toImage().pixelColor(20, 30);
            QVERIFY2(centre.red() > 150 && centre.green() < 80, qPrintable(centre.name()));
            // Without a picture the frame stays empty; 100 names no bitmap.
        }));
        about.SetBitmapID(100);
        QVERIFY(ExecuteAndLook(
            about, [](TAboutDialogForm& form) { QVERIFY(form.Form().Icon->pixmap().isNull()); }));
    }

    void thePictureIsSharpOnEveryScreen()
    {
        // Each screen pixel of its own: at 1.5, 2 and 3 device pixels per
        // point the 64-point emblem has 64 x ratio pixels, drawn at that size
        // rather than blown up (pixels pairwise equal along every row).
        for (const qreal ratio : {1.0, 1.5, 2.0, 3.0}) {
            const QPixmap picture = TAboutDialog::Picture(256, ratio);
            QCOMPARE(picture.deviceIndependentSize(), QSizeF(64, 64));
            QCOMPARE(picture.width(), qRound(64 * ratio));
            const QImage image = picture.toImage();
            const QColor centre = image.pixelColor(image.width() / 3, image.height() / 2);
            QVERIFY2(centre.red() > 150 && centre.green() < 80, qPrintable(centre.name()));
            if (ratio == 2.0) {
                bool ownPixels = false;
                for (int y = 0; y < image.height() && !ownPixels; ++y)
                    for (int x = 0; x + 1 < image.width() && !ownPixels; x += 2)
                        ownPixels = image.pixel(x, y) != image.pixel(x + 1, y);
                QVERIFY(ownPixels);
            }
        }
        QVERIFY(TAboutDialog::Picture(100, 2.0).isNull());
    }

    void ampersandsAndLongComments()
    {
        TAboutDialog about;
        Configured(about);
        // Measure the three labels with and without an "&".
        const auto widths = [&](const QString& text) {
            about.SetAppName(text);
            about.SetAppVersion(text);
            about.SetAppCopyright(text);
            QList<int> result;
            ExecuteAndLook(about, [&](TAboutDialogForm& form) {
                result = {form.Form().ProductName->width(), form.Form().Version->width(),
                          form.Form().Copyright->width()};
            });
            return result;
        };
        const QList<int> with = widths(QStringLiteral("Meč&ník"));
        const QList<int> without = widths(QStringLiteral("Mečník"));
        QCOMPARE(with.size(), 3);
        QVERIFY2(with[0] > without[0], "the product name shows its \"&\"");
        QCOMPARE(with[1], without[1]); // the version takes it as an accelerator mark
        QVERIFY2(with[2] > without[2], "the copyright shows its \"&\"");

        // A comment longer than its frame is cut off; the frame does not grow.
        about.SetAppComments(QString(40, u'x').append(u' ').repeated(20));
        QVERIFY(ExecuteAndLook(about, [](TAboutDialogForm& form) {
            QCOMPARE(form.Form().Comments->geometry(), QRect(8, 109, 345, 39));
            QCOMPARE(form.size(), QSize(377, 204));
        }));
    }

    void enterAndEscapeCloseAtOnce()
    {
        TAboutDialog about;
        Configured(about);
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Enter}) {
            QPointer<TAboutDialogForm> seen;
            bool closed = false;
            QVERIFY(ExecuteAndLook(
                about,
                [&](TAboutDialogForm& form) {
                    PressKey(form, key);
                    closed = !form.isVisible();
                },
                &seen));
            QVERIFY2(closed, qPrintable(QString::number(key, 16)));
            // The window is destroyed when Execute returns.
            QVERIFY(seen.isNull());
        }
        QPointer<TAboutDialogForm> seen;
        QVERIFY(ExecuteAndLook(
            about,
            [](TAboutDialogForm& form) { QTest::mouseClick(form.Form().OKButton, Qt::LeftButton); },
            &seen));
        QVERIFY(seen.isNull());
    }

    void twoCallsShowTheSameWindow()
    {
        TAboutDialog about;
        Configured(about);
        about.SetAppVersion(QStringLiteral("Verze &2.0"));
        QImage first;
        QImage second;
        QVERIFY(
            ExecuteAndLook(about, [&](TAboutDialogForm& form) { first = form.grab().toImage(); }));
        QVERIFY(
            ExecuteAndLook(about, [&](TAboutDialogForm& form) { second = form.grab().toImage(); }));
        QVERIFY(!first.isNull());
        QCOMPARE(first, second);
    }

    void theMenuCommandShowsThePicture()
    {
        test::TFakeHelpSystem help;
        TNastaveni nastaveni;
        auto form = test::StartMainForm(nastaveni, test::TestServices(&help));
        TAboutDialog& about = form->AboutDialog();
        QCOMPARE(about.BitmapID(), quint16{100});
        QCOMPARE(about.Caption(), QStringLiteral("Mečovník"));
        QCOMPARE(about.AppName(), QStringLiteral("Mečovník pro Hradomor"));
        QCOMPARE(about.AppVersion(), QStringLiteral("Verze 1.0"));
        QVERIFY(about.AppCopyright().startsWith(QStringLiteral("Copyright © 1997 Ferdax")));
        QVERIFY(about.AppComments().endsWith(QStringLiteral("kdyby byla Cauchyovská!!!")));

        auto* item = form->findChild<QAction*>(QStringLiteral("Item_About"));
        QVERIFY(item);
        QSize picture;
        QString title;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<TAboutDialogForm*>(QApplication::activeModalWidget())) {
                picture = box->Form().Icon->pixmap().size();
                title = box->windowTitle();
                QTest::keyClick(box, Qt::Key_Escape);
            }
        });
        item->trigger();
        QCOMPARE(picture, QSize(64, 64));
        QCOMPARE(title, QStringLiteral("Mečovník"));
        QCOMPARE(about.BitmapID(), quint16{256});
    }
};

MECOVNIK_GUI_TEST_MAIN(AboutBoxTest)
#include "AboutBoxTest.moc"
