#pragma once

#include "playerview/PlayerView.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <cstdint>

namespace mecovnik {

class TObjektWindow;

// What the players see of the fight now. It follows both rosters: every change
// they report (RecordsChanged) and every Refresh is looked at once, on the
// next turn of the event loop, so a group change or an undo that touches many
// rows makes one new view, not one a row.
class TPlayerViewHub final : public QObject
{
    Q_OBJECT

public:
    // The rosters must outlive the hub or be destroyed with it; firstVersion
    // is the feed's (see TPlayerViewFeed). The view of the rosters as they are
    // is taken at once.
    TPlayerViewHub(const TObjektWindow& postavy, const TObjektWindow& nestvury,
                   std::uint64_t firstVersion, QObject* parent = nullptr);
    ~TPlayerViewHub() override;
    Q_DISABLE_COPY_MOVE(TPlayerViewHub)

    // Looks at the rosters again on the next turn of the event loop.
    void Refresh();
    // Looks at once (for tests and benchmarks that cannot wait).
    void RefreshNow();

    [[nodiscard]] const TPlayerViewFeed& Feed() const { return m_feed; }

signals:
    // The players now see something else: the feed has a new version.
    void ViewChanged();

private:
    QPointer<const TObjektWindow> m_postavy;
    QPointer<const TObjektWindow> m_nestvury;
    TPlayerViewFeed m_feed;
    QTimer m_look;
};

} // namespace mecovnik
