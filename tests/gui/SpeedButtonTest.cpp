#include "GuiTestEnvironment.h"

#include "toolbar/TGlyphCache.h"
#include "toolbar/THandleSpeedButton.h"

#include <QSignalSpy>

using namespace mecovnik;

namespace {

const QColor kOlive(128, 128, 0);

// A 20 x 20 glyph on olive: one blue pixel at the top-left corner and a black
// one at (5, 5).
QPixmap MarkedGlyph()
{
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(kOlive);
    image.setPixelColor(0, 0, Qt::blue);
    image.setPixelColor(5, 5, Qt::black);
    return QPixmap::fromImage(image);
}

// A double click as the window system delivers it: press, release, then the
// second press as a double click, and its release.
void DoubleClick(QWidget* w, QPoint at)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, w->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, {});
    QApplication::sendEvent(w, &dbl);
    QTest::mouseRelease(w, Qt::LeftButton, {}, at);
}

QColor At(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

} // namespace

class SpeedButtonTest : public QObject
{
    Q_OBJECT

private:
    QWidget m_parent;

    THandleSpeedButton* Make(const QPixmap& glyph = MarkedGlyph())
    {
        auto* b = new THandleSpeedButton(&m_parent);
        b->SetGlyph(glyph);
        b->show();
        return b;
    }

