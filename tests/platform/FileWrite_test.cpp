#include "platform/FileRead.h"
#include "platform/FileWrite.h"

#include "support/FileSizeLimit.h"
#include "support/TempHome.h"

#include <ctime>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

unsigned ModeOf(const fs::path& Path)
{
    struct stat St;
    EXPECT_EQ(stat(Path.c_str(), &St), 0);
    return St.st_mode & 07777;
}

std::size_t EntriesIn(const fs::path& Folder)
{
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(Folder), fs::directory_iterator()));
}

} // namespace

TEST(WriteFileAtomic, ReplacesTheWholeContentAndLeavesNoTemporaryFile)
{
    TTempHome Home;
    fs::path File = Home.Path() / "data.bin";
    std::string Binary("a\0b\xff\r\n", 6);

    WriteFileAtomic(File, "a much longer first content");
    WriteFileAtomic(File, Binary);

    EXPECT_EQ(ReadWholeFile(File), Binary);
    EXPECT_EQ(EntriesIn(Home.Path()), 1u);
}

TEST(WriteFileAtomic, SetsTheModeOrKeepsTheExistingOne)
{
    TTempHome Home;
    fs::path File = Home.Path() / "config.json";

    WriteFileAtomic(File, "{}", 0600);
    EXPECT_EQ(ModeOf(File), 0600u);
    WriteFileAtomic(File, "[]");
    EXPECT_EQ(ModeOf(File), 0600u);

    fs::path Fresh = Home.Path() / "fresh.txt";
    mode_t Old = umask(022);
    WriteFileAtomic(Fresh, "x");
    umask(Old);
    EXPECT_EQ(ModeOf(Fresh), 0644u);
}

TEST(WriteFileAtomic, AFailedWriteRaisesAndKeepsTheOldFile)
{
    TTempHome Home;
    fs::path File = Home.Path() / "settings.json";
    WriteFileAtomic(File, "old", 0600);
    {
        TFileSizeLimit Limit(1000);
        EXPECT_THROW(WriteFileAtomic(File, std::string(5000, 'n')), EFileError);
    }
    EXPECT_EQ(ReadWholeFile(File), "old");
    EXPECT_EQ(ModeOf(File), 0600u);
    EXPECT_EQ(EntriesIn(Home.Path()), 1u);
}

// A file that already holds the bytes is not written, so a full folder still serves.
TEST(WriteFileIfChanged, WritesOnlyAFileThatDoesNotHoldTheBytesAlready)
{
    TTempHome Home;
    fs::path File = Home.Path() / "english.lng";
    for (const char* Old : {"", "same", "same and more"}) {
        fs::remove(File);
        if (*Old)
            WriteFileAtomic(File, Old);
        EXPECT_EQ(WriteFileIfChanged(File, "same"), std::string(Old) != "same") << Old;
        EXPECT_EQ(ReadWholeFile(File), "same");
    }
    TFileSizeLimit Full(0);
    EXPECT_FALSE(WriteFileIfChanged(File, "same"));
    EXPECT_THROW(WriteFileIfChanged(File, "other"), EFileError);
}

TEST(WriteFileAtomic, RaisesForAMissingFolderNamingTheFile)
{
    TTempHome Home;
    fs::path File = Home.Path() / "missing" / "x.json";
    try {
        WriteFileAtomic(File, "x");
        FAIL() << "no exception";
    } catch (const EFileError& E) {
        EXPECT_NE(std::string(E.what()).find(File.string()), std::string::npos);
    }
}

// Seconds since pid 1, the oldest process, started; a great many when that
// cannot be read (its files are then kept whatever their age).
double InitSeconds()
{
    std::ifstream Stat("/proc/1/stat");
    Stat.ignore(4096, ')');
    std::string Field;
    for (int Number = 3; Number < 22; ++Number)
        Stat >> Field;
    double Ticks = 0; // the 22nd field: clock ticks from the boot to its start
    if (!(Stat >> Ticks))
        return 1e9;
    timespec Boot;
    clock_gettime(CLOCK_BOOTTIME, &Boot);
    return double(Boot.tv_sec) - Ticks / double(sysconf(_SC_CLK_TCK));
}

