#include "GuiTestEnvironment.h"

#include "components/LazyIcon.h"
#include "components/TAdvancedComboBox.h"
#include "components/TAdvancedListBox.h"
#include "components/TStaticText.h"

#include <QAbstractItemView>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QShortcut>
#include <QSignalSpy>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace mecovnik {
namespace {

struct TMoveCall
{
    Qt::KeyboardModifiers modifiers;
    Qt::MouseButtons buttons;
    QPoint pos;
};

// A list of six rows in a shown window.
struct TListFixture
{
    TListFixture()
    {
        window.resize(200, 200);
        list = new TAdvancedListBox(&window);
        list->setGeometry(20, 20, 150, 150);
        list->setModel(&model);
        window.show();
    }

    [[nodiscard]] QPoint RowCenter(int row) const
    {
        return list->visualRect(model.index(row, 0)).center();
    }

    QWidget window;
    QStringListModel model{
        {u"Aragorn"_s, u"Boromir"_s, u"Celeborn"_s, u"Denethor"_s, u"Elrond"_s, u"Faramir"_s}};
    TAdvancedListBox* list = nullptr;
};

// Records the standard combo box notifications and the two extra events in order.
struct TComboLog
{
    explicit TComboLog(TAdvancedComboBox& combo)
    {
        QObject::connect(&combo, &QComboBox::editTextChanged,
                         [this](const QString& text) { entries << u"change:"_s + text; });
        QObject::connect(&combo, &QComboBox::currentIndexChanged,
                         [this](int index) { entries << u"index:%1"_s.arg(index); });
        QObject::connect(&combo, &QComboBox::activated,
                         [this](int index) { entries << u"click:%1"_s.arg(index); });
        QObject::connect(&combo, &TAdvancedComboBox::OnChange_Click,
                         [this] { entries << u"Change_Click"_s; });
        QObject::connect(&combo, &TAdvancedComboBox::OnChange_Edit,
                         [this] { entries << u"Change_Edit"_s; });
    }

    [[nodiscard]] QStringList Take() { return std::exchange(entries, {}); }

    QStringList entries;
};

// A shown, active window with a combo box of three items and another field.
struct TComboFixture
{
    TComboFixture()
    {
        window.resize(240, 120);
        combo = new TAdvancedComboBox(&window);
        combo->setGeometry(10, 10, 150, 22);
        combo->addItems({u"Goblin"_s, u"Ork"_s, u"Troll"_s});
        other = new QLineEdit(&window);
        other->setGeometry(10, 60, 150, 22);
        window.show();
        window.activateWindow();
    }

    QWidget window;
    TAdvancedComboBox* combo = nullptr;
    QLineEdit* other = nullptr;
};

// Counts what reaches the two overridable raise operations.
class TRecordingComboBox final : public TAdvancedComboBox
{
public:
    using TAdvancedComboBox::TAdvancedComboBox;

    int clicks = 0;
    int edits = 0;

protected:
    void ChangeClick() override
    {
        ++clicks;
        TAdvancedComboBox::ChangeClick();
    }
    void ChangeEdit() override
    {
        ++edits;
        TAdvancedComboBox::ChangeEdit();
    }
};

// Size that an auto-sized label takes for caption, on a fresh label of the same font.
QSize AutoSizeOf(const QString& caption, bool showAccelChar, QWidget* parent)
{
    TStaticText label(parent);
    label.SetShowAccelChar(showAccelChar);
    label.SetCaption(caption);
    return label.size();
}

} // namespace

class ComponentsTest final : public QObject
{
    Q_OBJECT

private slots:
    void listBoxHandledMoveIsSkipped();
    void listBoxUnhandledMoveMovesSelection();
    void listBoxNegativePositionReachesHandler();
    void listBoxItemIndex();
    void listBoxArrowKeysWithAndWithoutASelection();

    void comboPickWithMouseRaisesClickOnce();
    void comboArrowKeysRaiseClickOnce();
    void comboTypingRaisesEditOnly();
    void comboProgramChangesRaiseNothing();
    void comboRaisesThroughOverridableOperations();

    void staticTextDefaults();
    void staticTextAccelCharParsing();
    void staticTextMeasuresWithoutAccelMark();
    void staticTextEmptyCaptionKeepsOneLine();
    void staticTextKeepsEdgeByAlignment();
    void staticTextWrapsAtCurrentWidth();
    void staticTextAlignmentAndWordWrapInvariant();
    void staticTextResizesOnlyWhenAsked();
    void staticTextFollowsFont();
    void staticTextDrawsAccelMarkAsAsked();
    void staticTextAcceleratorMovesFocus();
    void staticTextAcceleratorLeftToOthers();
    void staticTextForgetsDestroyedFocusControl();
    void staticTextClickEvents();

