#include "app/MainFormFightFiles.h"

#include "ui_Frm_Main.h"

#include "app/TFightKeeper.h"
#include "components/LogCategories.h"
#include "components/MessageBoxes.h"
#include "components/ProgramWindows.h"
#include "components/QtText.h"
#include "components/ScreenCursor.h"
#include "history/FightFile.h"
#include "history/FightFileRules.h"
#include "platform/DocumentFile.h"
#include "platform/FileSync.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/TNameOrder.h"
#include "roster/TRosterModel.h"
#include "settings/TNastaveni.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

// The fight as a document: new, open, save, add from a file, the recent
// list, the caption, files dropped or handed over by another copy, and the
// fight kept at a normal end. Beyond the original program; none of its
// commands, texts or shortcuts changes.

namespace mecovnik {

namespace {

const QString kFilter = QStringLiteral("Souboje (*.souboj)");
const QString kAllFiles = QStringLiteral("Všechny soubory (*)");
const QString kExtension = QStringLiteral(".souboj");

// How long a handed-over file waits while a dialog or command runs.
constexpr int kRetryMs = 200;
// How many skipped names a message lists before it only counts the rest.
constexpr qsizetype kNamesListed = 20;

enum class TFileAsk
{
    Open,
    Save,
    Add,
};

// A place in the file (a JSON pointer such as "/postavy/3/zivoty") in words.
QString PlaceText(const std::string& pointer)
{
    const QStringList parts = ToQString(pointer).split(u'/', Qt::SkipEmptyParts);
    QStringList words;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        bool number = false;
        const int row = i + 1 < parts.size() ? parts[i + 1].toInt(&number) : 0;
        const bool characters = part == QStringLiteral("postavy");
        if ((characters || part == QStringLiteral("nestvury")) && number) {
            words << (characters ? QStringLiteral("postava č. %1")
                                 : QStringLiteral("nestvůra č. %1"))
                         .arg(row + 1);
            ++i;
        } else if (part == QStringLiteral("vybrano")) {
            words << QStringLiteral("výběr");
        } else {
            words << QStringLiteral("„%1“").arg(part);
        }
    }
    return words.join(QStringLiteral(", "));
}

// Why a fight file could not be taken, in words.
QString ReadingProblem(const TFightFileReading& reading)
{
    const QString place = PlaceText(reading.Where);
    switch (reading.Error) {
    case TFightFileError::None:
        return {};
    case TFightFileError::TooLarge:
        return place.isEmpty()
                   ? QStringLiteral("soubor je na souboj příliš velký")
                   : QStringLiteral("soupiska v souboru je příliš dlouhá (%1)").arg(place);
    case TFightFileError::NotUtf8:
        return QStringLiteral("soubor není text v kódování UTF-8 (bajt %1)").arg(reading.Offset);
    case TFightFileError::NotJson:
        return reading.Offset == std::string::npos
                   ? QStringLiteral("soubor je poškozený (číslo mimo rozsah)")
                   : QStringLiteral("soubor je poškozený (chyba u bajtu %1)").arg(reading.Offset);
    case TFightFileError::NotFightFile:
        return QStringLiteral("nejde o soubor se soubojem");
    case TFightFileError::NewerVersion:
        return QStringLiteral("soubor uložila novější verze programu");
    case TFightFileError::MissingValue:
        return QStringLiteral("v souboru chybí údaj (%1)").arg(place);
    case TFightFileError::WrongType:
        return QStringLiteral("údaj v souboru má nesprávný typ (%1)").arg(place);
    case TFightFileError::DuplicateName:
        return QStringLiteral("jméno je v soupisce dvakrát (%1)").arg(place);
    case TFightFileError::SelectionOutside:
        return QStringLiteral("vybraný řádek v soupisce není (%1)").arg(place);
    case TFightFileError::BadLedger:
        return QStringLiteral("deník zkušeností je poškozený: %1").arg(ToQString(reading.Reason));
    }
    return {};
}

// Reads the fight file at path into reading; why it cannot be taken, or
// empty when it was.
QString ReadFight(const QString& path, const TNameOrder& order, TFightFileReading& reading)
{
    const TDocumentRead read = ReadDocumentFile(path, kMaxFightFileBytes, lcFight());
    QString problem = read.Problem;
    if (problem.isEmpty() && read.BeyondLimit)
        problem = QStringLiteral("soubor je na souboj příliš velký");
    if (problem.isEmpty()) {
        reading = ReadFightFile(read.Bytes, order);
        problem = ReadingProblem(reading);
    }
    if (!problem.isEmpty()) {
        LogFailure(lcFight(), "read", path, qUtf8Printable(problem));
        ShowErrorMessage(
            QStringLiteral("Souboj ze souboru %1 nelze načíst: %2.").arg(Native(path), problem));
    }
    return problem;
}

// Names in quotes, separated by commas; a long list ends with a count.
QString NameList(const std::vector<std::string>& names)
{
    QStringList quoted;
    for (const std::string& name : names) {
        if (quoted.size() == kNamesListed)
            break;
        quoted << QStringLiteral("„%1“").arg(ToQString(name));
    }
    QString list = quoted.join(QStringLiteral(", "));
    const auto more = static_cast<qsizetype>(names.size()) - quoted.size();
    if (more > 0)
        list += QStringLiteral(" a dalších %1").arg(more);
    return list;
}

// What "Přidat ze souboru..." left out, said once; empty when nothing was.
QString SkippedText(const TAddedFromFile& added)
{
    QStringList parts;
    const auto& characters = added.SkippedCharacters;
    if (characters.size() == 1)
        parts << QStringLiteral("Postava %1 už v soupisce je, a proto nebyla přidána.")
                     .arg(NameList(characters));
    else if (!characters.empty())
        parts << QStringLiteral("Postavy %1 už v soupisce jsou, a proto nebyly přidány.")
                     .arg(NameList(characters));
    if (!added.SkippedMonsters.empty())
        parts << QStringLiteral("Pro nestvůry %1 už nezbylo volné číslo, a proto nebyly přidány.")
                     .arg(NameList(added.SkippedMonsters));
    return parts.join(u' ');
}

TLocalTime LocalTime(const QDateTime& now)
{
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

// The first fight file among dropped things, or empty.
QString DroppedFight(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && url.toLocalFile().endsWith(kExtension, Qt::CaseInsensitive))
            return url.toLocalFile();
    return {};
}

} // namespace

