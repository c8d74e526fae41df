#include "platform/FileWrite.h"

#include "platform/FileRead.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
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

// Temporary files are named "." + the file's name + "." + the writer's
// process id + "." + six random characters.
std::string TempPrefix(const std::filesystem::path& Target)
{
    return "." + Target.filename().string() + ".";
}

constexpr auto cStaleAge = std::chrono::minutes(1);

// The process id in a temporary file's name after the prefix, or 0.
pid_t WriterOf(std::string_view Rest)
{
    const std::size_t Dot = Rest.find('.');
    if (Dot == 0 || Dot == std::string_view::npos || Rest.size() - Dot - 1 != 6 || Dot > 9)
        return 0;
    pid_t Pid = 0;
    for (char C : Rest.substr(0, Dot)) {
        if (C < '0' || C > '9')
            return 0;
        Pid = Pid * 10 + (C - '0');
    }
    return Pid;
}

bool Ended(pid_t Pid)
{
    return kill(Pid, 0) != 0 && errno == ESRCH;
}

// Removes the temporary files of Target that a writer left behind when it was
// killed mid-write: those of a process that has ended, and any older than a
// minute (the id may have been given to another process since). A young file
// of a running process is a write in progress and stays. Best effort.
void RemoveStaleTemps(const std::filesystem::path& Target)
{
    const std::string Prefix = TempPrefix(Target);
    std::filesystem::path Folder = Target.parent_path();
    std::error_code Error;
    std::filesystem::directory_iterator It(Folder.empty() ? "." : Folder, Error);
    const auto Now = std::filesystem::file_time_type::clock::now();
    for (; !Error && It != std::filesystem::directory_iterator(); It.increment(Error)) {
        const std::string Name = It->path().filename().string();
        if (Name.compare(0, Prefix.size(), Prefix) != 0)
            continue;
        const pid_t Pid = WriterOf(std::string_view(Name).substr(Prefix.size()));
        std::error_code Ignored;
        if (Pid <= 0 || !It->is_regular_file(Ignored) || It->is_symlink(Ignored))
            continue;
        const auto Written = It->last_write_time(Ignored);
        if (Ignored)
            continue;
        if (Ended(Pid) || Now - Written > cStaleAge)
            std::filesystem::remove(It->path(), Ignored);
    }
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
        std::filesystem::path Folder = Target.parent_path();
        if (Folder.empty())
            Folder = ".";
        std::string Name = TempPrefix(Target) + std::to_string(getpid()) + ".XXXXXX";
        std::string Pattern = (Folder / Name).string();
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
    std::filesystem::path Folder = FileName.parent_path();
    int Fd = open(Folder.empty() ? "." : Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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
    RemoveStaleTemps(FileName);
    TTempFile Temp(FileName);
    Temp.Write(Bytes);
    Temp.Commit(Bits);
    SyncFolder(FileName);
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