    void lazyIconAnswersAsTheFileIcon();
    void lazyIconReadsItsFilesWhenFirstAsked();
};

// ---------------------------------------------------------------- TAdvancedListBox

void ComponentsTest::listBoxHandledMoveIsSkipped()
{
    TListFixture f;
    QWidget* viewport = f.list->viewport();
    QSignalSpy moved(f.list, &TAdvancedListBox::MouseMoved);
    QList<TMoveCall> calls;
    f.list->WhenMouseMove = [&](Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, int x,
                                int y) {
        calls.append({modifiers, buttons, {x, y}});
        return true;
    };

    QTest::mousePress(viewport, Qt::LeftButton, {}, f.RowCenter(0));
    QCOMPARE(f.list->ItemIndex(), 0);
    QTest::mouseMove(viewport, f.RowCenter(3));
    QTest::mouseMove(viewport, f.RowCenter(4));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, f.RowCenter(4));

    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls[0].buttons, Qt::MouseButtons(Qt::LeftButton));
    QCOMPARE(calls[0].pos, f.RowCenter(3));
    QCOMPARE(calls[1].pos, f.RowCenter(4));
    QCOMPARE(f.list->ItemIndex(), 0);
    QCOMPARE(moved.count(), 0);

    // The keys held reach the handler too.
    QMouseEvent shifted(QEvent::MouseMove, QPointF(f.RowCenter(2)),
                        viewport->mapToGlobal(QPointF(f.RowCenter(2))), Qt::NoButton, Qt::NoButton,
                        Qt::ShiftModifier);
    QApplication::sendEvent(viewport, &shifted);
    QCOMPARE(calls.size(), 3);
    QCOMPARE(calls[2].modifiers, Qt::KeyboardModifiers(Qt::ShiftModifier));
    QCOMPARE(calls[2].buttons, Qt::MouseButtons(Qt::NoButton));
    QCOMPARE(moved.count(), 0);
}

void ComponentsTest::listBoxUnhandledMoveMovesSelection()
{
    TListFixture f;
    QWidget* viewport = f.list->viewport();
    QSignalSpy moved(f.list, &TAdvancedListBox::MouseMoved);
    int calls = 0;
    f.list->WhenMouseMove = [&](Qt::KeyboardModifiers, Qt::MouseButtons, int, int) {
        ++calls;
        return false;
    };

    QTest::mousePress(viewport, Qt::LeftButton, {}, f.RowCenter(1));
    QTest::mouseMove(viewport, f.RowCenter(3));
    QCOMPARE(calls, 1);
    QCOMPARE(f.list->ItemIndex(), 3);
    QCOMPARE(moved.count(), 1);
    const QList<QVariant> args = moved.takeFirst();
    QCOMPARE(args.at(1).value<Qt::MouseButtons>(), Qt::MouseButtons(Qt::LeftButton));
    QCOMPARE(QPoint(args.at(2).toInt(), args.at(3).toInt()), f.RowCenter(3));

    // Without a handler the list behaves the same.
    f.list->WhenMouseMove = nullptr;
    QTest::mouseMove(viewport, f.RowCenter(5));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, f.RowCenter(5));
    QCOMPARE(f.list->ItemIndex(), 5);
    QCOMPARE(moved.count(), 1);
    QCOMPARE(calls, 1);
}

void ComponentsTest::listBoxNegativePositionReachesHandler()
{
    TListFixture f;
    QWidget* viewport = f.list->viewport();
    QList<TMoveCall> calls;
    f.list->WhenMouseMove = [&](Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, int x,
                                int y) {
        calls.append({modifiers, buttons, {x, y}});
        return true;
    };

    // The button pressed inside keeps the moves coming when the mouse leaves the list.
    QTest::mousePress(viewport, Qt::LeftButton, {}, f.RowCenter(1));
    QTest::mouseMove(viewport, QPoint(-7, 20));
    QTest::mouseMove(viewport, QPoint(30, -12));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(30, -12));

    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls[0].pos, QPoint(-7, 20));
    QCOMPARE(calls[0].buttons, Qt::MouseButtons(Qt::LeftButton));
    QCOMPARE(calls[1].pos, QPoint(30, -12));
    QCOMPARE(f.list->ItemIndex(), 1);
}

