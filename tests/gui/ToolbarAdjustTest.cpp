#include "GuiTestEnvironment.h"
#include "MainFormFixture.h"
#include "TFakeHelpSystem.h"
#include "TMessageBoxRecorder.h"

#include "app/Frm_Main.h"
#include "components/TAdvancedListBox.h"
#include "components/TStaticText.h"
#include "settings/TNastaveni.h"
#include "toolbar/TDragImage.h"
#include "toolbar/THandleSpeedButton.h"
#include "toolbar/TToolbar.h"
#include "toolbar/TToolbarAdjustDialog.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

using namespace mecovnik;
using mecovnik::test::Flush;
using mecovnik::test::TMessageBoxRecorder;

namespace {

using TItems = std::vector<TToolbarLayoutItem>;

TToolbarLayoutItem Button(int id, int left, int top)
{
    return {id, left, top, 25, 25};
}

TToolbarLayoutItem Separator(int left)
{
    return {tbSeparator, left, 0, 2, 33};
}

// Counts the paint events a widget gets.
class TPaintCounter final : public QObject
{
public:
    explicit TPaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int Paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++Paints;
        return false;
    }
};

} // namespace

// The customisation window and the drags it starts, driven through the
// windows' own event routing as the window system delivers the mouse.
class ToolbarAdjustTest : public QObject
{
    Q_OBJECT

private:
    test::TFakeHelpSystem m_help;
    std::unique_ptr<TNastaveni> m_nastaveni;
    std::unique_ptr<TMainForm> m_form;

    TToolbar& Toolbar() const { return *m_form->MainToolbar(); }
    QAction& Action(const char* name) const
    {
        return *m_form->findChild<QAction*>(QString::fromLatin1(name));
    }
    static TToolbarAdjustDialog& Dialog()
    {
        TToolbarAdjustDialog* d = TToolbarAdjustDialog::OpenDialog();
        if (!d)
            qFatal("no customisation window");
        return *d;
    }
    // The window's controls, by name.
    template <class T = QWidget> static T* Control(const char* name)
    {
        T* control = Dialog().findChild<T*>(QString::fromLatin1(name));
        if (!control)
            qFatal("no %s", name);
        return control;
    }
    static TAdvancedListBox& Groups() { return *Control<TAdvancedListBox>("List_Groups"); }
    static TAdvancedListBox& Items() { return *Control<TAdvancedListBox>("List_Buttons"); }
    static TStaticText& HelpText() { return *Control<TStaticText>("Label_Help"); }
    static QPushButton& PushButton(const char* name) { return *Control<QPushButton>(name); }

    // Opens the window from "&Upravit..." and puts it beside the main window.
    TToolbarAdjustDialog& Open()
    {
        Action("ToolbarPopup_Properties").trigger();
        Flush();
        Dialog().move(m_form->frameGeometry().right() + 20, 120);
        Flush();
        return Dialog();
    }

    static void SelectGroup(int row)
    {
        QListView& groups = Groups();
        QTest::mouseClick(groups.viewport(), Qt::LeftButton, {},
                          groups.visualRect(groups.model()->index(row, 0)).center());
        Flush();
    }

    // The screen point at which a pointer puts the top-left corner of an item
    // with the given hot spot at a toolbar point.
    QPoint PointerFor(QPoint corner, QPoint hotSpot) const
    {
        return Toolbar().mapToGlobal(corner + hotSpot);
    }

    // Mouse events as the window system gives them to a window.
    static void Press(QWidget& widget, QPoint local, Qt::MouseButton button = Qt::LeftButton)
    {
        QWindow* w = widget.window()->windowHandle();
        QTest::mousePress(w, button, {}, w->mapFromGlobal(widget.mapToGlobal(local)));
    }
    static void MoveTo(QWindow* w, QPoint global) { QTest::mouseMove(w, w->mapFromGlobal(global)); }
    static void Release(QWindow* w, QPoint global)
    {
        QTest::mouseRelease(w, Qt::LeftButton, {}, w->mapFromGlobal(global));
        Flush();
    }

