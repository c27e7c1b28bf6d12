#include "platform/THelpViewer.h"

#include "components/LogCategories.h"
#include "components/MessageBoxes.h"
#include "components/ProgramWindows.h"
#include "persistence/ScreenFit.h"
#include "platform/FrameMargins.h"

#include <QAction>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QList>
#include <QMainWindow>
#include <QScreen>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>
#include <QUrl>
#include <QWhatsThis>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace mecovnik {

namespace {

// Enough for any walk through the help; the oldest steps are dropped.
constexpr qsizetype kHistoryLimit = 100;
// The help window's size, unless the user gives it another. Beside the window
// that asked, it is narrowed down to kNarrowestBeside rather than cover that
// window; it still reads well.
constexpr QSize kHelpSize(640, 540);
constexpr int kNarrowestBeside = 360;

QString ContentsKey()
{
    return u"contents"_s;
}

QString TopicKey(int context)
{
    return u"ctx-"_s + QString::number(context);
}

int ContextOf(const QString& key)
{
    if (key == ContentsKey())
        return 0;
    if (!key.startsWith(u"ctx-"_s))
        return -1;
    bool ok = false;
    const int context = key.mid(4).toInt(&ok);
    return ok ? context : -1;
}

struct THelpFileParts
{
    QString PageStart;
    QString PageEnd;
    QHash<QString, QString> Topics;
};

// Splits the help file into its topics and the frame around them; no value
// when it has no topic or a topic is not closed.
std::optional<THelpFileParts> SplitTopics(const QString& text)
{
    const QString topicOpen = u"<div class=\"topic\" id=\""_s;
    const QString divOpen = u"<div"_s;
    const QString divClose = u"</div>"_s;

    qsizetype start = text.indexOf(topicOpen);
    if (start < 0)
        return std::nullopt;
    THelpFileParts parts;
    parts.PageStart = text.left(start);
    qsizetype end = start;
    while (start >= 0) {
        const qsizetype keyStart = start + topicOpen.size();
        const qsizetype keyEnd = text.indexOf(u'"', keyStart);
        if (keyEnd < 0 || keyEnd + 1 >= text.size() || text.at(keyEnd + 1) != u'>')
            return std::nullopt;
        const QString key = text.mid(keyStart, keyEnd - keyStart);
        int depth = 1;
        qsizetype scan = keyEnd + 2;
        while (depth > 0) {
            const qsizetype close = text.indexOf(divClose, scan);
            if (close < 0)
                return std::nullopt;
            const qsizetype nested = text.indexOf(divOpen, scan);
            if (nested >= 0 && nested < close) {
                ++depth;
                scan = nested + divOpen.size();
            } else {
                --depth;
                scan = close + divClose.size();
            }
        }
        end = scan;
        if (!parts.Topics.contains(key))
            parts.Topics.insert(key, text.mid(start, end - start));
        start = text.indexOf(topicOpen, end);
    }
    parts.PageEnd = text.mid(end);
    return parts;
}

// A popup cannot follow links, so they are shown as ordinary text there.
void RemoveLinks(QTextDocument& document)
{
    struct TLink
    {
        int Start;
        int Length;
        QTextCharFormat Format;
    };
    QList<TLink> links;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            // Targets (element ids) are anchors as well, but without a link.
            if (fragment.isValid() && !fragment.charFormat().anchorHref().isEmpty())
                links.append({fragment.position(), fragment.length(), fragment.charFormat()});
        }
    }
    QTextCursor cursor(&document);
    for (const TLink& link : links) {
        QTextCharFormat format = link.Format;
        format.clearProperty(QTextFormat::AnchorHref);
        format.setAnchor(!format.anchorNames().isEmpty());
        format.setFontUnderline(false);
        format.clearForeground();
        cursor.setPosition(link.Start);
        cursor.setPosition(link.Start + link.Length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
}

} // namespace