void ComponentsTest::listBoxItemIndex()
{
    TAdvancedListBox empty;
    QCOMPARE(empty.Count(), 0);
    QCOMPARE(empty.ItemIndex(), -1);
    empty.SetItemIndex(0); // no model: nothing to select, and no crash

    TListFixture f;
    QCOMPARE(f.list->Count(), 6);
    QCOMPARE(f.list->ItemIndex(), -1);
    f.list->SetItemIndex(2);
    QCOMPARE(f.list->ItemIndex(), 2);
    QCOMPARE(f.list->currentIndex().row(), 2);
    f.list->SetItemIndex(6);
    QCOMPARE(f.list->ItemIndex(), -1);
    f.list->SetItemIndex(4);
    f.list->SetItemIndex(-1);
    QCOMPARE(f.list->ItemIndex(), -1);

    f.list->SetItemHeight(20);
    QCOMPARE(f.list->ItemHeight(), 20);
    f.list->doItemsLayout();
    QCOMPARE(f.list->visualRect(f.model.index(1, 0)).top(), 20);
    QCOMPARE(f.list->visualRect(f.model.index(1, 0)).height(), 20);
}

void ComponentsTest::listBoxArrowKeysWithAndWithoutASelection()
{
    TListFixture f;
    const int last = f.list->Count() - 1;
    // Where the key leaves the selection, from every starting point: with no
    // row selected Down selects the first row and Up the last, whichever row
    // was current; otherwise the next or the previous row, none beyond the ends.
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up}) {
        for (int current = -1; current <= last; ++current) {
            for (const bool selected : {false, true}) {
                if (selected && current < 0)
                    continue;
                f.list->SetItemIndex(current);
                if (!selected)
                    f.list->SetItemIndex(-1);
                QCOMPARE(f.list->ItemIndex(), selected ? current : -1);
                QTest::keyClick(f.list, key);
                const int expected =
                    !selected ? (key == Qt::Key_Down ? 0 : last)
                              : std::clamp(current + (key == Qt::Key_Down ? 1 : -1), 0, last);
                QCOMPARE(f.list->ItemIndex(), expected);
            }
        }
    }
    // An empty list stays empty.
    TAdvancedListBox empty;
    QStringListModel none;
    empty.setModel(&none);
    QTest::keyClick(&empty, Qt::Key_Down);
    QTest::keyClick(&empty, Qt::Key_Up);
    QCOMPARE(empty.ItemIndex(), -1);
}

// ---------------------------------------------------------------- TAdvancedComboBox

void ComponentsTest::comboPickWithMouseRaisesClickOnce()
{
    TComboFixture f;
    TComboLog log(*f.combo);
    QSignalSpy clicks(f.combo, &TAdvancedComboBox::OnChange_Click);

    f.combo->showPopup();
    QAbstractItemView* view = f.combo->view();
    QVERIFY(view->isVisible());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(f.combo->model()->index(2, 0)).center());

    QCOMPARE(f.combo->currentIndex(), 2);
    QCOMPARE(log.Take(),
             (QStringList{u"change:Troll"_s, u"index:2"_s, u"click:2"_s, u"Change_Click"_s}));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(0).value<TAdvancedComboBox*>(), f.combo);
}

void ComponentsTest::comboArrowKeysRaiseClickOnce()
{
    TComboFixture f;
    f.combo->setFocus();
    TComboLog log(*f.combo);

    QTest::keyClick(f.combo, Qt::Key_Down);
    QCOMPARE(log.Take(),
             (QStringList{u"change:Ork"_s, u"index:1"_s, u"click:1"_s, u"Change_Click"_s}));
    QTest::keyClick(f.combo, Qt::Key_Down);
    QCOMPARE(log.Take(),
             (QStringList{u"change:Troll"_s, u"index:2"_s, u"click:2"_s, u"Change_Click"_s}));
    // At the last item the key changes nothing and raises nothing.
    QTest::keyClick(f.combo, Qt::Key_Down);
    QCOMPARE(log.Take(), QStringList());
    QTest::keyClick(f.combo, Qt::Key_Up);
    QCOMPARE(log.Take(),
             (QStringList{u"change:Ork"_s, u"index:1"_s, u"click:1"_s, u"Change_Click"_s}));
}

