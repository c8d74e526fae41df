#include "terminal/uStartUp.h"

#include "controls/ACXPVS.h"
#include "domain/uAppSettings.h"
#include "domain/uCommon.h"
#include "domain/uFolders.h"
#include "domain/uHttpTransport.h"
#include "domain/uLog.h"
#include "domain/uProfile.h"
#include "domain/uSymbolShowList.h"
#include "domain/uTranslator.h"
#include "platform/FileWrite.h"
#include "platform/Resources.h"
#include "platform/qt/AppException.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtTermSignals.h"
#include "platform/qt/QtTickSource.h"
#include "platform/qt/QtUIDispatcher.h"
#include "terminal/charts/uChartTemplates.h"
#include "terminal/dlgEula/udlgEula.h"
#include "terminal/dlgLanguage/udlgLanguage.h"
#include "terminal/fmMain/ufmMain.h"
#include "terminal/uBuilder.h"

#include <QApplication>
#include <QDialog>
#include <QThread>
#include <QTimer>
#include <exception>
#include <filesystem>

namespace {

constexpr int cExitFailed = 1;
// How soon a close asked for by a signal looks again whether a dialog's loop
// has ended.
constexpr int cSignalRetryMs = 10;

std::string RoamingFolder()
{
    return Folders ? Folders->Folder(afUserRoaming) : std::string();
}

// Written at every start where they differ from the program's own. One the
// folder cannot take (full, read-only) is told, and the program's own text
// is read in its place.
void WriteLanguageFiles(const std::string& Roaming)
{
    for (const std::string Name : {"english.license", "english.lng"}) {
        try {
            UnpackResource(Name, Roaming + "/" + Name);
        } catch (const EFileError& E) {
            Alert(E.what());
            Translator->SetBuiltIn(Name, std::string(FindResource(Name).value()));
        }
    }
}

// A save killed between writing and renaming leaves its temporary file,
// which only the next save of the same file would remove. The program's
// folder may hold other programs' files: there only the accounts file's go.
void RemoveTempsOfKilledSaves(const std::string& Roaming)
{
    RemoveStaleTemps(Roaming);
    RemoveStaleTemps(TChartTemplates::Folder());
    RemoveStaleTemps(TSymbolShowList::GroupsFolder());
    RemoveStaleTemps(Folders->Folder(afExe), TProfile::cDefaultFileName);
}

bool FirstStart(const std::string& Roaming)
{
    return !std::filesystem::exists(Roaming + "/" + cFirstStartMarker);
}

// The language, then the agreement. False when either was cancelled.
bool RunFirstStartDialogs()
{
    std::string Language;
    if (!ExecuteDlgLanguage(Language))
        return false;
    AppSettings->SetLanguage(Language);
    // The only time the settings file is written.
    AppSettings->Save();
    Translator->SetLanguage(Language);
    return ExecuteDlgEula();
}

// Everything before the builder. False when the start was cancelled at a
// first-start dialog; raises when a file cannot be read or written.
bool PrepareStart()
{
    AppSettings->Load();
    Translator->SetLanguage(AppSettings->Language());
    const std::string Roaming = RoamingFolder();
    std::filesystem::create_directories(Roaming);
    RemoveTempsOfKilledSaves(Roaming);
    WriteLanguageFiles(Roaming);
    // The table as just written, not as an earlier version of the program
    // left it: also the chosen language of a first start is translated at once.
    Translator->Reload();
    if (FirstStart(Roaming) && !RunFirstStartDialogs())
        return false;
    WriteFileIfChanged(Roaming + "/" + cFirstStartMarker, "Tavrix\n");
    return true;
}

std::string ErrorText(std::exception_ptr Error)
{
    try {
        std::rethrow_exception(Error);
    } catch (const std::exception& E) {
        return E.what();
    } catch (...) {
        return "Unknown error";
    }
}

// The services the start creates before the builder; freed last, also when
// the start ends early.
class TStartServices {
public:
    TStartServices()
    {
        Translator = new TTranslator(RoamingFolder);
        Folders = new TFolders;
        AppSettings = new TAppSettings;
    }
    TStartServices(const TStartServices&) = delete;
    TStartServices& operator=(const TStartServices&) = delete;
    ~TStartServices()
    {
        FreeGlobal(Folders);
        FreeGlobal(AppSettings);
        FreeGlobal(Translator);
    }
};

// A termination signal closes the program as its user would: an open modal
// dialog is cancelled first, then, once that dialog's loop has ended, the
// main window closes as its close button does. Before the main window exists
// cancelling a first-start dialog is all: the start then ends as cancelled.
void CloseOnSignal()
{
    if (QWidget* Modal = QApplication::activeModalWidget()) {
        if (auto* Dialog = qobject_cast<QDialog*>(Modal))
            Dialog->reject();
        else
            Modal->close();
    }
    if (fmMain == nullptr)
        return;
    if (QApplication::activeModalWidget() || QThread::currentThread()->loopLevel() > 1) {
        QTimer::singleShot(cSignalRetryMs, CloseOnSignal);
        return;
    }
    fmMain->close();
}

// The window system's side of the services: calls from workers, message
// boxes, the heartbeat's ticks and termination signals all go through the
// application's loop; the controls draw in the system's visual style.
class TPlatformServices {
public:
    TPlatformServices()
    {
        SetUIDispatcher(&fDispatcher);
        SetApplicationLog([](const std::string& Line) { WriteLog(Line, mtAlert, 0); });
        LoadDLL();
    }
    TPlatformServices(const TPlatformServices&) = delete;
    TPlatformServices& operator=(const TPlatformServices&) = delete;
    ~TPlatformServices()
    {
        UnLoadDLL();
        SetApplicationLog(nullptr);
    }
    ITickSource& Ticks() { return fTicks; }
    bool Signalled() const { return fSignals.Received(); }

private:
    TQtUIDispatcher fDispatcher;
    TQtMessageBox fMessageBox;
    TQtTickSource fTicks;
    TQtTermSignals fSignals{CloseOnSignal};
};

} // namespace

int RunTavrix()
{
    TPlatformServices Platform;
    HttpGlobalInit();
    TStartServices Services;
    QApplication::setApplicationName(QStringLiteral("Tavrix"));
    // Every window, the start-up dialogs included, carries the terminal's icon.
    QApplication::setWindowIcon(PictureIcon("tavrix"));
    try {
        // A signal before the main window ends the start as a cancelled one.
        if (!PrepareStart() || Platform.Signalled())
            return 0;
    } catch (...) {
        Alert(ErrorText(std::current_exception()));
        return cExitFailed;
    }
    // The main window's close ends the loop, not the last window of any kind.
    QApplication::setQuitOnLastWindowClosed(false);
    TBuilder Builder(Platform.Ticks());
    try {
        Builder.BuildOnStart();
    } catch (...) {
        Alert(ErrorText(std::current_exception()));
        return cExitFailed;
    }
    QApplication::exec();
    Builder.DestroyOnFinish();
    return 0;
}