THelpViewer::THelpViewer(QObject* parent) : QObject(parent) {}

THelpViewer::~THelpViewer()
{
    CloseWindow();
}

bool THelpViewer::Execute(const QString& helpFile, int command, int data)
{
    switch (command) {
    case HELP_FINDER:
        return ShowInWindow(helpFile, ContentsKey());
    case HELP_CONTEXT:
        return ShowInWindow(helpFile, TopicKey(data));
    case HELP_CONTEXTPOPUP:
        return ShowPopup(helpFile, data);
    case HELP_QUIT:
        CloseWindow();
        return true;
    default:
        return false;
    }
}

QWidget* THelpViewer::Window() const
{
    return m_window.data();
}

int THelpViewer::CurrentTopic() const
{
    return m_window ? ContextOf(m_currentKey) : -1;
}

bool THelpViewer::Load(const QString& helpFile)
{
    const QString shownName = QDir::toNativeSeparators(helpFile);
    QFile file(helpFile);
    if (!file.exists()) {
        LogFailure(lcHelp(), "open", helpFile, ENOENT);
        ShowErrorMessage(u"Soubor nápovědy „%1“ nebyl nalezen."_s.arg(shownName));
        return false;
    }
    const auto unreadable = [&shownName] {
        ShowErrorMessage(u"Soubor nápovědy „%1“ nelze přečíst."_s.arg(shownName));
        return false;
    };
    // Opened without waiting and read only when it is a regular file: a FIFO
    // in its place would hold the program up until someone writes to it.
    const int fd = ::open(QFile::encodeName(helpFile).constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        LogFailure(lcHelp(), "open", helpFile, errno);
        return unreadable();
    }
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        LogFailure(lcHelp(), "open", helpFile, "not a regular file");
        ::close(fd);
        return unreadable();
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        LogFailure(lcHelp(), "open", file);
        ::close(fd);
        return unreadable();
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        LogFailure(lcHelp(), "read", file);
        return unreadable();
    }
    std::optional<THelpFileParts> parts = SplitTopics(QString::fromUtf8(bytes));
    if (!parts || !parts->Topics.contains(ContentsKey())) {
        LogFailure(lcHelp(), "read", helpFile, "no topics, or no contents among them");
        ShowErrorMessage(u"Soubor nápovědy „%1“ je poškozený."_s.arg(shownName));
        return false;
    }
    m_pageStart = std::move(parts->PageStart);
    m_pageEnd = std::move(parts->PageEnd);
    m_topics = std::move(parts->Topics);
    return true;
}

QString THelpViewer::Page(const QString& key) const
{
    return m_pageStart + m_topics.value(key) + m_pageEnd;
}

bool THelpViewer::ShowInWindow(const QString& helpFile, const QString& key)
{
    if (!Load(helpFile))
        return false;
    EnsureWindow();
    Display(key, true);
    PlaceBesideAsker();
    if (m_window->isMinimized())
        m_window->showNormal();
    else
        m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return true;
}

bool THelpViewer::ShowPopup(const QString& helpFile, int context)
{
    if (!Load(helpFile))
        return false;
    const QString key = TopicKey(context);
    QString text;
    if (m_topics.contains(key)) {
        QTextDocument document;
        document.setHtml(Page(key));
        RemoveLinks(document);
        m_lastPopupText = document.toPlainText().trimmed();
        text = document.toHtml();
    } else {
        m_lastPopupText = u"K této položce není nápověda k dispozici."_s;
        text = m_lastPopupText;
    }
    QWhatsThis::showText(QCursor::pos(), text);
    return true;
}