QString Native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

bool Exists(const QString& path)
{
    struct stat info
    {
    };
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

QString StartFolder(const std::string& last)
{
    const QString folder = ToQString(last);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString RunSaveDialog(QFileDialog& dialog, const QString& extension)
{
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        QString path = dialog.selectedFiles().constFirst();
        if (!path.endsWith(extension, Qt::CaseInsensitive))
            path += extension;
        if (!Exists(path) ||
            AskQuestion(
                QStringLiteral("Soubor %1 už existuje. Chcete jej nahradit?").arg(Native(path))))
            return path;
        dialog.selectFile(QFileInfo(path).fileName());
    }
}

void TMainForm::SetUpFightFiles()
{
    m_fightFiles = std::make_unique<TFightFiles>();
    m_fightFiles->Caption = windowTitle();
    if (!m_services.FightFolder.isEmpty())
        m_fightFiles->KeptFolder = QDir::cleanPath(m_services.FightFolder);
    setAcceptDrops(true);
    FillRecentFights();
}

void TMainForm::FollowFightFile(std::uint64_t before)
{
    if (!m_fight || !m_fightFiles)
        return;
    TFightFiles& files = *m_fightFiles;
    const std::uint64_t now = m_fight->History().State();
    if (now != before)
        files.Documents.Stepped(before);
    if (files.Opening) {
        if (!files.Opening->Path.empty())
            files.Documents.Opened(now, files.Opening->Path);
        files.Documents.Set(now, std::move(*files.Opening));
        files.Opening.reset();
    }
}

void TMainForm::UpdateCaption()
{
    if (!m_fight || !m_fightFiles)
        return;
    const std::uint64_t state = m_fight->History().State();
    const std::string& path = m_fightFiles->Documents.At(state).Path;
    if (path.empty()) {
        setWindowTitle(m_fightFiles->Caption);
        return;
    }
    QString caption =
        m_fightFiles->Caption + QStringLiteral(" – ") + QFileInfo(ToQString(path)).fileName();
    if (m_fightFiles->Documents.Changed(state))
        caption += u'*';
    setWindowTitle(caption);
}

// ---- the recent list ----

void TMainForm::FillRecentFights()
{
    if (!m_fightFiles)
        return;
    QMenu* menu = m_ui->Menu_NedavneSouboje;
    // Deleted later: one of them may be the item being triggered.
    for (QAction* old : menu->actions()) {
        menu->removeAction(old);
        old->deleteLater();
    }
    const std::vector<std::string>& recent = m_nastaveni.RecentFights;
    const int help = menu->property(kHelpContext).toInt();
    if (recent.empty()) {
        QAction* none = menu->addAction(QStringLiteral("(žádné)"));
        none->setObjectName(QStringLiteral("Item_NedavneSouboje_Zadne"));
        none->setEnabled(false);
        none->setStatusTip(QStringLiteral("Zatím nebyl otevřen ani uložen žádný souboj"));
        none->setProperty(kHelpContext, help);
        return;
    }
    std::vector<std::string> texts = RecentFightTexts(recent);
    const std::string kept = ToStdString(m_fightFiles->KeptFolder);
    for (std::size_t i = 0; i < recent.size(); ++i) {
        const QFileInfo file(ToQString(recent[i]));
        if (!kept.empty() && ToStdString(file.absolutePath()) == kept)
            if (const auto time = QuitFightFileTime(ToStdString(file.fileName())))
                texts[i] = QuitFightText(*time);
        QAction* item = menu->addAction(ToQString(RecentFightCaption(i, texts[i])));
        item->setObjectName(QStringLiteral("Item_NedavnySouboj%1").arg(i + 1));
        item->setStatusTip(Native(file.filePath()));
        item->setProperty(kHelpContext, help);
        const QString path = file.filePath();
        connect(item, &QAction::triggered, this, [this, path] { OpenFightFileLater(path); });
    }
}

void TMainForm::RememberFightFile(const QString& path, bool recent)
{
    // The dialogs go where the user keeps files, never into the program's own folder.
    const QString folder = QFileInfo(path).absolutePath();
    if (folder != m_fightFiles->KeptFolder)
        m_nastaveni.FightFolder = ToStdString(folder);
    if (recent)
        m_nastaveni.RecentFights = WithRecentFight(m_nastaveni.RecentFights, ToStdString(path));
    StoreFightFiles();
    FillRecentFights();
}

void TMainForm::StoreFightFiles()
{
    // The list is the program's state, kept whatever the automatic saving
    // says; a store that refuses it is said once a run.
    if (m_nastaveni.SaveFightFiles() || m_fightFiles->StoreFailureTold)
        return;
    m_fightFiles->StoreFailureTold = true;
    ShowErrorMessage(QStringLiteral("Seznam nedávných soubojů se nepodařilo uložit do registry."));
}

// ---- opening ----

namespace {

// Asks for a fight file in Qt's own dialog (Czech on every desktop), starting
// in folder; the chosen path, or empty. A name to save under gets the
// extension when it lacks it, and replacing a file is asked first.
QString AskFightFile(QWidget& owner, TFileAsk ask, const QString& folder, const QString& name)
{
    static const QString kCaptions[] = {QStringLiteral("Otevřít souboj"),
                                        QStringLiteral("Uložit souboj jako"),
                                        QStringLiteral("Přidat ze souboru")};
    const bool save = ask == TFileAsk::Save;
    ScreenCursor hourglass;
    QFileDialog dialog(&owner, kCaptions[static_cast<int>(ask)]);
    dialog.setObjectName(QStringLiteral("FightFileDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(save ? QStringList{kFilter} : QStringList{kFilter, kAllFiles});
    dialog.setDirectory(folder);
    if (!name.isEmpty())
        dialog.selectFile(name);
    dialog.setWindowModality(Qt::WindowModal);
    OpenAboveCurrentWindow(dialog);
    hourglass.Restore();
    if (save)
        return RunSaveDialog(dialog, kExtension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

void TMainForm::OpenFightFileLater(const QString& path)
{
    // Never in the middle of something: a dialog, a menu, a command, or a
    // left fight still waiting for its question.
    const bool busy = !m_fight || m_fight->Recording() || m_fight->HasLeftover() ||
                      QApplication::activeModalWidget() || QApplication::activePopupWidget();
    if (busy) {
        QTimer::singleShot(kRetryMs, this, [this, path] { OpenFightFileLater(path); });
        return;
    }
    OpenFightFileNow(path);
}

void TMainForm::OpenFightFileNow(const QString& path)
{
    RunAsStep(*m_ui->Item_OtevritSouboj, [this, &path] { (void)OpenFightFile(path); });
}

bool TMainForm::OpenFightFile(const QString& given)
{
    if (!m_fight)
        return false;
    const QString path = QFileInfo(given).absoluteFilePath();
    TFightFileReading reading;
    if (!ReadFight(path, m_postavy->Rows().Records().Order(), reading).isEmpty()) {
        // A recent file that cannot be opened leaves the list.
        const std::vector<std::string> without =
            WithoutRecentFight(m_nastaveni.RecentFights, ToStdString(path));
        if (without != m_nastaveni.RecentFights) {
            m_nastaveni.RecentFights = without;
            StoreFightFiles();
            FillRecentFights();
        }
        return false;
    }
    m_fight->ReplaceFight(reading.File.Fight, std::move(reading.File.Ledger));
    // A fight kept at the end is the program's file: saving it asks for a name.
    const QFileInfo file(path);
    const bool kept = !m_fightFiles->KeptFolder.isEmpty() &&
                      file.absolutePath() == m_fightFiles->KeptFolder &&
                      QuitFightFileTime(ToStdString(file.fileName()));
    m_fightFiles->Opening = TFightDocuments::TDocument{kept ? std::string() : ToStdString(path)};
    RememberFightFile(path, true);
    if (reading.Clamped > 0)
        ShowStatusMessage(
            QStringLiteral("Hodnot mimo povolený rozsah bylo upraveno: %1.").arg(reading.Clamped),
            10);
    return true;
}

void TMainForm::Item_NovySoubojClick()
{
    if (!m_fight)
        return;
    m_fight->ReplaceFight({});
    m_fightFiles->Opening = TFightDocuments::TDocument{};
}

void TMainForm::Item_OtevritSoubojClick()
{
    const QString path =
        AskFightFile(*this, TFileAsk::Open, StartFolder(m_nastaveni.FightFolder), {});
    if (!path.isEmpty())
        (void)OpenFightFile(path);
}

void TMainForm::Item_PridatZeSouboruClick()
{
    if (!m_fight)
        return;
    const QString chosen =
        AskFightFile(*this, TFileAsk::Add, StartFolder(m_nastaveni.FightFolder), {});
    if (chosen.isEmpty())
        return;
    const QString path = QFileInfo(chosen).absoluteFilePath();
    RememberFightFile(path, false);
    TFightFileReading reading;
    if (!ReadFight(path, m_postavy->Rows().Records().Order(), reading).isEmpty())
        return;
    const QString skipped = SkippedText(m_fight->AddFight(reading.File.Fight));
    if (!skipped.isEmpty())
        ShowInfoMessage(skipped);
}

// ---- saving ----

bool TMainForm::SaveFightFile(const QString& given)
{
    if (!m_fight)
        return false;
    const QString path = QFileInfo(given).absoluteFilePath();
    const std::uint64_t state = m_fight->History().State();
    const TFightFile file{m_fight->Fight(), m_fight->Ledger()};
    const std::optional<std::string> text = FormatFightFile(file);
    const QString problem = text ? WriteDocumentFile(path, *text, lcFight())
                                 : QStringLiteral("souboj je na soubor příliš velký");
    if (!problem.isEmpty()) {
        ShowErrorMessage(
            QStringLiteral("Souboj nelze uložit do souboru %1: %2.").arg(Native(path), problem));
        return false;
    }
    m_fightFiles->Documents.Saved(state, ToStdString(path));
    RememberFightFile(path, true);
    UpdateCaption();
    ShowStatusMessage(QStringLiteral("Souboj byl uložen do souboru %1.").arg(Native(path)), 10);
    return true;
}

void TMainForm::Item_UlozitSoubojClick()
{
    if (!m_fight)
        return;
    const std::string& path = m_fightFiles->Documents.At(m_fight->History().State()).Path;
    if (path.empty())
        Item_UlozitSoubojJakoClick();
    else
        (void)SaveFightFile(ToQString(path));
}

void TMainForm::Item_UlozitSoubojJakoClick()
{
    if (!m_fight)
        return;
    const std::string& current = m_fightFiles->Documents.At(m_fight->History().State()).Path;
    const QString folder =
        StartFolder(current.empty() ? m_nastaveni.FightFolder
                                    : ToStdString(QFileInfo(ToQString(current)).absolutePath()));
    const QString path =
        AskFightFile(*this, TFileAsk::Save, folder,
                     current.empty() ? QString() : QFileInfo(ToQString(current)).fileName());
    if (!path.isEmpty())
        (void)SaveFightFile(path);
}

// ---- drops ----

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedFight(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    const QString path = DroppedFight(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop is over: the source waits for its answer.
    QMetaObject::invokeMethod(
        this, [this, path] { OpenFightFileLater(path); }, Qt::QueuedConnection);
}

// ---- the end ----

bool TMainForm::KeepFightAtEnd()
{
    if (!m_fight || !m_fightFiles || m_fightFiles->KeptFolder.isEmpty())
        return true;
    const TFightData fight = m_fight->Fight();
    if (fight.Rosters[kPostavy].empty() && fight.Rosters[kNestvury].empty())
        return true;
    const QString folder = m_fightFiles->KeptFolder;
    const std::optional<std::string> text = FormatFightFile({fight, m_fight->Ledger()});
    QString problem;
    QString path;
    if (!text) {
        problem = QStringLiteral("souboj je na soubor příliš velký");
    } else if (!MakePrivateFolder(folder, lcFight())) {
        problem = QStringLiteral("složku nelze vytvořit");
    } else {
        const TLocalTime now = LocalTime(QDateTime::currentDateTime());
        for (int n = 1; path.isEmpty() || Exists(path); ++n)
            path = folder + u'/' + ToQString(QuitFightFileName(now, n));
        problem = WriteDocumentFile(path, *text, lcFight(), true);
    }
    if (!problem.isEmpty()) {
        LogFailure(lcFight(), "keep", folder, qUtf8Printable(problem));
        const bool journal = m_fight->Journalling() && !m_fight->JournalFailing();
        ShowErrorMessage(QStringLiteral("Souboj se při ukončení programu nepodařilo uschovat do "
                                        "složky %1: %2.%3")
                             .arg(Native(folder), problem,
                                  journal ? QStringLiteral(" Při příštím spuštění programu bude "
                                                           "nabídnuto jeho obnovení.")
                                          : QString()));
        return false;
    }
    m_nastaveni.RecentFights = WithRecentFight(m_nastaveni.RecentFights, ToStdString(path));
    if (!m_nastaveni.SaveFightFiles()) {
        ShowErrorMessage(QStringLiteral("Souboj byl při ukončení programu uschován do souboru %1, "
                                        "seznam nedávných soubojů se však nepodařilo uložit do "
                                        "registry.")
                             .arg(Native(path)));
        return true;
    }
    // Fights kept at earlier ends that the list no longer holds go.
    std::vector<std::string> names;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::System | QDir::Hidden))
        names.push_back(ToStdString(name));
    for (const std::string& name :
         QuitFightsToRemove(names, m_nastaveni.RecentFights, ToStdString(folder))) {
        const QString old = folder + u'/' + ToQString(name);
        if (::unlink(QFile::encodeName(old).constData()) != 0)
            LogFailure(lcFight(), "remove", old, errno);
    }
    return true;
}

} // namespace mecovnik
