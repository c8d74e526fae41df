#include "platform/FileWrite.h"

#include "platform/FileRead.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void Fail(const std::filesystem::path& FileName, const char* What, int Error)
{
    const std::string Reason = std::strerror(Error);
    throw EFileError("Cannot write file \"" + FileName.string() + "\": " + What + ": " + Reason,
                     Reason);
}

// The folder a file is written in; "." for a bare name.
std::filesystem::path FolderOf(const std::filesystem::path& FileName)
{
    std::filesystem::path Folder = FileName.parent_path();
    return Folder.empty() ? "." : Folder;
}

// Temporary files are named "." + the file's name + "." + the writer's
// process id + "." + mkstemp's random letters and digits.
constexpr std::size_t cRandomLength = 6;

std::string TempPrefix(const std::filesystem::path& Target)
{
    return "." + Target.filename().string() + ".";
}

bool LetterOrDigit(char C)
{
    return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9');
}

// The process id written as std::to_string writes it, else 0.
pid_t ProcessId(std::string_view Digits)
{
    if (Digits.empty() || Digits.size() > 9 || Digits[0] == '0')
        return 0;
    pid_t Pid = 0;
    for (char C : Digits) {
        if (C < '0' || C > '9')
            return 0;
        Pid = Pid * 10 + (C - '0');
    }
    return Pid;
}

// The writer's process id when Name is shaped exactly as the temporary file
// of FileName (of any file when FileName is empty), else 0.
pid_t TempWriter(std::string_view Name, std::string_view FileName)
{
    if (Name.size() < 5 + cRandomLength || Name[0] != '.')
        return 0;
    const std::size_t RandomAt = Name.size() - cRandomLength;
    if (Name[RandomAt - 1] != '.' ||
        !std::all_of(Name.begin() + RandomAt, Name.end(), LetterOrDigit))
        return 0;
    const std::string_view Head = Name.substr(1, RandomAt - 2);
    const std::size_t Dot = Head.rfind('.');
    if (Dot == 0 || Dot == std::string_view::npos)
        return 0;
    if (!FileName.empty() && Head.substr(0, Dot) != FileName)
        return 0;
    return ProcessId(Head.substr(Dot + 1));
}

// What /proc/<pid>/stat tells of a process: its state letter and when it
// started (from the clock ticks between the boot and its start).
struct TProcessStat {
    char State;
    std::chrono::system_clock::time_point Start;
};

// Nothing when the process's line cannot be read.
std::optional<TProcessStat> ReadProcessStat(pid_t Pid)
{
    std::ifstream File("/proc/" + std::to_string(Pid) + "/stat");
    std::string Line;
    if (!std::getline(File, Line))
        return std::nullopt;
    // The name in parentheses may hold blanks; the state is the 3rd field
    // of the line, the start the 22nd.
    const std::size_t NameEnd = Line.rfind(')');
    if (NameEnd == std::string::npos)
        return std::nullopt;
    std::istringstream Fields(Line.substr(NameEnd + 1));
    std::string State, Field;
    int Number = 3;
    Fields >> State;
    while (Number < 22 && Fields >> Field)
        ++Number;
    unsigned long long Ticks = 0;
    const auto [End, Error] = std::from_chars(Field.data(), Field.data() + Field.size(), Ticks);
    const long TicksPerSecond = sysconf(_SC_CLK_TCK);
    timespec Boot;
    if (State.size() != 1 || Number != 22 || Error != std::errc() ||
        End != Field.data() + Field.size() || TicksPerSecond <= 0 ||
        clock_gettime(CLOCK_BOOTTIME, &Boot) != 0)
        return std::nullopt;
    const auto SinceStart = std::chrono::seconds(Boot.tv_sec) +
                            std::chrono::nanoseconds(Boot.tv_nsec) -
                            std::chrono::milliseconds(Ticks * 1000 / TicksPerSecond);
    const auto Start = std::chrono::system_clock::now() -
                       std::chrono::duration_cast<std::chrono::system_clock::duration>(SinceStart);
    return TProcessStat{State[0], Start};
}

// The start is read in whole clock ticks and file times lag by a tick: a
// process that started less than this after the file was written may still
// have written it.
constexpr auto cStartSlack = std::chrono::seconds(1);

