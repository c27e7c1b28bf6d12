#include "app/Frm_Main.h"

#include "ui_Frm_Main.h"

#include "app/WindowTiling.h"
#include "components/MessageBoxes.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

// Arranging the document windows and the window list of the Okno menu.

namespace mecovnik {

void TMainForm::Item_Okno_CascadeClick()
{
    // The window at the front (the active one) comes last, with the largest offset.
    QList<QMdiSubWindow*> windows;
    int step = 0;
    for (QMdiSubWindow* w : m_ui->MdiArea->subWindowList(QMdiArea::StackingOrder)) {
        if (w->isMinimized() || !w->isVisible())
            continue;
        windows.append(w);
        // The frame above the contents: the title bar with its border.
        if (w->widget())
            step = std::max(step, w->widget()->geometry().top());
    }
    if (step <= 0)
        step = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QSize size = m_ui->MdiArea->viewport()->size();
    const auto rects =
        CascadeRects({0, 0, size.width(), size.height()}, static_cast<int>(windows.size()), step);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        const TRect& r = rects[static_cast<std::size_t>(i)];
        if (windows[i]->isMaximized())
            windows[i]->showNormal();
        windows[i]->setGeometry(r.Left, r.Top, r.Width, r.Height);
        windows[i]->raise();
    }
}

void TMainForm::Item_Okno_HTileClick()
{
    TileWindows(TTileMode::Horizontal);
}

void TMainForm::Item_Okno_VTileClick()
{
    TileWindows(TTileMode::Vertical);
}

void TMainForm::TileWindows(TTileMode mode)
{
    // The active window comes first, as the system tiles.
    QList<QMdiSubWindow*> windows;
    bool anyMinimised = false;
    const auto stack = m_ui->MdiArea->subWindowList(QMdiArea::StackingOrder);
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        if ((*it)->isMinimized())
            anyMinimised = true;
        else if ((*it)->isVisible())
            windows.append(*it);
    }
    const QSize size = m_ui->MdiArea->viewport()->size();
    int height = size.height();
    // Leave the bottom row to the icons of minimised windows.
    if (anyMinimised)
        height = std::max(height - QMdiSubWindow().minimumSizeHint().height(), 0);
    const auto rects =
        TileRects({0, 0, size.width(), height}, static_cast<int>(windows.size()), mode);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        const TRect& r = rects[static_cast<std::size_t>(i)];
        if (windows[i]->isMaximized())
            windows[i]->showNormal();
        windows[i]->setGeometry(r.Left, r.Top, r.Width, r.Height);
    }
}

void TMainForm::Item_Okno_ArrangeAllClick()
{
    QList<QMdiSubWindow*> icons;
    for (QMdiSubWindow* w : m_ui->MdiArea->subWindowList(QMdiArea::CreationOrder))
        if (w->isMinimized())
            icons.append(w);
    if (icons.isEmpty())
        return;
    const QSize iconSize = icons.front()->size();
    const QSize area = m_ui->MdiArea->viewport()->size();
    const auto rects = IconRects({0, 0, area.width(), area.height()}, iconSize.width(),
                                 iconSize.height(), static_cast<int>(icons.size()));
    for (qsizetype i = 0; i < icons.size(); ++i)
        icons[i]->move(rects[static_cast<std::size_t>(i)].Left,
                       rects[static_cast<std::size_t>(i)].Top);
}

void TMainForm::FillWindowMenu()
{
    qDeleteAll(m_windowListActions);
    m_windowListActions.clear();
    const auto windows = m_ui->MdiArea->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    m_windowListActions.append(m_ui->Menu_Okno->addSeparator());
    int number = 1;
    for (QMdiSubWindow* w : windows) {
        QString caption = w->windowTitle();
        caption.replace(u'&', QStringLiteral("&&"));
        auto* action = m_ui->Menu_Okno->addAction(
            QStringLiteral("&%1 %2").arg(QString::number(number++), caption));
        action->setCheckable(true);
        action->setChecked(w == m_ui->MdiArea->activeSubWindow());
        connect(action, &QAction::triggered, w, [w] { ShowChildWindow(w); });
        m_windowListActions.append(action);
    }
}

void TMainForm::Item_ShowPostavyClick()
{
    ShowChildWindow(m_postavy);
}

void TMainForm::Item_ShowNestvuryClick()
{
    ShowChildWindow(m_nestvury);
}

} // namespace mecovnik
