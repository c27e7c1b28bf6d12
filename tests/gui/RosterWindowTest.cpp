#include "GuiTestEnvironment.h"
#include "TMessageBoxRecorder.h"

#include "components/TAdvancedListBox.h"
#include "platform/TQtNameOrder.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRosterModel.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QImage>
#include <QMdiArea>
#include <QPaintEngine>
#include <QPainter>
#include <QSignalSpy>

#include <limits>

using namespace mecovnik;

namespace {

std::unique_ptr<TPostava> Character(const char* name, int lives = 50, int knockOut = 1)
{
    auto p = std::make_unique<TPostava>(name);
    p->Lives = lives;
    p->KnockOut = knockOut;
    return p;
}

// Counts the rows a list draws, by row index.
class TPaintCounter
{
public:
    explicit TPaintCounter(TAdvancedListBox* list) : m_original(list->OnDrawItem)
    {
        list->OnDrawItem = [this](QPainter& p, int row, const QStyleOptionViewItem& o) {
            m_rows.append(row);
            m_original(p, row, o);
        };
    }
    [[nodiscard]] const QList<int>& Rows() const { return m_rows; }
    void Clear() { m_rows.clear(); }

private:
    TAdvancedListBox::TDrawItem m_original;
    QList<int> m_rows;
};

using mecovnik::test::Flush;

// A page that keeps the texts painted on it, in the order drawn.
class TTextPage final : public QPaintDevice
{
public:
    QStringList Texts;

    [[nodiscard]] QPaintEngine* paintEngine() const override { return &m_engine; }

protected:
    [[nodiscard]] int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return 2000;
        case PdmHeight:
            return 200;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    class TEngine final : public QPaintEngine
    {
    public:
        explicit TEngine(QStringList& texts) : m_texts(texts) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawRects(const QRectF*, int) override {}
        void drawLines(const QLineF*, int) override {}
        void drawTextItem(const QPointF&, const QTextItem& item) override
        {
            m_texts.append(item.text());
        }
        [[nodiscard]] Type type() const override { return User; }

    private:
        QStringList& m_texts;
    };

