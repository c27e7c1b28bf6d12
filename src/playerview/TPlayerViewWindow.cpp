#include "playerview/TPlayerViewWindow.h"

#include "components/QtText.h"
#include "platform/FormPlacement.h"
#include "playerview/TPlayerViewHub.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace mecovnik {

namespace {

const QColor kBackground(0x12, 0x12, 0x12);
const QColor kText(0xf0, 0xf0, 0xf0);
const QColor kTitle(0xc8, 0xc8, 0xc8);
const QColor kBarGround(0x33, 0x33, 0x33);
const QColor kBarWell(0x5f, 0xbf, 0x6a);
const QColor kBarKnockedOut(0x8a, 0x8a, 0x8a);

// One line of the view: a name on the left, a number or word on the right,
// a lives bar below for a character.
struct TRow
{
    QString Name;
    QString Value;
    QColor Color;
    bool Bar = false;
    double Filled = 0;
    QColor BarColor;
    bool Struck = false;
};

struct TSection
{
    QString Title;
    QString Empty;
    std::vector<TRow> Rows;
};

TSection CharacterSection(const TPlayerView& view)
{
    TSection section{QStringLiteral("Postavy"), QStringLiteral("Žádné postavy"), {}};
    for (const TViewCharacter& c : view.Characters) {
        TRow row;
        row.Name = ToQString(c.Name);
        const QString numbers = QStringLiteral("%1 / %2").arg(c.Lives).arg(c.MaxLives);
        row.Value = c.Dead         ? QStringLiteral("mrtvá, ") + numbers
                    : c.KnockedOut ? QStringLiteral("vyřazená, ") + numbers
                                   : numbers;
        row.Color = TPlayerViewWindow::CharacterColor(c.Dead, c.KnockedOut);
        row.Bar = true;
        row.Filled = c.MaxLives > 0 ? std::clamp(double(c.Lives) / c.MaxLives, 0.0, 1.0) : 0.0;
        row.BarColor = c.KnockedOut ? kBarKnockedOut : kBarWell;
        row.Struck = c.Dead;
        section.Rows.push_back(std::move(row));
    }
    return section;
}

TSection MonsterSection(const TPlayerView& view)
{
    TSection section{QStringLiteral("Nestvůry"), QStringLiteral("Žádné nestvůry"), {}};
    for (const TViewMonster& m : view.Monsters) {
        TRow row;
        row.Name = ToQString(m.Name);
        row.Value = ToQString(MonsterStateWord(m.State));
        row.Color = TPlayerViewWindow::TextColor(m.State);
        row.Struck = m.State == TMonsterState::Dead;
        section.Rows.push_back(std::move(row));
    }
    return section;
}

// Draws a section into area with rows of rowHeight and type of pixelSize.
void DrawSection(QPainter& painter, const TSection& section, const QRect& area, int rowHeight,
                 int pixelSize)
{
    QFont titleFont = painter.font();
    titleFont.setPixelSize(std::max(pixelSize * 3 / 4, 8));
    titleFont.setBold(true);
    QFont nameFont = painter.font();
    nameFont.setPixelSize(pixelSize);
    nameFont.setBold(true);
    QFont valueFont = nameFont;
    valueFont.setBold(false);

    int y = area.top();
    painter.setFont(titleFont);
    painter.setPen(kTitle);
    painter.drawText(QRect(area.left(), y, area.width(), rowHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, section.Title.toUpper());
    y += rowHeight;
    if (section.Rows.empty()) {
        QFont empty = valueFont;
        empty.setItalic(true);
        painter.setFont(empty);
        painter.setPen(kTitle);
        painter.drawText(QRect(area.left(), y, area.width(), rowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, section.Empty);
        return;
    }
    const int barHeight = std::max(rowHeight / 9, 3);
    for (const TRow& row : section.Rows) {
        if (y + rowHeight > area.bottom() + 1)
            break;
        const int textHeight = row.Bar ? rowHeight - barHeight - rowHeight / 8 : rowHeight;
        const QRect line(area.left(), y, area.width(), textHeight);
        painter.setFont(valueFont);
        const int valueWidth = QFontMetrics(valueFont).horizontalAdvance(row.Value);
        painter.setPen(row.Color);
        painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, row.Value);

        QFont name = nameFont;
        name.setStrikeOut(row.Struck);
        painter.setFont(name);
        const int nameRoom = std::max(area.width() - valueWidth - pixelSize / 2, 0);
        painter.drawText(QRect(line.left(), line.top(), nameRoom, line.height()),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QFontMetrics(name).elidedText(row.Name, Qt::ElideRight, nameRoom));
        if (row.Bar) {
            const QRect bar(area.left(), y + textHeight, area.width(), barHeight);
            painter.fillRect(bar, kBarGround);
            painter.fillRect(QRect(bar.left(), bar.top(),
                                   static_cast<int>(bar.width() * row.Filled), bar.height()),
                             row.BarColor);
        }
        y += rowHeight;
    }
}

} // namespace

TPlayerViewWindow::TPlayerViewWindow(const TPlayerViewHub& hub, QWidget* parent)
    : QWidget(parent, Qt::Window), m_hub(hub), m_view(hub.Feed().View())
{
    setObjectName(QStringLiteral("PohledProHrace"));
    setWindowTitle(QStringLiteral("Pohled pro hráče"));
    // The game master's program ends with its main window, never with this one.
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(240, 160);
    resize(960, 600);
    connect(&hub, &TPlayerViewHub::ViewChanged, this, &TPlayerViewWindow::ViewChanged);
}

TPlayerViewWindow::~TPlayerViewWindow() = default;

QColor TPlayerViewWindow::Background()
{
    return kBackground;
}

QColor TPlayerViewWindow::TextColor(TMonsterState state)
{
    switch (state) {
    case TMonsterState::Unhurt:
        return kText;
    case TMonsterState::Hurt:
        return {0xff, 0xd1, 0x66};
    case TMonsterState::BadlyHurt:
        return {0xff, 0xa0, 0x60};
    case TMonsterState::KnockedOut:
        return {0xb4, 0xb4, 0xb4};
    case TMonsterState::Dead:
        return {0xff, 0x7b, 0x7b};
    }
    return kText;
}

QColor TPlayerViewWindow::CharacterColor(bool dead, bool knockedOut)
{
    return dead         ? TextColor(TMonsterState::Dead)
           : knockedOut ? TextColor(TMonsterState::KnockedOut)
                        : kText;
}

void TPlayerViewWindow::ViewChanged()
{
    m_view = m_hub.Feed().View();
    update();
}

void TPlayerViewWindow::Open(const TFormPlacement& placement, bool fullScreen)
{
    if (!isVisible()) {
        TFormPlacement bounds = placement;
        // Filling the screen is its own state; a maximised window opens as
        // it was left too.
        if (bounds.WindowState == 1)
            bounds.WindowState = 0;
        ApplyFormPlacement(bounds, *this);
        if (fullScreen)
            showFullScreen();
        else if (bounds.WindowState == 2)
            showMaximized();
        else
            showNormal();
    }
    raise();
    activateWindow();
}

TFormPlacement TPlayerViewWindow::Placement() const
{
    TFormPlacement placement;
    CaptureFormPlacement(placement, *this);
    if (isFullScreen() || isMaximized() || isMinimized()) {
        if (m_normalFrame.isValid()) {
            placement.Left = m_normalFrame.left();
            placement.Top = m_normalFrame.top();
            placement.Width = m_normalFrame.width();
            placement.Height = m_normalFrame.height();
        }
        // Full screen is told apart; its bounds are the screen's.
        if (isFullScreen())
            placement.WindowState = 0;
    }
    return placement;
}

void TPlayerViewWindow::SetLink(const QString& link, const QString& note,
                                const std::function<QImage(const QString&)>& qrCode)
{
    if (link != m_link)
        m_qr = link.isEmpty() ? QImage() : qrCode(link);
    m_link = link;
    m_note = note;
    update();
}

QStringList TPlayerViewWindow::Texts() const
{
    QStringList texts;
    for (const TSection& section : {CharacterSection(m_view), MonsterSection(m_view)}) {
        texts << section.Title;
        if (section.Rows.empty())
            texts << section.Empty;
        for (const TRow& row : section.Rows)
            texts << row.Name + QStringLiteral(": ") + row.Value;
    }
    return texts;
}

void TPlayerViewWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const int margin = std::max(std::min(width(), height()) / 40, 8);
    QRect content = rect().adjusted(margin, margin, -margin, -margin);

