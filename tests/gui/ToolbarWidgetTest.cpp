#include "GuiTestEnvironment.h"
#include "TMessageBoxRecorder.h"

#include "platform/TProgramResources.h"
#include "toolbar/TDragImage.h"
#include "toolbar/TToolbar.h"
#include "toolbar/TToolbarSeparator.h"
#include "toolbar/TToolbarSpeedButton.h"

#include <QMap>
#include <QSignalSpy>

using namespace mecovnik;
using test::TMessageBoxRecorder;

namespace {

QByteArray Ints(std::initializer_list<std::int32_t> values)
{
    QByteArray bytes;
    for (std::int32_t v : values) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int shift = 0; shift < 32; shift += 8)
            bytes.append(static_cast<char>((u >> shift) & 0xFF));
    }
    return bytes;
}

QPixmap Solid(const QColor& colour)
{
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(colour);
    image.setPixelColor(0, 19, QColor(128, 128, 0));
    return QPixmap::fromImage(image);
}

// Resources made up for a test.
class TFakeResources final : public TResourceSource
{
public:
    QMap<QString, QByteArray> Tables;
    QMap<QString, QPixmap> Bitmaps;
    QMap<int, QString> Strings;
    QMap<QString, QPixmap> Large;
    // What was read, by name, in order.
    mutable QStringList BitmapReads;
    mutable QStringList LargeReads;

    std::optional<QByteArray> Bytes(const QString& type, const QString& name) const override
    {
        const QString key = type + u'/' + name;
        if (!Tables.contains(key))
            return std::nullopt;
        return Tables.value(key);
    }
    QPixmap Bitmap(const QString& name) const override
    {
        BitmapReads.append(name);
        return Bitmaps.value(name);
    }
    QPixmap LargeBitmap(const QString& name) const override
    {
        LargeReads.append(name);
        return Large.value(name);
    }
    QString String(int number) const override { return Strings.value(number); }
};

const QString kEnd = QStringLiteral("konec");

using TCall = std::tuple<QObject*, int, TToolbarCommandType>;

} // namespace

class ToolbarWidgetTest : public QObject
{
    Q_OBJECT

private:
    const TProgramResources m_resources;
    QWidget m_window;
    std::unique_ptr<TToolbar> m_toolbar;
    TFakeResources m_fake;

    // The program's own toolbar, as the main window makes it.
    TToolbar& Program()
    {
        m_toolbar = std::make_unique<TToolbar>(m_resources, &m_window);
        Configure(*m_toolbar);
        return Finish();
    }

    static void Configure(TToolbar& t)
    {
        t.ResButtons = QStringLiteral("toolbar/buttons");
        t.ResInitial = QStringLiteral("toolbar/initial");
        t.ResAdjust = QStringLiteral("toolbar/adjust");
        t.ResImagesName = QStringLiteral("#%d");
        t.ResImagesStart = 2048;
        t.ResHintsStart = 2048;
        t.ResStringsStart = 2016;
    }

    TToolbar& Fake()
    {
        m_toolbar = std::make_unique<TToolbar>(m_fake, &m_window);
        m_toolbar->ResImagesStart = 1;
        m_toolbar->ResHintsStart = 100;
        m_toolbar->ResStringsStart = 200;
        return Finish();
    }

    TToolbar& Finish()
    {
        m_toolbar->setGeometry(0, 0, 400, 33);
        m_toolbar->show();
        m_toolbar->Loaded();
        return *m_toolbar;
    }

    static TToolbarSpeedButton* Button(TToolbar& t, int index)
    {
        return qobject_cast<TToolbarSpeedButton*>(t.PlacedControls().value(index));
    }

