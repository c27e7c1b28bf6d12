#pragma once

#include <QObject>
#include <QPixmap>
#include <QString>

namespace mecovnik {

// The about box: texts and picture of a modal about window, which Execute
// builds (TAboutDialogForm), shows and destroys.
class TAboutDialog final : public QObject
{
    Q_OBJECT
    Q_PROPERTY(quint16 BitmapID READ BitmapID WRITE SetBitmapID)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString AppName READ AppName WRITE SetAppName)
    Q_PROPERTY(QString AppVersion READ AppVersion WRITE SetAppVersion)
    Q_PROPERTY(QString AppCopyright READ AppCopyright WRITE SetAppCopyright)
    Q_PROPERTY(QString AppComments READ AppComments WRITE SetAppComments)

public:
    explicit TAboutDialog(QObject* owner = nullptr);
    ~TAboutDialog() override;
    Q_DISABLE_COPY_MOVE(TAboutDialog)

    // The number of the bitmap resource shown as the picture; a number with
    // no bitmap leaves the picture empty.
    [[nodiscard]] quint16 BitmapID() const { return m_bitmapId; }
    void SetBitmapID(quint16 id) { m_bitmapId = id; }
    // The window's title.
    [[nodiscard]] QString Caption() const { return m_caption; }
    void SetCaption(const QString& text) { m_caption = text; }
    // The first line, shown literally ("&" included).
    [[nodiscard]] QString AppName() const { return m_appName; }
    void SetAppName(const QString& text) { m_appName = text; }
    // The second line; a single "&" marks an accelerator and is not shown.
    [[nodiscard]] QString AppVersion() const { return m_appVersion; }
    void SetAppVersion(const QString& text) { m_appVersion = text; }
    // The copyright line, shown literally.
    [[nodiscard]] QString AppCopyright() const { return m_appCopyright; }
    void SetAppCopyright(const QString& text) { m_appCopyright = text; }
    // The comment, wrapped within its frame and cut off at its lower edge.
    [[nodiscard]] QString AppComments() const { return m_appComments; }
    void SetAppComments(const QString& text) { m_appComments = text; }

    // Shows the about window modally and returns when it is closed. The
    // window is made afresh for each call and owned by the main window.
    void Execute();

    // The picture of a bitmap number for a screen's device pixel ratio: the
    // bitmap itself at 1, above 1 its artwork at two or three times the size
    // ("<number>@2x", "@3x") when it has one; null for a number without a
    // bitmap.
    [[nodiscard]] static QPixmap Picture(quint16 bitmapId, qreal devicePixelRatio);

private:
    quint16 m_bitmapId = 0;
    QString m_caption;
    QString m_appName;
    QString m_appVersion;
    QString m_appCopyright;
    QString m_appComments;
};

} // namespace mecovnik
