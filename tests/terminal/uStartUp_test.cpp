#include "terminal/uStartUp.h"

#include "controls/uMdiWindow.h"
#include "domain/uBaseThread.h"
#include "domain/uCommon.h"
#include "domain/uHttpTransport.h"
#include "domain/uProfile.h"
#include "domain/uSysTime.h"
#include "platform/Resources.h"
#include "platform/Thread.h"
#include "support/FileSizeLimit.h"
#include "support/TempHome.h"
#include "support/TestExchange.h"
#include "terminal/DialogDriver.h"
#include "terminal/charts/uChartList.h"
#include "terminal/charts/uCharts.h"
#include "terminal/charts/uIndicators.h"
#include "terminal/dlgBaseLogon/udlgBaseLogon.h"
#include "terminal/dlgEula/udlgEula.h"
#include "terminal/dlgIndicator/udlgIndicator.h"
#include "terminal/dlgLanguage/udlgLanguage.h"
#include "terminal/fmMain/ufmMain.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

std::string ReadText(const fs::path& File)
{
    std::ifstream Stream(File, std::ios::binary);
    std::stringstream Text;
    Text << Stream.rdbuf();
    return Text.str();
}

// Plays the user through a whole run: answers the first-start dialogs as
// told, records every window that came up, and closes the main window once
// it is up and idle (its start-up over: the heartbeat runs). Anything left
// open after twenty seconds is closed. With SignalAt, the user sends SIGTERM
// instead on seeing that window ("language", "main window", or "logon": the
// logon dialog opened over the main window) and then waits for the program.
class TUserAtTheScreen {
public:
    // The language dialog's choice (its combo index), or -1 to cancel it.
    int LanguageIndex = 0;
    bool AcceptAgreement = true;
    std::string SignalAt;

    std::vector<std::string> Seen;
    std::string MainStatusText;
    // Runs at every look while the main window is up and idle, before it is
    // closed; the window stays open while it returns false.
    std::function<bool()> AtMainWindow;

    TUserAtTheScreen()
    {
        QObject::connect(&fPoll, &QTimer::timeout, [this] { Look(); });
        fPoll.start(20);
        fWatchdog.setSingleShot(true);
        QObject::connect(&fWatchdog, &QTimer::timeout, [] {
            ADD_FAILURE() << "the run did not end";
            if (QWidget* Open = QApplication::activeModalWidget())
                Open->close();
            if (fmMain)
                fmMain->close();
        });
        fWatchdog.start(20000);
    }

    // For another run.
    void Restart(const std::string& aSignalAt)
    {
        SignalAt = aSignalAt;
        Seen.clear();
        fSignalled = false;
        fLogonAsked = false;
        fMainSeen = false;
        fWatchdog.start(20000);
    }

private:
    void Look()
    {
        if (fSignalled)
            return;
        QWidget* Modal = QApplication::activeModalWidget();
        if (auto* Language = dynamic_cast<TfmLanguage*>(Modal)) {
            if (Saw("language"))
                return;
            if (LanguageIndex < 0)
                return Language->reject();
            Control<QComboBox>(*Language, "cbLanguage").setCurrentIndex(LanguageIndex);
            Control<QPushButton>(*Language, "btnOk").click();
        } else if (auto* Eula = dynamic_cast<TfmEula*>(Modal)) {
            if (Saw("agreement"))
                return;
            if (!AcceptAgreement)
                return Eula->reject();
            Control<QRadioButton>(*Eula, "rbApply").click();
            Control<QPushButton>(*Eula, "btnOk").click();
        } else if (dynamic_cast<TdlgBaseLogon*>(Modal)) {
            Saw("logon");
        } else if (auto* Indicator = dynamic_cast<TfmIndicator*>(Modal)) {
            Control<QPushButton>(*Indicator, "btnOk").click();
        } else if (auto* Box = qobject_cast<QMessageBox*>(Modal)) {
            Seen.push_back(Box->windowTitle().toStdString() + ": " + Box->text().toStdString());
            Box->accept();
        } else if (!Modal && fmMain && fmMain->isVisible() && Timer && Timer->Enabled() &&
                   !fLogonAsked) {
            MainStatusText = fmMain->Controls().StatusText->text().toStdString();
            if (!std::exchange(fMainSeen, true) && Saw("main window"))
                return;
            if (AtMainWindow && !AtMainWindow())
                return;
            if (SignalAt != "logon") {
                fmMain->close();
                return;
            }
            fLogonAsked = true;
            QTimer::singleShot(0, [] {
                if (auto* Login = fmMain ? fmMain->findChild<QAction*>("acLogin") : nullptr)
                    Login->trigger();
            });
        }
    }

