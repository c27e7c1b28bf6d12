#include "platform/THelpViewer.h"

#include "GuiTestEnvironment.h"
#include "TMessageBoxRecorder.h"

#include "components/MessageBoxes.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QWhatsThis>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace mecovnik {

namespace {

// Every help context the program hands to the help system, with a phrase its
// topic must contain (the caption of the command or control it belongs to).
struct TContextPhrase
{
    int Context;
    QString Phrase;
};

const QList<TContextPhrase>& ProgramContexts()
{
    static const QList<TContextPhrase> contexts = {
        {1, u"OK"_s},
        {2, u"Použít"_s},
        {3, u"Storno"_s},
        {6, u"Zavřít"_s},
        {9, u"Místní nabídka panelu nástrojů"_s},
        {10, u"Velikost zranění"_s},
        {11, u"Panel nástrojů"_s},
        {12, u"Skupiny tlačítek"_s},
        {13, u"Tlačítka ve skupině"_s},
        {14, u"Uvést do původního stavu..."_s},
        {15, u"Zobrazovat popisky"_s},
        {16, u"Skrýt"_s},
        {17, u"Upravit..."_s},
        {18, u"Viditelný"_s},
        {500, u"Nápověda"_s},
        {501, u"Obsah nápovědy"_s},
        {502, u"Co je to?"_s},
        {503, u"Informace o programu..."_s},
        {525, u"Okno"_s},
        {526, u"Na sebe"_s},
        {527, u"Vodorovně nad sebe"_s},
        {528, u"Svisle vedle sebe"_s},
        {529, u"Seřadit ikony"_s},
        {550, u"Nastavení"_s},
        {551, u"Prostředí..."_s},
        {552, u"Automaticky ukládat nastavení"_s},
        {553, u"Uložit nastavení"_s},
        {575, u"Soubor"_s},
        {576, u"Nastavení tiskárny..."_s},
        {578, u"Alt+X"_s},
        {580, u"Nový souboj"_s},
        {581, u"Ctrl+O"_s},
        {582, u"Ctrl+S"_s},
        {583, u"Ctrl+Shift+S"_s},
        {584, u"Přidat ze souboru"_s},
        {585, u"Nedávné souboje"_s},
        {590, u"Zpět"_s},
        {591, u"Znovu"_s},
        {600, u"Větší písmo"_s},
        {601, u"Menší písmo"_s},
        {602, u"Upravit postavu"_s},
        {603, u"Upravit nestvůru"_s},
        {604, u"Seznamy postav a nestvůr"_s},
        {605, u"Velikost písma"_s},
        {606, u"Tlačítka skupiny Boj"_s},
    };
    return contexts;
}

QString HelpFile()
{
    return QStringLiteral(MECOVNIK_HELP_FILE);
}

QTextBrowser* Browser(const THelpViewer& viewer)
{
    return viewer.Window() ? viewer.Window()->findChild<QTextBrowser*>() : nullptr;
}

QString ShownText(const THelpViewer& viewer)
{
    const QTextBrowser* browser = Browser(viewer);
    return browser ? browser->toPlainText() : QString();
}

struct TLinkSpot
{
    QString Href;
    int Position;
};

QList<TLinkSpot> Links(const QTextBrowser& browser)
{
    QList<TLinkSpot> links;
    const QTextDocument* document = browser.document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isAnchor() && !fragment.charFormat().anchorHref().isEmpty())
                links.append({fragment.charFormat().anchorHref(), fragment.position()});
        }
    }
    return links;
}

QWidget* VisiblePopup()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->inherits("QWhatsThat") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

void WriteFile(const QString& path, const QString& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
}

} // namespace

class HelpViewerTest final : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void everyProgramContextHasItsTopic();
    void contentsOpenTheWindowAndListEveryTopic();
    void everyLinkLeadsToItsTopic();
    void clickingALinkFollowsIt();
    void topicCommandReusesTheWindow();
    void popupShowsTheTopicWithoutTheWindow();
    void quitClosesTheWindow();
    void missingOrDamagedFileIsReported();
    void topicsAreSplitByTheirMarkers();
    void theWindowOpensBesideTheWindowThatAsked();
};

