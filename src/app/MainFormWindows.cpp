#include "app/Frm_Main.h"

#include "ui_Frm_Main.h"

#include "app/TDocumentArea.h"
#include "app/TFightKeeper.h"
#include "components/MessageBoxes.h"
#include "history/TLedgerWindow.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"

#include <QMdiArea>
#include <QMdiSubWindow>

// Arranging the document windows and the window list of the Okno menu.

namespace mecovnik {

void TMainForm::Item_Okno_CascadeClick()
{
    m_ui->MdiArea->Cascade();
}

void TMainForm::Item_Okno_HTileClick()
{
    m_ui->MdiArea->Tile(TTileMode::Horizontal);
}

void TMainForm::Item_Okno_VTileClick()
{
    m_ui->MdiArea->Tile(TTileMode::Vertical);
}

void TMainForm::Item_Okno_ArrangeAllClick()
{
    m_ui->MdiArea->ArrangeIcons();
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
        // A closed ledger window is only hidden.
        if (!w->isVisible())
            continue;
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

void TMainForm::Item_DenikZkusenostiClick()
{
    if (!m_fight)
        return;
    TDocumentArea* area = m_ui->MdiArea;
    // Windows tiled as the tiling left them take the ledger in with them.
    const std::optional<TTileMode> tiled = area->TiledMode();
    if (!m_ledgerWindow) {
        m_ledgerWindow = new TLedgerWindow(m_fight->Ledger(), area->viewport());
        area->addSubWindow(m_ledgerWindow);
        connect(m_fight.get(), &TFightKeeper::LedgerMoved, m_ledgerWindow, &TLedgerWindow::Follow);
        connect(m_ledgerWindow, &TLedgerWindow::CloseAsked, this, [this] {
            // The rosters tiled with it fill the area again without it.
            TDocumentArea* documents = m_ui->MdiArea;
            const std::optional<TTileMode> mode = documents->TiledMode();
            m_ledgerWindow->hide();
            if (mode)
                documents->Tile(*mode);
        });
    }
    const bool opening = !m_ledgerWindow->isVisible();
    ShowChildWindow(m_ledgerWindow);
    if (opening && tiled)
        area->Tile(*tiled);
}

} // namespace mecovnik
