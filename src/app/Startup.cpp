#include "app/Startup.h"

#include "app/Frm_Main.h"
#include "components/MessageBoxes.h"
#include "persistence/TRegistryStore.h"
#include "platform/SystemVersion.h"
#include "platform/THelpViewer.h"
#include "platform/TPrintModule.h"
#include "platform/TProgramResources.h"
#include "platform/TQtJournalFile.h"
#include "platform/TQtNameOrder.h"
#include "platform/TQtRegistryFile.h"
#include "playerview/TShareModule.h"
#include "roster/TRandom.h"
#include "settings/TNastaveni.h"

#include <QApplication>
#include <QFileInfo>

#include <exception>

namespace mecovnik {

int RunReportingFailure(const std::function<int()>& run)
{
    try {
        return run();
    } catch (const std::exception& e) {
        ShowErrorMessage(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ShowErrorMessage(QStringLiteral("Neočekávaná chyba programu."));
    }
    return 1;
}

int RunProgram(QApplication& app)
{
    return RunReportingFailure([&app] {
        TQtRegistryFile registryFile(TQtRegistryFile::DefaultPath());
        TRegistryStore registry(registryFile);
        TNastaveni nastaveni(registry);
        THelpViewer help;
        TQtJournalFile journal(TQtJournalFile::DefaultFolder());
        // The platform's adapters, one each for the whole run.
        const TQtNameOrder nameOrder;
        const TProgramResources resources;
        TMainFormServices services;
        services.QueryVersion = QuerySystemVersion;
        services.Help = &help;
        services.MakeRandom = [] { return std::make_unique<TClockSeededRandom>(); };
        services.ProgramFile = QCoreApplication::applicationFilePath();
        services.Journal = &journal;
        services.NameOrder = &nameOrder;
        services.Resources = &resources;
        services.PrintModule =
            QCoreApplication::applicationDirPath() + u'/' + PrintModuleFileName();
        services.ShareModule =
            QCoreApplication::applicationDirPath() + u'/' + ShareModuleFileName();
        // Fights kept at a normal end live beside the journal.
        services.FightFolder = TQtJournalFile::DefaultFolder();
        // Only the first argument counts: a fight file to open.
        const QStringList arguments = QCoreApplication::arguments();
        if (arguments.size() > 1 && !arguments[1].isEmpty())
            services.OpenAtStart = QFileInfo(arguments[1]).absoluteFilePath();

        TMainForm mainForm(nastaveni, std::move(services));
        if (mainForm.SecondCopy())
            return 0;
        if (mainForm.StartupRejected())
            return 1;
        mainForm.CreateRosterWindows();
        mainForm.show();
        const int code = app.exec();
        mainForm.EndFight();
        return code;
    });
}

} // namespace mecovnik
