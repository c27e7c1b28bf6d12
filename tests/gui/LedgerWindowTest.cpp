#include "GuiTestEnvironment.h"
#include "MainFormFixture.h"
#include "TDialogAnswerer.h"
#include "TFakeClock.h"
#include "TFakeHelpSystem.h"
#include "TMessageBoxRecorder.h"

#include "app/Frm_Main.h"
#include "app/TFightKeeper.h"
#include "components/TAdvancedListBox.h"
#include "history/FightFile.h"
#include "history/TFightLedger.h"
#include "history/TLedgerModel.h"
#include "history/TLedgerWindow.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/TObjekt.h"
#include "roster/TPostava.h"
#include "roster/TRosterModel.h"
#include "settings/TNastaveni.h"

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>

using namespace mecovnik;
using test::Child;
using test::Flush;
using test::TDialogAnswerer;
using test::TMessageBoxRecorder;
using test::TypeText;

// The experience ledger in the main window: its command, its window beside
// the rosters, following every command, undo, redo, a new and an opened fight.
class LedgerWindowTest : public QObject
{
    Q_OBJECT

private:
    TNastaveni m_nastaveni;
    test::TFakeHelpSystem m_help;
    std::unique_ptr<TMainForm> m_form;
    TDialogAnswerer m_dialogs;

    QAction& Action(const char* name)
    {
        return *m_form->findChild<QAction*>(QString::fromLatin1(name));
    }
    TPostavyWindow& Postavy() { return *m_form->PostavyWindow(); }
    TNestvuryWindow& Nestvury() { return *m_form->NestvuryWindow(); }

    void Run(const char* action, TDialogAnswerer::TFill fill)
    {
        QVERIFY2(m_dialogs.Run(Action(action), std::move(fill)), action);
    }

    void NewCharacter(const QString& name)
    {
        Run("Item_NovaPostava", test::NewCharacterFill(name));
    }

    void NewMonster(const QString& name) { Run("Item_NovaNestvura", test::NewMonsterFill(name)); }

    void Wound(int damage)
    {
        Run("Item_ZranitNestvuru", [=](QDialog& d) {
            auto& spin = Child<QSpinBox>(d, "UpDown_Zraneni");
            spin.setFocus();
            spin.selectAll();
            QTest::keyClick(&spin, Qt::Key_Delete);
            QTest::keyClicks(&spin, QString::number(damage));
            QTest::mouseClick(&Child<QPushButton>(d, "Btn_OK"), Qt::LeftButton);
        });
    }

    void Click(TObjektWindow& roster, int row)
    {
        TAdvancedListBox* list = roster.ListBox();
        list->scrollTo(list->model()->index(row, 0));
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        Flush();
    }

    TLedgerWindow& OpenLedger()
    {
        Action("Item_DenikZkusenosti").trigger();
        Flush();
        return *m_form->LedgerWindow();
    }

    // The cells of the ledger window's row as the user reads them.
    static QStringList Row(const TLedgerWindow& w, int row)
    {
        QStringList cells;
        const QAbstractItemModel& m = *w.Rows()->model();
        for (int c = 0; c < m.columnCount(); ++c)
            cells << m.index(row, c).data().toString();
        return cells;
    }

    static QStringList SummaryRow(const TLedgerWindow& w, int row)
    {
        QStringList cells;
        const QAbstractItemModel& m = *w.Summary()->model();
        for (int c = 0; c < m.columnCount(); ++c)
            cells << m.index(row, c).data().toString();
        return cells;
    }

    int Experience(int row) { return static_cast<TPostava*>(Postavy().Rows().At(row))->Experience; }

    // Drops a file on the main window as a file manager does.
    bool Drop(const QString& path)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        const QPoint at = m_form->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_form.get(), &enter);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_form.get(), &drop);
        Flush();
        return drop.isAccepted();
    }