void ComponentsTest::comboTypingRaisesEditOnly()
{
    TComboFixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    f.combo->setFocus();
    TComboLog log(*f.combo);

    QTest::keyClick(f.combo, Qt::Key_X);
    QCOMPARE(log.Take(), (QStringList{u"change:Goblinx"_s, u"Change_Edit"_s}));
    QTest::keyClick(f.combo, Qt::Key_Backspace);
    QCOMPARE(log.Take(), (QStringList{u"change:Goblin"_s, u"Change_Edit"_s}));

    // Typing a remembered name in full is still typing: the text is not
    // completed while typed, and finishing the edit does not count as a pick.
    f.combo->clearEditText();
    log.entries.clear();
    QTest::keyClicks(f.combo, u"Tr"_s);
    QCOMPARE(f.combo->currentText(), u"Tr"_s);
    QCOMPARE(log.Take(),
             (QStringList{u"change:T"_s, u"Change_Edit"_s, u"change:Tr"_s, u"Change_Edit"_s}));
    QTest::keyClicks(f.combo, u"oll"_s);
    QTest::keyClick(f.combo, Qt::Key_Return);
    QCOMPARE(f.combo->currentText(), u"Troll"_s);
    QCOMPARE(f.combo->count(), 3);
    QVERIFY(!log.Take().contains(u"Change_Click"_s));

    f.combo->setCurrentIndex(0);
    f.combo->setFocus();
    f.combo->clearEditText();
    QTest::keyClicks(f.combo, u"Ork"_s);
    log.entries.clear();
    f.other->setFocus();
    QVERIFY(f.other->hasFocus());
    QVERIFY(!log.Take().contains(u"Change_Click"_s));
}

void ComponentsTest::comboProgramChangesRaiseNothing()
{
    TComboFixture f;
    QSignalSpy clicks(f.combo, &TAdvancedComboBox::OnChange_Click);
    QSignalSpy edits(f.combo, &TAdvancedComboBox::OnChange_Edit);
    QSignalSpy changes(f.combo, &QComboBox::editTextChanged);

    f.combo->setCurrentIndex(2);
    f.combo->setCurrentIndex(-1);
    f.combo->setEditText(u"Skřet"_s);
    f.combo->setCurrentText(u"Ork"_s);
    f.combo->lineEdit()->setText(u"Hobit"_s);
    f.combo->clearEditText();
    f.combo->insertItem(0, u"Drak"_s);
    f.combo->clear();

    QVERIFY(changes.count() >= 6);
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(edits.count(), 0);
}

void ComponentsTest::comboRaisesThroughOverridableOperations()
{
    QWidget window;
    auto* combo = new TRecordingComboBox(&window);
    combo->addItems({u"Goblin"_s, u"Ork"_s});
    window.show();
    combo->setFocus();
    QSignalSpy clicks(combo, &TAdvancedComboBox::OnChange_Click);
    QSignalSpy edits(combo, &TAdvancedComboBox::OnChange_Edit);

    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_A);
    QCOMPARE(combo->clicks, 1);
    QCOMPARE(combo->edits, 1);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(edits.count(), 1);
}

// ---------------------------------------------------------------- TStaticText

void ComponentsTest::staticTextDefaults()
{
    const TStaticText label;
    QCOMPARE(label.size(), QSize(100, 13));
    QCOMPARE(label.Caption(), QString());
    QCOMPARE(label.Alignment(), TAlignment::taLeftJustify);
    QVERIFY(label.AutoSize());
    QCOMPARE(label.FocusControl(), nullptr);
    QVERIFY(label.ShowAccelChar());
    QVERIFY(!label.WordWrap());
    QCOMPARE(label.Look(), TStaticTextLook::stlText);
    QCOMPARE(label.focusPolicy(), Qt::NoFocus);
    QCOMPARE(static_cast<int>(TStaticTextLook::stlEtchedVert), 11);
    QCOMPARE(static_cast<int>(TStaticTextLook::stlWhiteFrame), 8);
}

void ComponentsTest::staticTextAccelCharParsing()
{
    QCOMPARE(TStaticText::AccelChar(u"&Jméno:"_s), u'J');
    QCOMPARE(TStaticText::AccelChar(u"Po&čet"_s), u'č');
    QCOMPARE(TStaticText::AccelChar(u"Zlato && &stříbro"_s), u's');
    QCOMPARE(TStaticText::AccelChar(u"&&&x"_s), u'x');
    QCOMPARE(TStaticText::AccelChar(u"a&b&c"_s), u'b');
    QCOMPARE(TStaticText::AccelChar(u"Zlato && stříbro"_s), QChar());
    QCOMPARE(TStaticText::AccelChar(u"konec&"_s), QChar());
    QCOMPARE(TStaticText::AccelChar(u"&"_s), QChar());
    QCOMPARE(TStaticText::AccelChar(QString()), QChar());
}