    // Records the window; true when the signal is due there (it was sent).
    bool Saw(const std::string& aWindow)
    {
        Seen.push_back(aWindow);
        if (aWindow != SignalAt)
            return false;
        fSignalled = true;
        kill(getpid(), SIGTERM);
        return true;
    }

    bool fSignalled = false;
    bool fLogonAsked = false;
    bool fMainSeen = false;
    QTimer fPoll;
    QTimer fWatchdog;
};

// A user's home of its own and the program folder beside the test program,
// cleared before and after; the exchange is the test exchange.
class StartUp : public ::testing::Test {
protected:
    StartUp() { ClearProgramFolder(); }
    ~StartUp() override
    {
        HttpAbortTransfers(false);
        ClearProgramFolder();
    }

    fs::path Roaming() const { return Home.ConfigHome() / "Quorvel" / "Tavrix"; }
    fs::path Settings() const { return Roaming() / "app_settings.json"; }
    fs::path Marker() const { return Roaming() / cFirstStartMarker; }
    static fs::path ProgramFolder() { return fs::path(ExeName()).parent_path(); }
    static fs::path AccountsFile() { return ProgramFolder() / "config.json"; }

    void WriteSettings(const std::string& Language)
    {
        fs::create_directories(Roaming());
        std::ofstream(Settings()) << nlohmann::json{
            {"server", Exchange.URL()},
            {"language", Language}}.dump();
    }
    // A start that is not the first.
    void WriteMarker() { std::ofstream(Marker()) << "Tavrix\n"; }
    void WriteMainKeys(const std::string& ApiKey, const std::string& SecretKey)
    {
        TProfile Accounts(AccountsFile().string());
        Accounts.MainProfile().SetApiKey(ApiKey);
        Accounts.MainProfile().SetSecretKey(SecretKey);
        Accounts.SaveToFile();
    }
    std::vector<std::string> Requests() const
    {
        std::vector<std::string> Paths;
        for (const TJournalEntry& Entry : Exchange.Journal())
            Paths.push_back(Entry.Method + " " + Entry.Path);
        return Paths;
    }
    static std::string Request(TExchangeEndpoint Endpoint)
    {
        return TTestExchange::Method(Endpoint) + " /" + TTestExchange::Resource(Endpoint);
    }

    int Run() { return RunTavrix(); }

    TTempHome Home;
    TTestExchange Exchange;
    TUserAtTheScreen User;

private:
    static void ClearProgramFolder()
    {
        fs::remove(AccountsFile());
        fs::remove(ProgramFolder() / "Debug.log");
    }
};

// SIGTERM closes as the user would: the dialog open at that moment is
// cancelled; with the main window up, it closes as by its close button.
TEST_F(StartUp, ASignalClosesTheProgramAsItsUserWouldAndTheRunEndsWithZero)
{
    const struct {
        const char* At;
        bool FirstStart;
        std::vector<std::string> Seen;
    } Cases[] = {
        {"language", true, {"language"}},
        {"main window", false, {"main window"}},
        {"logon", false, {"main window", "logon"}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.At);
        fs::remove_all(Roaming());
        if (!C.FirstStart) {
            WriteSettings("English");
            WriteMarker();
        }
        Exchange.ClearJournal();
        HttpAbortTransfers(false); // as at a fresh start of the process
        User.Restart(C.At);

        EXPECT_EQ(Run(), 0);
        EXPECT_EQ(User.Seen, C.Seen);
        EXPECT_EQ(fmMain, nullptr);
        EXPECT_EQ(FreeThreadCount(), 0u);
        EXPECT_EQ(fs::exists(Marker()), !C.FirstStart) << "a signal at a first-start dialog "
                                                          "cancels the start";
        EXPECT_EQ(Exchange.Journal().empty(), C.FirstStart);
        struct sigaction Now {};
        sigaction(SIGTERM, nullptr, &Now);
        EXPECT_EQ(Now.sa_handler, SIG_DFL) << "the handler ends with the run";
    }
}

