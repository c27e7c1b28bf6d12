#include "MainFormFixture.h"

#include "GuiTestEnvironment.h"
#include "TFakeClock.h"
#include "TFakeRandom.h"

#include "platform/TProgramResources.h"
#include "platform/TQtNameOrder.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace mecovnik::test {

const TNameOrder& ProgramNameOrder()
{
    static const TQtNameOrder order;
    return order;
}

TFakeClock& TestClock()
{
    static TFakeClock clock;
    return clock;
}

const TResourceSource& ProgramResources()
{
    static const TProgramResources resources;
    return resources;
}

TMainFormServices TestServices(THelpSystem* help)
{
    TMainFormServices s;
    s.QueryVersion = [] { return std::optional<TOsVersionInfo>(TOsVersionInfo{4, 0, 1381, 2}); };
    s.Help = help;
    s.MakeRandom = [] { return std::make_unique<TFakeRandom>(); };
    s.ProgramFile = QStringLiteral("/opt/hra/mecovnik.bin");
    // Window tests make a new main window before the old one is gone; the
    // single-instance guard has tests of its own.
    s.RunOnlyOnce = false;
    s.NameOrder = &ProgramNameOrder();
    s.Resources = &ProgramResources();
    s.Clock = &TestClock();
    s.PrintModule = QStringLiteral(MECOVNIK_PRINT_MODULE);
    s.ShareModule = QStringLiteral(MECOVNIK_SHARE_MODULE);
    return s;
}

std::unique_ptr<TMainForm> StartMainForm(TNastaveni& nastaveni, TMainFormServices services)
{
    auto form = std::make_unique<TMainForm>(nastaveni, std::move(services));
    form->CreateRosterWindows();
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        qFatal("main window not exposed");
    Flush();
    return form;
}

TDialogAnswerer::TFill NewCharacterFill(const QString& name)
{
    return [name](QDialog& d) {
        TypeText(&Child<QLineEdit>(d, "Edit_Jmeno"), name);
        QTest::mouseClick(&Child<QPushButton>(d, "Btn_OK"), Qt::LeftButton);
    };
}

TDialogAnswerer::TFill NewMonsterFill(const QString& name)
{
    return [name](QDialog& d) {
        TypeText(Child<QComboBox>(d, "Combo_Jmeno").lineEdit(), name);
        QTest::mouseClick(&Child<QPushButton>(d, "Btn_OK"), Qt::LeftButton);
    };
}

} // namespace mecovnik::test
