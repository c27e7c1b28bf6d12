#include "GuiTestEnvironment.h"
#include "MainFormFixture.h"
#include "RosterCommandRules.h"
#include "TFakeHelpSystem.h"
#include "TFakeRandom.h"
#include "TFakeRegistryFile.h"
#include "TMessageBoxRecorder.h"

#include "app/CommandRegistry.h"
#include "app/Frm_Main.h"
#include "app/Startup.h"
#include "app/UserMessages.h"
#include "components/ScreenCursor.h"
#include "components/TAdvancedListBox.h"
#include "persistence/TRegistryStore.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRosterModel.h"
#include "settings/TNastaveni.h"
#include "toolbar/TToolbar.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QWhatsThis>
#include <algorithm>

#include <map>
#include <set>
#include <stdexcept>

using namespace mecovnik;
using mecovnik::test::TFakeHelpSystem;
using mecovnik::test::TMessageBoxRecorder;

namespace {

// One row of the menu tables: where the item sits, what it shows.
struct TMenuRow
{
    const char* Path; // menu names and item name, "/"-separated; "-" for a separator
    const char* Caption;
    const char* Shortcut;
    int HelpContext;
    const char* Hint;
};

// The main menu as the game master sees it, in order. Written out here on its
// own so that a slip in the form shows up as a difference.
const TMenuRow kMainMenu[] = {
    {"Menu_Soubor", "&Soubor", "", 575, "Systémové příkazy a příkazy pro práci se soubory"},
    {"Menu_Soubor/Item_NovySouboj", "&Nový souboj", "", 580,
     "Vyprázdnit obě soupisky a začít nový souboj"},
    {"Menu_Soubor/Item_OtevritSouboj", "&Otevřít souboj...", "Ctrl+O", 581,
     "Nahradit obě soupisky soubojem uloženým v souboru"},
    {"Menu_Soubor/Item_UlozitSouboj", "Uložit &souboj", "Ctrl+S", 582,
     "Uložit obě soupisky do souboru souboje"},
    {"Menu_Soubor/Item_UlozitSoubojJako", "Uložit souboj &jako...", "Ctrl+Shift+S", 583,
     "Uložit obě soupisky do nového souboru souboje"},
    {"Menu_Soubor/Item_PridatZeSouboru", "&Přidat ze souboru...", "", 584,
     "Přidat postavy a nestvůry ze souboru souboje k současnému souboji"},
    {"Menu_Soubor/Menu_NedavneSouboje", "Nedávné sou&boje", "", 585,
     "Otevřít některý z naposledy otevřených či uložených soubojů"},
    {"Menu_Soubor/Menu_NedavneSouboje/Item_NedavneSouboje_Zadne", "(žádné)", "", 585,
     "Zatím nebyl otevřen ani uložen žádný souboj"},
    {"Menu_Soubor/-", "", "", 0, ""},
    {"Menu_Soubor/Item_ExportovatPdf", "&Exportovat do PDF...", "", 588,
     "Uložit stránky souboje (soupisky a deník zkušeností) jako dokument PDF"},
    {"Menu_Soubor/Item_ExportovatDenikCsv", "Exportovat &deník do CSV...", "", 589,
     "Uložit deník zkušeností jako tabulku CSV pro tabulkový procesor"},
    {"Menu_Soubor/-", "", "", 0, ""},
    {"Menu_Soubor/Item_Tisk", "&Tisk...", "Ctrl+Shift+P", 586,
     "Vytisknout soupisky a deník zkušeností na tiskárně"},
    {"Menu_Soubor/Item_NahledTisku", "Ná&hled před tiskem...", "", 587,
     "Ukázat stránky souboje tak, jak budou vytištěny"},
    {"Menu_Soubor/Item_PrintSetup", "N&astavení tiskárny...", "", 576, "Nastavit možnosti tisku"},
    {"Menu_Soubor/-", "", "", 0, ""},
    {"Menu_Soubor/Item_Quit", "&Ukončit program", "Alt+X", 578, "Ukončit práci s programem"},
    {"Menu_Postava", "&Postava", "", 0, "Příkazy pro správu postav"},
    {"Menu_Postava/Item_NovaPostava", "&Nová postava...", "Ctrl+P", 0,
     "Přidat novou postavu do seznamu"},
    {"Menu_Postava/Item_UpravitPostavu", "&Upravit postavu...", "", 602,
     "Změnit jméno, životy a vyřazení aktivní postavy"},
    {"Menu_Postava/Item_SmazatPostavu", "&Smazat postavu...", "", 0,
     "Vymazat aktivní postavu ze seznamu"},
    {"Menu_Postava/-", "", "", 0, ""},
    {"Menu_Postava/Menu_Postava_CelaZkusenost", "&Předat celou zkušenost hráči", "", 0,
     "Převést všechnu nepřidělenou zkušenost na přidělenou"},
    {"Menu_Postava/Menu_Postava_CelaZkusenost/Item_CelaZkusenost_Aktivni", "&Aktivní postava", "",
     0, "Převést všechnu nepřidělenou zkušenost aktivní postavy na přidělenou"},
    {"Menu_Postava/Menu_Postava_CelaZkusenost/Item_CelaZkusenost_Vsechny", "&Všechny postavy",
     "Ctrl+Z", 0, "Převést všechnu nepřidělenou zkušenost všech postav na přidělenou"},
    {"Menu_Postava/Menu_Postava_CastZkusenosti", "Předat část zkušenosti &hráči", "", 0,
     "Převést část nepřidělené zkušenosti na přidělenou"},
    {"Menu_Postava/Menu_Postava_CastZkusenosti/Item_CastZkusenosti_Aktivni", "&Aktivní postava...",
     "", 0, "Převést část nepřidělené zkušenosti aktivní postavy na přidělenou"},
    {"Menu_Postava/Menu_Postava_CastZkusenosti/Item_CastZkusenosti_Vsechny", "&Všechny postavy...",
     "", 0, "Převést část nepřidělené zkušenosti všech postav na přidělenou"},
    {"Menu_Postava/-", "", "", 0, ""},
    {"Menu_Postava/Menu_Postava_VynulovatZkusenost", "&Vynulovat zkušenost", "", 0,
     "Nastavit zkušenost na nulu"},
    {"Menu_Postava/Menu_Postava_VynulovatZkusenost/Item_VynulovatZkusenost_Aktivni",
     "&Aktivní postava", "", 0, "Nastavit zkušenost aktivní postavy na nulu"},
    {"Menu_Postava/Menu_Postava_VynulovatZkusenost/Item_VynulovatZkusenost_Vsechny",
     "&Všechny postavy", "Ctrl+0", 0, "Nastavit zkušenost všech postav na nulu"},
    {"Menu_Postava/Menu_Postava_PridatZkusenost", "Při&dat zkušenost", "", 0,
     "Přidat zvláštní zkušenost"},
    {"Menu_Postava/Menu_Postava_PridatZkusenost/Item_PridatZkusenost_Aktivni",
     "&Aktivní postava...", "", 0, "Přidat zvláštní zkušenost aktivní postavě"},
    {"Menu_Postava/Menu_Postava_PridatZkusenost/Item_PridatZkusenost_Vsechny",
     "&Všechny postavy...", "", 0, "Přidat zvláštní zkušenost všem postavám"},
    {"Menu_Postava/-", "", "", 0, ""},
    {"Menu_Postava/Menu_Postava_ZmenitZivoty", "&Změnit životy", "", 0,
     "Nastavit aktuální počet životů"},
    {"Menu_Postava/Menu_Postava_ZmenitZivoty/Item_ZmenitZivoty_Aktivni", "&Aktivní postava...", "",
     0, "Nastavit aktuální počet životů aktivní postavě"},
    {"Menu_Postava/Menu_Postava_ZmenitZivoty/Item_ZmenitZivoty_Vsechny", "&Všechny postavy...", "",
     0, "Nastavit aktuální počet životů všem postavám"},
    {"Menu_Postava/Menu_Postava_PridatZivoty", "Př&idat životy", "", 0,
     "Přidat či ubrat životy z aktuálního počtu životů"},
    {"Menu_Postava/Menu_Postava_PridatZivoty/Item_PridatZivoty_Aktivni", "&Aktivní postava...", "",
     0, "Přidat či ubrat životy z aktuálního počtu životů aktivní postavy"},
    {"Menu_Postava/Menu_Postava_PridatZivoty/Item_PridatZivoty_Vsechny", "&Všechny postavy...", "",
     0, "Přidat či ubrat životy z aktuálního počtu životů všech postav"},
    {"Menu_Nestvura", "&Nestvůra", "", 0, "Příkazy pro správu nestvůr"},
    {"Menu_Nestvura/Item_NovaNestvura", "&Nová nestvůra...", "Ctrl+N", 0,
     "Přidat novou nestvůru do seznamu"},
    {"Menu_Nestvura/Item_UpravitNestvuru", "&Upravit nestvůru...", "", 603,
     "Změnit jméno, úroveň, vyřazení a zkušenost aktivní nestvůry"},
    {"Menu_Nestvura/Item_SmazatNestvuru", "&Smazat nestvůru...", "", 0,
     "Vymazat aktivní nestvůru ze seznamu"},
    {"Menu_Nestvura/-", "", "", 0, ""},
    {"Menu_Nestvura/Item_SmazatVsechnyNestvury", "Smazat &všechny nestvůry...", "", 0,
     "Smazat všechny nestvůry ze seznamu"},
    {"Menu_Nestvura/Item_SmazatMrtveNestvury", "Smazat všechny &mrtvé nestvůry...", "Ctrl+M", 0,
     "Smazat všechny nestvůry s nulovým počtem životů"},
    {"Menu_Nestvura/Item_SmazatVyrazeneNestvury", "Sm&azat všechny mrtvé a vyřazené nestvůry...",
     "Ctrl+V", 0, "Smazat všechny nestvůry s počtem životů menším než mez vyřazení"},
    {"Menu_Nestvura/-", "", "", 0, ""},
    {"Menu_Nestvura/Menu_Nestvura_ZmenitZivoty", "&Změnit životy", "", 0,
     "Nastavit aktuální počet životů"},
    {"Menu_Nestvura/Menu_Nestvura_ZmenitZivoty/Item_ZmenitZivotyNestvury_Akt",
     "&Aktivní nestvůra...", "", 0, "Nastavit aktuální počet životů aktivní nestvůře"},
    {"Menu_Nestvura/Menu_Nestvura_ZmenitZivoty/Item_ZmenitZivotyNestvury_All",
     "&Všechny nestvůry...", "", 0, "Nastavit aktuální počet životů všem nestvůrám"},
    {"Menu_Nestvura/Menu_Nestvura_PridatZivoty", "Př&idat životy", "", 0,
     "Přidat či ubrat životy z aktuálního počtu životů"},
    {"Menu_Nestvura/Menu_Nestvura_PridatZivoty/Item_PridatZivotyNestvury_Akt",
     "&Aktuální nestvůra...", "", 0,
     "Přidat či ubrat životy z aktuálního počtu životů aktivní nestvůry"},
    {"Menu_Nestvura/Menu_Nestvura_PridatZivoty/Item_PridatZivotyNestvury_All",
     "&Všechny nestvůry...", "", 0,
     "Přidat či ubrat životy z aktuálního počtu životů všech nestvůr"},
    {"Menu_Boj", "&Boj", "", 0, "Příkazy pro souboj"},
    {"Menu_Boj/Item_ShowPostavy", "Ukázat okno &postav", "", 0,
     "Aktivovat okno se seznamem všech vytvořených postav"},
    {"Menu_Boj/Item_ShowNestvury", "Ukázat okno &nestvůr", "", 0,
     "Aktivuvovat okno se seznamem všech vytvořených nestvůr"},
    {"Menu_Boj/Item_DenikZkusenosti", "&Deník zkušeností", "", 607,
     "Ukázat okno s deníkem: kdy a za co která postava získala nebo předala zkušenost"},
    {"Menu_Boj/-", "", "", 0, ""},
    {"Menu_Boj/Item_ZranitNestvuru", "&Zranit nestvůru...", "Ctrl+B", 0,
     "Odebrat životy aktivní nestvůře, přidělit za ně zkušenost aktivní postavě"},
    {"Menu_Boj/-", "", "", 0, ""},
    {"Menu_Boj/Item_Zpet", "Zpě&t", "Alt+Backspace", 590, "Vrátit poslední změnu soupisek"},
    {"Menu_Boj/Item_Znovu", "Zn&ovu", "Ctrl+Y", 591, "Znovu provést vrácenou změnu soupisek"},
    {"Menu_Nastaveni", "Nasta&vení", "", 550, "Nastavení možností programu"},
    {"Menu_Nastaveni/Item_NastaveniProstredi", "&Prostředí...", "", 551,
     "Nastavit chování programu Hradomor pro Windows95"},
    {"Menu_Nastaveni/-", "", "", 0, ""},
    {"Menu_Nastaveni/Item_AutomatickyUkladatNastaveni", "&Automaticky ukládat nastavení", "", 552,
     "Uloží se aktuální nastavení při ukončení programu?"},
    {"Menu_Nastaveni/Item_UlozitNastaveni", "&Uložit nastavení", "", 553,
     "Uložit aktuální nastavení programu do databáze"},
    {"Menu_Okno", "&Okno", "", 525, "Příkazy pro zobrazení a uspořádání oken"},
    {"Menu_Okno/Item_Okno_Cascade", "&Na sebe", "", 526,
     "Uspořádat okna tak, aby byly vidět jejich titulky"},
    {"Menu_Okno/Item_Okno_HTile", "&Vodorovně nad sebe", "", 527,
     "Uspořádat všechna okna nad sebe"},
    {"Menu_Okno/Item_Okno_VTile", "&Svisle vedle sebe", "", 528,
     "Uspořádat všechna okna vedle sebe"},
    {"Menu_Okno/Item_Okno_ArrangeAll", "S&eřadit ikony", "", 529, "Uspořádat minimalizovaná okna"},
    {"Menu_Okno/-", "", "", 0, ""},
    {"Menu_Okno/Item_VetsiPismo", "Větší &písmo", "Ctrl++", 600,
     "Zvětšit písmo seznamů postav a nestvůr"},
    {"Menu_Okno/Item_MensiPismo", "&Menší písmo", "Ctrl+-", 601,
     "Zmenšit písmo seznamů postav a nestvůr"},
    {"Menu_Okno/-", "", "", 0, ""},
    {"Menu_Okno/Item_PohledProHrace", "Pohled pro &hráče", "F12", 620,
     "Ukázat boj hráčům v okně pro druhou obrazovku"},
    {"Menu_Napoveda", "Nápověd&a", "", 500, "Ovládání nápovědy programu"},
    {"Menu_Napoveda/Item_HelpContents", "&Obsah nápovědy", "", 501, "Zobrazit obsah nápovědy"},
    {"Menu_Napoveda/-", "", "", 0, ""},
    {"Menu_Napoveda/Item_CoJeTo", "&Co je to?", "", 502, "Zobrazit nápovědu k vybranému objektu"},
    {"Menu_Napoveda/-", "", "", 0, ""},
    {"Menu_Napoveda/Item_About", "&Informace o programu...", "", 503,
     "Zobrazit informaci o verzi programu, autorovi apod."},
};

const TMenuRow kToolbarPopup[] = {
    {"ToolbarPopup_ShowHints", "&Zobrazovat popisky", "", 15,
     "Budou zobrazeny krátké popisky při zastavení kurzoru nad tlačítkem?"},
    {"ToolbarPopup_Hide", "&Skrýt", "", 16, "Skrýt nástrojový pruh"},
    {"ToolbarPopup_Properties", "&Upravit...", "", 17, "Upravit tlačítka na nástrojovém pruhu"},
    {"-", "", "", 0, ""},
    {"ToolbarPopup_Help", "&Nápověda", "", 9,
     "Zobrazit krátkou nápovědu týkající se nástrojového pruhu"},
};

// Walks a menu into "path" rows like those of the tables.
void Flatten(const QList<QAction*>& actions, const QString& prefix, QStringList& out)
{
    for (QAction* a : actions) {
        const QString name = a->isSeparator()
                                 ? QStringLiteral("-")
                                 : (a->menu() ? a->menu()->objectName() : a->objectName());
        const QString path = prefix.isEmpty() ? name : prefix + u'/' + name;
        out << path;
        if (a->menu())
            Flatten(a->menu()->actions(), path, out);
    }
}

QAction* ActionOf(QWidget* form, const QString& path)
{
    const QString name = path.section(u'/', -1);
    if (auto* menu = form->findChild<QMenu*>(name))
        return menu->menuAction();
    return form->findChild<QAction*>(name);
}

using mecovnik::test::Flush;

// Records the private messages the main window receives, in order.
class TMessageLog final : public QObject
{
public:
    QList<int> Types;
    bool eventFilter(QObject*, QEvent* e) override
    {
        const int t = e->type();
        if (t == UM_LOADCONFIGURATION || t == UM_UPDATECOMMANDS || t == UM_SHOWCREDITS ||
            t == UM_ARRANGEWINDOWS)
            Types << t;
        return false;
    }
};

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private:
    // An in-memory store, emptied before each test.
    test::TFakeRegistryFile m_registryFile;
    TRegistryStore m_registry{m_registryFile};
    TNastaveni m_nastaveni{m_registry};
    TFakeHelpSystem m_help;
    std::optional<TOsVersionInfo> m_version = TOsVersionInfo{4, 0, 1381, 2};
    std::unique_ptr<TMainForm> m_form;

