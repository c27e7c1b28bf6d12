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
    const QPixmap picture(QStringLiteral(":/bitmaps/%1").arg(m_bitmapId));
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