void ComponentsTest::staticTextMeasuresWithoutAccelMark()
{
    QWidget form;
    TStaticText label(&form);
    label.SetCaption(u"&Jméno:"_s);

    const QSize plain = AutoSizeOf(u"Jméno:"_s, true, &form);
    QCOMPARE(label.size(), plain);
    QCOMPARE(label.height(), AutoSizeOf(u"x"_s, true, &form).height());

    // Shown literally, the "&" takes room.
    const QSize literal = AutoSizeOf(u"&Jméno:"_s, false, &form);
    QCOMPARE(literal.height(), plain.height());
    QVERIFY(literal.width() > plain.width());
    QCOMPARE(literal, AutoSizeOf(u"&&Jméno:"_s, true, &form));
}

void ComponentsTest::staticTextEmptyCaptionKeepsOneLine()
{
    QWidget form;
    TStaticText label(&form);
    const int line = AutoSizeOf(u"x"_s, true, &form).height();
    QVERIFY(line >= label.fontMetrics().height());
    QVERIFY(line < 2 * label.fontMetrics().height());
    const int blank = AutoSizeOf(u" "_s, true, &form).width();
    QVERIFY(blank > 0);

    label.SetCaption(u"Dva\nřádky"_s);
    QVERIFY(label.height() > line);
    label.SetCaption(QString());
    QCOMPARE(label.size(), QSize(blank, line));
    label.SetCaption(u"&"_s);
    QCOMPARE(label.size(), QSize(blank, line));

    // Shown literally, a lone "&" is a character of its own.
    label.SetShowAccelChar(false);
    label.SetCaption(u"x"_s);
    label.SetCaption(u"&"_s);
    QCOMPARE(label.size(), AutoSizeOf(u"&&"_s, true, &form));
    QCOMPARE(label.height(), line);
}

void ComponentsTest::staticTextKeepsEdgeByAlignment()
{
    QWidget form;
    form.resize(400, 200);

    TStaticText right(&form);
    right.move(200, 40);
    right.SetAlignment(TAlignment::taRightJustify);
    right.SetCaption(u"Jméno:"_s);
    const int rightEdge = right.x() + right.width();
    QCOMPARE(rightEdge, 300);
    const int shortWidth = right.width();
    right.SetCaption(u"Jméno_nestvůry:"_s);
    QVERIFY(right.width() > shortWidth);
    QCOMPARE(right.x() + right.width(), rightEdge);
    QCOMPARE(right.y(), 40);
    right.SetCaption(u"J:"_s);
    QVERIFY(right.width() < shortWidth);
    QCOMPARE(right.x() + right.width(), rightEdge);

    TStaticText centred(&form);
    centred.move(50, 80);
    centred.SetAlignment(TAlignment::taCenter);
    centred.SetCaption(u"Jméno:"_s);
    centred.SetCaption(u"Jméno_nestvůry:"_s);
    QCOMPARE(centred.pos(), QPoint(50, 80));

    TStaticText left(&form);
    left.move(50, 120);
    left.SetCaption(u"Jméno:"_s);
    const int leftShort = left.width();
    left.SetCaption(u"Jméno nestvůry:"_s);
    QCOMPARE(left.pos(), QPoint(50, 120));
    QVERIFY(left.width() > leftShort);
}

void ComponentsTest::staticTextWrapsAtCurrentWidth()
{
    QWidget form;
    TStaticText label(&form);
    label.SetAutoSize(false);
    label.SetCaption(u"Útok obrana odolnost"_s);
    QCOMPARE(label.size(), QSize(100, 13));
    const QSize oneLine = AutoSizeOf(u"Útok obrana odolnost"_s, true, &form);
    const QSize threeLines = AutoSizeOf(u"Útok\nobrana\nodolnost"_s, true, &form);
    const int longestWord = AutoSizeOf(u"odolnost"_s, true, &form).width();

    label.resize(longestWord + 2, 13);
    label.SetWordWrap(true);
    label.SetAutoSize(true);
    QCOMPARE(label.height(), threeLines.height());
    QVERIFY(label.width() <= longestWord + 2);
    QVERIFY(label.width() >= longestWord);
    QCOMPARE(label.pos(), QPoint(0, 0));

    // Without wrapping the width follows the text again.
    label.SetWordWrap(false);
    QCOMPARE(label.size(), oneLine);
}