void HelpViewerTest::cleanup()
{
    QWhatsThis::hideText();
}

void HelpViewerTest::everyProgramContextHasItsTopic()
{
    test::TMessageBoxRecorder boxes;
    THelpViewer viewer;
    for (const auto& [context, phrase] : ProgramContexts()) {
        QVERIFY2(viewer.Execute(HelpFile(), HELP_CONTEXT, context), qPrintable(phrase));
        // A missing topic would fall back to the contents (0).
        QCOMPARE(viewer.CurrentTopic(), context);
        const QString text = ShownText(viewer);
        QVERIFY2(text.contains(phrase), qPrintable(u"%1: %2"_s.arg(context).arg(text)));
        QVERIFY2(text.size() > 80, qPrintable(u"topic %1 is too short"_s.arg(context)));
    }
    QVERIFY(boxes.Shown().isEmpty());
}

void HelpViewerTest::contentsOpenTheWindowAndListEveryTopic()
{
    test::TMessageBoxRecorder boxes;
    THelpViewer viewer;
    QCOMPARE(viewer.Window(), nullptr);
    QCOMPARE(viewer.CurrentTopic(), -1);

    QVERIFY(viewer.Execute(HelpFile(), HELP_FINDER, 0));
    QWidget* window = viewer.Window();
    QVERIFY(window);
    QVERIFY(window->isWindow());
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), u"Nápověda – Mečovník"_s);
    QCOMPARE(viewer.CurrentTopic(), 0);
    QVERIFY(ShownText(viewer).contains(u"Mečovník pro Hradomor"_s));
    // The contents page shows no other topic.
    QVERIFY(!ShownText(viewer).contains(u"Opravdu si přejete vrátit"_s));

    QStringList hrefs;
    for (const TLinkSpot& link : Links(*Browser(viewer)))
        hrefs.append(link.Href);
    for (const auto& [context, phrase] : ProgramContexts())
        QVERIFY2(hrefs.contains(u"#ctx-%1"_s.arg(context)), qPrintable(phrase));
    QVERIFY(boxes.Shown().isEmpty());
}

void HelpViewerTest::everyLinkLeadsToItsTopic()
{
    test::TMessageBoxRecorder boxes;
    THelpViewer viewer;
    QVERIFY(viewer.Execute(HelpFile(), HELP_FINDER, 0));
    const QString contentsText = ShownText(viewer);
    QAction* back = viewer.Window()->findChild<QAction*>(u"helpBackAction"_s);
    QVERIFY(back);

    QList<int> pages = {0};
    for (const auto& entry : ProgramContexts())
        pages.append(entry.Context);
    int followed = 0;
    for (int page : pages) {
        QVERIFY(viewer.Execute(HelpFile(), page == 0 ? HELP_FINDER : HELP_CONTEXT, page));
        const QString pageText = ShownText(viewer);
        for (const TLinkSpot& link : Links(*Browser(viewer))) {
            const QString where = u"page %1, link %2"_s.arg(page).arg(link.Href);
            QVERIFY2(link.Href.startsWith(u'#'), qPrintable(where));
            emit Browser(viewer)->anchorClicked(QUrl(link.Href));
            const QString target = link.Href.mid(1);
            if (target == u"contents"_s) {
                QCOMPARE(viewer.CurrentTopic(), 0);
            } else if (target.startsWith(u"ctx-"_s)) {
                QCOMPARE(viewer.CurrentTopic(), target.mid(4).toInt());
            } else {
                // A topic without a number; an unknown one would show the contents.
                QVERIFY2(viewer.CurrentTopic() == -1, qPrintable(where));
                QVERIFY2(ShownText(viewer) != contentsText, qPrintable(where));
            }
            if (ShownText(viewer) != pageText) {
                QVERIFY2(back->isEnabled(), qPrintable(where));
                back->trigger();
                QCOMPARE(viewer.CurrentTopic(), page);
                QCOMPARE(ShownText(viewer), pageText);
            }
            ++followed;
        }
    }
    QVERIFY(followed > 60);
    QVERIFY(boxes.Shown().isEmpty());
}

