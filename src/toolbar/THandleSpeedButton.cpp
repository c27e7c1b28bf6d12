#include "toolbar/THandleSpeedButton.h"

#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <qdrawutil.h>

namespace mecovnik {

namespace {

// The latched background: an 8 x 8 checkerboard of button face and white.
QPixmap LatchedPattern(const QColor& face)
{
    QImage pattern(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x)
            pattern.setPixel(x, y, (x + y) % 2 == 0 ? qRgb(255, 255, 255) : face.rgb());
    }
    return QPixmap::fromImage(pattern);
}

} // namespace

THandleSpeedButton::THandleSpeedButton(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(25, 25);
}

THandleSpeedButton::~THandleSpeedButton() = default;

void THandleSpeedButton::SetAllowAllUp(bool value)
{
    if (value == m_state.AllowAllUp)
        return;
    m_state.AllowAllUp = value;
    UpdateExclusive();
}

void THandleSpeedButton::SetGroupIndex(int value)
{
    if (value == m_state.GroupIndex())
        return;
    m_state.SetGroupIndex(value);
    UpdateExclusive();
    update();
}

void THandleSpeedButton::SetDown(bool value)
{
    bool wentDown = false;
    if (!m_state.SetDown(value, &wentDown))
        return;
    update();
    if (wentDown)
        UpdateExclusive();
}

void THandleSpeedButton::SetCaption(const QString& caption)
{
    m_caption = caption;
    UpdateShortcut();
    update();
}

void THandleSpeedButton::SetGlyph(const QPixmap& bitmap)
{
    m_glyph.SetBitmap(bitmap);
    update();
}

void THandleSpeedButton::SetLargeGlyph(const TLazyPixmap& bitmap)
{
    m_glyph.SetLargeBitmap(bitmap);
    update();
}

void THandleSpeedButton::SetNumGlyphs(int count)
{
    m_glyph.SetNumGlyphs(count);
    update();
}

void THandleSpeedButton::SetLayout(TButtonLayout layout)
{
    m_layout = layout;
    update();
}

void THandleSpeedButton::SetMargin(int margin)
{
    if (margin < -1)
        return;
    m_margin = margin;
    update();
}

void THandleSpeedButton::SetSpacing(int spacing)
{
    m_spacing = spacing;
    update();
}

void THandleSpeedButton::Click()
{
    emit OnClick();
}

void THandleSpeedButton::DblClick()
{
    emit OnDblClick();
}

void THandleSpeedButton::UpdateExclusive()
{
    if (m_state.GroupIndex() == 0 || !parentWidget())
        return;
    for (QObject* child : parentWidget()->children()) {
        if (auto* button = qobject_cast<THandleSpeedButton*>(child))
            button->ButtonPressed(m_state.GroupIndex(), this);
    }
}

void THandleSpeedButton::ButtonPressed(int groupIndex, THandleSpeedButton* sender)
{
    if (sender == this)
        return;
    if (m_state.GroupPressed(groupIndex, sender->Down(), sender->AllowAllUp()))
        update();
}

void THandleSpeedButton::UpdateShortcut()
{
    if (m_shortcut != 0)
        releaseShortcut(m_shortcut);
    m_shortcut = 0;
    const QKeySequence key = QKeySequence::mnemonic(m_caption);
    if (!key.isEmpty())
        m_shortcut = grabShortcut(key);
}

void THandleSpeedButton::MouseDown(QMouseEvent* event)
{
    emit OnMouseDown(event);
    if (event->button() == Qt::LeftButton && m_state.Press())
        repaint();
}

void THandleSpeedButton::MouseMove(QMouseEvent* event)
{
    emit OnMouseMove(event);
    const QPoint p = event->position().toPoint();
    if (m_state.Move(p.x(), p.y(), width(), height()))
        update();
}

void THandleSpeedButton::MouseUp(QMouseEvent* event)
{
    emit OnMouseUp(event);
    if (event->button() != Qt::LeftButton || !m_state.Tracking())
        return;
    const QPoint p = event->position().toPoint();
    const bool wasDown = m_state.Down();
    const TSpeedButtonState::TRelease r = m_state.Release(p.x(), p.y(), width(), height());
    if (r.Repaint)
        update();
    if (r.WentDown || (wasDown != m_state.Down() && m_state.Down()))
        UpdateExclusive();
    if (r.Click)
        Click();
}