void ComponentsTest::staticTextAlignmentAndWordWrapInvariant()
{
    TStaticText label;
    label.SetCaption(u"Jméno nestvůry:"_s);
    label.resize(30, 13);

    // Alignment alone does not re-size, though wrapping at this width would.
    label.SetAlignment(TAlignment::taCenter);
    QVERIFY(label.WordWrap());
    QCOMPARE(label.size(), QSize(30, 13));
    label.SetWordWrap(false);
    QCOMPARE(label.Alignment(), TAlignment::taLeftJustify);

    label.SetAlignment(TAlignment::taRightJustify);
    QVERIFY(label.WordWrap());
    label.SetAlignment(TAlignment::taLeftJustify);
    QVERIFY(label.WordWrap());
    label.SetWordWrap(true);
    QCOMPARE(label.Alignment(), TAlignment::taLeftJustify);
    label.SetAlignment(TAlignment::taRightJustify);
    label.SetWordWrap(true);
    QCOMPARE(label.Alignment(), TAlignment::taRightJustify);
    label.SetWordWrap(false);
    QCOMPARE(label.Alignment(), TAlignment::taLeftJustify);
    QVERIFY(!label.WordWrap());
}

void ComponentsTest::staticTextResizesOnlyWhenAsked()
{
    QWidget form;
    TStaticText label(&form);
    label.SetAutoSize(false);
    label.SetCaption(u"Velmi dlouhý popisek pole"_s);
    QCOMPARE(label.size(), QSize(100, 13));
    label.SetAutoSize(true);
    QCOMPARE(label.size(), AutoSizeOf(u"Velmi dlouhý popisek pole"_s, true, &form));

    // Neither the accelerator setting nor the look re-sizes; a label that shows
    // no text does not follow its caption.
    label.SetCaption(u"&A"_s);
    const QSize sized = label.size();
    label.SetShowAccelChar(false);
    QCOMPARE(label.size(), sized);
    label.SetShowAccelChar(true);
    label.SetLook(TStaticTextLook::stlEtchedHorz);
    label.SetCaption(u"Velmi dlouhý popisek pole"_s);
    QCOMPARE(label.size(), sized);
    label.SetLook(TStaticTextLook::stlText);
    label.SetCaption(u"&B"_s);
    QCOMPARE(label.size(), AutoSizeOf(u"B"_s, true, &form));
}

void ComponentsTest::staticTextFollowsFont()
{
    QWidget form;
    QFont small = form.font();
    small.setPixelSize(11);
    form.setFont(small);
    TStaticText label(&form);
    label.SetCaption(u"&Zranění:"_s);
    const QSize smallSize = label.size();
    QCOMPARE(smallSize, AutoSizeOf(u"Zranění:"_s, true, &form));

    // The form's font reaches its labels, and they re-size to it.
    QFont large = small;
    large.setPixelSize(22);
    form.setFont(large);
    QCOMPARE(label.font().pixelSize(), 22);
    QCOMPARE(label.size(), AutoSizeOf(u"Zranění:"_s, true, &form));
    QVERIFY(label.height() > smallSize.height());
    QVERIFY(label.width() > smallSize.width());

    label.setFont(small);
    QCOMPARE(label.size(), smallSize);
}

void ComponentsTest::staticTextDrawsAccelMarkAsAsked()
{
    QWidget form;
    TStaticText doubled(&form);
    doubled.SetCaption(u"Zlato&&stříbro"_s);
    TStaticText literal(&form);
    literal.SetShowAccelChar(false);
    literal.SetCaption(u"Zlato&stříbro"_s);
    TStaticText blank(&form);
    blank.SetAutoSize(false);
    blank.resize(doubled.size());

    QCOMPARE(doubled.size(), literal.size());
    const QImage drawn = doubled.grab().toImage();
    QVERIFY(drawn != blank.grab().toImage()); // the text is drawn at all
    QCOMPARE(drawn, literal.grab().toImage());

    // A single mark is not drawn; the accelerator is underlined instead.
    TStaticText marked(&form);
    marked.SetCaption(u"Zlato&stříbro"_s);
    TStaticText unmarked(&form);
    unmarked.SetShowAccelChar(false);
    unmarked.SetCaption(u"Zlatostříbro"_s);
    QCOMPARE(marked.size(), unmarked.size());
    QVERIFY(marked.grab().toImage() != unmarked.grab().toImage());
}