    TMainFormServices Services()
    {
        TMainFormServices s = test::TestServices(&m_help);
        s.QueryVersion = [this] { return m_version; };
        return s;
    }

    TMainForm& Start()
    {
        m_form = test::StartMainForm(m_nastaveni, Services());
        return *m_form;
    }

    QAction* Action(const char* name) const
    {
        return m_form->findChild<QAction*>(QString::fromLatin1(name));
    }

private slots:
    void init()
    {
        m_nastaveni.AutoSave = true;
        m_nastaveni.MainWindow = {};
        m_registryFile.Reset();
        m_help.Calls.clear();
        m_version = TOsVersionInfo{4, 0, 1381, 2};
    }
    void cleanup() { m_form.reset(); }

    void captionAndMenuTables()
    {
        TMainForm& form = Start();
        QCOMPARE(form.windowTitle(), QStringLiteral("Mečovník pro Hradomor"));

        QStringList structure;
        Flatten(form.menuBar()->actions(), {}, structure);
        QStringList expected;
        for (const TMenuRow& row : kMainMenu)
            expected << QString::fromUtf8(row.Path);
        QCOMPARE(structure, expected);

        for (const TMenuRow& row : kMainMenu) {
            const QString path = QString::fromUtf8(row.Path);
            if (path.endsWith(u'-'))
                continue;
            QAction* a = ActionOf(&form, path);
            QVERIFY2(a, row.Path);
            QCOMPARE(a->text(), QString::fromUtf8(row.Caption));
            QCOMPARE(a->shortcut(), QKeySequence(QString::fromUtf8(row.Shortcut)));
            QCOMPARE(a->statusTip(), QString::fromUtf8(row.Hint));
            QCOMPARE(a->property("helpContext").toInt(), row.HelpContext);
        }
        QVERIFY(Action("Item_AutomatickyUkladatNastaveni")->isCheckable());
        QVERIFY(Action("Item_AutomatickyUkladatNastaveni")->isChecked());

        QMenu* popup = form.ToolbarPopup();
        QCOMPARE(popup->property("helpContext").toInt(), 9);
        QCOMPARE(popup->actions().size(), qsizetype(std::size(kToolbarPopup)));
        for (qsizetype i = 0; i < popup->actions().size(); ++i) {
            const TMenuRow& row = kToolbarPopup[i];
            QAction* a = popup->actions()[i];
            if (QByteArray(row.Path) == "-") {
                QVERIFY(a->isSeparator());
                continue;
            }
            QCOMPARE(a->objectName(), QString::fromUtf8(row.Path));
            QCOMPARE(a->text(), QString::fromUtf8(row.Caption));
            QCOMPARE(a->statusTip(), QString::fromUtf8(row.Hint));
            QCOMPARE(a->property("helpContext").toInt(), row.HelpContext);
        }
        QCOMPARE(popup->defaultAction(), Action("ToolbarPopup_Properties"));
    }