private slots:
    void init()
    {
        m_nastaveni.MonsterPresets.FreeListObjects();
        m_form = test::StartMainForm(m_nastaveni, test::TestServices(&m_help));
    }
    void cleanup() { m_form.reset(); }

    void theCommandOpensTheWindowListedAndTiledWithTheRosters()
    {
        QAction& item = Action("Item_DenikZkusenosti");
        QCOMPARE(item.text(), QStringLiteral("&Deník zkušeností"));
        QVERIFY(!item.statusTip().isEmpty());
        QCOMPARE(item.property("helpContext").toInt(), 607);
        // Its access key is its own in the menu.
        auto* menu = m_form->findChild<QMenu*>(QStringLiteral("Menu_Boj"));
        QVERIFY(menu->actions().contains(&item));
        QStringList keys;
        for (QAction* a : menu->actions()) {
            const qsizetype amp = a->text().indexOf(u'&');
            if (!a->isSeparator() && amp >= 0)
                keys << a->text().mid(amp + 1, 1).toLower();
        }
        QCOMPARE(keys.count(QStringLiteral("d")), 1);
        QCOMPARE(keys.removeDuplicates(), 0);

        QVERIFY(!m_form->LedgerWindow());
        Action("Item_Okno_VTile").trigger();
        const QRect area = m_form->MdiArea()->viewport()->rect();
        const QRect before = Postavy().geometry();
        TLedgerWindow& w = OpenLedger();
        QVERIFY(w.isVisible());
        QCOMPARE(w.windowTitle(), QStringLiteral("Deník zkušeností"));
        QCOMPARE(m_form->MdiArea()->activeSubWindow(), &w);
        // Tiled with the rosters: three windows side by side over the area.
        int widths = 0;
        for (QMdiSubWindow* s :
             {static_cast<QMdiSubWindow*>(&Postavy()), static_cast<QMdiSubWindow*>(&Nestvury()),
              static_cast<QMdiSubWindow*>(&w)}) {
            QCOMPARE(s->geometry().height(), area.height());
            widths += s->geometry().width();
        }
        QVERIFY(qAbs(widths - area.width()) <= 3);
        // Listed in Okno while open.
        auto* okno = m_form->findChild<QMenu*>(QStringLiteral("Menu_Okno"));
        emit okno->aboutToShow();
        QStringList listed;
        for (QAction* a : okno->actions())
            listed << a->text();
        QVERIFY(listed.contains(QStringLiteral("&3 Deník zkušeností")));

        // Closed, it hides; the rosters tile as before; Okno forgets it.
        w.close();
        Flush();
        QVERIFY(!w.isVisible());
        QCOMPARE(Postavy().geometry(), before);
        emit okno->aboutToShow();
        for (QAction* a : okno->actions())
            QVERIFY(!a->text().contains(QStringLiteral("Deník")));
        // Opened again, it is the same window.
        QCOMPARE(&OpenLedger(), &w);
        // Cascaded with them too.
        Action("Item_Okno_Cascade").trigger();
        QVERIFY(w.geometry().top() > Postavy().geometry().top() ||
                w.geometry().top() > Nestvury().geometry().top());
    }

    void theWindowFollowsWoundsUndoRedoAndANewFight()
    {
        TMessageBoxRecorder boxes; // handing over tells the amount
        test::TestClock().Time = 1'714'590'000;
        TLedgerWindow& w = OpenLedger();
        QCOMPARE(w.Rows()->model()->rowCount(), 0);
        NewCharacter(QStringLiteral("Aragorn"));
        QCOMPARE(w.Rows()->model()->rowCount(), 1);
        QCOMPARE(Row(w, 0).mid(1),
                 (QStringList{QStringLiteral("Aragorn"), QStringLiteral("Postava přidána"),
                              QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                              QStringLiteral("0")}));
        NewMonster(QStringLiteral("Vlk"));
        Click(Postavy(), 0);
        Click(Nestvury(), 0);
        const int lives = Nestvury().Rows().At(0)->Lives;
        const int taken = std::min(lives, 5);
        test::TestClock().Time += 60;
        Wound(5);
        QCOMPARE(w.Rows()->model()->rowCount(), 2);
        const int earned = Experience(0);
        QVERIFY(earned > 0);
        const QString plus = QStringLiteral("+%1").arg(earned);
        const QStringList wound{QStringLiteral("Aragorn"),
                                QStringLiteral("Zranění: Vlk, %1 %2 z %3")
                                    .arg(taken)
                                    .arg(QString::fromUtf8(LivesWord(taken)))
                                    .arg(lives),
                                plus,
                                plus,
                                QString::number(earned),
                                QString::number(earned)};
        QCOMPARE(Row(w, 1).mid(1), wound);
        QCOMPARE(SummaryRow(w, 0), (QStringList{QStringLiteral("Aragorn"), QString::number(earned),
                                                QStringLiteral("0"), QString::number(earned)}));
        QCOMPARE(m_form->Fight()->Ledger().At(1).Time, 1'714'590'060);

        // Handing it over is a row of its own, with its own words.
        Action("Item_CelaZkusenost_Aktivni").trigger();
        Flush();
        QCOMPARE(w.Rows()->model()->rowCount(), 3);
        QCOMPARE(Row(w, 2).at(TLedgerModel::kEvent), QStringLiteral("Předána celá zkušenost"));
        QCOMPARE(SummaryRow(w, 0), (QStringList{QStringLiteral("Aragorn"), QString::number(earned),
                                                QString::number(earned), QStringLiteral("0")}));

        // Undo takes the rows off, redo puts the very rows back.
        Action("Item_Zpet").trigger();
        Action("Item_Zpet").trigger();
        Flush();
        QCOMPARE(w.Rows()->model()->rowCount(), 1);
        QCOMPARE(SummaryRow(w, 0).at(1), QStringLiteral("0"));
        Action("Item_Znovu").trigger();
        Flush();
        QCOMPARE(w.Rows()->model()->rowCount(), 2);
        QCOMPARE(Row(w, 1).mid(1), wound);

        // A new fight has a ledger of its own; undoing it brings this one back.
        Action("Item_NovySouboj").trigger();
        Flush();
        QCOMPARE(w.Rows()->model()->rowCount(), 0);
        QCOMPARE(w.Summary()->model()->rowCount(), 0);
        Action("Item_Zpet").trigger();
        Flush();
        QCOMPARE(w.Rows()->model()->rowCount(), 2);
        QCOMPARE(Row(w, 1).mid(1), wound);
        QVERIFY(LedgerAgrees(m_form->Fight()->Ledger(), DataOf(Postavy().Rows().Records())));
    }

    void anOpenedFightBringsItsLedgerAndABadOneIsRefused()
    {
        TMessageBoxRecorder boxes;
        TLedgerWindow& w = OpenLedger();
        QTemporaryDir dir;
        TFightFile file;
        file.Fight.Rosters[kPostavy] = {{"Aragorn", {40, 50, 5, 44, 44, 0}}};
        file.Fight.Rosters[kNestvury] = {{"Skřet", {12, 17, 2, 150, 3, 2}}};
        TLedgerRow joined;
        joined.Time = 1'714'590'000;
        joined.Character = "Aragorn";
        joined.Event = TLedgerEvent::Added;
        TLedgerRow wound = joined;
        wound.Event = TLedgerEvent::Wound;
        wound.Monster = "Skřet";
        wound.LivesTaken = 5;
        wound.LivesBefore = 17;
        wound.EarnedChange = wound.UnassignedChange = wound.Earned = wound.Unassigned = 44;
        file.Ledger.emplace();
        file.Ledger->Append({joined, wound});
        const QString path = dir.filePath(QStringLiteral("večer.souboj"));
        const auto write = [](const QString& to, const std::string& text) {
            QFile f(to);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(text.data(), static_cast<qint64>(text.size()));
        };
        write(path, FormatFightFile(file).value());
        QVERIFY(Drop(path));
        QCOMPARE(w.Rows()->model()->rowCount(), 2);
        QCOMPARE(Row(w, 1).at(TLedgerModel::kEvent),
                 QStringLiteral("Zranění: Skřet, 5 životů z 17"));
        QCOMPARE(SummaryRow(w, 0), (QStringList{QStringLiteral("Aragorn"), QStringLiteral("44"),
                                                QStringLiteral("0"), QStringLiteral("44")}));

        // A file whose ledger does not tell its characters' experience
        // changes nothing and says why.
        file.Fight.Rosters[kPostavy][0].Numbers[3] = 45;
        const QString bad = dir.filePath(QStringLiteral("špatný.souboj"));
        write(bad, FormatFightFile(file).value());
        QVERIFY(Drop(bad));
        QCOMPARE(boxes.Shown().size(), 1);
        QVERIFY2(boxes.Last()->Text.contains(QStringLiteral("deník zkušeností je poškozený")),
                 qPrintable(boxes.Last()->Text));
        QCOMPARE(w.Rows()->model()->rowCount(), 2);

        // A file without a ledger: each character joins with what they have.
        file.Ledger.reset();
        const QString old = dir.filePath(QStringLiteral("starý.souboj"));
        write(old, FormatFightFile(file).value());
        QVERIFY(Drop(old));
        QCOMPARE(w.Rows()->model()->rowCount(), 1);
        QCOMPARE(Row(w, 0).mid(1, 3),
                 (QStringList{QStringLiteral("Aragorn"), QStringLiteral("Postava přidána"),
                              QStringLiteral("+45")}));
    }

    // Names, times and numbers show whole, however far down their widest
    // cell is; what happened takes the rest of the width, and no less than a
    // wound's words; the summary fits a third of the screen.
    void columnsShowTheirCellsAndWhatHappenedTakesTheRest()
    {
        TExperienceLedger ledger;
        std::vector<TLedgerRow> rows;
        for (int i = 0; i < 10'000; ++i) {
            TLedgerRow row;
            row.Time = 1'714'590'000 + i;
            row.Character = i % 2 ? "Příliš žluťoučký kůň" : "Ťuhýk";
            row.Event = TLedgerEvent::Wound;
            row.Monster = "Skřet [12]";
            row.LivesTaken = 15;
            row.LivesBefore = 17;
            row.EarnedChange = row.UnassignedChange = 44;
            row.Earned = row.Unassigned = 44 * (i / 2 + 1);
            rows.push_back(std::move(row));
        }
        // The widest numbers deep down, out of sight.
        rows[4'000].EarnedChange = -2'000'000'000;
        rows[4'001].Earned = 2'000'000'000;
        rows[4'002].UnassignedChange = 2'000'000'000;
        const TLedgerRow usual = rows.back();
        ledger.Append(std::move(rows));
        QMdiArea area;
        area.resize(1500, 800);
        auto* w = new TLedgerWindow(ledger, area.viewport());
        area.addSubWindow(w);
        w->setGeometry(0, 0, 420, 700);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        Flush();
        QTableView& view = *w->Rows();
        QTableView& summary = *w->Summary();
        const auto fits = [](QTableView& v, std::initializer_list<int> rowsToTry, int stretched) {
            for (int c = 0; c < v.model()->columnCount(); ++c) {
                if (c == stretched)
                    continue;
                const int width = v.columnWidth(c);
                QVERIFY2(v.horizontalHeader()->sectionSizeHint(c) <= width,
                         qPrintable(v.model()->headerData(c, Qt::Horizontal).toString()));
                // The grid line is drawn within the cell's width.
                for (int r : rowsToTry)
                    QVERIFY2(v.sizeHintForIndex(v.model()->index(r, c)).width() + 1 <= width,
                             qPrintable(v.model()->index(r, c).data().toString()));
            }
        };
        const auto rest = [](QTableView& v, int stretched) {
            int width = v.viewport()->width();
            for (int c = 0; c < v.model()->columnCount(); ++c)
                width -= c == stretched ? 0 : v.columnWidth(c);
            return width;
        };
        // The view's own measure of a wound's words.
        const int woundWords =
            view.sizeHintForIndex(view.model()->index(9'999, TLedgerModel::kEvent)).width() + 1;

        // Narrow: every column but the event whole, the event no less than
        // a wound's words, the rows scroll sideways; the summary fits.
        fits(view, {0, 1, 4'000, 4'001, 4'002, 9'999}, TLedgerModel::kEvent);
        QVERIFY(view.columnWidth(TLedgerModel::kEvent) >= woundWords);
        QVERIFY(view.horizontalScrollBar()->maximum() > 0);
        fits(summary, {0, 1}, -1);
        QCOMPARE(summary.horizontalScrollBar()->maximum(), 0);
        QCOMPARE(rest(summary, 0), summary.columnWidth(0));

        // Wide: the event takes exactly what is left, nothing scrolls
        // sideways; wider still, only the event and the summary's names grow.
        w->resize(1000, 700);
        Flush();
        QCOMPARE(view.columnWidth(TLedgerModel::kEvent), rest(view, TLedgerModel::kEvent));
        QVERIFY(view.columnWidth(TLedgerModel::kEvent) > woundWords);
        QCOMPARE(view.horizontalScrollBar()->maximum(), 0);
        QList<int> before;
        for (int c = 0; c < TLedgerModel::kColumns; ++c)
            before << view.columnWidth(c);
        const int name = summary.columnWidth(0);
        w->resize(1200, 700);
        Flush();
        for (int c = 0; c < TLedgerModel::kColumns; ++c)
            if (c == TLedgerModel::kEvent)
                QCOMPARE(view.columnWidth(c), before[c] + 200);
            else
                QCOMPARE(view.columnWidth(c), before[c]);
        QCOMPARE(summary.columnWidth(0), name + 200);
        QCOMPARE(view.horizontalScrollBar()->maximum(), 0);

        // A wider number coming in widens its column; taken back, it goes.
        const int earned = view.columnWidth(TLedgerModel::kEarned);
        TLedgerRow big = usual;
        big.Earned = -2'000'000'000;
        big.EarnedChange = 1;
        ledger.Append({big});
        w->Follow({false, 0, 1});
        Flush();
        QVERIFY(view.columnWidth(TLedgerModel::kEarned) > earned);
        fits(view, {10'000}, TLedgerModel::kEvent);
        QCOMPARE(view.columnWidth(TLedgerModel::kEvent), rest(view, TLedgerModel::kEvent));
        (void)ledger.TakeLast(1);
        w->Follow({false, 1, 0});
        Flush();
        QCOMPARE(view.columnWidth(TLedgerModel::kEarned), earned);

        // No column asks every row for its width.
        QCOMPARE(view.verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        for (QTableView* v : {&view, &summary})
            for (int c = 0; c < v->model()->columnCount(); ++c)
                QVERIFY(v->horizontalHeader()->sectionResizeMode(c) !=
                        QHeaderView::ResizeToContents);
    }

    void theNewestRowStaysInSightUnlessTheUserScrolledAway()
    {
        TLedgerWindow& w = OpenLedger();
        NewCharacter(QStringLiteral("Aragorn"));
        Click(Postavy(), 0);
        QVERIFY(Action("Item_PridatZkusenost_Aktivni").isEnabled());
        const auto addSeven = [this] {
            Run("Item_PridatZkusenost_Aktivni", [](QDialog& d) {
                auto& spin = Child<QSpinBox>(d, "UpDown_Zkusenost");
                spin.setFocus();
                spin.selectAll();
                QTest::keyClicks(&spin, QStringLiteral("7"));
                QTest::mouseClick(&Child<QPushButton>(d, "Btn_OK"), Qt::LeftButton);
            });
        };
        QScrollBar* bar = w.Rows()->verticalScrollBar();
        for (int i = 0;
             i < 100 && bar->maximum() < 3 * w.Rows()->verticalHeader()->defaultSectionSize(); ++i)
            addSeven();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
        bar->setValue(0);
        addSeven();
        QCOMPARE(bar->value(), 0);
        // Back at the end, it follows again.
        bar->setValue(bar->maximum());
        addSeven();
        QCOMPARE(bar->value(), bar->maximum());
    }
};

MECOVNIK_GUI_TEST_MAIN(LedgerWindowTest)
#include "LedgerWindowTest.moc"
