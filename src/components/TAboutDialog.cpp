#include "components/TAboutDialog.h"

#include "ui_AboutDialog.h"

#include "components/ScreenCursor.h"
#include "components/TAboutDialogForm.h"

#include <QPixmap>

// The bitmap resources live in the windows library; a static library needs
// them registered by hand.
static void InitBitmapResources()
{
    Q_INIT_RESOURCE(emblem);
}

namespace mecovnik {

namespace {

QWidget* OwnerWindow(const QObject* component)
{
    for (QObject* o = component->parent(); o; o = o->parent())
        if (o->isWidgetType())
            return static_cast<QWidget*>(o)->window();
    return nullptr;
}

} // namespace

QPixmap TAboutDialog::Picture(quint16 bitmapId, qreal devicePixelRatio)
{
    const QString name = QStringLiteral(":/bitmaps/%1").arg(bitmapId);
    const QPixmap normal(name);
    if (normal.isNull() || devicePixelRatio <= 1.0)
        return normal;
    // The same picture drawn at two or three times its size, where there is
    // one: the smallest that covers the screen's pixels, scaled down smoothly.
    const QSize wanted = (QSizeF(normal.size()) * devicePixelRatio).toSize();
    for (const int times : {2, 3}) {
        QPixmap large(QStringLiteral("%1@%2x.png").arg(name).arg(times));
        if (large.isNull() || (large.width() < wanted.width() && times < 3))
            continue;
        if (large.size() != wanted)
            large = large.scaled(wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        large.setDevicePixelRatio(devicePixelRatio);
        return large;
    }
    return normal;
}

TAboutDialog::TAboutDialog(QObject* owner) : QObject(owner)
{
    static const bool registered = (InitBitmapResources(), true);
    Q_UNUSED(registered)
}

TAboutDialog::~TAboutDialog() = default;

void TAboutDialog::Execute()
{
    ScreenCursor hourglass;
    TAboutDialogForm form(OwnerWindow(this));
    Ui::TAboutDialogForm& ui = form.Form();
    form.setWindowTitle(m_caption);
    // A number without a bitmap gives an empty picture, not an error.
    const QPixmap picture = Picture(m_bitmapId, form.devicePixelRatioF());
    if (!picture.isNull())
        ui.Icon->setPixmap(picture);
    ui.ProductName->SetCaption(m_appName);
    ui.Version->SetCaption(m_appVersion);
    ui.Copyright->SetCaption(m_appCopyright);
    ui.Comments->SetCaption(m_appComments);
    hourglass.Restore();
    form.exec();
}

} // namespace mecovnik