// The writer has ended when no process has its id, when that process has
// ended but is not yet reaped, or when it started after the file was last
// written: the id was given anew. A running writer's file stays however
// old: its save may be stalled (the process stopped, its disk hung) and
// still has to rename it.
bool WriterEnded(pid_t Pid, std::filesystem::file_time_type Written)
{
    if (kill(Pid, 0) != 0 && errno == ESRCH)
        return true;
    const auto Stat = ReadProcessStat(Pid);
    return Stat && (Stat->State == 'Z' || Stat->State == 'X' ||
                    Stat->Start > std::chrono::file_clock::to_sys(Written) + cStartSlack);
}

// A regular file, never a link or a folder, whose writer has ended.
bool Stale(const std::filesystem::directory_entry& Entry, pid_t Writer)
{
    std::error_code Error;
    if (Entry.symlink_status(Error).type() != std::filesystem::file_type::regular)
        return false;
    const auto Written = Entry.last_write_time(Error);
    return !Error && WriterEnded(Writer, Written);
}

mode_t CurrentUmask()
{
    // umask can only be read by setting it; put it straight back.
    mode_t Mask = umask(022);
    umask(Mask);
    return Mask;
}

mode_t TargetMode(const std::filesystem::path& FileName, std::optional<unsigned> Mode)
{
    if (Mode)
        return static_cast<mode_t>(*Mode);
    struct stat Old;
    if (stat(FileName.c_str(), &Old) == 0)
        return Old.st_mode & 07777;
    return 0666 & ~CurrentUmask();
}

// Owns the temporary file until it has been renamed into place.
class TTempFile {
public:
    explicit TTempFile(const std::filesystem::path& Target) : fTarget(Target)
    {
        std::string Name =
            TempPrefix(Target) + std::to_string(getpid()) + "." + std::string(cRandomLength, 'X');
        std::string Pattern = (FolderOf(Target) / Name).string();
        fFd = mkstemp(Pattern.data());
        if (fFd < 0)
            Fail(fTarget, "creating a temporary file", errno);
        fPath = Pattern;
    }
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;
    ~TTempFile()
    {
        if (fFd >= 0)
            close(fFd);
        if (!fPath.empty())
            unlink(fPath.c_str());
    }

    void Write(std::string_view Bytes)
    {
        while (!Bytes.empty()) {
            ssize_t Done = write(fFd, Bytes.data(), Bytes.size());
            if (Done < 0 && errno == EINTR)
                continue;
            if (Done < 0)
                Fail(fTarget, "writing", errno);
            Bytes.remove_prefix(static_cast<std::size_t>(Done));
        }
    }

    void Commit(mode_t Mode)
    {
        if (fchmod(fFd, Mode) != 0)
            Fail(fTarget, "setting the permissions", errno);
        if (fsync(fFd) != 0)
            Fail(fTarget, "flushing", errno);
        int Fd = fFd;
        fFd = -1;
        if (close(Fd) != 0)
            Fail(fTarget, "closing", errno);
        if (rename(fPath.c_str(), fTarget.c_str()) != 0)
            Fail(fTarget, "renaming the temporary file", errno);
        fPath.clear();
    }

private:
    std::filesystem::path fTarget;
    std::filesystem::path fPath;
    int fFd = -1;
};

void SyncFolder(const std::filesystem::path& FileName)
{
    // Makes the rename itself durable; a folder that cannot be opened only loses that.
    int Fd = open(FolderOf(FileName).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (Fd >= 0) {
        fsync(Fd);
        close(Fd);
    }
}

} // namespace

void WriteFileAtomic(const std::filesystem::path& FileName, std::string_view Bytes,
                     std::optional<unsigned> Mode)
{
    mode_t Bits = TargetMode(FileName, Mode);
    RemoveStaleTemps(FolderOf(FileName), FileName.filename().native());
    TTempFile Temp(FileName);
    Temp.Write(Bytes);
    Temp.Commit(Bits);
    SyncFolder(FileName);
}

void RemoveStaleTemps(const std::filesystem::path& Folder, std::string_view FileName)
{
    if (Folder.empty())
        return;
    std::error_code Error;
    std::filesystem::directory_iterator It(Folder, Error);
    for (; !Error && It != std::filesystem::directory_iterator(); It.increment(Error)) {
        const pid_t Writer = TempWriter(It->path().filename().native(), FileName);
        std::error_code Ignored;
        if (Writer > 0 && Stale(*It, Writer))
            std::filesystem::remove(It->path(), Ignored);
    }
}

bool WriteFileIfChanged(const std::filesystem::path& FileName, std::string_view Bytes)
{
    try {
        if (ReadWholeFile(FileName, Bytes.size()) == Bytes)
            return false;
    } catch (const EFileError&) {
        // Missing, longer or no regular file: written as any other.
    }
    WriteFileAtomic(FileName, Bytes);
    return true;
}