    void startUpRunsItsStepsInOrder()
    {
        m_nastaveni.AutoSave = false;
        TMessageLog log;
        // The window's own start-up: configuration loaded before it returns.
        m_form = std::make_unique<TMainForm>(m_nastaveni, Services());
        TMainForm& form = *m_form;
        QVERIFY(!Action("Item_AutomatickyUkladatNastaveni")->isChecked());
        QVERIFY(form.statusBar()->currentMessage().isEmpty());
        QVERIFY(form.Random());
        QCOMPARE(form.HelpFile(), QStringLiteral("/opt/hra/mecovnik.HLP"));
        form.installEventFilter(&log);
        // Roster commands are still as the form made them.
        QVERIFY(Action("Item_SmazatPostavu")->isEnabled());

        form.CreateRosterWindows();
        QCOMPARE(form.MdiArea()->subWindowList(QMdiArea::CreationOrder),
                 (QList<QMdiSubWindow*>{form.NestvuryWindow(), form.PostavyWindow()}));
        QCOMPARE(form.MdiArea()->activeSubWindow(), form.PostavyWindow());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        Flush();
        QCOMPARE(log.Types, (QList<int>{UM_UPDATECOMMANDS, UM_SHOWCREDITS, UM_ARRANGEWINDOWS}));

        // Every roster command starts disabled with empty rosters.
        for (const char* name :
             {"Item_SmazatPostavu", "Item_CelaZkusenost_Vsechny", "Item_PridatZivoty_Aktivni",
              "Item_SmazatVsechnyNestvury", "Item_ZranitNestvuru"})
            QVERIFY2(!Action(name)->isEnabled(), name);
        for (const char* name : {"Item_NovaPostava", "Item_NovaNestvura", "Item_ShowPostavy",
                                 "Item_ShowNestvury", "Item_Quit"})
            QVERIFY2(Action(name)->isEnabled(), name);

        // The credit line for ten seconds.
        QCOMPARE(form.statusBar()->currentMessage(), TMainForm::CreditLine());
        QVERIFY(form.CreditLine().startsWith(QStringLiteral("Mečovník pro Hradomor")));
        QVERIFY(form.HintTimer().isActive());
        QCOMPARE(form.HintTimer().interval(), 10000);

        // Side by side, the character roster on the left, columns laid out anew.
        const QSize area = form.MdiArea()->viewport()->size();
        const QRect left = form.PostavyWindow()->geometry();
        const QRect right = form.NestvuryWindow()->geometry();
        QCOMPARE(left, QRect(0, 0, area.width() / 2, area.height()));
        QCOMPARE(right, QRect(area.width() / 2, 0, area.width() - area.width() / 2, area.height()));
        const QHeaderView* h = form.PostavyWindow()->HeaderControl();
        const int w = h->width() / 5;
        QCOMPARE(h->sectionSize(0), 2 * w);
        QCOMPARE(h->sectionSize(3), h->width() - 4 * w);
        const QHeaderView* hn = form.NestvuryWindow()->HeaderControl();
        QCOMPARE(hn->sectionSize(2), hn->width() - 3 * (hn->width() / 4));
    }