    static QList<QRect> Geometries(TToolbar& t)
    {
        QList<QRect> rects;
        for (QWidget* w : t.PlacedControls())
            rects.append(w->geometry());
        return rects;
    }

private slots:
    void init()
    {
        m_toolbar.reset();
        m_fake = TFakeResources{};
        m_window.resize(500, 200);
        m_window.move(100, 100);
        m_window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_window));
    }

    void theProgramsToolbar()
    {
        TToolbar& t = Program();
        QCOMPARE(t.Definitions().size(), std::size_t(9));
        QCOMPARE(t.Images().size(), std::size_t(9));
        QCOMPARE(t.Hints().size(), std::size_t(9));
        QVERIFY(t.Groups());
        QCOMPARE(t.Groups()->size(), std::size_t(4));
        for (const QPixmap& glyph : t.Images())
            QCOMPARE(glyph.size(), QSize(20, 20));
        QCOMPARE(Geometries(t), (QList<QRect>{QRect(4, 4, 25, 25), QRect(29, 4, 25, 25)}));
        TToolbarSpeedButton* print = Button(t, 0);
        QCOMPARE(print->CommandId(), 1);
        QCOMPARE(print->toolTip(), QStringLiteral("Nastavení tiskárny"));
        QCOMPARE(Button(t, 1)->toolTip(), QStringLiteral("Ukončit práci s programem (Alt+X)"));
        QCOMPARE(print->property("helpContext").toInt(), 576);
        QCOMPARE(Button(t, 1)->property("helpContext").toInt(), 578);
        // The glyph is drawn without its olive background.
        const QImage image = print->grab().toImage();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                QVERIFY(image.pixelColor(x, y) != QColor(128, 128, 0));
        }

        const auto state = t.GetState();
        QCOMPARE(state->Visible, 1);
        QCOMPARE(state->ShowHints, 1);
        QCOMPARE(state->Records,
                 (std::vector<TToolbarLayoutItem>{{1, 4, 4, 25, 25}, {2, 29, 4, 25, 25}}));
        t.SetShowHint(false);
        QCOMPARE(print->toolTip(), QString());
        QCOMPARE(t.GetState()->ShowHints, 0);
    }

    void placingRecords()
    {
        TToolbar& t = Program();
        t.Clear();
        QVERIFY(t.PlacedControls().isEmpty());
        const std::vector<TToolbarLayoutItem> records{{3, -1, -1, -1, -1},  {-1, -1, -1, -1, -1},
                                                      {-2, -1, -1, -1, -1}, {-3, -1, -1, -1, -1},
                                                      {4, -1, -1, -1, -1},  {-2, 90, 2, -1, 0}};
        t.SetLayout(records);
        QCOMPARE(Geometries(t), (QList<QRect>{QRect(4, 4, 25, 25), QRect(33, 0, 2, 33),
                                              QRect(4, 33, 25, 25), QRect(90, 2, 2, 25)}));
        QVERIFY(qobject_cast<TToolbarSeparator*>(t.PlacedControls().at(1)));
        QCOMPARE(t.CountPlaced(-2), 2);
        QCOMPARE(t.CountPlaced(3), 1);

        // Records a stored layout may hold: ids without a definition, items
        // far out, odd separator heights. Nothing crashes; what has a
        // definition is placed within bounds.
        t.Clear();
        const std::vector<TToolbarLayoutItem> odd{{12, -1, -1, -1, -1},
                                                  {3, 2147483647, -2147483647 - 1, 25, 25},
                                                  {-2, 10, -1, 2, -2},
                                                  {-2, 20, -1, 2, 100000},
                                                  {-5, 1, 1, 1, 1}};
        t.SetLayout(odd);
        QCOMPARE(Geometries(t), (QList<QRect>{QRect(32767, -32767, 25, 25), QRect(10, -32767, 2, 1),
                                              QRect(20, -32767, 2, 32767)}));
        QVERIFY(!t.grab().isNull());
    }

    void clicksAndCommandStates()
    {
        TToolbar& t = Program();
        t.Clear();
        const std::vector<TToolbarLayoutItem> records{{7, -1, -1, -1, -1}, {1, -1, -1, -1, -1}};
        t.SetLayout(records);
        QList<TCall> calls;
        connect(&t, &TToolbar::OnCommand, this, [&](QObject* s, int id, TToolbarCommandType type) {
            calls.append({s, id, type});
        });
        TToolbarSpeedButton* help = Button(t, 0);
        QTest::mouseClick(help, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(calls, (QList<TCall>{{&t, 7, ctClick}}));
        // A double click on a button that is up raises no more than its clicks.
        calls.clear();
        QTest::mouseClick(help, Qt::LeftButton, {}, QPoint(10, 10));
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(10, 10),
                        help->mapToGlobal(QPointF(10, 10)), Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(help, &dbl);
        QTest::mouseRelease(help, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(calls, (QList<TCall>{{&t, 7, ctClick}, {&t, 7, ctClick}}));

        // Remembered states, and the arranging mode that overrides them.
        t.SetCommandEnabled(7, false);
        QVERIFY(!help->isEnabled());
        QVERIFY(!t.CommandEnabled(7));
        QVERIFY2(t.CommandEnabled(55), "no definition: enabled");
        t.SetAdjusting(true);
        QVERIFY(help->isEnabled());
        t.SetCommandEnabled(1, false);
        QVERIFY2(Button(t, 1)->isEnabled(), "not while arranging");
        t.SetAdjusting(false);
        QVERIFY(!help->isEnabled());
        QVERIFY(!Button(t, 1)->isEnabled());
        // They outlive the controls.
        t.Clear();
        t.ApplyInitialLayout();
        QVERIFY(!Button(t, 0)->isEnabled());
        QVERIFY(!t.CommandDown(1));
        t.SetCommandDown(1, true);
        QVERIFY2(!t.CommandDown(55), "no definition: up");
        QVERIFY2(!Button(t, 0)->Down(), "a push button never latches");
    }

    void latchingButtons()
    {
        // Buttons 1 and 2 latch in group 5 (1 forbids all-up, 2 allows it);
        // 3 is a push button.
        m_fake.Tables[QStringLiteral("TOOLBAR/BUTTONS")] =
            Ints({1, 0, 0, 5, 0, 2, 0, 1, 5, 0, 3, 0, 0, 0, 0});
        m_fake.Tables[QStringLiteral("TOOLBAR/INITIAL")] =
            Ints({1, -1, -1, -1, -1, 2, -1, -1, -1, -1, 1, -1, -1, -1, -1, 3, -1, -1, -1, -1});
        TToolbar& t = Fake();
        QSignalSpy commands(&t, &TToolbar::OnCommand);
        TToolbarSpeedButton* first = Button(t, 0);
        TToolbarSpeedButton* second = Button(t, 1);
        TToolbarSpeedButton* again = Button(t, 2);
        QVERIFY(first->GroupIndex() != 0 && first->GroupIndex() != again->GroupIndex());

        QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(first->Down());
        QVERIFY2(again->Down(), "the same command shows down everywhere");
        QVERIFY(t.CommandDown(1));
        QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(second->Down());
        QVERIFY(!first->Down() && !again->Down() && !t.CommandDown(1));
        QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY2(first->Down(), "its definition forbids all-up");
        QCOMPARE(commands.count(), 4);
        // Double click on a latched button.
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5),
                        first->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(first, &dbl);
        QTest::mouseRelease(first, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(commands.at(4).at(2).value<TToolbarCommandType>(), ctDblClick);
        // The program may release it.
        t.SetCommandDown(1, false);
        QVERIFY(!first->Down());
        t.SetCommandDown(2, true);
        QVERIFY(second->Down());
        QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY2(!second->Down(), "all-up allowed");
        // Arranging: every button up; afterwards the stored flags again.
        t.SetCommandDown(1, true);
        t.SetAdjusting(true);
        QVERIFY(!first->Down());
        t.SetAdjusting(false);
        QVERIFY(first->Down());
    }

    void resourcesAndNumbering()
    {
        // Bitmaps 1, 2 and 4: the gap ends the list. Hints stop at the first
        // empty string. A group named by a missing string gets its position.
        m_fake.Bitmaps[QStringLiteral("1")] = Solid(Qt::red);
        m_fake.Bitmaps[QStringLiteral("2")] = Solid(Qt::green);
        m_fake.Bitmaps[QStringLiteral("4")] = Solid(Qt::blue);
        m_fake.Strings = {{100, QStringLiteral("Jedna (F1)|")},
                          {101, QStringLiteral("Dvě|")},
                          {200, QStringLiteral("Skupina A")}};
        m_fake.Tables[QStringLiteral("TOOLBAR/BUTTONS")] = Ints({1, 0, 0, 0, 0, 4, 2, 0, 0, 0});
        m_fake.Tables[QStringLiteral("TOOLBAR/ADJUST")] = Ints({2, 1, 1, 1, 0, 1, 4});
        TToolbar& t = Fake();
        QCOMPARE(t.Images().size(), std::size_t(2));
        QCOMPARE(t.Hints().size(), std::size_t(2));
        QCOMPARE(t.Groups()->at(0).Name, std::string("Skupina A"));
        QCOMPARE(t.Groups()->at(1).Name, std::string("Skupina 2"));
        QVERIFY2(t.PlacedControls().isEmpty(), "no INITIAL: an empty toolbar");
        const std::vector<TToolbarLayoutItem> records{{4, -1, -1, -1, -1}};
        t.SetLayout(records);
        // Button 4 shows image 2.
        QCOMPARE(Button(t, 0)->grab().toImage().pixelColor(10, 10), QColor(Qt::green));
        QCOMPARE(Button(t, 0)->toolTip(), QString());

        // Items as the customisation pictures them.
        const QPixmap separator = t.ItemPicture(-2, true);
        QCOMPARE(separator.size(), QSize(2, 33));
        QCOMPARE(t.ItemPicture(-2, false).size(), QSize(2, 25));
        const QImage button = t.ItemPicture(1, true).toImage();
        QCOMPARE(button.size(), QSize(25, 25));
        QCOMPARE(button.pixelColor(3, 3), QColor(Qt::red));
        QCOMPARE(button.pixelColor(2, 21), t.palette().color(QPalette::Button));

        // Without tables: no buttons, and a revert keeps it empty.
        m_fake = TFakeResources{};
        TToolbar& empty = Fake();
        QVERIFY(empty.Definitions().empty());
        QVERIFY(!empty.Groups());
        TMessageBoxRecorder boxes;
        boxes.Answer(QMessageBox::Yes);
        empty.Revert();
        QVERIFY(empty.PlacedControls().isEmpty());
    }

    // The customisation list pictures a button exactly as the toolbar shows
    // it up: the same face, the same glyph, the same transparent colour (the
    // bitmap's bottom-left pixel, whatever colour that is).
    void itemPicturesAreTheButtonsFaces()
    {
        TToolbar& t = Program();
        t.Clear();
        std::vector<TToolbarLayoutItem> all;
        for (const TToolbarButtonDef& def : t.Definitions())
            all.push_back({def.Id, -1, -1, -1, -1});
        t.SetLayout(all);
        QCOMPARE(t.PlacedControls().size(), qsizetype(9));
        for (int i = 0; i < 9; ++i) {
            TToolbarSpeedButton* button = Button(t, i);
            QCOMPARE(t.ItemPicture(button->CommandId(), false).toImage(),
                     button->grab().toImage().convertToFormat(QImage::Format_RGB32));
        }

        QImage teal(20, 20, QImage::Format_RGB32);
        teal.fill(QColor(0, 128, 128));
        teal.setPixelColor(5, 5, Qt::black);
        m_fake.Bitmaps[QStringLiteral("1")] = QPixmap::fromImage(teal);
        m_fake.Tables[QStringLiteral("TOOLBAR/BUTTONS")] = Ints({1, 0, 0, 0, 0});
        TToolbar& fake = Fake();
        fake.SetLayout(std::vector<TToolbarLayoutItem>{{1, -1, -1, -1, -1}});
        const QImage picture = fake.ItemPicture(1, false).toImage();
        QCOMPARE(picture, Button(fake, 0)->grab().toImage().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(picture.pixelColor(12, 12), fake.palette().color(QPalette::Button));
        QCOMPARE(picture.pixelColor(7, 7), QColor(Qt::black));
    }

    // The artwork at twice the size is read only when a screen of a ratio
    // above 1 first asks for a glyph, once however many buttons show it; the
    // extra group's glyphs only when one of its buttons is placed.
    void artworkIsReadWhenAScreenWantsIt()
    {
        QImage large(40, 40, QImage::Format_RGB32);
        large.fill(Qt::blue);
        large.setPixelColor(0, 39, QColor(128, 128, 0));
        m_fake.Bitmaps[QStringLiteral("1")] = Solid(Qt::red);
        m_fake.Large[QStringLiteral("1")] = QPixmap::fromImage(large);
        m_fake.Bitmaps[QStringLiteral("5")] = Solid(Qt::green);
        m_fake.Large[QStringLiteral("5")] = QPixmap::fromImage(large);
        m_fake.Tables[QStringLiteral("TOOLBAR/BUTTONS")] = Ints({1, 0, 0, 0, 0, 2, 1, 0, 0, 0});
        m_fake.Tables[QStringLiteral("TOOLBAR/MORE")] = Ints({7, 1, 0, 0, 0});
        m_toolbar = std::make_unique<TToolbar>(m_fake, &m_window);
        m_toolbar->ResImagesStart = 1;
        m_toolbar->ResMoreButtons = QStringLiteral("toolbar/more");
        m_toolbar->MoreStart = 5;
        TToolbar& t = Finish();
        t.SetLayout(std::vector<TToolbarLayoutItem>{{1, -1, -1, -1, -1}, {2, -1, -1, -1, -1}});
        QCOMPARE(t.PlacedControls().size(), 2);
        QCOMPARE(Button(t, 1)->grab().toImage().pixelColor(10, 10), QColor(Qt::red));
        QVERIFY2(m_fake.LargeReads.isEmpty(), "nothing drawn at a ratio above 1 yet");
        QVERIFY2(!m_fake.BitmapReads.contains(QStringLiteral("5")), "no extra button shown yet");

        for (const qreal ratio : {1.5, 2.0, 3.0}) {
            for (int i = 0; i < 2; ++i) {
                const QPixmap image =
                    Button(t, i)->ButtonGlyph().Image(TButtonPaintState::psUp, t.palette(), ratio);
                QCOMPARE(image.devicePixelRatio(), 2.0);
                QCOMPARE(image.size(), QSize(40, 40));
                QCOMPARE(image.toImage().pixelColor(10, 10), QColor(Qt::blue));
            }
        }
        QCOMPARE(m_fake.LargeReads, QStringList{QStringLiteral("1")});

        // The extra group's button: its glyph read when placed, its large
        // artwork when drawn at a ratio above 1.
        t.SetLayout(std::vector<TToolbarLayoutItem>{{7, -1, -1, -1, -1}});
        QCOMPARE(m_fake.BitmapReads.count(QStringLiteral("5")), 1);
        QCOMPARE(m_fake.LargeReads.size(), 1);
        const THandleSpeedButton* extra = Button(t, 2);
        QCOMPARE(extra->ButtonGlyph().Image(TButtonPaintState::psUp, t.palette(), 1.0).size(),
                 QSize(20, 20));
        QCOMPARE(m_fake.LargeReads.size(), 1);
        QCOMPARE(extra->ButtonGlyph().Image(TButtonPaintState::psUp, t.palette(), 2.0).size(),
                 QSize(40, 40));
        QCOMPARE(m_fake.LargeReads, (QStringList{QStringLiteral("1"), QStringLiteral("5")}));
    }

    void revertAndCustomisation()
    {
        TToolbar& t = Program();
        const std::vector<TToolbarLayoutItem> more{{9, 100, -1, -1, -1}};
        t.SetLayout(more);
        QCOMPARE(t.PlacedControls().size(), 3);
        TMessageBoxRecorder boxes;
        t.Revert();
        QCOMPARE(boxes.Last()->Text,
                 QStringLiteral("Opravdu si přejete vrátit panel nástrojů do původní podoby?"));
        QCOMPARE(boxes.Last()->Buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(t.PlacedControls().size(), 3); // No changes nothing
        boxes.Answer(QMessageBox::Yes);
        t.Revert();
        QCOMPARE(Geometries(t), (QList<QRect>{QRect(4, 4, 25, 25), QRect(29, 4, 25, 25)}));

        // With groups the customisation opens; a double click on the free area too.
        int opened = 0;
        t.SetAdjustDialog([&](TToolbar& which) {
            QCOMPARE(&which, &t);
            ++opened;
        });
        boxes.Clear();
        t.OnAdjust();
        QTest::mouseDClick(&t, Qt::LeftButton, {}, QPoint(300, 15));
        QCOMPARE(opened, 2);
        QVERIFY(boxes.Shown().isEmpty());
        // A double click on an item opens nothing: a button's is its own, and
        // one on a separator is not one on the free area.
        t.SetLayout(std::vector<TToolbarLayoutItem>{{tbSeparator, 200, -1, -1, -1}});
        QWidget* separator = t.PlacedControls().back();
        QTest::mouseDClick(separator, Qt::LeftButton, {}, QPoint(1, 10));
        QTest::mouseDClick(t.PlacedControls().front(), Qt::LeftButton, {}, QPoint(12, 12));
        QCOMPARE(opened, 2);

        // Without groups (not adjustable): the error, and a double click on the
        // free area is the toolbar's own.
        m_toolbar = std::make_unique<TToolbar>(m_resources, &m_window);
        Configure(*m_toolbar);
        m_toolbar->Adjustable = false;
        TToolbar& plain = Finish();
        QVERIFY(!plain.Groups());
        QSignalSpy doubles(&plain, &TToolbar::OnDblClick);
        plain.OnAdjust();
        QCOMPARE(boxes.Last()->Text,
                 QStringLiteral("Není možné nahrát informace o panelu nástrojů. Nastavení "
                                "není možné provést."));
        QCOMPARE(boxes.Last()->Icon, QMessageBox::Critical);
        QTest::mouseDClick(&plain, Qt::LeftButton, {}, QPoint(300, 15));
        QCOMPARE(doubles.count(), 1);
        QCOMPARE(boxes.Shown().size(), 1);
        plain.SetLayout(std::vector<TToolbarLayoutItem>{{tbSeparator, 200, -1, -1, -1}});
        QTest::mouseDClick(plain.PlacedControls().back(), Qt::LeftButton, {}, QPoint(1, 10));
        QCOMPARE(doubles.count(), 1);
    }

    void stateInAndOut()
    {
        TToolbar& t = Program();
        TToolbarState state;
        state.Visible = 0;
        state.ShowHints = 0;
        t.SetState(state);
        QVERIFY(t.isHidden());
        QVERIFY(!t.ShowHint());
        QCOMPARE(t.PlacedControls().size(), 2); // no records: the layout stays
        state.Visible = 1;
        state.Records = {{5, 4, 4, 25, 25}, {-2, 29, 0, 2, 33}, {6, 33, 4, 25, 25}};
        t.SetState(state);
        QVERIFY(!t.isHidden());
        QCOMPARE(t.GetState()->Records, state.Records);
    }

    void dragging()
    {
        TToolbar& t = Program();
        const auto global = [&](int x, int y) { return t.mapToGlobal(QPoint(x, y)); };
        t.SetAdjusting(true);

        // A new button from the list, held by its centre: at (60, 10) it is
        // out of button 2's reach (its right edge 54 + 4) and takes the row
        // alone; at (56, 10) it snaps beside button 2.
        t.BeginDrag(nullptr, 5, QPoint(-1, -1), global(60 + 12, 10 + 12));
        QVERIFY(t.Dragging());
        QVERIFY(t.DragImage());
        QCOMPARE(t.DragImage()->Picture().size(), QSize(25, 25));
        QCOMPARE(t.DragImage()->pos(), global(60, 4));
        t.MoveDrag(global(56 + 12, 10 + 12));
        QCOMPARE(t.DragImage()->pos(), global(54, 4));
        t.EndDrag(global(56 + 12, 10 + 12));
        QVERIFY(!t.Dragging());
        QVERIFY(!t.DragImage());
        QCOMPARE(Geometries(t).last(), QRect(54, 4, 25, 25));
        QCOMPARE(t.PlacedItems().back(), (TToolbarLayoutItem{5, 54, 4, 25, 25}));

        // "Oddělovač" dropped at any height: full height at y 0.
        t.BeginDrag(nullptr, -2, QPoint(-1, -1), global(150, 20));
        t.EndDrag(global(150, 25));
        QCOMPARE(Geometries(t).last(), QRect(149, 0, 2, 33));

        // Button 2 pressed while arranging is dragged, not clicked.
        QSignalSpy commands(&t, &TToolbar::OnCommand);
        TToolbarSpeedButton* quit = Button(t, 1);
        QTest::mousePress(quit, Qt::LeftButton, {}, QPoint(5, 6));
        QVERIFY(t.Dragging());
        QVERIFY(quit->isHidden());
        // The pressed button is hidden: the toolbar holds the pointer and
        // takes the moves and the release.
        QCOMPARE(QWidget::mouseGrabber(), &t);
        QTest::mouseMove(&t, QPoint(205, 16));
        QCOMPARE(t.DragImage()->pos(), global(200, 4));
        QTest::mouseRelease(&t, Qt::LeftButton, {}, QPoint(205, 16));
        QVERIFY(!t.Dragging());
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        QVERIFY(quit->isVisible());
        QCOMPARE(quit->geometry(), QRect(200, 4, 25, 25));
        QCOMPARE(t.PlacedItems().at(1), (TToolbarLayoutItem{2, 200, 4, 25, 25}));
        // Dragged off the toolbar: removed.
        QTest::mousePress(quit, Qt::LeftButton, {}, QPoint(5, 6));
        t.EndDrag(global(205, 150));
        QCOMPARE(t.CountPlaced(2), 0);
        QCOMPARE(t.PlacedControls().size(), 3);
        QVERIFY(commands.isEmpty());
        // A new item dropped off the toolbar is not added; one with no
        // definition places nothing.
        t.BeginDrag(nullptr, 9, QPoint(-1, -1), global(300, 150));
        t.EndDrag(global(300, 150));
        t.BeginDrag(nullptr, 44, QPoint(-1, -1), global(300, 16));
        t.EndDrag(global(300, 16));
        QCOMPARE(t.PlacedControls().size(), 3);
        t.SetAdjusting(false);
        QTest::mouseClick(Button(t, 0), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(commands.count(), 1);
    }
};

MECOVNIK_GUI_TEST_MAIN(ToolbarWidgetTest)
#include "ToolbarWidgetTest.moc"