void THelpViewer::EnsureWindow()
{
    if (m_window)
        return;
    // Top-level rather than a child of the main window, so that it can stand
    // beside it; destroyed by this object or when the user closes it.
    auto* window = new QMainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    // Like the separate help program of old, it never keeps the program
    // running once the main window has closed.
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->setObjectName(u"helpWindow"_s);
    window->setWindowTitle(u"Nápověda – Mečovník"_s);

    QToolBar* toolbar = window->addToolBar(u"Navigace"_s);
    toolbar->setMovable(false);
    QAction* contents = toolbar->addAction(u"Obsah"_s);
    contents->setObjectName(u"helpContentsAction"_s);
    m_backAction = toolbar->addAction(u"Zpět"_s);
    m_backAction->setObjectName(u"helpBackAction"_s);
    m_backAction->setShortcut(QKeySequence::Back);

    m_browser = new QTextBrowser(window);
    m_browser->setObjectName(u"helpBrowser"_s);
    m_browser->setOpenLinks(false);
    window->setCentralWidget(m_browser);
    window->resize(kHelpSize);

    connect(m_browser, &QTextBrowser::anchorClicked, this, &THelpViewer::OnAnchorClicked);
    connect(contents, &QAction::triggered, this, &THelpViewer::OnContents);
    connect(m_backAction, &QAction::triggered, this, &THelpViewer::OnBack);
    connect(window, &QObject::destroyed, this, &THelpViewer::OnWindowDestroyed);
    m_window = window;
}

void THelpViewer::PlaceBesideAsker()
{
    // A window the user has moved stays where it was put.
    if (m_userPlaced || (m_placedAt && m_window->isVisible() && m_window->pos() != *m_placedAt)) {
        m_userPlaced = true;
        return;
    }
    const QWidget* asker = CurrentProgramWindow();
    if (!asker || m_window->isMaximized() || m_window->isFullScreen())
        return;
    asker = asker->window();
    const QScreen* screen = asker->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect beside = asker->frameGeometry();
    const QMargins frame = FrameMargins(*m_window);
    // A window narrowed for one asker widens again for the next; a size the
    // user gave it stays.
    const bool userSized = m_placedSize && m_window->size() != *m_placedSize;
    const QSize outer = (userSized ? m_window->size() : kHelpSize).grownBy(frame);
    const TScreenRect placed =
        PlaceBeside({beside.x(), beside.y(), beside.width(), beside.height()}, outer.width(),
                    outer.height(), {area.x(), area.y(), area.width(), area.height()},
                    kNarrowestBeside + frame.left() + frame.right());
    m_window->setGeometry(placed.Left + frame.left(), placed.Top + frame.top(),
                          std::max(placed.Width - frame.left() - frame.right(), 0),
                          std::max(placed.Height - frame.top() - frame.bottom(), 0));
    m_placedAt = QPoint(placed.Left, placed.Top);
    m_placedSize = m_window->size();
}

void THelpViewer::Display(const QString& key, bool remember)
{
    const QString shown = m_topics.contains(key) ? key : ContentsKey();
    if (remember && !m_currentKey.isEmpty() && m_currentKey != shown) {
        m_history.append(m_currentKey);
        if (m_history.size() > kHistoryLimit)
            m_history.removeFirst();
    }
    m_currentKey = shown;
    m_browser->setHtml(Page(shown));
    m_backAction->setEnabled(!m_history.isEmpty());
}

void THelpViewer::CloseWindow()
{
    delete m_window.data();
}

void THelpViewer::OnAnchorClicked(const QUrl& url)
{
    if (url.scheme().isEmpty() && url.path().isEmpty() && url.hasFragment())
        Display(url.fragment(), true);
    else
        QDesktopServices::openUrl(url);
}

void THelpViewer::OnBack()
{
    if (!m_history.isEmpty())
        Display(m_history.takeLast(), false);
}

void THelpViewer::OnContents()
{
    Display(ContentsKey(), true);
}

void THelpViewer::OnWindowDestroyed()
{
    m_placedAt.reset();
    m_placedSize.reset();
    m_userPlaced = false;
    m_browser = nullptr;
    m_backAction = nullptr;
    m_currentKey.clear();
    m_history.clear();
}

} // namespace mecovnik