void ComponentsTest::staticTextAcceleratorMovesFocus()
{
    QWidget window;
    window.resize(300, 200);
    auto* label = new TStaticText(&window);
    label->move(10, 10);
    label->SetCaption(u"&Jméno:"_s);
    auto* name = new QLineEdit(&window);
    name->setGeometry(80, 10, 100, 20);
    auto* other = new QLineEdit(&window);
    other->setGeometry(80, 50, 100, 20);
    label->SetFocusControl(name);
    QCOMPARE(label->FocusControl(), name);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    const auto pressAltJ = [&] {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_J, Qt::AltModifier);
    };
    const auto focusOther = [&] {
        other->setFocus();
        QCOMPARE(QApplication::focusWidget(), other);
    };

    focusOther();
    pressAltJ();
    QCOMPARE(QApplication::focusWidget(), name);

    // A control that cannot take the focus does not get it.
    focusOther();
    name->setEnabled(false);
    pressAltJ();
    QCOMPARE(QApplication::focusWidget(), other);
    name->setEnabled(true);

    name->setFocusPolicy(Qt::NoFocus);
    pressAltJ();
    QCOMPARE(QApplication::focusWidget(), other);
    name->setFocusPolicy(Qt::StrongFocus);

    name->hide();
    pressAltJ();
    QCOMPARE(QApplication::focusWidget(), other);
    name->show();

    // Another key is not the accelerator.
    QTest::keyClick(other, Qt::Key_K, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), other);

    // The accelerator follows the caption.
    label->SetCaption(u"Po&čet:"_s);
    pressAltJ();
    QCOMPARE(QApplication::focusWidget(), other);
    QTest::sendKeyEvent(QTest::Click, other, static_cast<Qt::Key>(QChar(u'Č').unicode()), u"č"_s,
                        Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), name);
}

void ComponentsTest::staticTextAcceleratorLeftToOthers()
{
    QWidget window;
    window.resize(300, 200);
    auto* label = new TStaticText(&window);
    label->SetCaption(u"&Jméno:"_s);
    auto* name = new QLineEdit(&window);
    name->setGeometry(80, 10, 100, 20);
    auto* other = new QLineEdit(&window);
    other->setGeometry(80, 50, 100, 20);
    int othersGot = 0;
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_J), &window);
    connect(shortcut, &QShortcut::activated, this, [&] { ++othersGot; });
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();

    const auto pressAltJ = [&] { QTest::keyClick(other, Qt::Key_J, Qt::AltModifier); };

    // No focus control.
    pressAltJ();
    QCOMPARE(othersGot, 1);

    // A disabled label.
    label->SetFocusControl(name);
    label->setEnabled(false);
    pressAltJ();
    QCOMPARE(othersGot, 2);
    QCOMPARE(QApplication::focusWidget(), other);
    label->setEnabled(true);

    // The "&" shown literally.
    label->SetShowAccelChar(false);
    pressAltJ();
    QCOMPARE(othersGot, 3);
    QCOMPARE(QApplication::focusWidget(), other);
    label->SetShowAccelChar(true);

    // "&&" is no accelerator.
    label->SetCaption(u"&&Jméno:"_s);
    pressAltJ();
    QCOMPARE(othersGot, 4);
    QCOMPARE(QApplication::focusWidget(), other);

    // A focus control that cannot take the focus: disabled, hidden itself or
    // with its parent.
    label->SetCaption(u"&Jméno:"_s);
    name->setEnabled(false);
    pressAltJ();
    QCOMPARE(othersGot, 5);
    name->setEnabled(true);
    name->hide();
    pressAltJ();
    QCOMPARE(othersGot, 6);
    name->show();
    auto* group = new QWidget(&window);
    auto* inGroup = new QLineEdit(group);
    group->show();
    label->SetFocusControl(inGroup);
    group->setEnabled(false);
    pressAltJ();
    QCOMPARE(othersGot, 7);
    group->setEnabled(true);
    group->hide();
    pressAltJ();
    QCOMPARE(othersGot, 8);
    QCOMPARE(QApplication::focusWidget(), other);
}

void ComponentsTest::staticTextClickEvents()
{
    QWidget window;
    window.resize(200, 100);
    auto* label = new TStaticText(&window);
    label->SetCaption(u"&Jméno:"_s);
    label->move(10, 10);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStringList events;
    connect(label, &TStaticText::OnClick, this, [&](TStaticText* sender) {
        QCOMPARE(sender, label);
        events << u"click"_s;
    });
    connect(label, &TStaticText::OnDblClick, this, [&](TStaticText* sender) {
        QCOMPARE(sender, label);
        events << u"double"_s;
    });
    const QPoint inside = label->rect().center();
    QTest::mouseClick(label, Qt::LeftButton, {}, inside);
    QCOMPARE(events, QStringList{u"click"_s});
    events.clear();
    QTest::mouseClick(label, Qt::LeftButton, {}, inside);
    QTest::mouseDClick(label, Qt::LeftButton, {}, inside);
    QCOMPARE(events, (QStringList{u"click"_s, u"double"_s}));
    events.clear();
    // The right button, or a release away from the label, is no click.
    QTest::mouseClick(label, Qt::RightButton, {}, inside);
    QTest::mousePress(label, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(label->width() + 50, 5));
    QVERIFY(events.isEmpty());
}

