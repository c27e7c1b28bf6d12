#include "toolbar/TToolbarAdjustDialog.h"

#include "ui_TToolbarAdjustDialog.h"

#include "components/DialogForm.h"
#include "components/QtText.h"
#include "components/ScreenCursor.h"
#include "toolbar/TToolbar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStringListModel>
#include <QStyleOptionViewItem>

namespace mecovnik {

namespace {

// Process-wide: the one open window and where the next one opens.
QPointer<TToolbarAdjustDialog> g_open;
TToolbarAdjustDialog::TPlacement g_placement;

constexpr int kPictureCell = 25;
constexpr int kButtonsItemHeight = 29;
constexpr int kGroupsItemHeight = 13;
constexpr int kTextLeft = 33;

// The platform's sans-serif is wider than the font the window was laid out
// for: the help text is narrowed until its lines fit the label's two.
void FitHelpText(TStaticText& label)
{
    QFont f = label.font();
    for (int stretch = 100; stretch >= 75; stretch -= 5) {
        f.setStretch(stretch);
        const QRect needed = QFontMetrics(f).boundingRect(QRect(0, 0, label.width(), 1000),
                                                          Qt::TextWordWrap, label.Caption());
        if (needed.height() <= label.height())
            break;
    }
    label.setFont(f);
}

} // namespace

void TToolbarAdjustDialog::Open(TToolbar& toolbar)
{
    ScreenCursor hourglass;
    if (g_open && g_open->Toolbar() != &toolbar)
        delete g_open.data();
    if (!g_open) {
        auto* dialog = new TToolbarAdjustDialog(toolbar);
        g_open = dialog;
        dialog->AttachToolbar(toolbar);
    }
    hourglass.Restore();
    g_open->show();
    g_open->raise();
    g_open->activateWindow();
}

TToolbarAdjustDialog* TToolbarAdjustDialog::OpenDialog()
{
    return g_open.data();
}

const TToolbarAdjustDialog::TPlacement& TToolbarAdjustDialog::Placement()
{
    return g_placement;
}

void TToolbarAdjustDialog::ForgetPlacement()
{
    g_placement = {};
}

TToolbarAdjustDialog::TToolbarAdjustDialog(TToolbar& toolbar)
    : QDialog(&toolbar), m_ui(std::make_unique<Ui::TToolbarAdjustDialog>())
{
    m_ui->setupUi(this);
    PrepareDialog(*this);
    // Owned by the toolbar, so transient for the main window: the window
    // manager keeps it above the main window only, never above the program's
    // modal windows or other programs.
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    m_ui->Label1->SetFocusControl(m_ui->List_Groups);
    m_ui->Label2->SetFocusControl(m_ui->List_Buttons);
    m_ui->Label_Help->SetAutoSize(false);
    m_ui->Label_Help->SetWordWrap(true);
    m_ui->Label_Help->setGeometry(8, 185, 393, 26);
    FitHelpText(*m_ui->Label_Help);

    m_groupNames = new QStringListModel(this);
    m_ui->List_Groups->setModel(m_groupNames);
    m_ui->List_Groups->SetItemHeight(kGroupsItemHeight);
    connect(m_ui->List_Groups->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TToolbarAdjustDialog::List_GroupsClick);

    m_buttonNames = new QStringListModel(this);
    m_ui->List_Buttons->setModel(m_buttonNames);
    m_ui->List_Buttons->OnDrawItem = [this](QPainter& painter, int row,
                                            const QStyleOptionViewItem& option) {
        List_ButtonsDrawItem(painter, row, option);
    };
    m_ui->List_Buttons->WhenMouseMove = [this](Qt::KeyboardModifiers, Qt::MouseButtons buttons,
                                               int x, int y) {
        return List_ButtonsWhenMouseMove(buttons, QPoint(x, y));
    };
    m_ui->List_Buttons->viewport()->installEventFilter(this);

    connect(m_ui->Btn_Close, &QPushButton::clicked, this, &TToolbarAdjustDialog::Btn_CloseClick);
    connect(m_ui->Btn_Revert, &QPushButton::clicked, this, &TToolbarAdjustDialog::Btn_RevertClick);
    FormCreate();
}

void TToolbarAdjustDialog::FormCreate()
{
    // PrepareDialog centred the window; later ones open where the last was left.
    if (!g_placement.Centred)
        move(g_placement.Left, g_placement.Top);
}

TToolbarAdjustDialog::~TToolbarAdjustDialog()
{
    // FormDestroy: the next window opens here; the toolbar goes back to normal.
    g_placement = {pos().x(), pos().y(), false};
    if (g_open == this)
        g_open = nullptr;
    if (m_toolbar) {
        m_toolbar->CancelDrag();
        m_toolbar->SetAdjusting(false);
    }
}

void TToolbarAdjustDialog::AttachToolbar(TToolbar& toolbar)
{
    m_toolbar = &toolbar;
    toolbar.SetAdjusting(true);
    m_ui->List_Buttons->SetItemHeight(kButtonsItemHeight);
    QStringList names;
    if (const auto& groups = toolbar.Groups()) {
        for (const TToolbarGroup& group : *groups)
            names << ToQString(group.Name);
    }
    m_attaching = true;
    m_groupNames->setStringList(names);
    m_ui->List_Groups->SetItemIndex(0);
    m_attaching = false;
    FillButtons();
}

void TToolbarAdjustDialog::List_GroupsClick()
{
    if (!m_attaching)
        FillButtons();
}

void TToolbarAdjustDialog::FillButtons()
{
    const int selected = m_ui->List_Groups->ItemIndex();
    const auto* groups = m_toolbar && m_toolbar->Groups() ? &*m_toolbar->Groups() : nullptr;
    if (!groups || selected < 0 || static_cast<std::size_t>(selected) >= groups->size()) {
        m_currentGroup = -1;
        m_items.clear();
        m_pictures.clear();
        m_buttonNames->setStringList({});
        return;
    }
    ScreenCursor hourglass;
    m_currentGroup = selected;
    const TToolbarGroup& group = (*groups)[static_cast<std::size_t>(selected)];
    m_items.clear();
    m_pictures.clear();
    m_buttonNames->setStringList({});
    QStringList names;
    for (const std::int32_t id : group.Items) {
        m_items.push_back(id);
        m_pictures.push_back(m_toolbar->ItemPicture(id, false));
        names << ToQString(ButtonDisplayName(id, ToStdString(m_toolbar->HintText(id))));
    }
    m_buttonNames->setStringList(names);
    m_ui->List_Buttons->SetItemIndex(0);
}

void TToolbarAdjustDialog::List_ButtonsDrawItem(QPainter& painter, int row,
                                                const QStyleOptionViewItem& option)
{
    const QRect& r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& pal = option.palette;
    painter.fillRect(r, pal.brush(selected ? QPalette::Highlight : QPalette::Base));
    if (row < 0 || static_cast<std::size_t>(row) >= m_pictures.size())
        return;
    const QPixmap& picture = m_pictures[static_cast<std::size_t>(row)];
    const int width = qRound(picture.deviceIndependentSize().width());
    painter.drawPixmap(r.left() + (kPictureCell - width) / 2 + 2, r.top() + 2, picture);
    QString text = m_buttonNames->stringList().value(row);
    if (text.endsWith(u'|'))
        text.chop(1);
    const QFontMetrics metrics(option.font);
    const int top = r.top() + (kPictureCell - metrics.height()) / 2 + 2;
    painter.setFont(option.font);
    painter.setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(QPoint(r.left() + kTextLeft, top + metrics.ascent()), text);
}

bool TToolbarAdjustDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->List_Buttons->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            List_ButtonsMouseDown(static_cast<QMouseEvent*>(event));
            break;
        case QEvent::MouseButtonRelease:
            List_ButtonsMouseUp(static_cast<QMouseEvent*>(event));
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TToolbarAdjustDialog::List_ButtonsMouseDown(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_toolbar)
        return;
    const QModelIndex index = m_ui->List_Buttons->indexAt(event->position().toPoint());
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= m_items.size())
        return;
    m_lastPressed = index.row();
    m_toolbar->BeginDrag(nullptr, m_items[static_cast<std::size_t>(index.row())], QPoint(-1, -1),
                         event->globalPosition().toPoint());
}

bool TToolbarAdjustDialog::List_ButtonsWhenMouseMove(Qt::MouseButtons buttons, QPoint local)
{
    if (!m_toolbar || !m_toolbar->Dragging())
        return false;
    // A move without the left button: its release went elsewhere.
    if (!(buttons & Qt::LeftButton))
        m_toolbar->CancelDrag();
    else
        m_toolbar->MoveDrag(m_ui->List_Buttons->viewport()->mapToGlobal(local));
    return true;
}

void TToolbarAdjustDialog::List_ButtonsMouseUp(QMouseEvent* event)
{
    if (m_toolbar && m_toolbar->Dragging() && event->button() == Qt::LeftButton)
        m_toolbar->EndDrag(event->globalPosition().toPoint());
}

void TToolbarAdjustDialog::keyPressEvent(QKeyEvent* event)
{
    // A modeless window without a cancel button: Esc does not close it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TToolbarAdjustDialog::Btn_CloseClick()
{
    close();
}

void TToolbarAdjustDialog::Btn_RevertClick()
{
    if (m_toolbar)
        m_toolbar->Revert();
}

} // namespace mecovnik