void HelpViewerTest::clickingALinkFollowsIt()
{
    test::TMessageBoxRecorder boxes;
    THelpViewer viewer;
    QVERIFY(viewer.Execute(HelpFile(), HELP_CONTEXT, 550));
    QTextBrowser* browser = Browser(viewer);
    QVERIFY(browser);
    QVERIFY(QTest::qWaitForWindowExposed(viewer.Window()));

    const QList<TLinkSpot> links = Links(*browser);
    const auto link = std::find_if(links.begin(), links.end(), [](const TLinkSpot& spot) {
        return spot.Href == u"#ctx-553"_s;
    });
    QVERIFY(link != links.end());
    QTextCursor cursor(browser->document());
    cursor.setPosition(link->Position + 1);
    const QPoint spot = browser->cursorRect(cursor).center();
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, spot);
    QCOMPARE(viewer.CurrentTopic(), 553);

    QAction* contents = viewer.Window()->findChild<QAction*>(u"helpContentsAction"_s);
    QVERIFY(contents);
    contents->trigger();
    QCOMPARE(viewer.CurrentTopic(), 0);
    QAction* back = viewer.Window()->findChild<QAction*>(u"helpBackAction"_s);
    back->trigger();
    QCOMPARE(viewer.CurrentTopic(), 553);
    back->trigger();
    QCOMPARE(viewer.CurrentTopic(), 550);
    QVERIFY(!back->isEnabled());
    QVERIFY(boxes.Shown().isEmpty());
}

void HelpViewerTest::topicCommandReusesTheWindow()
{
    test::TMessageBoxRecorder boxes;
    THelpViewer viewer;
    QVERIFY(viewer.Execute(HelpFile(), HELP_CONTEXT, 553));
    QPointer<QWidget> window = viewer.Window();
    QVERIFY(window && window->isVisible());
    QCOMPARE(viewer.CurrentTopic(), 553);

    window->showMinimized();
    QVERIFY(viewer.Execute(HelpFile(), HELP_CONTEXT, 578));
    QCOMPARE(viewer.Window(), window.data());
    QVERIFY(!window->isMinimized());
    QCOMPARE(viewer.CurrentTopic(), 578);

    // A number without a topic shows the contents, and that is no failure.
    QVERIFY(viewer.Execute(HelpFile(), HELP_CONTEXT, 4));
    QCOMPARE(viewer.CurrentTopic(), 0);
    QVERIFY(viewer.Execute(HelpFile(), HELP_FINDER, 0));
    QCOMPARE(viewer.Window(), window.data());
    QCOMPARE(viewer.CurrentTopic(), 0);

    // A command the help system does not know changes nothing.
    QVERIFY(!viewer.Execute(HelpFile(), 3, 553));
    QCOMPARE(viewer.CurrentTopic(), 0);
    QVERIFY(boxes.Shown().isEmpty());
}

void HelpViewerTest::popupShowsTheTopicWithoutTheWindow()
{
    test::TMessageBoxRecorder boxes;
    THelpViewer viewer;
    QCOMPARE(viewer.LastPopupText(), QString());

    QVERIFY(viewer.Execute(HelpFile(), HELP_CONTEXTPOPUP, 11));
    QCOMPARE(viewer.Window(), nullptr);
    QVERIFY(VisiblePopup());
    QVERIFY(viewer.LastPopupText().startsWith(u"Panel nástrojů"_s));
    QVERIFY(viewer.LastPopupText().contains(u"Zobrazovat popisky"_s));
    QVERIFY(!viewer.LastPopupText().contains(u'<'));
    QVERIFY(!viewer.LastPopupText().contains(u"Mečovník pro Hradomor"_s));
    QWhatsThis::hideText();

    QVERIFY(viewer.Execute(HelpFile(), HELP_CONTEXTPOPUP, 578));
    QVERIFY(viewer.LastPopupText().contains(u"Alt+X"_s));
    QVERIFY(!viewer.LastPopupText().contains(u"Panel nástrojů pod nabídkami"_s));

    // A number without a topic gets a short notice, not the contents.
    QVERIFY(viewer.Execute(HelpFile(), HELP_CONTEXTPOPUP, 4));
    QCOMPARE(viewer.LastPopupText(), u"K této položce není nápověda k dispozici."_s);
    QCOMPARE(viewer.Window(), nullptr);
    QWhatsThis::hideText();

    // With the window open, a popup leaves it alone.
    QVERIFY(viewer.Execute(HelpFile(), HELP_CONTEXT, 526));
    QVERIFY(viewer.Execute(HelpFile(), HELP_CONTEXTPOPUP, 9));
    QCOMPARE(viewer.CurrentTopic(), 526);
    QVERIFY(viewer.LastPopupText().contains(u"Místní nabídka panelu nástrojů"_s));
    QVERIFY(boxes.Shown().isEmpty());
}