void THandleSpeedButton::mousePressEvent(QMouseEvent* event)
{
    MouseDown(event);
}

void THandleSpeedButton::mouseMoveEvent(QMouseEvent* event)
{
    MouseMove(event);
}

void THandleSpeedButton::mouseReleaseEvent(QMouseEvent* event)
{
    MouseUp(event);
}

void THandleSpeedButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press tracks like the first; only a down button reports it.
    QWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && m_state.Down())
        DblClick();
}

void THandleSpeedButton::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::EnabledChange:
        m_state.Enabled = isEnabled();
        update();
        break;
    case QEvent::PaletteChange:
        m_glyph.Invalidate();
        update();
        break;
    case QEvent::FontChange:
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

bool THandleSpeedButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut &&
        static_cast<QShortcutEvent*>(event)->shortcutId() == m_shortcut) {
        if (isEnabled())
            Click();
        return true;
    }
    return QWidget::event(event);
}

void THandleSpeedButton::paintEvent(QPaintEvent* /*event*/)
{
    const TButtonPaintState state = m_state.StateForPaint();
    QPainter p(this);
    if (m_caption.isEmpty()) {
        // Without a caption the whole face is the same for every button of
        // this glyph, size, state and screen: prepared once, then copied. It
        // is drawn in the screen's own pixels, so nothing is scaled up.
        const qreal ratio = devicePixelRatioF();
        const QPixmap face = TGlyphCache::Instance().Face(
            m_glyph.Key(state, palette(), ratio), size(), static_cast<int>(m_layout), m_margin,
            qRound(ratio * 100), [&] {
                QPixmap picture((QSizeF(size()) * ratio).toSize().expandedTo(size()));
                picture.setDevicePixelRatio(ratio);
                QPainter pp(&picture);
                PaintFace(pp, state);
                return picture;
            });
        p.drawPixmap(0, 0, face);
        return;
    }
    PaintFace(p, state);
}

void THandleSpeedButton::PaintFace(QPainter& p, TButtonPaintState state)
{
    const QPalette& pal = palette();
    const bool sunken = state == TButtonPaintState::psDown || state == TButtonPaintState::psLatched;
    const QBrush face = pal.brush(QPalette::Button);
    qDrawWinButton(&p, rect(), pal, sunken, &face);

    QRect content(1, 1, width() - 3, height() - 3);
    if (sunken)
        content.translate(1, 1);
    if (state == TButtonPaintState::psLatched) {
        p.setBrushOrigin(0, 0);
        p.fillRect(content.adjusted(0, 0, -1, -1),
                   QBrush(LatchedPattern(pal.color(QPalette::Button))));
    }

    const QSize glyphSize = m_glyph.GlyphSize();
    QSize textSize(0, 0);
    if (!m_caption.isEmpty())
        textSize = fontMetrics().size(Qt::TextShowMnemonic | Qt::TextSingleLine, m_caption);
    const TButtonLayoutResult at = LayoutGlyphAndText(
        {content.width(), content.height()}, {glyphSize.width(), glyphSize.height()},
        {textSize.width(), textSize.height()}, m_layout, m_margin, m_spacing);

    const qreal ratio = p.device()->devicePixelRatioF();
    const QPixmap image = m_glyph.Image(state, pal, ratio);
    if (!image.isNull()) {
        // A screen between whole ratios scales the artwork smoothly.
        if (ratio != image.devicePixelRatio())
            p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(content.left() + at.Glyph.X, content.top() + at.Glyph.Y, image);
    }

    if (!m_caption.isEmpty()) {
        const QRect text(content.left() + at.Text.X, content.top() + at.Text.Y, textSize.width(),
                         textSize.height());
        if (state == TButtonPaintState::psDisabled) {
            p.setPen(Qt::white);
            p.drawText(text.translated(1, 1), Qt::TextShowMnemonic, m_caption);
            p.setPen(QColor(128, 128, 128));
            p.drawText(text, Qt::TextShowMnemonic, m_caption);
        } else {
            p.setPen(pal.color(QPalette::ButtonText));
            p.drawText(text, Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextSingleLine,
                       m_caption);
        }
    }
}

} // namespace mecovnik