    // Presses list item row and moves through corners (toolbar points for the
    // item's top-left corner); checks the drag image at every move.
    QWindow* DragFromList(int row, const QList<QPoint>& corners, QPoint hotSpot = {12, 12})
    {
        TAdvancedListBox& list = Items();
        Press(*list.viewport(), list.visualRect(list.model()->index(row, 0)).center());
        QWindow* w = Dialog().windowHandle();
        for (const QPoint corner : corners)
            MoveTo(w, PointerFor(corner, hotSpot));
        return w;
    }

    // Checks where the drag image stands now, against the item's snapped
    // top-left corner in toolbar coordinates.
    void ExpectImageAt(QPoint snappedCorner) const
    {
        const TDragImage* image = Toolbar().DragImage();
        QVERIFY(image);
        QVERIFY(image->isVisible());
        QCOMPARE(image->pos(), Toolbar().mapToGlobal(snappedCorner));
    }

    // A toolbar of one button at (4, 4).
    void OnlyFirstButton()
    {
        Toolbar().Clear();
        const TToolbarLayoutItem record{1, -1, -1, -1, -1};
        Toolbar().SetLayout(std::span(&record, 1));
    }

    static bool ImageLeft()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<TDragImage*>(w))
                return true;
        return false;
    }

private slots:
    void init()
    {
        m_nastaveni = std::make_unique<TNastaveni>();
        m_form = test::StartMainForm(*m_nastaveni, test::TestServices(&m_help));
        m_form->setGeometry(0, 30, 500, 400);
        Flush();
    }

    void cleanup()
    {
        m_form.reset();
        m_nastaveni.reset();
        Flush();
        QVERIFY(!TToolbarAdjustDialog::OpenDialog());
        QVERIFY(!ImageLeft());
    }

    void theWindowHasItsControlsTextsAndPlaces()
    {
        TToolbarAdjustDialog::ForgetPlacement();
        Action("ToolbarPopup_Properties").trigger();
        Flush();
        TToolbarAdjustDialog& d = Dialog();
        QVERIFY(d.isVisible());
        QCOMPARE(d.windowTitle(), QStringLiteral("Nastavení panelu nástrojů"));
        QCOMPARE(d.size(), QSize(427, 262));
        QVERIFY(!d.isModal());
        // Above the main window only: transient for it, never on top of all.
        QVERIFY(!(d.windowFlags() & Qt::WindowStaysOnTopHint));
        QCOMPARE(d.windowHandle()->transientParent(), m_form->windowHandle());
        QVERIFY(d.windowFlags() & Qt::WindowContextHelpButtonHint);
        // The first opening is centred on the screen.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(d.pos(), screen.center() - QPoint(d.width() / 2, d.height() / 2));

        const struct
        {
            QWidget* Control;
            QRect Geometry;
            int HelpContext;
        } places[] = {
            {Control("Group_Buttons"), {8, 3, 411, 219}, 10},
            {Control("List_Groups"), {8, 28, 153, 150}, 12},
            {Control("List_Buttons"), {168, 28, 235, 150}, 13},
            {Control("Label_Help"), {8, 185, 393, 26}, 0},
            {Control("Btn_Revert"), {168, 231, 171, 23}, 14},
            {Control("Btn_Close"), {344, 231, 75, 23}, 6},
        };
        for (const auto& p : places) {
            QCOMPARE(p.Control->geometry(), p.Geometry);
            QCOMPARE(p.Control->property("helpContext").toInt(), p.HelpContext);
        }
        auto* label1 = Control<TStaticText>("Label1");
        auto* label2 = Control<TStaticText>("Label2");
        QCOMPARE(label1->pos(), QPoint(8, 12));
        QCOMPARE(label1->Caption(), QStringLiteral("Skupiny tlačítek"));
        QCOMPARE(label1->FocusControl(), &Groups());
        QCOMPARE(label2->pos(), QPoint(168, 12));
        QCOMPARE(label2->Caption(), QStringLiteral("Tlačítka ve skupině"));
        QCOMPARE(label2->FocusControl(), &Items());
        QCOMPARE(HelpText().Caption(),
                 QStringLiteral("Chcete-li přidat tlačítko na panel nástrojů, přetáhněte "
                                "vybrané tlačítko na panel nástrojů. Chcete-li tlačítko z "
                                "panelu nástrojů odebrat, odtáhněte ho z něj pryč."));
        QVERIFY(HelpText().WordWrap());
        QCOMPARE(PushButton("Btn_Revert").text(), QStringLiteral("Uvést do původního stavu..."));
        QCOMPARE(PushButton("Btn_Close").text(), QStringLiteral("Zavřít"));

        // The groups in table order, the first selected with its items.
        QCOMPARE(Groups().ItemHeight(), 13);
        QCOMPARE(Items().ItemHeight(), 29);
        QStringList groups;
        for (int i = 0; i < Groups().Count(); ++i)
            groups << Groups().model()->index(i, 0).data().toString();
        // The table's four, then the fight's buttons, a group of the program's own.
        QCOMPARE(groups, (QStringList{QStringLiteral("Panel nástrojů"), QStringLiteral("Soubor"),
                                      QStringLiteral("Okno"), QStringLiteral("Nápověda"),
                                      QStringLiteral("Boj")}));
        QCOMPARE(Groups().ItemIndex(), 0);
        QCOMPARE(d.Items(), std::vector<std::int32_t>{tbSeparator});
        QCOMPARE(Items().ItemIndex(), 0);
        QCOMPARE(d.Pictures().front().size(), QSize(2, 25));

        // Closed with its button and opened again: where it was left.
        d.move(40, 50);
        const QPoint leftAt = d.pos();
        QTest::mouseClick(&PushButton("Btn_Close"), Qt::LeftButton);
        Flush();
        QVERIFY(!TToolbarAdjustDialog::OpenDialog());
        QVERIFY(!TToolbarAdjustDialog::Placement().Centred);
        Action("ToolbarPopup_Properties").trigger();
        Flush();
        QCOMPARE(Dialog().pos(), leftAt);
        // Esc does not close it; the close box does.
        QTest::keyClick(&Dialog(), Qt::Key_Escape);
        QVERIFY(TToolbarAdjustDialog::OpenDialog());
        Dialog().close();
        Flush();
        QVERIFY(!TToolbarAdjustDialog::OpenDialog());
    }

    void eachGroupListsItsItemsWithTheirPictures()
    {
        Open();
        const struct
        {
            int Row;
            std::vector<std::int32_t> Ids;
            QStringList Names;
        } groups[] = {
            {1,
             {1, 2},
             {QStringLiteral("Nastavení tiskárny|"), QStringLiteral("Ukončit práci s programem ")}},
            {2,
             {3, 4, 5, 6},
             {QStringLiteral("Seřadit okna na sebe|"),
              QStringLiteral("Seřadit okna vodorovně vedle sebe|"),
              QStringLiteral("Seřadit okna svisle nad sebe|"), QStringLiteral("Seřadit ikony|")}},
            {3,
             {7, 8, 9},
             {QStringLiteral("Obsah nápovědy|"), QStringLiteral("Co je to?|"),
              QStringLiteral("Informace o programu|")}},
            {0, {tbSeparator}, {QStringLiteral("Oddělovač")}},
        };
        for (const auto& g : groups) {
            SelectGroup(g.Row);
            QCOMPARE(Groups().ItemIndex(), g.Row);
            QCOMPARE(Dialog().Items(), g.Ids);
            QStringList names;
            for (int i = 0; i < Items().Count(); ++i)
                names << Items().model()->index(i, 0).data().toString();
            QCOMPARE(names, g.Names);
            QCOMPARE(Items().ItemIndex(), 0);
            QCOMPARE(Dialog().Pictures().size(), g.Ids.size());
        }

        // A button's picture: a raised face with the glyph on it, transparent
        // parts in the face colour; drawn at (2, row top + 2), the text at 33
        // without its trailing "|".
        SelectGroup(1);
        const QImage picture = Dialog().Pictures()[0].toImage();
        QCOMPARE(picture.size(), QSize(25, 25));
        const QPalette& pal = Toolbar().palette();
        QCOMPARE(picture.pixel(0, 0), pal.color(QPalette::Light).rgb());
        QCOMPARE(picture.pixel(24, 24), pal.color(QPalette::Shadow).rgb());
        const QImage glyph = Toolbar().Images()[0].toImage();
        const int at = (25 - glyph.height()) / 2;
        int glyphPixels = 0;
        for (int y = 0; y < glyph.height(); ++y)
            for (int x = 0; x < glyph.height(); ++x) {
                const QRgb g = glyph.pixel(x, y) & 0xFFFFFF;
                const QRgb transparent = glyph.pixel(0, glyph.height() - 1) & 0xFFFFFF;
                const QRgb shown = picture.pixel(at + x, at + y) & 0xFFFFFF;
                if (g == transparent)
                    QCOMPARE(shown, pal.color(QPalette::Button).rgb() & 0xFFFFFF);
                else {
                    QCOMPARE(shown, g);
                    ++glyphPixels;
                }
            }
        QVERIFY(glyphPixels > 20);
        Items().SetItemIndex(-1);
        Flush();
        const QImage list = Items().viewport()->grab().toImage();
        const int top1 = Items().visualRect(Items().model()->index(1, 0)).top();
        const QImage second = Dialog().Pictures()[1].toImage();
        for (const QPoint p : {QPoint(0, 0), QPoint(12, 12), QPoint(24, 24), QPoint(7, 18)})
            QCOMPARE(list.pixel(2 + p.x(), top1 + 2 + p.y()), second.pixel(p));
        // No text left of 33; some right of it; none where "|" would be drawn
        // after "Nastavení tiskárny".
        const QColor base = Items().palette().color(QPalette::Base);
        const auto inked = [&](int x0, int x1, int top) {
            for (int y = top + 2; y < top + 27; ++y)
                for (int x = x0; x < x1; ++x)
                    if (list.pixel(x, y) != base.rgb())
                        return true;
            return false;
        };
        QVERIFY(!inked(28, 33, 0));
        QVERIFY(inked(33, 120, 0));
        const QFontMetrics metrics(Items().font());
        const int end = 33 + metrics.horizontalAdvance(QStringLiteral("Nastavení tiskárny"));
        QVERIFY(!inked(end + 1, end + 12, 0));

        // The separator's picture: two lines over its height.
        SelectGroup(0);
        const QImage separator = Dialog().Pictures()[0].toImage();
        QCOMPARE(separator.size(), QSize(2, 25));
        for (int y = 0; y < 25; ++y) {
            QCOMPARE(separator.pixel(0, y), pal.color(QPalette::Dark).rgb());
            QCOMPARE(separator.pixel(1, y), pal.color(QPalette::Light).rgb());
        }
    }

    void openingTwiceOrByDoubleClickKeepsOneWindowInArrangingMode()
    {
        // A remembered command state: disabled.
        Toolbar().SetCommandEnabled(1, false);
        QWidget* first = Toolbar().PlacedControls()[0];
        QVERIFY(!first->isEnabled());

        // A double click on the toolbar's free area.
        QWindow* w = m_form->windowHandle();
        const QPoint free = Toolbar().mapTo(m_form.get(), QPoint(150, 16));
        QTest::mouseDClick(w, Qt::LeftButton, {}, free);
        Flush();
        TToolbarAdjustDialog* opened = TToolbarAdjustDialog::OpenDialog();
        QVERIFY(opened);
        QVERIFY(Toolbar().Adjusting());
        for (QWidget* control : Toolbar().PlacedControls()) {
            QVERIFY(control->isEnabled());
            QVERIFY(!static_cast<THandleSpeedButton*>(control)->Down());
        }
        // Again, by the popup item and by another double click: the same one.
        SelectGroup(2);
        Action("ToolbarPopup_Properties").trigger();
        QTest::mouseDClick(w, Qt::LeftButton, {}, free);
        Flush();
        QCOMPARE(TToolbarAdjustDialog::OpenDialog(), opened);
        QCOMPARE(Groups().ItemIndex(), 2);
        int windows = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (qobject_cast<TToolbarAdjustDialog*>(top))
                ++windows;
        QCOMPARE(windows, 1);
        // A press on a button in arranging mode drags it instead of clicking.
        int commands = 0;
        connect(&Toolbar(), &TToolbar::OnCommand, this, [&commands] { ++commands; });
        QWidget* second = Toolbar().PlacedControls()[1];
        Press(*second, {12, 12});
        QVERIFY(Toolbar().Dragging());
        Release(w, second->mapToGlobal(QPoint(12, 12)));
        QCOMPARE(commands, 0);
        QCOMPARE(Toolbar().PlacedItems(), (TItems{Button(1, 4, 4), Button(2, 29, 4)}));

        // Closing brings the stored states back.
        Dialog().close();
        Flush();
        QVERIFY(!Toolbar().Adjusting());
        QVERIFY(!first->isEnabled());
        QVERIFY(Toolbar().PlacedControls()[1]->isEnabled());

        // Opening for another toolbar destroys the window of the first.
        Open();
        TToolbar other(test::ProgramResources());
        other.Loaded();
        QPointer<TToolbarAdjustDialog> old = TToolbarAdjustDialog::OpenDialog();
        TToolbarAdjustDialog::Open(other);
        Flush();
        QVERIFY(!old);
        QCOMPARE(Dialog().Toolbar(), &other);
        QVERIFY(other.Adjusting());
        QVERIFY(!Toolbar().Adjusting());
    }

    void withoutAGroupListNothingOpens()
    {
        TMessageBoxRecorder boxes;
        TToolbar missing(test::ProgramResources());
        missing.ResAdjust = QStringLiteral("toolbar/nothing");
        missing.Loaded();
        missing.show();
        QTest::mouseDClick(missing.windowHandle(), Qt::LeftButton, {}, QPoint(150, 16));
        Flush();
        QVERIFY(!TToolbarAdjustDialog::OpenDialog());
        QVERIFY(!missing.Adjusting());
        QCOMPARE(boxes.Shown().size(), 1);
        QCOMPARE(boxes.Last()->Text,
                 QStringLiteral("Není možné nahrát informace o panelu nástrojů. Nastavení není "
                                "možné provést."));
        QCOMPARE(boxes.Last()->Icon, QMessageBox::Critical);

        // Not adjustable: a double click is only reported.
        TToolbar fixed(test::ProgramResources());
        fixed.Adjustable = false;
        fixed.Loaded();
        fixed.show();
        int doubleClicks = 0;
        connect(&fixed, &TToolbar::OnDblClick, this, [&doubleClicks] { ++doubleClicks; });
        QTest::mouseDClick(fixed.windowHandle(), Qt::LeftButton, {}, QPoint(150, 16));
        Flush();
        QCOMPARE(doubleClicks, 1);
        QVERIFY(!TToolbarAdjustDialog::OpenDialog());
        QCOMPARE(boxes.Shown().size(), 1);
    }

    void aNewItemSnapsAndIsDroppedWhereTheImageShowedIt()
    {
        Open();
        OnlyFirstButton();
        Flush();
        TPaintCounter paints(Toolbar());
        // "Oddělovač" at any height: a full-height separator at y 0. Its hot
        // spot is the centre of its full-height picture.
        const QPoint sepHot(1, 16);
        QWindow* w = DragFromList(0, {});
        QVERIFY(Toolbar().Dragging());
        const TDragImage* image = Toolbar().DragImage();
        QVERIFY(image);
        QVERIFY(image->isWindow());
        QVERIFY(image->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(image->windowFlags() & Qt::WindowTransparentForInput);
        QVERIFY(image->testAttribute(Qt::WA_TransparentForMouseEvents));
        QCOMPARE(image->size(), QSize(2, 33));
        for (const int y : {-20, 3, 25, 32}) {
            MoveTo(w, PointerFor({150, y}, sepHot));
            ExpectImageAt({150, 0});
        }
        // Far below the toolbar it is not pulled up.
        MoveTo(w, PointerFor({150, 120}, sepHot));
        ExpectImageAt({150, 120});
        MoveTo(w, PointerFor({150, 31}, sepHot));
        ExpectImageAt({150, 0});
        // No full repaint of the toolbar while the image moves.
        QCOMPARE(paints.Paints, 0);
        Release(w, PointerFor({150, 31}, sepHot));
        QVERIFY(!Toolbar().Dragging());
        QVERIFY(!Toolbar().DragImage());
        QCOMPARE(Toolbar().PlacedItems(), (TItems{Button(1, 4, 4), Separator(150)}));
        QCOMPARE(Toolbar().PlacedControls()[1]->geometry(), QRect(150, 0, 2, 33));
        QVERIFY(Toolbar().PlacedControls()[1]->isVisible());

        // Buttons beside the button at (4, 4), and alone on the toolbar.
        SelectGroup(2);
        // Each passes two other places on the way (Via, shown at ViaShown).
        const struct
        {
            QPoint Corner;
            QPoint Placed;
            QPoint Via;
            QPoint ViaShown;
        } drops[] = {
            {{30, 10}, {29, 4}, {37, 11}, {37, 4}}, // directly right of it
            {{40, 10}, {40, 4}, {47, 11}, {47, 4}}, // out of its reach: onto the row
            {{3, 10}, {4, 4}, {10, 11}, {4, 4}},    // onto its cell: the two overlap
            {{100, 12}, {100, 4}, {107, 13}, {107, 4}},
            {{100, 27}, {100, 29}, {107, 28}, {107, 29}},
        };
        for (const auto& drop : drops) {
            OnlyFirstButton();
            w = DragFromList(0, {{60, 200}});
            ExpectImageAt({60, 200});
            MoveTo(w, PointerFor(drop.Via, {12, 12}));
            ExpectImageAt(drop.ViaShown);
            MoveTo(w, PointerFor(drop.Corner, {12, 12}));
            ExpectImageAt(drop.Placed);
            Release(w, PointerFor(drop.Corner, {12, 12}));
            QCOMPARE(Toolbar().PlacedItems(),
                     (TItems{Button(1, 4, 4), Button(3, drop.Placed.x(), drop.Placed.y())}));
            QCOMPARE(Toolbar().PlacedControls()[1]->pos(), drop.Placed);
            QVERIFY(!ImageLeft());
        }
    }

    void aToolbarItemMovesOrIsRemovedWhenDraggedOff()
    {
        Open();
        QWindow* w = m_form->windowHandle();
        QWidget* second = Toolbar().PlacedControls()[1];
        // Pressed at (5, 7) inside the button: that is its hot spot.
        Press(*second, {5, 7});
        QVERIFY(Toolbar().Dragging());
        QVERIFY(second->isHidden());
        ExpectImageAt({29, 4});
        MoveTo(w, PointerFor({80, 2}, {5, 7}));
        ExpectImageAt({80, 4});
        // Near its old place it no longer snaps to itself, only to button 1.
        MoveTo(w, PointerFor({33, 5}, {5, 7}));
        ExpectImageAt({29, 4});
        MoveTo(w, PointerFor({61, 6}, {5, 7}));
        ExpectImageAt({61, 4});
        Release(w, PointerFor({61, 6}, {5, 7}));
        QCOMPARE(Toolbar().PlacedItems(), (TItems{Button(1, 4, 4), Button(2, 61, 4)}));
        QCOMPARE(Toolbar().PlacedControls()[1], second);
        QVERIFY(second->isVisible());
        QCOMPARE(second->pos(), QPoint(61, 4));
        QCOMPARE(QWidget::mouseGrabber(), nullptr);

        // Dropped on the customisation window: removed.
        Press(*second, {12, 12});
        const QPoint onDialog = HelpText().mapToGlobal(QPoint(40, 10));
        MoveTo(w, onDialog);
        Release(w, onDialog);
        QCOMPARE(Toolbar().PlacedItems(), (TItems{Button(1, 4, 4)}));
        QCOMPARE(Toolbar().CountPlaced(2), 0);

        // Dropped outside every window: removed too, without asking.
        TMessageBoxRecorder boxes;
        QWidget* first = Toolbar().PlacedControls()[0];
        Press(*first, {12, 12});
        const QPoint nowhere(-3000, -3000);
        MoveTo(w, nowhere);
        Release(w, nowhere);
        QVERIFY(Toolbar().PlacedItems().empty());
        QVERIFY(boxes.Shown().isEmpty());
        QVERIFY(!ImageLeft());

        // A list item dropped outside every window is not added; dropped on the
        // window it came from, neither.
        QWindow* dw = DragFromList(0, {{-2000, -2000}});
        Release(dw, PointerFor({-2000, -2000}, {1, 16}));
        DragFromList(0, {});
        Release(dw, HelpText().mapToGlobal(QPoint(5, 5)));
        QVERIFY(Toolbar().PlacedItems().empty());
        QVERIFY(!ImageLeft());
    }

    void badPressesAndInterruptedDragsLoseAndAddNothing()
    {
        Open();
        const TItems initial{Button(1, 4, 4), Button(2, 29, 4)};
        // A press below the list's items, or with the right button: no drag.
        SelectGroup(1);
        Press(*Items().viewport(), {100, 140});
        QVERIFY(!Toolbar().Dragging());
        QTest::mouseRelease(Dialog().windowHandle(), Qt::LeftButton);
        QCOMPARE(Dialog().LastPressed(), -1);
        Press(*Items().viewport(), Items().visualRect(Items().model()->index(1, 0)).center(),
              Qt::RightButton);
        QVERIFY(!Toolbar().Dragging());
        QTest::mouseRelease(Dialog().windowHandle(), Qt::RightButton);
        QCOMPARE(Toolbar().PlacedItems(), initial);

        // Escape during a drag from the list: nothing added, no image.
        QWindow* dw = DragFromList(1, {{60, 4}});
        QCOMPARE(Dialog().LastPressed(), 1);
        QTest::keyClick(Items().viewport(), Qt::Key_Escape);
        QVERIFY(!Toolbar().Dragging());
        QVERIFY(!ImageLeft());
        QVERIFY(TToolbarAdjustDialog::OpenDialog());
        Release(dw, PointerFor({60, 4}, {12, 12}));
        QCOMPARE(Toolbar().PlacedItems(), initial);

        // Escape during a drag of a toolbar item: it is back where it was.
        QWindow* w = m_form->windowHandle();
        QWidget* second = Toolbar().PlacedControls()[1];
        Press(*second, {12, 12});
        MoveTo(w, PointerFor({120, 4}, {12, 12}));
        QTest::keyClick(m_form.get(), Qt::Key_Escape);
        QVERIFY(!Toolbar().Dragging());
        QVERIFY(second->isVisible());
        QCOMPARE(second->pos(), QPoint(29, 4));
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        Release(w, PointerFor({120, 4}, {12, 12}));
        QCOMPARE(Toolbar().PlacedItems(), initial);

        // A menu popping up takes the mouse: the drag ends where it began.
        Press(*second, {12, 12});
        MoveTo(w, PointerFor({120, 4}, {12, 12}));
        m_form->ToolbarPopup()->popup(Toolbar().mapToGlobal(QPoint(150, 20)));
        Flush();
        QVERIFY(!Toolbar().Dragging());
        QVERIFY(!ImageLeft());
        m_form->ToolbarPopup()->close();
        Release(w, PointerFor({120, 4}, {12, 12}));
        QCOMPARE(Toolbar().PlacedItems(), initial);
        QVERIFY(second->isVisible());

        // Another program's window taking over: the same.
        DragFromList(0, {{150, 10}});
        QEvent deactivate(QEvent::ApplicationDeactivate);
        QCoreApplication::sendEvent(qApp, &deactivate);
        QVERIFY(!Toolbar().Dragging());
        QVERIFY(!ImageLeft());

        // A move without the left button: the release went to another window.
        QWidget elsewhere;
        dw = DragFromList(0, {{150, 10}});
        QTest::mouseRelease(&elsewhere, Qt::LeftButton);
        MoveTo(dw, PointerFor({160, 10}, {1, 16}));
        QVERIFY(!Toolbar().Dragging());
        QVERIFY(!ImageLeft());
        Press(*second, {12, 12});
        MoveTo(w, PointerFor({120, 4}, {12, 12}));
        QTest::mouseRelease(&elsewhere, Qt::LeftButton);
        MoveTo(w, PointerFor({130, 4}, {12, 12}));
        QVERIFY(!Toolbar().Dragging());
        QVERIFY(second->isVisible());
        QCOMPARE(Toolbar().PlacedItems(), initial);

        // The window closed during a drag: the drag goes with it.
        Press(*second, {12, 12});
        MoveTo(w, PointerFor({120, 4}, {12, 12}));
        Dialog().close();
        Flush();
        QVERIFY(!Toolbar().Dragging());
        QVERIFY(!Toolbar().Adjusting());
        QVERIFY(second->isVisible());
        Release(w, PointerFor({120, 4}, {12, 12}));
        QCOMPARE(Toolbar().PlacedItems(), initial);
        QVERIFY(!ImageLeft());
    }

    void revertAsksAndOnYesBringsBackTheInitialLayout()
    {
        Open();
        QWindow* w = DragFromList(0, {{150, 10}});
        Release(w, PointerFor({150, 10}, {1, 16}));
        const TItems arranged{Button(1, 4, 4), Button(2, 29, 4), Separator(150)};
        QCOMPARE(Toolbar().PlacedItems(), arranged);
        TMessageBoxRecorder boxes;
        QTest::mouseClick(&PushButton("Btn_Revert"), Qt::LeftButton);
        QCOMPARE(boxes.Shown().size(), 1);
        QCOMPARE(boxes.Last()->Text,
                 QStringLiteral("Opravdu si přejete vrátit panel nástrojů do původní podoby?"));
        QCOMPARE(boxes.Last()->Caption, QStringLiteral("Mečovník"));
        QCOMPARE(boxes.Last()->Buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(Toolbar().PlacedItems(), arranged);
        boxes.Answer(QMessageBox::Yes);
        QTest::mouseClick(&PushButton("Btn_Revert"), Qt::LeftButton);
        QCOMPARE(Toolbar().PlacedItems(), (TItems{Button(1, 4, 4), Button(2, 29, 4)}));
        // Still arranging: the new buttons are enabled and drag.
        QVERIFY(Toolbar().Adjusting());
        Toolbar().SetCommandEnabled(1, false);
        QVERIFY(Toolbar().PlacedControls()[0]->isEnabled());
    }

    void closingTheMainWindowDuringTheWindowOrADragLosesNothing()
    {
        Open();
        QWindow* w = m_form->windowHandle();
        QWidget* second = Toolbar().PlacedControls()[1];
        Press(*second, {12, 12});
        MoveTo(w, PointerFor({120, 4}, {12, 12}));
        QVERIFY(m_form->close());
        Flush();
        QVERIFY(!Toolbar().Dragging());
        QVERIFY(!ImageLeft());
        // The automatic save took the item at its place.
        QVERIFY(m_nastaveni->Toolbar.Get());
        QCOMPARE(m_nastaveni->Toolbar.Get()->Records, (TItems{Button(1, 4, 4), Button(2, 29, 4)}));
        QTest::mouseRelease(w, Qt::LeftButton);
        // Destroying it takes the customisation window along (checked in cleanup).
        m_form.reset();
        Flush();
        QVERIFY(!TToolbarAdjustDialog::OpenDialog());

        // The same with a drag from the list.
        init();
        Open();
        DragFromList(0, {{150, 10}});
        QVERIFY(m_form->close());
        Flush();
        QVERIFY(!Toolbar().Dragging());
        QVERIFY(!ImageLeft());
        QCOMPARE(m_nastaveni->Toolbar.Get()->Records, (TItems{Button(1, 4, 4), Button(2, 29, 4)}));
        QTest::mouseRelease(Dialog().windowHandle(), Qt::LeftButton);
    }
};

MECOVNIK_GUI_TEST_MAIN(ToolbarAdjustTest)
#include "ToolbarAdjustTest.moc"
