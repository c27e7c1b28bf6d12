// Renders the program's windows to PNG files for the documentation, on any
// Qt platform (offscreen is enough): screenshots <output folder>.
#include "app/Frm_Main.h"
#include "app/Frm_Prostredi.h"
#include "app/TApplication.h"
#include "components/TAdvancedListBox.h"
#include "components/TStaticText.h"
#include "platform/SystemVersion.h"
#include "platform/TProgramResources.h"
#include "platform/TQtNameOrder.h"
#include "roster/Frm_EditNestvura.h"
#include "roster/Frm_EditPostava.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/Frm_Zkusenost.h"
#include "roster/Frm_ZranitNestvuru.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRandom.h"
#include "settings/TNastaveni.h"
#include "toolbar/TToolbar.h"
#include "toolbar/TToolbarAdjustDialog.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QStatusBar>
#include <QTimer>

#include <cstdio>

using namespace mecovnik;

namespace {

void Flush()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

std::unique_ptr<TPostava> Character(const char* name, int lives, int max, int knockOut,
                                    int experience, int unassigned)
{
    auto p = std::make_unique<TPostava>(name);
    p->Lives = lives;
    p->MaxLives = max;
    p->KnockOut = knockOut;
    p->Experience = experience;
    p->UnassignedExperience = unassigned;
    return p;
}

std::unique_ptr<TNestvura> Monster(const char* name, int lives, int max, int knockOut,
                                   int experience)
{
    auto m = std::make_unique<TNestvura>(name);
    m->Lives = lives;
    m->MaxLives = max;
    m->KnockOut = knockOut;
    m->KillExperience = experience;
    return m;
}

bool Save(QWidget& widget, const QDir& folder, const char* name)
{
    const QString path = folder.filePath(QString::fromLatin1(name));
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshots <output folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path()))
        return 1;

    TNastaveni nastaveni;
    TMainFormServices services;
    services.QueryVersion = QuerySystemVersion;
    services.MakeRandom = [] { return std::make_unique<TClockSeededRandom>(); };
    services.ProgramFile = QCoreApplication::applicationFilePath();
    // Renders beside a running copy of the program.
    services.RunOnlyOnce = false;
    const TQtNameOrder order;
    const TProgramResources resources;
    services.NameOrder = &order;
    services.Resources = &resources;
    TMainForm form(nastaveni, std::move(services));
    form.resize(900, 420);
    form.CreateRosterWindows();
    form.show();
    Flush();

    TPostavyWindow& postavy = *form.PostavyWindow();
    postavy.AddRecord(Character("Aragorn", 42, 50, 5, 1250, 310));
    postavy.AddRecord(Character("Bilbo", 3, 24, 3, 480, 0));
    postavy.AddRecord(Character("Čaroděj Radagast", 0, 30, 2, 2100, 95));
    TNestvuryWindow& nestvury = *form.NestvuryWindow();
    nestvury.AddRecord(Monster("Skřet", 12, 17, 2, 100));
    nestvury.AddRecord(Monster("Skřet [1]", 0, 21, 2, 100));
    nestvury.AddRecord(Monster("Skřet [2]", 2, 14, 2, 100));
    nestvury.AddRecord(Monster("Zlobr", 38, 40, 10, 450));
    postavy.ListBox()->SetItemIndex(0);
    nestvury.ListBox()->SetItemIndex(0);
    form.MdiArea()->setActiveSubWindow(&postavy);
    Flush();
    form.ShowStatusMessage(TMainForm::CreditLine(), 0);
    Flush();
    bool ok = Save(form, folder, "main-window.png");

    // The rosters' text at twice the size, a dead monster selected.
    form.SetRosterZoom(200);
    form.resize(1400, 640);
    nestvury.ListBox()->SetItemIndex(1);
    Flush();
    ok = Save(form, folder, "main-window-200.png") && ok;
    form.SetRosterZoom(100);
    form.resize(900, 420);
    nestvury.ListBox()->SetItemIndex(0);
    Flush();

    // The dialogs as they open.
    const auto shoot = [&](QDialog& dialog, const char* name) {
        dialog.show();
        Flush();
        ok = Save(dialog, folder, name) && ok;
        dialog.hide();
    };
    TPostava character;
    TPostavaDialog postava(&form);
    postava.LoadFrom(character);
    postava.setWindowTitle(QStringLiteral("Nová postava"));
    shoot(postava, "dialog-postava.png");

    auto kind = std::make_unique<TNestvura>("Skřet");
    kind->Level = 3;
    kind->KnockOutRule = 2;
    kind->KillExperience = 150;
    nastaveni.MonsterPresets.Append(std::move(kind));
    TNestvura monster("Skřet");
    monster.Level = 3;
    monster.KnockOutRule = 2;
    monster.KillExperience = 150;
    TNestvuraDialog nestvura(&form, nastaveni.MonsterPresets, order);
    nestvura.LoadFrom(monster, true);
    nestvura.setWindowTitle(QStringLiteral("Nová nestvůra"));
    shoot(nestvura, "dialog-nestvura.png");

    TZranitNestvuruDialog zraneni(&form);
    zraneni.ShowWho(QStringLiteral("Aragorn zraňuje nestvůru Skřet [2] (2 z 14 životů)"));
    shoot(zraneni, "dialog-zraneni.png");

    TZkusenostDialog cislo(&form);
    cislo.setWindowTitle(QStringLiteral("Změnit životy"));
    cislo.findChild<TStaticText*>(QStringLiteral("StaticText1"))
        ->SetCaption(QStringLiteral("Ž&ivoty:"));
    shoot(cislo, "dialog-cislo.png");

    // The about box, as its menu command shows it.
    QTimer::singleShot(0, &form, [&] {
        if (QWidget* about = QApplication::activeModalWidget()) {
            Flush();
            ok = Save(*about, folder, "about-box.png") && ok;
            about->close();
        }
    });
    form.findChild<QAction*>(QStringLiteral("Item_About"))->trigger();

    TProstrediDialog prostredi(form);
    shoot(prostredi, "dialog-prostredi.png");

    // The toolbar's customisation window with each group selected.
    TToolbarAdjustDialog::Open(*form.MainToolbar());
    Flush();
    if (TToolbarAdjustDialog* adjust = TToolbarAdjustDialog::OpenDialog()) {
        auto* groups = adjust->findChild<TAdvancedListBox*>(QStringLiteral("List_Groups"));
        for (int row = 0; groups && row < groups->Count(); ++row) {
            groups->SetItemIndex(row);
            Flush();
            const QByteArray name = "dialog-toolbar-group" + QByteArray::number(row + 1) + ".png";
            ok = Save(*adjust, folder, name.constData()) && ok;
        }
        adjust->close();
    }
    return ok ? 0 : 1;
}