    static QImage Picture(THandleSpeedButton* b) { return b->grab().toImage(); }

private slots:
    void init()
    {
        qDeleteAll(m_parent.findChildren<THandleSpeedButton*>(Qt::FindDirectChildrenOnly));
        m_parent.resize(200, 100);
        m_parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_parent));
    }

    void aNewButton()
    {
        THandleSpeedButton* b = Make();
        QCOMPARE(b->size(), QSize(25, 25));
        QCOMPARE(b->AllowAllUp(), false);
        QCOMPARE(b->GroupIndex(), 0);
        QCOMPARE(b->Margin(), -1);
        QCOMPARE(b->Spacing(), 4);
        QCOMPARE(b->NumGlyphs(), 1);
        QCOMPARE(b->ButtonGlyph().TransparentColor(), kOlive);
        b->SetNumGlyphs(5);
        QCOMPARE(b->NumGlyphs(), 4);
        b->SetNumGlyphs(0);
        QCOMPARE(b->NumGlyphs(), 4);
        b->SetMargin(-2);
        QCOMPARE(b->Margin(), -1);
        b->SetDown(true);
        QVERIFY2(!b->Down(), "a push button never latches");
    }

    void glyphUpPressedAndLatched()
    {
        THandleSpeedButton* b = Make();
        const QColor face = b->palette().color(QPalette::Button);
        QImage up = Picture(b);
        QCOMPARE(At(up, 2, 2), QColor(Qt::blue));
        QCOMPARE(At(up, 12, 12), face); // olive became the face

        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(b->PaintState(), TButtonPaintState::psDown);
        QImage down = Picture(b);
        QCOMPARE(At(down, 3, 3), QColor(Qt::blue));
        QVERIFY(At(down, 2, 2) != QColor(Qt::blue));
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(10, 10));

        b->SetGroupIndex(1);
        b->SetDown(true);
        QCOMPARE(b->PaintState(), TButtonPaintState::psLatched);
        QImage latched = Picture(b);
        QCOMPARE(At(latched, 3, 3), QColor(Qt::blue));
        // The checkerboard shows through the transparent part of the glyph:
        // white where x and y are both even or both odd.
        for (int y = 4; y < 20; ++y) {
            for (int x = 4; x < 20; ++x) {
                if (x == 8 && y == 8)
                    continue; // the black pixel at (5, 5) of the glyph
                const QColor want = (x + y) % 2 == 0 ? QColor(Qt::white) : face;
                QCOMPARE(At(latched, x, y), want);
            }
        }
        QCOMPARE(At(latched, 8, 8), QColor(Qt::black));
    }

    void theDisabledGlyphIsEmbossed()
    {
        THandleSpeedButton* b = Make();
        b->setEnabled(false);
        const QPalette& pal = b->palette();
        const QImage image = Picture(b);
        QCOMPARE(b->PaintState(), TButtonPaintState::psDisabled);
        // The black pixel at (5, 5) is the shape: shadow in place, highlight
        // one pixel right and down. Blue is dark too.
        QCOMPARE(At(image, 7, 7), pal.color(QPalette::Dark));
        QCOMPARE(At(image, 8, 8), pal.color(QPalette::Light));
        QCOMPARE(At(image, 2, 2), pal.color(QPalette::Dark));
        QCOMPARE(At(image, 3, 3), pal.color(QPalette::Light));
        QCOMPARE(At(image, 12, 12), pal.color(QPalette::Button));
        b->setEnabled(true);
        QCOMPARE(At(Picture(b), 2, 2), QColor(Qt::blue));
        QCOMPARE(b->PaintState(), TButtonPaintState::psUp);
    }

    void tracking()
    {
        THandleSpeedButton* b = Make();
        QSignalSpy clicks(b, &THandleSpeedButton::OnClick);
        // Out and back in before the release: pressed again, and a click.
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(b, QPoint(40, 10));
        QCOMPARE(b->PaintState(), TButtonPaintState::psUp);
        QTest::mouseMove(b, QPoint(10, 10));
        QCOMPARE(b->PaintState(), TButtonPaintState::psDown);
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(clicks.count(), 1);
        // Released outside: no click.
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(40, 10));
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(b->PaintState(), TButtonPaintState::psUp);
        // The bottom edge counts as inside, the right edge does not.
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(10, 25));
        QCOMPARE(clicks.count(), 2);
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(25, 10));
        QCOMPARE(clicks.count(), 2);
        // Only the left button tracks.
        QTest::mousePress(b, Qt::RightButton, {}, QPoint(10, 10));
        QTest::mouseRelease(b, Qt::RightButton, {}, QPoint(10, 10));
        QCOMPARE(clicks.count(), 2);
        QVERIFY(!b->Tracking());
    }

    void latchingGroups()
    {
        THandleSpeedButton* a = Make();
        THandleSpeedButton* c = Make();
        THandleSpeedButton* other = Make();
        a->SetGroupIndex(3);
        c->SetGroupIndex(3);
        other->SetGroupIndex(4);
        other->SetDown(true);
        QSignalSpy clicks(a, &THandleSpeedButton::OnClick);
        QSignalSpy doubles(a, &THandleSpeedButton::OnDblClick);

        // The first click latches it; the second press finds it down.
        DoubleClick(a, QPoint(5, 5));
        QCOMPARE(doubles.count(), 1);
        QVERIFY(a->Down());
        // A push button is never down: no double click.
        THandleSpeedButton* push = Make();
        QSignalSpy pushDoubles(push, &THandleSpeedButton::OnDblClick);
        QSignalSpy pushClicks(push, &THandleSpeedButton::OnClick);
        DoubleClick(push, QPoint(5, 5));
        QCOMPARE(pushDoubles.count(), 0);
        QCOMPARE(pushClicks.count(), 2);

        clicks.clear();
        QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(c->Down());
        QVERIFY2(!a->Down(), "pressing one releases the other");
        QVERIFY2(other->Down(), "another group is left alone");
        // AllowAllUp false: clicked again it stays down; the click still comes.
        QSignalSpy cClicks(c, &THandleSpeedButton::OnClick);
        QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(c->Down());
        QCOMPARE(cClicks.count(), 1);
        QCOMPARE(c->PaintState(), TButtonPaintState::psLatched);
        // AllowAllUp is shared through the group.
        c->SetAllowAllUp(true);
        QVERIFY(a->AllowAllUp());
        QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!c->Down());
    }

    void theAcceleratorClicks()
    {
        THandleSpeedButton* b = Make(QPixmap());
        b->resize(80, 25);
        b->SetCaption(QStringLiteral("&Tisk"));
        m_parent.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m_parent));
        QSignalSpy clicks(b, &THandleSpeedButton::OnClick);
        QTest::keyClick(&m_parent, Qt::Key_T, Qt::AltModifier);
        QCOMPARE(clicks.count(), 1);
        b->setEnabled(false);
        QTest::keyClick(&m_parent, Qt::Key_T, Qt::AltModifier);
        QCOMPARE(clicks.count(), 1);
        // The caption beside no glyph is centred; disabled it is embossed.
        const QImage image = Picture(b);
        bool white = false;
        bool grey = false;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 3; x < image.width() - 3; ++x) {
                white = white || At(image, x, y) == QColor(Qt::white);
                grey = grey || At(image, x, y) == QColor(128, 128, 128);
            }
        }
        QVERIFY(white && grey);
    }

    void eachStateIsPreparedOnce()
    {
        const QPixmap glyph = MarkedGlyph();
        TGlyphCache& cache = TGlyphCache::Instance();
        const int before = cache.Builds();
        THandleSpeedButton* a = Make(glyph);
        THandleSpeedButton* b = Make(glyph);
        (void)Picture(a);
        (void)Picture(b);
        (void)Picture(a);
        QCOMPARE(cache.Builds(), before + 1); // up, once for both buttons
        QTest::mousePress(a, Qt::LeftButton, {}, QPoint(5, 5));
        (void)Picture(a);
        QTest::mouseRelease(a, Qt::LeftButton, {}, QPoint(5, 5));
        (void)Picture(a);
        // One image: down is the up image, prepared for the down state once.
        QCOMPARE(cache.Builds(), before + 2);
        // A change of colours prepares again.
        QPalette pal = a->palette();
        pal.setColor(QPalette::Button, QColor(200, 180, 160));
        a->setPalette(pal);
        const QImage repainted = Picture(a);
        QCOMPARE(cache.Builds(), before + 3);
        QCOMPARE(At(repainted, 12, 12), QColor(200, 180, 160));
        // The images of a glyph no button shows any more are dropped.
        const int kept = cache.Size();
        delete a;
        delete b;
        QVERIFY(cache.Size() < kept);
    }
};

MECOVNIK_GUI_TEST_MAIN(SpeedButtonTest)
#include "SpeedButtonTest.moc"