    void rosterChangesReenableCommands()
    {
        TMainForm& form = Start();
        form.PostavyWindow()->AddRecord(std::make_unique<TPostava>("Aragorn"));
        QCoreApplication::postEvent(&form, new QEvent(UM_UPDATECOMMANDS));
        Flush();
        QVERIFY(Action("Item_CelaZkusenost_Vsechny")->isEnabled());
        QVERIFY(!Action("Item_CelaZkusenost_Aktivni")->isEnabled());
        QVERIFY(!Action("Item_ZranitNestvuru")->isEnabled());

        // A selection change in a roster posts the re-evaluation itself.
        form.PostavyWindow()->ListBox()->SetItemIndex(0);
        form.NestvuryWindow()->AddRecord(std::make_unique<TNestvura>("Skřet"));
        form.NestvuryWindow()->ListBox()->SetItemIndex(0);
        Flush();
        QVERIFY(Action("Item_CelaZkusenost_Aktivni")->isEnabled());
        QVERIFY(Action("Item_SmazatNestvuru")->isEnabled());
        QVERIFY(Action("Item_ZranitNestvuru")->isEnabled());
    }

    void statusBarStates()
    {
        TMainForm& form = Start();
        QStatusBar* bar = form.statusBar();
        QCOMPARE(bar->height(), 19);
        const auto hint = [&](const QString& text) {
            QStatusTipEvent tip(text);
            QCoreApplication::sendEvent(&form, &tip);
        };

        // A hint replaces the timed credit line and stops its timer.
        QVERIFY(form.HintTimer().isActive());
        hint(QStringLiteral("Ukončit práci s programem"));
        QCOMPARE(bar->currentMessage(), QStringLiteral("Ukončit práci s programem"));
        QVERIFY(!form.HintTimer().isActive());
        // Double click on an untimed text changes nothing.
        QTest::mouseDClick(bar, Qt::LeftButton);
        QCOMPARE(bar->currentMessage(), QStringLiteral("Ukončit práci s programem"));
        // Only the long part of a two-part hint is shown; an empty hint clears.
        hint(QStringLiteral("krátký|dlouhý popis"));
        QCOMPARE(bar->currentMessage(), QStringLiteral("dlouhý popis"));
        hint({});
        QVERIFY(bar->currentMessage().isEmpty());

        // A timed message: double click clears it at once.
        form.ShowStatusMessage(QStringLiteral("Za pět"), 5);
        QVERIFY(form.HintTimer().isActive());
        QCOMPARE(form.HintTimer().interval(), 5000);
        QTest::mouseDClick(bar, Qt::LeftButton);
        QVERIFY(bar->currentMessage().isEmpty());
        QVERIFY(!form.HintTimer().isActive());

        // The timer's end clears the text once.
        form.ShowStatusMessage(QStringLiteral("Za chvíli"), 1);
        QTRY_VERIFY_WITH_TIMEOUT(bar->currentMessage().isEmpty(), 3000);
        QVERIFY(!form.HintTimer().isActive());

        // An empty text clears even a timed message.
        form.ShowStatusMessage(QStringLiteral("Za pět"), 5);
        form.ShowStatusMessage({}, 5);
        QVERIFY(bar->currentMessage().isEmpty());
        QVERIFY(!form.HintTimer().isActive());

        // Hovering a menu item shows its hint.
        Action("Item_Quit")->showStatusText(form.menuBar());
        QCOMPARE(bar->currentMessage(), QStringLiteral("Ukončit práci s programem"));
    }

