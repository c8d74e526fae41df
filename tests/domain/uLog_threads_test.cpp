#include "domain/uFolders.h"
#include "domain/uLog.h"

#include "platform/FileRead.h"
#include "support/TempHome.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

std::atomic<TDateTime> gNow{0};

std::string gUser;
const std::string cBlanks(8, ' ');

struct TLogFixture : ::testing::Test {
    TLogFixture() { gNow = EncodeDate(2026, 12, 6) + EncodeTime(14, 3, 7, 89); }
    ~TLogFixture() override { Stop(); }

    void Start(const std::string& User = "quillbox", const std::string& FileName = "")
    {
        gUser = User;
        TLogSources S;
        S.UserName = [] { return gUser; };
        S.Clock = [] { return gNow.load(); };
        S.FileName = FileName.empty() ? File : FileName;
        S.FormatSettings.ShortDateFormat = "dd/mm/yyyy";
        S.FormatSettings.DateSeparator = '.';
        LogWriter = new TLogWriter(S);
    }
    void Stop()
    {
        delete LogWriter;
        LogWriter = nullptr;
    }
    std::string Read() const { return ReadWholeFile(File); }

    TTempHome Home;
    std::string File = (Home.Path() / "Debug.log").string();
};

TEST_F(TLogFixture, CreatesAMissingFileForItsOwnerOnlyAndAppendsLinesInCallOrder)
{
    Start();
    WriteLog("first", mtInfo, 1);
    Stop();
    struct stat Info {};
    ASSERT_EQ(stat(File.c_str(), &Info), 0);
    EXPECT_EQ(Info.st_mode & 0777, 0600u);

    Start();
    EXPECT_TRUE(LogEnabled());
    WriteLog("", mtConfirm, 0);
    WriteLog("ping", mtInfo, 12);
    gNow = EncodeDate(2026, 12, 7);
    WriteLog("failed", mtAlert, -1);
    Stop();
    EXPECT_FALSE(LogEnabled());
    WriteLog("dropped", mtInfo, 1);
    EXPECT_EQ(Read(), "06.12.2026 14:03:07.089\tINFO\t1\tfirst\r\n"
                      "06.12.2026 14:03:07.089\t\t" +
                          cBlanks +
                          "\t\r\n"
                          "06.12.2026 14:03:07.089\tINFO\t12\tping\r\n"
                          "07.12.2026\tALERT\t" +
                          cBlanks + "\tfailed\r\n");
}

TEST_F(TLogFixture, OtherAccountsWriteNothing)
{
    for (const std::string User : {"Quillbox", "quillbox ", "Unknown"}) {
        Start(User);
        EXPECT_FALSE(LogEnabled());
        WriteLog("secret", mtAlert, 1);
        Stop();
        EXPECT_FALSE(std::filesystem::exists(File)) << User;
    }
}

// Splits the file into lines and groups the texts by thread number.
std::map<int, std::vector<int>> TextsByThread(const std::string& Content)
{
    std::map<int, std::vector<int>> Result;
    std::istringstream In(Content);
    for (std::string L; std::getline(In, L);) {
        EXPECT_TRUE(L.ends_with("\r")) << L;
        const auto Tab2 = L.find('\t', L.find('\t') + 1);
        const auto Tab3 = L.find('\t', Tab2 + 1);
        Result[std::stoi(L.substr(Tab2 + 1, Tab3 - Tab2 - 1))].push_back(
            std::stoi(L.substr(Tab3 + 1)));
    }
    return Result;
}

// Late workers at shut-down: nothing freed is touched, and whatever reaches
// the file is whole and in each thread's order.
TEST_F(TLogFixture, WritersRacingTheShutDownTouchNothingFreed)
{
    Start();
    std::atomic<bool> Go{false};
    std::vector<std::thread> Writers;
    for (int T = 1; T <= 4; ++T)
        Writers.emplace_back([&, T] {
            while (!Go.load())
                std::this_thread::yield();
            for (int I = 0; I < 3000; ++I)
                WriteLog(std::to_string(I), mtInfo, T);
        });
    Go = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    Stop();
    for (auto& W : Writers)
        W.join();
    // Under load the shut-down may come before any line was queued: no file then.
    const std::string Written = std::filesystem::exists(File) ? Read() : std::string();
    for (const auto& [Thread, Texts] : TextsByThread(Written))
        for (size_t I = 0; I < Texts.size(); ++I)
            ASSERT_EQ(Texts[I], int(I)) << "thread " << Thread;
}

// A file that cannot be written is reported once per line, and the report's
// own failure is not reported again: the writer still ends.
TEST_F(TLogFixture, AnUnwritableFileDoesNotKeepTheWriterBusy)
{
    const auto Begin = std::chrono::steady_clock::now();
    Start("quillbox", (Home.Path() / "missing" / "Debug.log").string());
    for (int I = 0; I < 100; ++I)
        WriteLog("lost", mtInfo, 1);
    Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - Begin, std::chrono::seconds(5));
}

class TFailingThread : public TBaseThreadWriter {
protected:
    bool DoExecute() override
    {
        fQueue->Pop();
        throw std::runtime_error("boom");
    }
};

TEST_F(TLogFixture, AFailingConsumerOfAnotherWriterIsLogged)
{
    Start();
    {
        TMultiThreadWriter Writer(std::make_unique<TFailingThread>());
        Writer.Queue()->Push(std::make_unique<TQueueItem>());
        Writer.Queue()->Push(std::make_unique<TQueueItem>());
    }
    Stop();
    const std::string Line = "06.12.2026 14:03:07.089\tALERT\t" + cBlanks +
                             "\tTBaseThreadWriter.Execute error: boom\r\n";
    EXPECT_EQ(Read(), Line + Line);
}

TEST_F(TLogFixture, TheFileIsDebugLogInTheProgramFolder)
{
    ASSERT_EQ(Folders, nullptr);
    TLogWriteThread Thread{TLogSources{}};
    EXPECT_EQ(Thread.DoNotifyFolders(), "");

    Folders = new TFolders;
    EXPECT_EQ(Thread.DoNotifyFolders(), Folders->Folder(afExe) + "/Debug.log");
    delete Folders;
    Folders = nullptr;
}

// Shut-down frees the folders while the log thread may still be starting:
// the file name was taken when the writer was made, so the thread never
// reads them (ThreadSanitizer and AddressSanitizer watch this).
TEST_F(TLogFixture, TheFoldersMayGoWhileTheLogThreadStarts)
{
    for (int Run = 0; Run < 20; ++Run) {
        Folders = new TFolders;
        auto Writer = std::make_unique<TLogWriter>();
        delete Folders;
        Folders = nullptr;
        WriteLog("line", mtInfo, 0);
        Writer.reset();
    }
}

} // namespace
