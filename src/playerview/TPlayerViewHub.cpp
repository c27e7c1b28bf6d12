#include "playerview/TPlayerViewHub.h"

#include "roster/Frm_Objekt.h"
#include "roster/TRosterModel.h"

namespace mecovnik {

TPlayerViewHub::TPlayerViewHub(const TObjektWindow& postavy, const TObjektWindow& nestvury,
                               std::uint64_t firstVersion, QObject* parent)
    : QObject(parent), m_postavy(&postavy), m_nestvury(&nestvury), m_feed(firstVersion)
{
    m_look.setSingleShot(true);
    m_look.setInterval(0);
    connect(&m_look, &QTimer::timeout, this, &TPlayerViewHub::RefreshNow);
    connect(&postavy, &TObjektWindow::RecordsChanged, this, &TPlayerViewHub::Refresh);
    connect(&nestvury, &TObjektWindow::RecordsChanged, this, &TPlayerViewHub::Refresh);
    m_feed.Update(MakePlayerView(postavy.Rows().Records(), nestvury.Rows().Records()));
}

TPlayerViewHub::~TPlayerViewHub() = default;

void TPlayerViewHub::Refresh()
{
    if (!m_look.isActive())
        m_look.start();
}

void TPlayerViewHub::RefreshNow()
{
    m_look.stop();
    if (!m_postavy || !m_nestvury)
        return;
    if (m_feed.Update(MakePlayerView(m_postavy->Rows().Records(), m_nestvury->Rows().Records())))
        emit ViewChanged();
}

} // namespace mecovnik