    mutable TEngine m_engine{Texts};
};

bool HasColour(const QImage& image, const QRect& area, QRgb colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.valid(x, y) && (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                return true;
    return false;
}

// Rightmost column holding a pixel of the colour in a band of rows, or -1.
int RightmostOf(const QImage& image, const QRect& area, QRgb colour)
{
    for (int x = area.right(); x >= area.left(); --x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (image.valid(x, y) && (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                return x;
    return -1;
}

} // namespace

class RosterWindowTest : public QObject
{
    Q_OBJECT

private:
    // The user's collation as the program's start finds it: made anew with
    // each window, from the locale of the moment.
    std::unique_ptr<TQtNameOrder> m_order;
    std::unique_ptr<QMdiArea> m_area;

    template <class Window> Window* MakeWindow(int width = 435, int height = 300)
    {
        m_area = std::make_unique<QMdiArea>();
        m_area->resize(900, 700);
        m_order = std::make_unique<TQtNameOrder>();
        auto* w = new Window(*m_order);
        m_area->addSubWindow(w);
        QFont f = w->ListBox()->font();
        f.setStyleStrategy(QFont::NoAntialias); // exact colours to look for
        w->ListBox()->setFont(f);
        w->show();
        w->resize(width, height);
        m_area->show();
        if (!QTest::qWaitForWindowExposed(m_area.get()))
            qFatal("window not exposed");
        Flush();
        return w;
    }

    // Makes the header exactly this wide.
    static void SetHeaderWidth(TObjektWindow* w, int width)
    {
        w->resize(w->width() + width - w->HeaderControl()->width(), w->height());
        Flush();
    }

private slots:
    void cleanup() { m_area.reset(); }

    void headersAndCaptions()
    {
        auto* p = MakeWindow<TPostavyWindow>();
        QCOMPARE(p->windowTitle(), QStringLiteral("Postavy"));
        const QHeaderView* h = p->HeaderControl();
        QCOMPARE(h->count(), 4);
        const QStringList expected{QStringLiteral("Jméno"), QStringLiteral("Životy"),
                                   QStringLiteral("Zkušenost"),
                                   QStringLiteral("Nepřidělená zkušenost")};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(h->model()->headerData(i, Qt::Horizontal).toString(), expected[i]);
        // Each 50 wide; the last takes what the others leave of the header.
        for (int i = 0; i < 3; ++i)
            QCOMPARE(h->sectionSize(i), 50);
        QCOMPARE(h->sectionSize(3), h->width() - 150);
        QVERIFY(!h->sectionsClickable());
        QCOMPARE(h->height(), 17);
        QCOMPARE(p->ListBox()->ItemHeight(), 13);

        auto* n = new TNestvuryWindow(*m_order);
        m_area->addSubWindow(n);
        QCOMPARE(n->windowTitle(), QStringLiteral("Nestvůry"));
        QCOMPARE(n->HeaderControl()->count(), 3);
        QCOMPARE(n->HeaderControl()->model()->headerData(2, Qt::Horizontal).toString(),
                 QStringLiteral("Zkušenost za zabití"));
    }

    void resetColumnWidthsSplitsTheHeader()
    {
        auto* p = MakeWindow<TPostavyWindow>();
        SetHeaderWidth(p, 427);
        QCOMPARE(p->HeaderControl()->width(), 427);
        p->ResetColumnWidths();
        const QHeaderView* h = p->HeaderControl();
        QCOMPARE((QList<int>{h->sectionSize(0), h->sectionSize(1), h->sectionSize(2),
                             h->sectionSize(3)}),
                 (QList<int>{170, 85, 85, 87}));

        auto* n = MakeWindow<TNestvuryWindow>();
        SetHeaderWidth(n, 427);
        n->ResetColumnWidths();
        const QHeaderView* hn = n->HeaderControl();
        QCOMPARE((QList<int>{hn->sectionSize(0), hn->sectionSize(1), hn->sectionSize(2)}),
                 (QList<int>{212, 106, 109}));
    }

    void draggingABorderKeepsTheHeaderFilledAndRepaintsRows()
    {
        auto* p = MakeWindow<TPostavyWindow>();
        SetHeaderWidth(p, 427);
        p->ResetColumnWidths();
        p->AddRecord(Character("Aragorn"));
        p->AddRecord(Character("Bilbo"));
        Flush();
        TPaintCounter paints(p->ListBox());

        // What a drag of the first border by 30 pixels does to the header.
        p->HeaderControl()->resizeSection(0, 200);
        QCOMPARE(p->HeaderControl()->sectionSize(0), 200);
        QCOMPARE(p->HeaderControl()->sectionSize(3), 57);
        Flush();
        QVERIFY(paints.Rows().contains(0));
        QVERIFY(paints.Rows().contains(1));

        // The sections keep their widths when the window widens, the widened
        // one too; the last takes the new room.
        p->resize(p->width() + 100, p->height());
        Flush();
        QCOMPARE(p->HeaderControl()->sectionSize(0), 200);
        QCOMPARE(p->HeaderControl()->sectionSize(1), 85);
        QCOMPARE(p->HeaderControl()->sectionSize(3), 157);
    }

    void rowsAreSortedInTheUsersCollation()
    {
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        auto* p = MakeWindow<TPostavyWindow>();
        QLocale::setDefault(QLocale::c());
        for (const char* name : {"chrt", "Hrad", "Cyril", "ábel", "Zbyněk", "hugo"})
            p->AddRecord(Character(name));
        QStringList names;
        for (int row = 0; row < p->Rows().rowCount(); ++row)
            names << p->Rows().index(row).data().toString();
        QCOMPARE(names, (QStringList{QStringLiteral("ábel"), QStringLiteral("Cyril"),
                                     QStringLiteral("Hrad"), QStringLiteral("hugo"),
                                     QStringLiteral("chrt"), QStringLiteral("Zbyněk")}));
        QCOMPARE(p->Rows().Records().IndexOf("zbyněk"), 5);
        QCOMPARE(p->Rows().Records().IndexOf("Abel"), -1);

        QAbstractItemModelTester tester(&p->Rows(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        p->AddRecord(Character("Dora"));
        p->Rows().Delete(0);
        p->Rows().Delete(-1);
        p->Rows().Delete(100);
        QCOMPARE(p->Rows().rowCount(), 6);
    }

    void activeIsTheSelectedRecord()
    {
        auto* p = MakeWindow<TPostavyWindow>();
        QCOMPARE(p->Active(), nullptr);
        p->AddRecord(Character("Bilbo"));
        p->AddRecord(Character("Aragorn"));
        QCOMPARE(p->Active(), nullptr);
        p->ListBox()->SetItemIndex(1);
        QCOMPARE(p->Active()->Name, std::string("Bilbo"));
        p->ListBox()->SetItemIndex(-1);
        QCOMPARE(p->Active(), nullptr);
    }

    void livesOfOneRowOrAllRows()
    {
        auto* n = MakeWindow<TNestvuryWindow>();
        // Nothing to do on an empty roster.
        n->SetLivesAll(5);
        n->AddLivesAll(5);
        auto a = std::make_unique<TNestvura>("Ork");
        a->MaxLives = 40;
        a->Lives = 10;
        auto b = std::make_unique<TNestvura>("Vlk");
        b->MaxLives = 8;
        b->Lives = 8;
        TNestvura* ork = a.get();
        TNestvura* vlk = b.get();
        n->AddRecord(std::move(a));
        n->AddRecord(std::move(b));

        n->SetLives(-1, 3);
        n->AddLives(-1, 3);
        QCOMPARE(ork->Lives, 10);
        n->SetLives(0, 1000);
        QCOMPARE(ork->Lives, 40);
        n->AddLives(1, -100);
        QCOMPARE(vlk->Lives, 0);
        n->SetLivesAll(20);
        QCOMPARE(ork->Lives, 20);
        QCOMPARE(vlk->Lives, 8);
        n->AddLivesAll(-5);
        QCOMPARE(ork->Lives, 15);
        QCOMPARE(vlk->Lives, 3);
    }

    void aChangeRepaintsExactlyItsRowEvenAmongTenThousand()
    {
        auto* n = MakeWindow<TNestvuryWindow>();
        for (int i = 0; i < 10000; ++i) {
            auto m = std::make_unique<TNestvura>("Skřet " + std::to_string(100000 + i));
            n->AddRecord(std::move(m));
        }
        Flush();
        TPaintCounter paints(n->ListBox());
        n->ListBox()->viewport()->repaint();
        const int visible = n->ListBox()->viewport()->height() / 13 + 1;
        QVERIFY(!paints.Rows().isEmpty());
        QVERIFY2(paints.Rows().size() <= visible,
                 qPrintable(QStringLiteral("%1 rows painted").arg(paints.Rows().size())));

        paints.Clear();
        n->SetLives(3, 1);
        Flush();
        QCOMPARE(paints.Rows(), QList<int>{3});

        paints.Clear();
        n->AddLives(4, 0); // no change, no repaint
        Flush();
        QVERIFY(paints.Rows().isEmpty());

        paints.Clear();
        n->AddLives(4, -1);
        Flush();
        QCOMPARE(paints.Rows(), QList<int>{4});
    }

    void deadAndKnockedOutRowsStandOut()
    {
        auto* p = MakeWindow<TPostavyWindow>();
        p->AddRecord(Character("A mrtvý", 0, 5));
        p->AddRecord(Character("B vyřazený", 5, 5));
        p->AddRecord(Character("C zdravý", 6, 5));
        p->AddRecord(Character("D bez meze", 1, 0));
        Flush();
        const QImage image = p->ListBox()->viewport()->grab().toImage();
        const auto row = [&](int r) { return QRect(0, r * 13, image.width(), 13); };
        // On white the original red (4.0:1) and light grey (1.8:1) do not
        // reach 4.5:1: the nearest red and grey that do.
        const QRgb red = qRgb(238, 0, 0);
        const QRgb grey = qRgb(118, 118, 118);
        QVERIFY(HasColour(image, row(0), red));
        QVERIFY(!HasColour(image, row(0), grey));
        QVERIFY(HasColour(image, row(1), grey));
        QVERIFY(!HasColour(image, row(1), red));
        for (int r : {2, 3}) {
            QVERIFY(!HasColour(image, row(r), red));
            QVERIFY(!HasColour(image, row(r), grey));
        }

        // A dead row that is selected: the selection's white text on a red
        // dark enough for it (its left edge shows the ground).
        p->ListBox()->SetItemIndex(0);
        Flush();
        const QImage selected = p->ListBox()->viewport()->grab().toImage();
        const QRgb ground = selected.pixel(1, 6);
        QVERIFY2(qRed(ground) > 2 * qGreen(ground) && qGreen(ground) == qBlue(ground),
                 qPrintable(QColor(ground).name()));
        QVERIFY(HasColour(selected, row(0), qRgb(255, 255, 255)));
        const QRgb highlight = p->ListBox()->palette().color(QPalette::Highlight).rgb();
        QVERIFY(!HasColour(selected, row(0), highlight));
    }

    void longTextsAreCutBeforeTheColumnBorder()
    {
        auto* n = MakeWindow<TNestvuryWindow>();
        SetHeaderWidth(n, 427);
        n->ResetColumnWidths();
        auto m = std::make_unique<TNestvura>(std::string(10000, 'W'));
        m->Lives = 0; // red, to tell the text from the background
        m->MaxLives = std::numeric_limits<std::int32_t>::max();
        m->KnockOut = std::numeric_limits<std::int32_t>::min();
        m->KillExperience = std::numeric_limits<std::int32_t>::min();
        n->AddRecord(std::move(m));
        Flush();
        const QImage image = n->ListBox()->viewport()->grab().toImage();
        const QRgb red = qRgb(238, 0, 0); // the dead's red that reads on white
        const int nameWidth = n->HeaderControl()->sectionSize(0);
        const int right = RightmostOf(image, QRect(0, 0, nameWidth, 13), red);
        QVERIFY(right > 3);
        QVERIFY2(right < nameWidth - 10, qPrintable(QString::number(right)));
        // The lives column starts its text 3 pixels after its border.
        const int livesLeft = nameWidth;
        QVERIFY(!HasColour(image, QRect(livesLeft, 0, 3, 13), red));
        QVERIFY(HasColour(image, QRect(livesLeft + 3, 0, 40, 13), red));
    }

    void namesWithAmpersandsAndExtremeLivesAreDrawn()
    {
        auto* p = MakeWindow<TPostavyWindow>();
        auto a = Character("&&", std::numeric_limits<std::int32_t>::min());
        a->MaxLives = std::numeric_limits<std::int32_t>::min();
        p->AddRecord(std::move(a));
        p->AddRecord(Character("&", std::numeric_limits<std::int32_t>::max()));
        p->AddRecord(Character("R&ytíř"));
        Flush();
        QCOMPARE(p->Rows().rowCount(), 3);
        QCOMPARE(p->Rows().At(p->Rows().Records().IndexOf("&&"))->GetColumnText(1),
                 std::string("-2147483648/-2147483648(1)"));
        const QImage image = p->ListBox()->viewport()->grab().toImage();
        QVERIFY(!image.isNull());
    }

    void aNameIsDrawnAsTyped()
    {
        auto* p = MakeWindow<TPostavyWindow>();
        SetHeaderWidth(p, 427);
        p->ResetColumnWidths();
        const char* names[] = {"Tom & Jerry", "&&", "&", "R&ytíř", "&Ampersand&"};
        for (const char* name : names)
            p->AddRecord(Character(name));
        for (const char* name : names) {
            const int row = p->Rows().Records().IndexOf(name);
            QVERIFY(row >= 0);
            TTextPage page;
            QPainter painter(&page);
            QStyleOptionViewItem option;
            option.rect = QRect(0, 0, p->HeaderControl()->width(), 13);
            option.palette = p->ListBox()->palette();
            option.state = QStyle::State_Enabled;
            p->ListBox()->OnDrawItem(painter, row, option);
            painter.end();
            // The name column's text, whatever runs it was drawn in.
            QString drawn = page.Texts.join(QString());
            QVERIFY2(drawn.startsWith(QString::fromUtf8(name) + QStringLiteral("50/50(1)")),
                     qPrintable(drawn));
        }
    }

    // A roster tells of a joined record, a deleted active one and a new
    // selection; a group deletion tells nothing, and neither does the
    // selection that a deletion clears.
    void rowsAndSelectionsAreSignalled()
    {
        test::TMessageBoxRecorder boxes;
        auto* p = MakeWindow<TPostavyWindow>();
        QSignalSpy rows(p, &TObjektWindow::RowsChanged);
        QSignalSpy selections(p, &TObjektWindow::SelectionChanged);
        QCOMPARE(p->JoinCharacter(Character("Aragorn")), 0);
        QCOMPARE(p->JoinCharacter(Character("aragorn")), -1); // refused: nothing changed
        QCOMPARE(rows.count(), 1);
        QCOMPARE(selections.count(), 0);
        p->ListBox()->SetItemIndex(0);
        QCOMPARE(selections.count(), 1);
        boxes.Answer(QMessageBox::Yes);
        p->DeleteCharacter();
        QCOMPARE(p->Rows().rowCount(), 0);
        QCOMPARE(rows.count(), 2);
        QCOMPARE(selections.count(), 1);

        auto* n = MakeWindow<TNestvuryWindow>();
        QSignalSpy monsterRows(n, &TObjektWindow::RowsChanged);
        QSignalSpy monsterSelections(n, &TObjektWindow::SelectionChanged);
        auto dead = std::make_unique<TNestvura>("Mrtvý");
        dead->Lives = 0;
        n->JoinMonster(std::move(dead));
        n->JoinMonster(std::make_unique<TNestvura>("Živý"));
        QCOMPARE(monsterRows.count(), 2);
        n->ListBox()->SetItemIndex(1);
        QCOMPARE(monsterSelections.count(), 1);
        boxes.Answer(QMessageBox::Yes);
        n->DeleteMonsters(1);
        QCOMPARE(n->Rows().rowCount(), 1);
        QCOMPARE(n->Active()->Name, std::string("Živý"));
        QCOMPARE(monsterRows.count(), 2);
        QCOMPARE(monsterSelections.count(), 1);
    }

    void closingMinimisesAndKeepsTheRecords()
    {
        auto* p = MakeWindow<TPostavyWindow>();
        p->AddRecord(Character("Aragorn"));
        QVERIFY(!p->close());
        Flush();
        QVERIFY(p->isMinimized());
        QCOMPARE(p->Rows().rowCount(), 1);
        QVERIFY(m_area->subWindowList().contains(p));
    }
};

MECOVNIK_GUI_TEST_MAIN(RosterWindowTest)
#include "RosterWindowTest.moc"