    void savingAndTheAutomaticSaveFlag()
    {
        TMainForm& form = Start();
        QAction* autoSave = Action("Item_AutomatickyUkladatNastaveni");
        autoSave->trigger();
        QVERIFY(!m_nastaveni.AutoSave);
        QVERIFY(!autoSave->isChecked());
        autoSave->trigger();
        QVERIFY(m_nastaveni.AutoSave);
        QVERIFY(autoSave->isChecked());

        Action("Item_UlozitNastaveni")->trigger();
        QCOMPARE(form.statusBar()->currentMessage(),
                 QStringLiteral("Nastavení bylo uloženo do registry."));
        QCOMPARE(form.HintTimer().interval(), 10000);
        QCOMPARE(m_nastaveni.MainWindow.Width, form.frameGeometry().width());
        QCOMPARE(m_nastaveni.MainWindow.WindowState, std::uint8_t{0});
    }

    void quittingSavesOnlyWithAutomaticSaving()
    {
        Start();
        Action("Item_AutomatickyUkladatNastaveni")->trigger();
        QCOMPARE(Action("Item_Quit")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_X));
        Action("Item_Quit")->trigger();
        QVERIFY(!m_form->isVisible());
        QCOMPARE(m_nastaveni.MainWindow.Width, -1); // nothing captured, nothing saved