void HelpViewerTest::quitClosesTheWindow()
{
    test::TMessageBoxRecorder boxes;
    THelpViewer viewer;
    // Nothing open: quitting does nothing at all.
    QVERIFY(viewer.Execute(HelpFile(), HELP_QUIT, 0));
    QCOMPARE(viewer.Window(), nullptr);

    QVERIFY(viewer.Execute(HelpFile(), HELP_FINDER, 0));
    QPointer<QWidget> window = viewer.Window();
    QVERIFY(window);
    QVERIFY(viewer.Execute(HelpFile(), HELP_QUIT, 0));
    QVERIFY(window.isNull());
    QCOMPARE(viewer.Window(), nullptr);
    QCOMPARE(viewer.CurrentTopic(), -1);

    // Quit needs no help file.
    QVERIFY(viewer.Execute(HelpFile(), HELP_CONTEXT, 16));
    window = viewer.Window();
    QVERIFY(viewer.Execute(QString(), HELP_QUIT, 0));
    QVERIFY(window.isNull());

    // Closed by the user, the window is gone too, and the next command makes a new one.
    QVERIFY(viewer.Execute(HelpFile(), HELP_CONTEXT, 16));
    window = viewer.Window();
    QVERIFY(window->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window.isNull());
    QCOMPARE(viewer.Window(), nullptr);
    QVERIFY(viewer.Execute(HelpFile(), HELP_CONTEXT, 17));
    QVERIFY(viewer.Window());
    QCOMPARE(viewer.CurrentTopic(), 17);
    QAction* back = viewer.Window()->findChild<QAction*>(u"helpBackAction"_s);
    QVERIFY(!back->isEnabled()); // the old window's history went with it

    // The viewer takes its window with it.
    {
        THelpViewer other;
        QVERIFY(other.Execute(HelpFile(), HELP_FINDER, 0));
        window = other.Window();
    }
    QVERIFY(window.isNull());
    QVERIFY(boxes.Shown().isEmpty());
}

