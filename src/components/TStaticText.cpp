#include "components/TStaticText.h"

#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QStyle>

#include <utility>

namespace mecovnik {

namespace {

// Whether the accelerator may move the focus to control now.
bool CanTakeFocus(const QWidget* control)
{
    if (!control->isEnabled() || !control->isVisible())
        return false;
    const QWidget* target = control;
    while (target->focusProxy())
        target = target->focusProxy();
    return target->focusPolicy() != Qt::NoFocus;
}

} // namespace

TStaticText::TStaticText(QWidget* parent) : QFrame(parent)
{
    setFocusPolicy(Qt::NoFocus);
    resize(100, 13);
}

TStaticText::~TStaticText() = default;

void TStaticText::SetCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    AdjustBounds();
    UpdateShortcut();
    update();
}

void TStaticText::SetAlignment(TAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    if (alignment != TAlignment::taLeftJustify)
        m_wordWrap = true;
    update();
}

void TStaticText::SetAutoSize(bool autoSize)
{
    if (autoSize == m_autoSize)
        return;
    m_autoSize = autoSize;
    AdjustBounds();
}

void TStaticText::SetFocusControl(QWidget* control)
{
    if (control == m_focusControl)
        return;
    disconnect(m_focusControlWatch);
    if (m_focusControl)
        m_focusControl->removeEventFilter(this);
    m_focusControl = control;
    if (control) {
        m_focusControlWatch =
            connect(control, &QObject::destroyed, this, &TStaticText::FocusControlDestroyed);
        control->installEventFilter(this);
    }
    UpdateShortcut();
}

void TStaticText::SetShowAccelChar(bool show)
{
    if (show == m_showAccelChar)
        return;
    m_showAccelChar = show;
    UpdateShortcut();
    update();
}

void TStaticText::SetWordWrap(bool wordWrap)
{
    if (wordWrap == m_wordWrap)
        return;
    m_wordWrap = wordWrap;
    if (!wordWrap)
        m_alignment = TAlignment::taLeftJustify;
    AdjustBounds();
    update();
}

void TStaticText::SetLook(TStaticTextLook look)
{
    if (look == m_look)
        return;
    m_look = look;
    update();
}

QChar TStaticText::AccelChar(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != u'&')
            continue;
        if (caption.at(i + 1) != u'&')
            return caption.at(i + 1);
        ++i; // "&&" is a literal "&"
    }
    return {};
}

bool TStaticText::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut && m_shortcutId != 0 &&
        static_cast<QShortcutEvent*>(event)->shortcutId() == m_shortcutId) {
        if (m_focusControl && isEnabled() && m_showAccelChar && CanTakeFocus(m_focusControl))
            m_focusControl->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    return QFrame::event(event);
}

bool TStaticText::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_focusControl) {
        switch (event->type()) {
        case QEvent::EnabledChange:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            UpdateShortcutEnabled();
            break;
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void TStaticText::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    QFrame::mousePressEvent(event);
}

void TStaticText::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = event->button() == Qt::LeftButton && std::exchange(m_pressed, false) &&
                       rect().contains(event->position().toPoint());
    QFrame::mouseReleaseEvent(event);
    if (click)
        emit OnClick(this);
}

void TStaticText::mouseDoubleClickEvent(QMouseEvent* event)
{
    QFrame::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    // The release that ends a double click is no click of its own.
    m_pressed = false;
    emit OnDblClick(this);
}

void TStaticText::changeEvent(QEvent* event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        AdjustBounds();
}

void TStaticText::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = rect();
    const QRect outline = area.adjusted(0, 0, -1, -1);
    const QPalette& colors = palette();
    switch (m_look) {
    case TStaticTextLook::stlText:
        style()->drawItemText(&painter, area, TextFlags(), colors, isEnabled(), m_caption,
                              foregroundRole());
        break;
    case TStaticTextLook::stlBlackFrame:
        painter.setPen(colors.color(QPalette::WindowText));
        painter.drawRect(outline);
        break;
    case TStaticTextLook::stlBlackRect:
        painter.fillRect(area, colors.color(QPalette::WindowText));
        break;
    case TStaticTextLook::stlGrayFrame:
        painter.setPen(colors.color(QPalette::Dark));
        painter.drawRect(outline);
        break;
    case TStaticTextLook::stlGrayRect:
        painter.fillRect(area, colors.color(QPalette::Dark));
        break;
    case TStaticTextLook::stlWhiteFrame:
        painter.setPen(colors.color(QPalette::Base));
        painter.drawRect(outline);
        break;
    case TStaticTextLook::stlWhiteRect:
        painter.fillRect(area, colors.color(QPalette::Base));
        break;
    case TStaticTextLook::stlEtchedHorz:
        painter.setPen(colors.color(QPalette::Dark));
        painter.drawLine(0, 0, area.right(), 0);
        painter.setPen(colors.color(QPalette::Light));
        painter.drawLine(0, 1, area.right(), 1);
        break;
    case TStaticTextLook::stlEtchedVert:
        painter.setPen(colors.color(QPalette::Dark));
        painter.drawLine(0, 0, 0, area.bottom());
        painter.setPen(colors.color(QPalette::Light));
        painter.drawLine(1, 0, 1, area.bottom());
        break;
    case TStaticTextLook::stlBitmap:
    case TStaticTextLook::stlIcon:
    case TStaticTextLook::stlEnhMetaFile:
        break;
    }
}

int TStaticText::TextFlags() const
{
    int flags = Qt::AlignTop | Qt::TextExpandTabs;
    switch (m_alignment) {
    case TAlignment::taLeftJustify:
        flags |= Qt::AlignLeft;
        break;
    case TAlignment::taRightJustify:
        flags |= Qt::AlignRight;
        break;
    case TAlignment::taCenter:
        flags |= Qt::AlignHCenter;
        break;
    }
    if (m_wordWrap)
        flags |= Qt::TextWordWrap;
    if (m_showAccelChar)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

void TStaticText::AdjustBounds()
{
    if (!m_autoSize || m_look != TStaticTextLook::stlText)
        return;
    QString text = m_caption;
    // An empty caption, or one that is only the accelerator mark, keeps one line.
    if (text.isEmpty() || (m_showAccelChar && text == u"&"))
        text += u' ';
    int flags = Qt::TextExpandTabs;
    if (m_wordWrap)
        flags |= Qt::TextWordWrap;
    if (m_showAccelChar)
        flags |= Qt::TextShowMnemonic;
    const QRect measured = fontMetrics().boundingRect(QRect(0, 0, width(), height()), flags, text);
    int left = x();
    if (m_alignment == TAlignment::taRightJustify)
        left += width() - measured.width();
    setGeometry(left, y(), measured.width(), measured.height());
}

void TStaticText::UpdateShortcut()
{
    if (m_shortcutId != 0) {
        releaseShortcut(m_shortcutId);
        m_shortcutId = 0;
    }
    const QChar accel = AccelChar(m_caption);
    if (!m_focusControl || !m_showAccelChar || accel.isNull())
        return;
    const auto key = static_cast<Qt::Key>(accel.toUpper().unicode());
    m_shortcutId = grabShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, key)));
    UpdateShortcutEnabled();
}

void TStaticText::UpdateShortcutEnabled()
{
    if (m_shortcutId != 0)
        setShortcutEnabled(m_shortcutId, m_focusControl && CanTakeFocus(m_focusControl));
}

void TStaticText::FocusControlDestroyed()
{
    m_focusControl = nullptr;
    disconnect(m_focusControlWatch);
    UpdateShortcut();
}

} // namespace mecovnik