// A cancelled language ends the start with only the language files written;
// a declined agreement keeps the language and asks again next time.
TEST_F(StartUp, CancellingTheLanguageOrDecliningTheAgreementEndsTheStart)
{
    User.LanguageIndex = -1;
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(User.Seen, (std::vector<std::string>{"language"}));
    EXPECT_FALSE(fs::exists(Settings()));
    EXPECT_TRUE(fs::exists(Roaming() / "english.lng"));
    EXPECT_TRUE(fs::exists(Roaming() / "english.license"));
    EXPECT_FALSE(fs::exists(AccountsFile()));

    User.Seen.clear();
    User.LanguageIndex = 1;
    User.AcceptAgreement = false;
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(User.Seen, (std::vector<std::string>{"language", "agreement"}));
    EXPECT_FALSE(fs::exists(Marker()));
    EXPECT_EQ(nlohmann::json::parse(ReadText(Settings())).value("language", ""), "Russian");

    User.Seen.clear();
    User.LanguageIndex = -1;
    Run();
    EXPECT_EQ(User.Seen, (std::vector<std::string>{"language"}));
}

TEST_F(StartUp, LaterStartAsksNothingRewritesTheFilesAndClosesEveryWorker)
{
    WriteSettings("English");
    WriteMarker();
    std::ofstream(Roaming() / "english.lng") << "stale";
    Exchange.AddAccount("start-key", "start-secret");
    WriteMainKeys("start-key", "start-secret");

    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(User.Seen, (std::vector<std::string>{"main window"}));
    EXPECT_EQ(ReadText(Roaming() / "english.lng"), std::string(*FindResource("english.lng")));
    EXPECT_EQ(FreeThreadCount(), 0u);

    // The ping is answered before anything else is asked; the account's
    // orders only after its balances said the keys are good.
    const std::vector<std::string> Requests = this->Requests();
    ASSERT_FALSE(Requests.empty());
    EXPECT_EQ(Requests.front(), Request(TExchangeEndpoint::Ping))
        << ::testing::PrintToString(Requests);
    auto Position = [&](TExchangeEndpoint Endpoint) {
        return std::find(Requests.begin(), Requests.end(), Request(Endpoint)) - Requests.begin();
    };
    const auto End = static_cast<std::ptrdiff_t>(Requests.size());
    for (TExchangeEndpoint Endpoint :
         {TExchangeEndpoint::Time, TExchangeEndpoint::Ticker24hr, TExchangeEndpoint::Account})
        EXPECT_LT(Position(Endpoint), End) << Request(Endpoint);
    EXPECT_GT(Position(TExchangeEndpoint::AllOrders), Position(TExchangeEndpoint::Account));
    EXPECT_GT(Position(TExchangeEndpoint::OpenOrders), Position(TExchangeEndpoint::Account));
    EXPECT_LT(Position(TExchangeEndpoint::OpenOrders), End);

    const std::size_t AtTheEnd = Exchange.Journal().size();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(Exchange.Journal().size(), AtTheEnd) << "a request after the program ended";
}