void HelpViewerTest::missingOrDamagedFileIsReported()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString missing = dir.filePath(u"chybí.HLP"_s);
    test::TMessageBoxRecorder boxes;
    THelpViewer viewer;

    for (int command : {int(HELP_FINDER), int(HELP_CONTEXT), int(HELP_CONTEXTPOPUP)}) {
        boxes.Clear();
        QVERIFY(!viewer.Execute(missing, command, 11));
        QCOMPARE(boxes.Shown().size(), 1);
        QCOMPARE(boxes.Last()->Text,
                 u"Soubor nápovědy „%1“ nebyl nalezen."_s.arg(QDir::toNativeSeparators(missing)));
        QCOMPARE(boxes.Last()->Caption, u"Mečovník"_s);
        QCOMPARE(boxes.Last()->Icon, QMessageBox::Critical);
        QCOMPARE(viewer.Window(), nullptr);
        QCOMPARE(viewer.LastPopupText(), QString());
    }

    const QString damaged = dir.filePath(u"poškozený.HLP"_s);
    WriteFile(damaged, u"<html><body><h1>Žádná témata</h1></body></html>"_s);
    boxes.Clear();
    QVERIFY(!viewer.Execute(damaged, HELP_FINDER, 0));
    QCOMPARE(boxes.Shown().size(), 1);
    QCOMPARE(boxes.Last()->Text,
             u"Soubor nápovědy „%1“ je poškozený."_s.arg(QDir::toNativeSeparators(damaged)));

    // A file whose topics lack the contents is damaged as well.
    WriteFile(damaged, u"<div class=\"topic\" id=\"ctx-1\"><p>Jen OK</p></div>"_s);
    boxes.Clear();
    QVERIFY(!viewer.Execute(damaged, HELP_CONTEXT, 1));
    QCOMPARE(boxes.Shown().size(), 1);
    QCOMPARE(viewer.Window(), nullptr);

    // A directory cannot be read as a help file.
    boxes.Clear();
    QVERIFY(!viewer.Execute(dir.path(), HELP_FINDER, 0));
    QCOMPARE(boxes.Shown().size(), 1);
    QCOMPARE(boxes.Last()->Text,
             u"Soubor nápovědy „%1“ nelze přečíst."_s.arg(QDir::toNativeSeparators(dir.path())));

    // Nor a FIFO, which is never waited on (nobody writes to it here).
    const QString fifo = dir.filePath(u"fronta.HLP"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    boxes.Clear();
    QVERIFY(!viewer.Execute(fifo, HELP_FINDER, 0));
    QCOMPARE(boxes.Shown().size(), 1);
    QCOMPARE(boxes.Last()->Text,
             u"Soubor nápovědy „%1“ nelze přečíst."_s.arg(QDir::toNativeSeparators(fifo)));

    // An open window stays as it was when a later command fails.
    boxes.Clear();
    QVERIFY(viewer.Execute(HelpFile(), HELP_CONTEXT, 552));
    const QString shown = ShownText(viewer);
    QVERIFY(!viewer.Execute(missing, HELP_CONTEXT, 553));
    QCOMPARE(boxes.Shown().size(), 1);
    QVERIFY(viewer.Window());
    QCOMPARE(viewer.CurrentTopic(), 552);
    QCOMPARE(ShownText(viewer), shown);
}

void HelpViewerTest::topicsAreSplitByTheirMarkers()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"program.HLP"_s);
    const QString text = uR"(<html><head><style>h2 { color: red; }</style></head><body>
<!-- a comment before the topics -->
<div class="topic" id="contents"><h1>Obsah</h1><p><a href="#ctx-5">Pět</a></p></div>
<div class="topic" id="ctx-5"><h2>Pět</h2><div class="box"><p>Vnitřek</p></div>
<p>Konec pěti</p></div>
<div class="topic" id="ctx-6"><h2>Šest</h2><p>Jen šest</p></div>
</body></html>)"_s;
    WriteFile(path, text);

    test::TMessageBoxRecorder boxes;
    THelpViewer viewer;
    QVERIFY(viewer.Execute(path, HELP_CONTEXT, 5));
    QCOMPARE(viewer.CurrentTopic(), 5);
    const QString five = ShownText(viewer);
    // A nested div does not end the topic, and its neighbours stay out.
    QVERIFY(five.contains(u"Vnitřek"_s));
    QVERIFY(five.contains(u"Konec pěti"_s));
    QVERIFY(!five.contains(u"Šest"_s));
    QVERIFY(!five.contains(u"Obsah"_s));
    // The frame around the topics (here its style sheet) comes with every page.
    QVERIFY(Browser(viewer)->toHtml().contains(u"#ff0000"_s));

    QVERIFY(viewer.Execute(path, HELP_CONTEXT, 6));
    QCOMPARE(ShownText(viewer).trimmed(), u"Šest\nJen šest"_s);

    // Every command reads the file again.
    WriteFile(path, QString(text).replace(u"Jen šest"_s, u"Opravená šestka"_s));
    QVERIFY(viewer.Execute(path, HELP_CONTEXT, 6));
    QVERIFY(ShownText(viewer).contains(u"Opravená šestka"_s));

    // A topic that is never closed makes the file damaged.
    WriteFile(path, QString(text).remove(text.lastIndexOf(u"</div>"_s), 6));
    QVERIFY(!viewer.Execute(path, HELP_CONTEXT, 6));
    QCOMPARE(boxes.Shown().size(), 1);
    QCOMPARE(boxes.Last()->Text,
             u"Soubor nápovědy „%1“ je poškozený."_s.arg(QDir::toNativeSeparators(path)));
}

