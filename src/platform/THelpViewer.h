#pragma once

#include "platform/THelpSystem.h"

#include <QHash>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

class QAction;
class QMainWindow;
class QTextBrowser;
class QUrl;
class QWidget;

namespace mecovnik {

// The program's help system: shows the topics of a help file in a help window
// of its own or in a small popup.
//
// The help file is UTF-8 HTML. Each topic is one element opened by exactly
//     <div class="topic" id="KEY">
// and closed by its matching </div>; topics are not nested, and any other div
// inside a topic is balanced (a div tag must not appear in a comment). KEY is
// "contents" for the contents page, "ctx-N" for the topic of help context N,
// and any other name for a topic reached only through links. Links between
// topics read href="#KEY". What stands before the first topic and after the
// last one (the head with its style sheet) frames every page shown, so the
// file also reads well in an ordinary web browser.
//
// The window follows links between topics and has the buttons "Obsah"
// (contents) and "Zpět" (back). A popup cannot follow links, so it shows them
// as plain text. The window opens beside the program's window that asked
// (CurrentProgramWindow), wholly on that window's screen, and follows later
// askers until the user moves it; then it stays where it was put.
//
// The file is read afresh by every command that shows something, so what is
// shown always matches the file on disk.
//
// A missing, unreadable or damaged file (no contents topic, an unclosed
// topic) is reported in an error box and the command returns false; an open
// help window then stays as it was. A context number without a topic shows
// the contents in the window, or a short notice in the popup, and counts as
// success. Commands other than the four below return false and do nothing.
class THelpViewer final : public QObject, public THelpSystem
{
    Q_OBJECT

public:
    explicit THelpViewer(QObject* parent = nullptr);
    ~THelpViewer() override;
    Q_DISABLE_COPY_MOVE(THelpViewer)

    // HELP_FINDER: opens or raises the help window and shows the contents.
    // HELP_CONTEXT: opens or raises the help window and shows topic `data`.
    // HELP_CONTEXTPOPUP: shows topic `data` in a popup at the mouse cursor;
    //     the help window is neither opened nor changed.
    // HELP_QUIT: closes and destroys the help window if it is open.
    bool Execute(const QString& helpFile, int command, int data) override;

    // The help window, or nullptr while none is open.
    [[nodiscard]] QWidget* Window() const;
    // The context number of the topic in the help window: 0 for the contents,
    // -1 for a topic without a number or while no window is open.
    [[nodiscard]] int CurrentTopic() const;
    // The plain text of the last popup shown; empty before the first one.
    [[nodiscard]] QString LastPopupText() const { return m_lastPopupText; }

private:
    // Reads and splits the help file; false after telling the user why not.
    bool Load(const QString& helpFile);
    // The page for one topic: the file's frame around that topic's element.
    [[nodiscard]] QString Page(const QString& key) const;
    bool ShowInWindow(const QString& helpFile, const QString& key);
    bool ShowPopup(const QString& helpFile, int context);
    void EnsureWindow();
    void PlaceBesideAsker();
    void Display(const QString& key, bool remember);
    void CloseWindow();
    void OnAnchorClicked(const QUrl& url);
    void OnBack();
    void OnContents();
    void OnWindowDestroyed();

    QHash<QString, QString> m_topics; // key -> the topic's element
    QString m_pageStart;              // the file up to its first topic
    QString m_pageEnd;                // the file after its last topic
    QPointer<QMainWindow> m_window;
    std::optional<QPoint> m_placedAt;  // where the window was put, frame included
    std::optional<QSize> m_placedSize; // the size it was given then
    bool m_userPlaced = false;
    QTextBrowser* m_browser = nullptr;
    QAction* m_backAction = nullptr;
    QString m_currentKey;
    QStringList m_history; // keys shown before the current one, oldest first
    QString m_lastPopupText;
};

} // namespace mecovnik