        Start();
        m_nastaveni.AutoSave = true;
        QTest::keyClick(m_form.get(), Qt::Key_X, Qt::AltModifier);
        QVERIFY(!m_form->isVisible());
        QVERIFY(m_nastaveni.MainWindow.Width > 0);
    }

    void storedPlacementIsAppliedAtStart()
    {
        m_nastaveni.MainWindow = {40, 30, 500, 400, 1}; // minimised is never applied
        TMainForm& form = Start();
        QVERIFY(!form.isMinimized());
        QCOMPARE(form.frameGeometry().size(), QSize(500, 400));
        m_form.reset();

        m_nastaveni.MainWindow = {40, 30, 500, 400, 2};
        TMainForm& maximised = Start();
        QVERIFY(maximised.isMaximized());
    }

    void windowArrangement()
    {
        TMainForm& form = Start();
        const QSize area = form.MdiArea()->viewport()->size();
        Action("Item_Okno_HTile")->trigger();
        QCOMPARE(form.PostavyWindow()->geometry(), QRect(0, 0, area.width(), area.height() / 2));
        QCOMPARE(form.NestvuryWindow()->geometry().top(), area.height() / 2);

        Action("Item_Okno_Cascade")->trigger();
        QVERIFY(form.PostavyWindow()->geometry().topLeft() !=
                form.NestvuryWindow()->geometry().topLeft());

        Action("Item_Okno_VTile")->trigger();
        QCOMPARE(form.PostavyWindow()->geometry(), QRect(0, 0, area.width() / 2, area.height()));

        // Icons of minimised windows go to the bottom edge, side by side.
        form.NestvuryWindow()->showMinimized();
        form.PostavyWindow()->showMinimized();
        Action("Item_Okno_ArrangeAll")->trigger();
        const QRect n = form.NestvuryWindow()->geometry();
        const QRect p = form.PostavyWindow()->geometry();
        QCOMPARE(n.bottom(), area.height() - 1);
        QCOMPARE(n.left(), 0);
        QCOMPARE(p.left(), n.width());
        QCOMPARE(p.bottom(), area.height() - 1);

        // The show command brings a minimised roster back, in front.
        Action("Item_ShowPostavy")->trigger();
        QVERIFY(!form.PostavyWindow()->isMinimized());
        QCOMPARE(form.MdiArea()->activeSubWindow(), form.PostavyWindow());
        form.NestvuryWindow()->showNormal(); // Qt does not maximise a minimised sub-window
        form.NestvuryWindow()->showMaximized();
        Action("Item_ShowNestvury")->trigger();
        QVERIFY(form.NestvuryWindow()->isMaximized());
        QCOMPARE(form.MdiArea()->activeSubWindow(), form.NestvuryWindow());

        // The window menu lists the rosters.
        QMenu* windowMenu = form.findChild<QMenu*>(QStringLiteral("Menu_Okno"));
        emit windowMenu->aboutToShow();
        QStringList listed;
        for (QAction* a : windowMenu->actions())
            if (a->text().startsWith(u'&') && a->text().at(1).isDigit())
                listed << a->text();
        QCOMPARE(listed,
                 (QStringList{QStringLiteral("&1 Nestvůry"), QStringLiteral("&2 Postavy")}));
        emit windowMenu->aboutToShow(); // rebuilt, not appended again
        int count = 0;
        for (QAction* a : windowMenu->actions())
            count += a->text().startsWith(QStringLiteral("&1 "));
        QCOMPARE(count, 1);
    }

    void helpCommands()
    {
        TMainForm& form = Start();
        QVERIFY(!form.HelpUsed());
        const QString file = QStringLiteral("/opt/hra/mecovnik.HLP");
        Action("Item_HelpContents")->trigger();
        QVERIFY(form.HelpUsed());
        Action("ToolbarPopup_Help")->trigger();
        QCOMPARE(m_help.Calls, (QList<TFakeHelpSystem::TCall>{{file, 11, 0}, {file, 8, 11}}));

        // F1 on a highlighted menu item asks for its topic.
        m_help.Calls.clear();
        QMenu* menu = form.findChild<QMenu*>(QStringLiteral("Menu_Soubor"));
        menu->popup(form.mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        menu->setActiveAction(Action("Item_Quit"));
        QTest::keyClick(menu, Qt::Key_F1);
        menu->hide();
        QCOMPARE(m_help.Calls, (QList<TFakeHelpSystem::TCall>{{file, 1, 578}}));

        // What's-this on a control with a help context shows its popup topic.
        m_help.Calls.clear();
        {
            QWidget probe(&form);
            probe.setProperty("helpContext", 527);
            QHelpEvent whatsThis(QEvent::WhatsThis, QPoint(1, 1), form.mapToGlobal(QPoint(1, 1)));
            QCoreApplication::sendEvent(&probe, &whatsThis);
        }
        QCOMPARE(m_help.Calls, (QList<TFakeHelpSystem::TCall>{{file, 8, 527}}));

        // Closing after help was used tells the help system to quit.
        m_help.Calls.clear();
        m_form.reset();
        QCOMPARE(m_help.Calls, (QList<TFakeHelpSystem::TCall>{{file, 2, 0}}));

        // Never used: no quit.
        Start();
        m_form.reset();
        QVERIFY(m_help.Calls.size() == 1);
    }

    void coJeToEntersWhatsThisModeAfterTheMenuCloses()
    {
        Start();
        Action("Item_CoJeTo")->trigger();
        QVERIFY(!QWhatsThis::inWhatsThisMode());
        Flush();
        QVERIFY(QWhatsThis::inWhatsThisMode());
        QWhatsThis::leaveWhatsThisMode();
    }

    void rejectedSystemEndsTheStart()
    {
        const std::optional<TOsVersionInfo> rejected[] = {std::nullopt, TOsVersionInfo{3, 11, 0, 0},
                                                          TOsVersionInfo{3, 50, 807, 2}};
        for (const auto& version : rejected) {
            TMessageBoxRecorder boxes;
            m_version = version;
            m_nastaveni.AutoSave = false;
            TMessageLog log;
            m_form = std::make_unique<TMainForm>(m_nastaveni, Services());
            QVERIFY(m_form->StartupRejected());
            m_form->installEventFilter(&log);
            Flush();
            QVERIFY(log.Types.isEmpty()); // no deferred step was posted
            QVERIFY(Action("Item_AutomatickyUkladatNastaveni")->isChecked()); // nothing loaded
            QCOMPARE(boxes.Shown().size(), 1);
            const TMessageBoxRecord box = boxes.Shown().front();
            QCOMPARE(box.Text,
                     QStringLiteral("Mečovník vyžaduje alespoň Windows 95 nebo Windows NT 3.51."));
            QCOMPARE(box.Caption, QStringLiteral("Mečovník"));
            QCOMPARE(box.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(box.Icon, QMessageBox::Critical);
            m_form.reset();
        }
        m_version = TOsVersionInfo{3, 51, 1057, 2};
        TMessageBoxRecorder boxes;
        m_form = std::make_unique<TMainForm>(m_nastaveni, Services());
        QVERIFY(!m_form->StartupRejected());
        QVERIFY(boxes.Shown().isEmpty());
    }

    void aStartEndedByAnErrorFailsWithItsMessage()
    {
        // What escapes the start is said and the process ends with a failure.
        {
            TMessageBoxRecorder boxes;
            QCOMPARE(
                RunReportingFailure([]() -> int { throw std::runtime_error("Disk je plný."); }), 1);
            QCOMPARE(boxes.Shown().size(), 1);
            QCOMPARE(boxes.Last()->Text, QStringLiteral("Disk je plný."));
            QCOMPARE(boxes.Last()->Icon, QMessageBox::Critical);
        }
        {
            TMessageBoxRecorder boxes;
            QCOMPARE(RunReportingFailure([]() -> int { throw 42; }), 1);
            QCOMPARE(boxes.Shown().size(), 1);
            QVERIFY(!boxes.Last()->Text.isEmpty());
        }
        // A run that ends by itself keeps its own code and says nothing.
        TMessageBoxRecorder boxes;
        QCOMPARE(RunReportingFailure([] { return 0; }), 0);
        QCOMPARE(RunReportingFailure([] { return 3; }), 3);
        QVERIFY(boxes.Shown().isEmpty());
    }

    void printerSetupOpensThePageSetupDialog()
    {
        Start();
        QString title;
        QTimer::singleShot(0, [&title] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                title = QString::fromLatin1(dialog->metaObject()->className());
                dialog->close();
            }
        });
        Action("Item_PrintSetup")->trigger();
        QVERIFY2(title.contains(QStringLiteral("PageSetupDialog")), qPrintable(title));
        QVERIFY(m_form->isVisible());
    }

    void theDocumentAreaIsFilledExactly()
    {
        TMainForm& form = Start();
        QMdiArea& area = *form.MdiArea();
        // The rosters cover the area without a gap, and nothing needs scrolling.
        const auto expectFilled = [&](const char* why) {
            Flush();
            QVERIFY2(!area.horizontalScrollBar()->isVisible(), why);
            QVERIFY2(!area.verticalScrollBar()->isVisible(), why);
            const QRect all =
                form.PostavyWindow()->geometry().united(form.NestvuryWindow()->geometry());
            QCOMPARE(all, QRect(QPoint(0, 0), area.viewport()->size()));
            QCOMPARE(
                form.PostavyWindow()->geometry().intersected(form.NestvuryWindow()->geometry()),
                QRect());
        };
        expectFilled("at start");

        // Tiling right after the window was made smaller, with cascaded
        // rosters sticking out, and right after a resize not yet laid out.
        Action("Item_Okno_Cascade")->trigger();
        form.resize(form.width() - 150, form.height() - 120);
        Flush();
        QVERIFY(area.horizontalScrollBar()->isVisible() || area.verticalScrollBar()->isVisible());
        Action("Item_Okno_VTile")->trigger();
        expectFilled("tiled after a resize");
        Action("Item_Okno_Cascade")->trigger();
        form.resize(form.width() + 60, form.height() + 40);
        Action("Item_Okno_HTile")->trigger();
        expectFilled("tiled right after growing");
        // Tiled rosters follow the area.
        form.resize(form.width() - 70, form.height() - 50);
        expectFilled("tiled, then made smaller");

        // Hiding and showing the toolbar leaves no band.
        Action("ToolbarPopup_Hide")->trigger();
        expectFilled("toolbar hidden");
        form.SetToolbarVisible(true);
        expectFilled("toolbar shown again");

        // A roster that really lies outside the area can be scrolled to.
        QMdiSubWindow* postavy = form.PostavyWindow();
        postavy->move(area.viewport()->width() - 40, postavy->y());
        Flush();
        QVERIFY(area.horizontalScrollBar()->isVisible());
        // Once moved, the rosters keep their places when the area changes.
        const QRect moved = postavy->geometry();
        form.resize(form.width() - 30, form.height());
        Flush();
        QCOMPARE(postavy->geometry(), moved);
    }

    void rightAfterTheStartTheArrowKeysWorkInTheActiveRoster()
    {
        TMainForm& form = Start();
        for (const char* name : {"Aragorn", "Boromir", "Gimli"})
            form.PostavyWindow()->AddRecord(std::make_unique<TPostava>(name));
        Flush();
        QCOMPARE(form.MdiArea()->activeSubWindow(), form.PostavyWindow());
        QTRY_VERIFY(form.isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), form.PostavyWindow()->ListBox());
        // Keys typed into the main window, as the window system delivers them.
        QTest::keyClick(form.windowHandle(), Qt::Key_Up);
        QCOMPARE(form.PostavyWindow()->ListBox()->ItemIndex(), 2);
        QTest::keyClick(form.windowHandle(), Qt::Key_Up);
        QCOMPARE(form.PostavyWindow()->ListBox()->ItemIndex(), 1);
        // A deleted row leaves none selected: Down starts at the top again.
        TMessageBoxRecorder boxes;
        boxes.Answer(QMessageBox::Yes);
        Action("Item_SmazatPostavu")->trigger();
        QCOMPARE(form.PostavyWindow()->Rows().rowCount(), 2);
        QCOMPARE(form.PostavyWindow()->ListBox()->ItemIndex(), -1);
        QTest::keyClick(form.windowHandle(), Qt::Key_Down);
        QCOMPARE(form.PostavyWindow()->ListBox()->ItemIndex(), 0);
    }

    // Which roster state enables which command: an "active" command needs its
    // roster's row selected, an "all" command any row in its roster, the
    // wound a selected character and a selected monster; new records and the
    // roster windows are never disabled.
    void eachCommandFollowsItsRosterState()
    {
        const auto table = TMainForm::Commands();
        std::set<std::string_view> names;
        std::map<std::string_view, TCommandNeed> needs;
        for (const TCommand& command : table) {
            names.insert(command.Action);
            if (command.Need)
                needs.emplace(command.Action, *command.Need);
        }
        QCOMPARE(names.size(), table.size()); // no command listed twice
        QCOMPARE(needs.size(), std::size_t(24));
        for (const char* never :
             {"Item_NovaPostava", "Item_NovaNestvura", "Item_ShowPostavy", "Item_ShowNestvury"})
            QVERIFY2(!needs.contains(never), never);

        const auto need = [&](std::string_view item) {
            const auto it = needs.find(item);
            if (it == needs.end())
                qFatal("%s has no need", item.data());
            return it->second;
        };
        const TRosterState fresh{};
        const TRosterState oneCharacter{false, true, false, false};
        const TRosterState bothSelected{true, true, true, true};
        const TRosterState onlyMonsterSelected{false, true, true, true};
        for (const auto& [item, itemNeed] : needs)
            QVERIFY2(!IsEnabled(itemNeed, fresh), item.data());
        QVERIFY(IsEnabled(need("Item_CelaZkusenost_Vsechny"), oneCharacter));
        QVERIFY(!IsEnabled(need("Item_CelaZkusenost_Aktivni"), oneCharacter));
        QVERIFY(!IsEnabled(need("Item_SmazatPostavu"), oneCharacter));
        QVERIFY(IsEnabled(need("Item_ZranitNestvuru"), bothSelected));
        QVERIFY(!IsEnabled(need("Item_ZranitNestvuru"), onlyMonsterSelected));
        QVERIFY(IsEnabled(need("Item_SmazatMrtveNestvury"), onlyMonsterSelected));
        QVERIFY(IsEnabled(need("Item_PridatZivotyNestvury_Akt"), onlyMonsterSelected));

        // Every command of the rules, in each of the sixteen states the four facts
        // make, is enabled exactly when the rules say; the table holds no other.
        std::set<std::string_view> ruled;
        for (const test::TCommandRule& rule : test::kRosterCommandRules)
            ruled.insert(rule.Item);
        QVERIFY(std::ranges::all_of(needs, [&](const auto& n) { return ruled.contains(n.first); }));
        QCOMPARE(ruled.size(), needs.size());
        for (int bits = 0; bits < 16; ++bits) {
            const test::TRosterFacts facts{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0,
                                           (bits & 8) != 0};
            const TRosterState state{facts.ActiveCharacter, facts.Characters, facts.ActiveMonster,
                                     facts.Monsters};
            for (const test::TCommandRule& rule : test::kRosterCommandRules)
                QVERIFY2(IsEnabled(need(rule.Item), state) == rule.EnabledWhen(facts), rule.Item);
        }
    }

    // One row a command: the toolbar's buttons run their menu items, and the
    // commands of the menus Postava and Nestvůra and the wound are steps of
    // the history.
    void theCommandRegistry()
    {
        TMainForm& form = Start();
        const auto table = TMainForm::Commands();

        // Toolbar buttons 1 to 9: printer setup, quit, cascade, tile one above
        // the other, side by side, arrange icons, help contents, what's this,
        // about.
        const char* const buttons[] = {
            "Item_PrintSetup",   "Item_Quit",       "Item_Okno_Cascade",
            "Item_Okno_HTile",   "Item_Okno_VTile", "Item_Okno_ArrangeAll",
            "Item_HelpContents", "Item_CoJeTo",     "Item_About"};
        std::map<int, std::string_view> onToolbar;
        std::set<std::string_view> fight;
        for (const TCommand& command : table) {
            if (command.ToolbarId > 9)
                fight.insert(command.Action);
            else if (command.ToolbarId != 0)
                onToolbar.emplace(command.ToolbarId, command.Action);
        }
        QCOMPARE(onToolbar.size(), std::size(buttons));
        for (int id = 1; id <= 9; ++id)
            QCOMPARE(QByteArray(onToolbar[id].data(), qsizetype(onToolbar[id].size())),
                     QByteArray(buttons[id - 1]));
        // And buttons of the fight, beyond the original nine: new character,
        // new monster, wound, undo, redo, delete the dead, hand all
        // experience over to all, the experience ledger.
        QCOMPARE(fight, (std::set<std::string_view>{
                            "Item_NovaPostava", "Item_NovaNestvura", "Item_ZranitNestvuru",
                            "Item_Zpet", "Item_Znovu", "Item_SmazatMrtveNestvury",
                            "Item_CelaZkusenost_Vsechny", "Item_DenikZkusenosti"}));

        QStringList steps;
        for (const TCommand& command : table)
            if (command.ChangesRosters)
                steps << QString::fromLatin1(command.Action);
        // A new fight, an opened one and one added from a file are steps too.
        QStringList expected{
            QStringLiteral("Item_ZranitNestvuru"), QStringLiteral("Item_NovySouboj"),
            QStringLiteral("Item_OtevritSouboj"), QStringLiteral("Item_PridatZeSouboru")};
        for (const TMenuRow& row : kMainMenu) {
            const QString path = QString::fromUtf8(row.Path);
            const QString item = path.section(u'/', -1);
            if ((path.startsWith(QStringLiteral("Menu_Postava/")) ||
                 path.startsWith(QStringLiteral("Menu_Nestvura/"))) &&
                item.startsWith(QStringLiteral("Item_")))
                expected << item;
        }
        steps.sort();
        expected.sort();
        QCOMPARE(steps, expected);

        // A toolbar click is the menu item's trigger, and a disabled command's
        // button is disabled with it.
        QSignalSpy cascade(Action("Item_Okno_Cascade"), &QAction::triggered);
        form.MainToolbar()->DoCommand(3, TToolbarCommandType::ctClick);
        QCOMPARE(cascade.count(), 1);
        Action("Item_Okno_Cascade")->setEnabled(false);
        QVERIFY(!form.MainToolbar()->CommandEnabled(3));
        form.MainToolbar()->DoCommand(3, TToolbarCommandType::ctClick);
        QCOMPARE(cascade.count(), 1);
        Action("Item_Okno_Cascade")->setEnabled(true);
        QVERIFY(form.MainToolbar()->CommandEnabled(3));

        // Undo has a second shortcut beside its own.
        QCOMPARE(Action("Item_Znovu")->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                      QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_Backspace)}));
    }

    // A row the window cannot run stops the start, in every build, with a
    // message that names it.
    void aBrokenCommandRowStopsTheStart()
    {
        QObject owner;
        auto* print = new QAction(&owner);
        print->setObjectName(QStringLiteral("Item_PrintSetup"));
        const TCommand& real = *std::ranges::find_if(
            TMainForm::Commands(), [](const TCommand& c) { return c.Action == "Item_PrintSetup"; });
        QCOMPARE(QByteArray(real.Action.data()), QByteArray("Item_PrintSetup"));

        TCommand missing = real;
        missing.Action = "Item_Chybi";
        TCommand numberWithoutHandler = real;
        numberWithoutHandler.Number = TNumberPrompt{"Číslo", "Č&íslo:", 0, 1};
        struct TCase
        {
            std::vector<TCommand> Rows;
            QString Message;
        };
        const TCase cases[] = {
            {{missing}, QStringLiteral("Chyba programu: v hlavním okně chybí položka Item_Chybi.")},
            {{real, real},
             QStringLiteral(
                 "Chyba programu: příkaz Item_PrintSetup je v tabulce příkazů dvakrát.")},
            {{numberWithoutHandler},
             QStringLiteral("Chyba programu: příkaz Item_PrintSetup nemá v tabulce příkazů "
                            "správnou obsluhu.")},
        };
        for (const TCase& c : cases) {
            TMessageBoxRecorder boxes;
            QCOMPARE(RunReportingFailure([&] {
                         const TCommandRegistry registry(c.Rows, owner);
                         return 0;
                     }),
                     1);
            QCOMPARE(boxes.Shown().size(), 1);
            QCOMPARE(boxes.Last()->Text, c.Message);
        }
        const TCommandRegistry fine(std::span(&real, 1), owner);
        QCOMPARE(&fine.Action("Item_PrintSetup"), print);
        QVERIFY(fine.ForToolbarId(1));
        QVERIFY(!fine.ForToolbarId(2));

        // The window's adapters are required.
        TMainFormServices without = Services();
        without.NameOrder = nullptr;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, TMainForm(m_nastaveni, without));
    }

    void hidingTheToolbarHidesItsBevel()
    {
        TMainForm& form = Start();
        QWidget* bevel = form.findChild<QWidget*>(QStringLiteral("MainToolbarBevel"));
        QWidget* menuBevel = form.findChild<QWidget*>(QStringLiteral("MenuBevel"));
        QVERIFY(bevel->isVisible());
        QCOMPARE(menuBevel->height(), 2);
        Action("ToolbarPopup_Hide")->trigger();
        QVERIFY(!bevel->isVisible());
        QVERIFY(menuBevel->isVisible());
    }
};

MECOVNIK_GUI_TEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