// A save of config.json removes only its own stale temporary files; a sweep
// of the folder, those of every file. Never a file not named exactly as ours,
// one of a running writer however old, a link or a folder.
TEST(RemoveStaleTemps, RemovesInAFolderOnlyTheTemporaryFilesOfEndedWriters)
{
    if (InitSeconds() < 150)
        GTEST_SKIP() << "no process has run long enough to have written a two-minute-old file";
    TTempHome Home;
    const pid_t Ended = fork();
    if (Ended == 0)
        _exit(0);
    waitpid(Ended, nullptr, 0);
    const pid_t Unreaped = fork();
    if (Unreaped == 0)
        _exit(0);
    siginfo_t Exit;
    waitid(P_PID, Unreaped, &Exit, WEXITED | WNOWAIT);
    const std::string Own = std::to_string(getpid());
    const std::string Gone = std::to_string(Ended);
    const auto Old = fs::file_time_type::clock::now() - std::chrono::minutes(2);
    enum TKind { File, Link, Folder };
    const struct {
        std::string Name;
        bool Aged;
        bool KeptBySave;
        bool KeptBySweep;
        TKind Kind = File;
    } Cases[] = {
        {".config.json." + Gone + ".k3Yx9Q", false, false, false},
        // The id now belongs to a process younger than the file.
        {".config.json." + Own + ".Ab12Cd", true, false, false},
        {".config.json." + Own + ".Zz99Yy", false, true, true}, // a write in progress
        {".config.json.1.Ab12Cd", true, true, true},            // a stalled write
        // Its writer has ended but is not reaped yet.
        {".config.json." + std::to_string(Unreaped) + ".Ab12Cd", false, false, false},
        {".charts.json." + Gone + ".k3Yx9Q", false, true, false},
        {".config.json.k3Yx9Q", true, true, true},
        {".notours.txt", true, true, true},
        {"config.json." + Gone + ".k3Yx9Q", true, true, true},
        {".config.json." + Gone + ".k3Yx9", true, true, true},
        {".config.json." + Gone + ".k3-x9Q", true, true, true},
        {".config.json.0" + Gone + ".k3Yx9Q", true, true, true},
        {".." + Gone + ".k3Yx9Q", true, true, true},
        {".config.json." + Gone + ".L1nk00", true, true, true, Link},
        {".config.json." + Gone + ".D1r000", true, true, true, Folder},
    };
    const fs::path Target = Home.Path() / "target";
    WriteFileAtomic(Target, "kept");
    for (const auto& C : Cases) {
        const fs::path Path = Home.Path() / C.Name;
        if (C.Kind == Link)
            fs::create_symlink(Target, Path);
        else if (C.Kind == Folder)
            fs::create_directory(Path);
        else
            WriteFileAtomic(Path, "{\"config\":{}}");
        if (C.Aged)
            fs::last_write_time(Path, Old);
    }
    auto Kept = [&](const std::string& Name) {
        return fs::exists(fs::symlink_status(Home.Path() / Name));
    };

    WriteFileAtomic(Home.Path() / "config.json", "{}");
    for (const auto& C : Cases)
        EXPECT_EQ(Kept(C.Name), C.KeptBySave) << "save: " << C.Name;
    EXPECT_EQ(EntriesIn(Home.Path()), 14u);

    RemoveStaleTemps(Home.Path());
    for (const auto& C : Cases)
        EXPECT_EQ(Kept(C.Name), C.KeptBySweep) << "sweep: " << C.Name;
    EXPECT_EQ(EntriesIn(Home.Path()), 13u);
    waitpid(Unreaped, nullptr, 0);
}
