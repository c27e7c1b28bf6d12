#pragma once

#include "persistence/TFormPlacement.h"
#include "playerview/PlayerView.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace mecovnik {

class TPlayerViewHub;

// "Pohled pro hráče": the fight as the players may see it, for a second
// screen. Characters with their lives as a bar and "lives / maximum", dead
// and knocked-out ones marked; monsters with a word for their state only.
// Type grows with the window; light text on a dark ground, every colour at
// least 4.5:1 against it. F11 fills the screen or leaves it, Escape leaves
// it. A top-level window of its own that never keeps the program running;
// closing it hides it and says so (Closed).
class TPlayerViewWindow final : public QWidget
{
    Q_OBJECT

public:
    // Shows hub's view, following it; hub must outlive the window.
    explicit TPlayerViewWindow(const TPlayerViewHub& hub, QWidget* parent = nullptr);
    ~TPlayerViewWindow() override;
    Q_DISABLE_COPY_MOVE(TPlayerViewWindow)

    // Shows the window where it was left: placement's bounds kept within the
    // screens, on that screen filling it when fullScreen; a window never
    // placed opens at a size of its own.
    void Open(const TFormPlacement& placement, bool fullScreen);
    // Where the window is: its outer bounds when not filling the screen (the
    // last such bounds when it does), and whether it fills the screen.
    [[nodiscard]] TFormPlacement Placement() const;
    [[nodiscard]] bool FullScreen() const { return isFullScreen(); }

    // The players' link with its QR code at the bottom, and a note below it;
    // an empty link shows neither. qrCode makes the code of a link (called
    // only when the link is new and not empty).
    void SetLink(const QString& link, const QString& note,
                 const std::function<QImage(const QString&)>& qrCode);
    [[nodiscard]] QString Link() const { return m_link; }

    // What the window shows now, a line a row: the titles "Postavy" and
    // "Nestvůry", then "name: text" for each combatant ("Aragorn: 42 / 50",
    // "Boromir: mrtvá, 0 / 40", "Skřet [2]: těžce zraněná"), "Žádné postavy"
    // and "Žádné nestvůry" for an empty roster.
    [[nodiscard]] QStringList Texts() const;

    // The window's ground, and the colour of a state's text on it.
    [[nodiscard]] static QColor Background();
    [[nodiscard]] static QColor TextColor(TMonsterState state);
    // A character's colour: dead, knocked out, or well.
    [[nodiscard]] static QColor CharacterColor(bool dead, bool knockedOut);

signals:
    // The user closed the window.
    void Closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ToggleFullScreen();
    void RememberNormalBounds();
    void ViewChanged();

    const TPlayerViewHub& m_hub;
    TPlayerView m_view;
    QString m_link;
    QString m_note;
    QImage m_qr;
    // The outer bounds while the window last neither filled the screen nor
    // was maximised.
    QRect m_normalFrame;
};

} // namespace mecovnik