void ComponentsTest::staticTextForgetsDestroyedFocusControl()
{
    QWidget window;
    window.resize(300, 200);
    auto* label = new TStaticText(&window);
    label->SetCaption(u"&Jméno:"_s);
    auto* other = new QLineEdit(&window);
    auto* first = new QLineEdit(&window);
    auto* second = new QLineEdit(&window);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    // Only the current focus control is watched.
    label->SetFocusControl(first);
    label->SetFocusControl(second);
    delete first;
    QCOMPARE(label->FocusControl(), second);

    delete second;
    QCOMPARE(label->FocusControl(), nullptr);
    other->setFocus();
    int othersGot = 0;
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_J), &window);
    connect(shortcut, &QShortcut::activated, this, [&] { ++othersGot; });
    QTest::keyClick(other, Qt::Key_J, Qt::AltModifier);
    QCOMPARE(othersGot, 1);
    QCOMPARE(QApplication::focusWidget(), other);

    // A label that outlives nothing it points at stays usable.
    auto* third = new QLineEdit(&window);
    third->show();
    label->SetFocusControl(third);
    delete label;
    delete third;
}

// The lazy icon of files answers every question as the icon addFile makes of
// the same files: sizes below, between, at and above the files', at screens
// of several ratios, in every mode, drawn or as pixmaps.
void ComponentsTest::lazyIconAnswersAsTheFileIcon()
{
    QList<std::pair<QString, QSize>> files;
    QIcon eager;
    for (const int size : {16, 24, 32, 48, 64, 128}) {
        const QString name = QStringLiteral(":/emblem/%1.png").arg(size);
        files.append({name, QSize(size, size)});
        eager.addFile(name, QSize(size, size));
    }
    const QIcon lazy = LazyFileIcon(files);
    QVERIFY(!lazy.isNull());
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active}) {
        QCOMPARE(lazy.availableSizes(mode), eager.availableSizes(mode));
        for (const int side : {8, 16, 20, 48, 100, 128, 300}) {
            const QSize size(side, side);
            QCOMPARE(lazy.actualSize(size, mode), eager.actualSize(size, mode));
            for (const qreal ratio : {1.0, 1.5, 2.0, 3.0}) {
                const QPixmap want = eager.pixmap(size, ratio, mode);
                const QPixmap got = lazy.pixmap(size, ratio, mode);
                QCOMPARE(got.devicePixelRatio(), want.devicePixelRatio());
                QCOMPARE(got.toImage(), want.toImage());

                QImage drawnLazy(size * ratio, QImage::Format_ARGB32_Premultiplied);
                drawnLazy.setDevicePixelRatio(ratio);
                drawnLazy.fill(Qt::transparent);
                QImage drawnEager = drawnLazy;
                {
                    QPainter p(&drawnLazy);
                    lazy.paint(&p, QRect(QPoint(), size), Qt::AlignCenter, mode);
                }
                {
                    QPainter p(&drawnEager);
                    eager.paint(&p, QRect(QPoint(), size), Qt::AlignCenter, mode);
                }
                QCOMPARE(drawnLazy, drawnEager);
            }
        }
    }
    // A copy is the same icon.
    const QIcon copy = lazy;
    QCOMPARE(copy.pixmap(40).toImage(), eager.pixmap(40).toImage());

    // Files that are not there make a null icon, as they make a null file icon.
    const QIcon none = LazyFileIcon({{QStringLiteral(":/emblem/none.png"), QSize(16, 16)}});
    QVERIFY(none.isNull());
    QVERIFY(none.pixmap(16).isNull());
    QVERIFY(none.availableSizes().isEmpty());
}

// Nothing is read when the icon is made: a file written after it is the one
// drawn, and a file changed after the first drawing is not read again.
void ComponentsTest::lazyIconReadsItsFilesWhenFirstAsked()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString name = dir.filePath(QStringLiteral("icon.png"));
    const QIcon icon = LazyFileIcon({{name, QSize(16, 16)}});

    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(name));
    QCOMPARE(icon.pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::red));

    QImage blue = red;
    blue.fill(Qt::blue);
    QVERIFY(blue.save(name));
    QCOMPARE(icon.pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::red));
}

} // namespace mecovnik

MECOVNIK_GUI_TEST_MAIN(mecovnik::ComponentsTest)
#include "ComponentsTest.moc"