// The exchange holding its replies back for two seconds: the window answers
// all along (a 100 ms timer keeps firing) and, once the replies come, the
// start-up ends; closed while they are held, the program ends at once.
TEST_F(StartUp, WhileTheExchangeHoldsItsRepliesTheWindowAnswersAndClosesAtOnce)
{
    WriteSettings("English");
    WriteMarker();
    Exchange.AddAccount("start-key", "start-secret");
    WriteMainKeys("start-key", "start-secret");
    for (const bool CloseWhileHeld : {false, true}) {
        SCOPED_TRACE(CloseWhileHeld);
        Exchange.ClearJournal();
        HttpAbortTransfers(false);
        User.Restart("");
        Exchange.HoldReplies(true);
        using TClock = std::chrono::steady_clock;
        std::optional<TClock::time_point> LastBeat;
        TClock::time_point Released;
        TClock::duration LongestGap{};
        int HeldBeats = 0;
        QTimer Beat;
        QObject::connect(&Beat, &QTimer::timeout, [&] {
            if (!fmMain || !fmMain->isVisible())
                return LastBeat.reset();
            const auto Now = TClock::now();
            LongestGap = std::max(LongestGap, Now - LastBeat.value_or(Now));
            LastBeat = Now;
            if (Exchange.Journal().empty() || ++HeldBeats != 20)
                return;
            Released = Now;
            if (CloseWhileHeld)
                fmMain->close();
            else
                Exchange.HoldReplies(false);
        });
        Beat.start(100);
        bool Loaded = false;
        User.AtMainWindow = [&] {
            const TConnectionItem& Main = Profile->MainProfile();
            return Loaded = Main.UserOrderList().Loaded() && Main.BalanceList().Count() > 0;
        };

        EXPECT_EQ(Run(), 0);
        Exchange.HoldReplies(false);
        EXPECT_LT(LongestGap, 5s) << "the window waited for a reply";
        EXPECT_LT(TClock::now() - Released, 10s) << "the held requests were waited for";
        EXPECT_EQ(Loaded, !CloseWhileHeld);
        EXPECT_EQ(FreeThreadCount(), 0u);
    }
}

// An accounts file that cannot be read, or a first-start marker that cannot
// be written, is shown and ends the start before any window; the unreadable
// file is kept. (A language file that cannot be written does not end it.)
TEST_F(StartUp, AFileThatCannotBeReadOrWrittenEndsTheStartBeforeAnyWindow)
{
    for (const char* Blocked : {cFirstStartMarker, ""}) {
        fs::remove_all(Roaming());
        fs::create_directories(Roaming() / Blocked);
        WriteSettings("English");
        if (!*Blocked) {
            WriteMarker();
            std::ofstream(AccountsFile()) << "{ not json";
        }
        User.Seen.clear();

        EXPECT_EQ(Run(), 1) << Blocked;
        ASSERT_EQ(User.Seen.size(), 1u) << Blocked;
        EXPECT_EQ(User.Seen[0].rfind("Tavrix: ", 0), 0u) << User.Seen[0];
        EXPECT_TRUE(Exchange.Journal().empty()) << Blocked;
        EXPECT_EQ(fmMain, nullptr);
        EXPECT_EQ(FreeThreadCount(), 0u);
    }
    EXPECT_EQ(ReadText(AccountsFile()), "{ not json");
}

// On a full folder (a file size limit stands in: root writes to read-only
// ones) equal language files are left alone; a stale one that cannot be
// written is told and the built-in text is used.
TEST_F(StartUp, LanguageFilesAreWrittenOnlyWhenTheyDifferAndAFailedWriteIsTold)
{
    WriteSettings("English");
    WriteMarker();
    std::ofstream(Roaming() / "english.license", std::ios::binary)
        << *FindResource("english.license");
    const std::string Failed = "Tavrix: Cannot write file \"" +
                               (Roaming() / "english.lng").string() + "\": writing: File too large";
    for (const std::string& OnDisk :
         {std::string(*FindResource("english.lng")), std::string("stale")}) {
        std::ofstream(Roaming() / "english.lng", std::ios::binary) << OnDisk;
        HttpAbortTransfers(false);
        User.Restart("");
        {
            TFileSizeLimit Full(1000);
            EXPECT_EQ(Run(), 0);
        }
        EXPECT_EQ(User.Seen, (OnDisk == "stale" ? std::vector<std::string>{Failed, "main window"}
                                                : std::vector<std::string>{"main window"}));
        EXPECT_EQ(ReadText(Roaming() / "english.lng"), OnDisk);
    }
}

// Temporary files of saves killed between writing and renaming go at the
// next start (here one ended at its first dialog): every one of ours in the
// settings folders, only the accounts file's in the program folder.
TEST_F(StartUp, TheStartRemovesTheTemporaryFilesOfKilledSaves)
{
    const pid_t Killed = fork();
    if (Killed == 0)
        _exit(0);
    waitpid(Killed, nullptr, 0);
    const std::string Temp = "." + std::to_string(Killed) + ".k3Yx9Q";
    const struct {
        fs::path File;
        bool Ours;
    } Cases[] = {
        {Roaming() / (".charts.json" + Temp), true},
        {Roaming() / "Templates" / (".dark.tpl" + Temp), true},
        {Roaming() / "Symbols" / (".Favourites" + Temp), true},
        {ProgramFolder() / (".config.json" + Temp), true},
        {ProgramFolder() / (".other.json" + Temp), false},
        {Roaming() / ".notours.txt", false},
    };
    for (const auto& C : Cases) {
        fs::create_directories(C.File.parent_path());
        std::ofstream(C.File) << "{}";
    }
    User.LanguageIndex = -1;

    EXPECT_EQ(Run(), 0);
    for (const auto& C : Cases) {
        EXPECT_EQ(fs::exists(C.File), !C.Ours) << C.File;
        fs::remove(C.File);
    }
}