void HelpViewerTest::theWindowOpensBesideTheWindowThatAsked()
{
    test::TMessageBoxRecorder boxes;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // The program's main window, narrow, at the screen's left edge.
    QWidget mainForm;
    mainForm.setGeometry(screen.left(), screen.top() + 20, 120, 200);
    SetMessageBoxOwner(&mainForm);
    mainForm.show();
    mainForm.activateWindow();
    QTRY_VERIFY(mainForm.isActiveWindow());

    THelpViewer viewer;
    QVERIFY(viewer.Execute(HelpFile(), HELP_FINDER, 0));
    QWidget* help = viewer.Window();
    QVERIFY(help);
    const auto expectBeside = [&](const QWidget& asker, bool onTheRight) {
        const QRect h = help->frameGeometry();
        const QRect a = asker.frameGeometry();
        QVERIFY2(screen.contains(h), "wholly on the screen");
        QVERIFY(!h.intersects(a));
        if (onTheRight)
            QCOMPARE(h.left(), a.right() + 1);
        else
            QCOMPARE(h.right() + 1, a.left());
    };
    expectBeside(mainForm, true);
    QCOMPARE(help->frameGeometry().top(), mainForm.frameGeometry().top());

    // A dialog at the screen's right edge asks: the help goes left of it.
    QDialog dialog(&mainForm);
    dialog.setGeometry(screen.right() - 119, screen.top() + 40, 120, 100);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.show();
    QVERIFY(viewer.Execute(HelpFile(), HELP_CONTEXT, 1));
    QCOMPARE(viewer.Window(), help);
    expectBeside(dialog, false);

    // A window low on the screen: the help is moved up onto it.
    dialog.move(dialog.x(), screen.bottom() - 60);
    QVERIFY(viewer.Execute(HelpFile(), HELP_CONTEXT, 2));
    expectBeside(dialog, false);
    QCOMPARE(help->frameGeometry().bottom(), screen.bottom());

    // Room for the whole help on neither side: beside the asker all the same,
    // narrowed to the larger room; the next asker with room gets it whole.
    dialog.setGeometry(screen.left() + 10, screen.top() + 40, screen.width() - 410, 100);
    QVERIFY(viewer.Execute(HelpFile(), HELP_CONTEXT, 2));
    expectBeside(dialog, true);
    QCOMPARE(help->frameGeometry().right(), screen.right());
    QVERIFY(help->width() < 640);
    dialog.hide();
    QVERIFY(viewer.Execute(HelpFile(), HELP_CONTEXT, 2));
    expectBeside(mainForm, true);
    QCOMPARE(help->size(), QSize(640, 540));
    dialog.show();

    // Once the user moved it, it stays where it was put.
    const QPoint put = screen.topLeft() + QPoint(33, 44);
    help->move(put);
    test::Flush();
    QVERIFY(viewer.Execute(HelpFile(), HELP_CONTEXT, 3));
    dialog.hide();
    QVERIFY(viewer.Execute(HelpFile(), HELP_FINDER, 0));
    QCOMPARE(help->pos(), put);

    // A help window opened anew goes beside the window that asked.
    QVERIFY(viewer.Execute(HelpFile(), HELP_QUIT, 0));
    QVERIFY(viewer.Execute(HelpFile(), HELP_FINDER, 0));
    help = viewer.Window();
    expectBeside(mainForm, true);
    SetMessageBoxOwner(nullptr);
    QVERIFY(boxes.Shown().isEmpty());
}

} // namespace mecovnik

MECOVNIK_GUI_TEST_MAIN(mecovnik::HelpViewerTest)
#include "HelpViewerTest.moc"