    // The link and its code along the bottom.
    if (!m_link.isEmpty() && !m_qr.isNull()) {
        const int code = std::clamp(std::min(width(), height()) / 4, 96, 360);
        const int scale = std::max(code / m_qr.width(), 1);
        const int side = m_qr.width() * scale;
        const QRect codeRect(content.right() + 1 - side, content.bottom() + 1 - side, side, side);
        painter.drawImage(codeRect, m_qr);
        QFont small = painter.font();
        small.setPixelSize(std::clamp(side / 9, 11, 28));
        painter.setFont(small);
        painter.setPen(kText);
        const QRect textRect(content.left(), codeRect.top(),
                             std::max(codeRect.left() - margin - content.left(), 0), side);
        painter.drawText(textRect, Qt::AlignRight | Qt::AlignBottom | Qt::TextWordWrap,
                         QStringLiteral("Pohled na telefonu:\n") + m_link +
                             (m_note.isEmpty() ? QString() : u'\n' + m_note));
        content.setBottom(codeRect.top() - margin);
    }

    const TSection characters = CharacterSection(m_view);
    const TSection monsters = MonsterSection(m_view);
    const auto lines = [](const TSection& s) {
        return static_cast<int>(std::max<std::size_t>(s.Rows.size(), 1)) + 1;
    };
    const bool sideBySide = content.width() >= content.height();
    const int gap = margin * 2;
    int rowHeight = 0;
    int columnWidth = 0;
    if (sideBySide) {
        columnWidth = (content.width() - gap) / 2;
        rowHeight = content.height() / std::max(lines(characters), lines(monsters));
    } else {
        columnWidth = content.width();
        rowHeight = (content.height() - gap) / (lines(characters) + lines(monsters));
    }
    rowHeight = std::clamp(rowHeight, 12, std::max(content.height() / 3, 12));
    // Type as large as the rows allow and a name of some 16 letters fits.
    const int pixelSize = std::clamp(std::min(rowHeight * 55 / 100, columnWidth / 14), 9, 200);
    // Few rows on a large screen: rows no taller than their type needs.
    rowHeight = std::min(rowHeight, pixelSize * 11 / 5);
    if (sideBySide) {
        DrawSection(painter, characters,
                    QRect(content.left(), content.top(), columnWidth, content.height()), rowHeight,
                    pixelSize);
        DrawSection(
            painter, monsters,
            QRect(content.right() + 1 - columnWidth, content.top(), columnWidth, content.height()),
            rowHeight, pixelSize);
    } else {
        const int split = lines(characters) * rowHeight;
        DrawSection(painter, characters, QRect(content.left(), content.top(), columnWidth, split),
                    rowHeight, pixelSize);
        DrawSection(painter, monsters,
                    QRect(content.left(), content.top() + split + gap, columnWidth,
                          content.height() - split - gap),
                    rowHeight, pixelSize);
    }
}

void TPlayerViewWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F11 && event->modifiers() == Qt::NoModifier) {
        ToggleFullScreen();
        return;
    }
    if (event->key() == Qt::Key_Escape && isFullScreen()) {
        ToggleFullScreen();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TPlayerViewWindow::ToggleFullScreen()
{
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
}

void TPlayerViewWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit Closed();
}

void TPlayerViewWindow::RememberNormalBounds()
{
    if (isVisible() && !isFullScreen() && !isMaximized() && !isMinimized())
        m_normalFrame = frameGeometry();
}

void TPlayerViewWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    RememberNormalBounds();
}

void TPlayerViewWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    RememberNormalBounds();
}

} // namespace mecovnik