// What a trader sees of the charts: symbol, interval, window bounds and
// indicator kinds, in list order.
std::vector<std::string> ChartsShown()
{
    std::vector<std::string> Shown;
    const auto* List = dynamic_cast<TChartList*>(ChartList);
    for (int i = 0; List && i < List->Count(); ++i) {
        TChartItem& Item = List->Items(i);
        const TRect Bounds = Item.Window()->BoundsRect();
        std::string Line = Item.Symbol() + " " + std::string(TChartIntervalStr[Item.Interval()]) +
                           " " + std::to_string(Bounds.Left) + "," + std::to_string(Bounds.Top) +
                           " " + std::to_string(Bounds.Width()) + "x" +
                           std::to_string(Bounds.Height());
        for (int j = 0; j < Item.IndicatorList().Count(); ++j)
            Line += std::string(" ") + Item.IndicatorList().Items(j).Info().TypeName();
        Shown.push_back(Line);
    }
    return Shown;
}

// A first start in English shows the main window translated in the same run.
// The charts opened, reloaded, given an indicator through its dialog and
// tiled come back as they were at the next start, each loading its history.
TEST_F(StartUp, TheChartsOfAFirstRunComeBackAtTheNext)
{
    WriteSettings("Russian");
    int Phase = 0;
    std::vector<std::string> AtClose;
    User.AtMainWindow = [&] {
        auto* List = dynamic_cast<TChartList*>(ChartList);
        if (Phase == 0) {
            List->AddNewChart("ETHBTC");
            List->AddNewChart("LTCBTC");
            List->RefreshKlinesByInterval(h4);
            QTimer::singleShot(0, [List] {
                List->Items(1).AddIndicator(std::make_unique<TFractalIndicatorInfo>());
            });
            Phase = 1;
            return false;
        }
        if (List->Items(1).IndicatorList().Count() == 0)
            return false;
        List->Mozaic();
        AtClose = ChartsShown();
        return true;
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(User.Seen, (std::vector<std::string>{"language", "agreement", "main window"}));
    EXPECT_EQ(User.MainStatusText, "Connected");
    EXPECT_TRUE(fs::exists(Marker()));
    const auto Saved = nlohmann::json::parse(ReadText(Settings()));
    EXPECT_EQ(Saved.value("language", ""), "English");
    EXPECT_EQ(Saved.value("server", ""), Exchange.URL());
    ASSERT_EQ(AtClose.size(), 2u);
    EXPECT_EQ(AtClose[1].substr(0, 10), "LTCBTC 4h ");
    EXPECT_TRUE(AtClose[1].ends_with(" Fractal")) << AtClose[1];

    Exchange.ClearJournal();
    HttpAbortTransfers(false);
    User.Restart("");
    std::vector<std::string> AtStart;
    User.AtMainWindow = [&] {
        AtStart = ChartsShown();
        return true;
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(AtStart, AtClose);
    std::vector<std::string> Histories;
    for (const TJournalEntry& Entry : Exchange.Journal())
        if (Entry.Path == "/" + TTestExchange::Resource(TExchangeEndpoint::Klines) &&
            Entry.Query.ends_with("&endTime=" + std::to_string(INT64_MAX)))
            Histories.push_back(Entry.Query.substr(0, Entry.Query.find("&endTime")));
    std::sort(Histories.begin(), Histories.end());
    EXPECT_EQ(Histories,
              (std::vector<std::string>{"symbol=ETHBTC&interval=5m", "symbol=LTCBTC&interval=4h"}))
        << ::testing::PrintToString(Requests());
}

} // namespace
