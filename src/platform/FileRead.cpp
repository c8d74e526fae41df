#include "platform/FileRead.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void Fail(const std::filesystem::path& FileName, const std::string& Reason)
{
    throw EFileError("Cannot read file \"" + FileName.string() + "\": " + Reason);
}

[[noreturn]] void FailErrno(const std::filesystem::path& FileName, int Error)
{
    Fail(FileName, std::strerror(Error));
}

class TFd {
public:
    explicit TFd(int Fd) : fFd(Fd) {}
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    ~TFd()
    {
        if (fFd >= 0)
            close(fFd);
    }
    int Get() const { return fFd; }

private:
    int fFd;
};

std::string TooLarge(std::size_t aMaxBytes)
{
    if (aMaxBytes % (1024 * 1024) == 0)
        return "larger than " + std::to_string(aMaxBytes / (1024 * 1024)) + " MB";
    return "larger than " + std::to_string(aMaxBytes) + " bytes";
}

// Refuses what is not a regular file or is too large; Info from stat or fstat.
void Check(const std::filesystem::path& FileName, const struct stat& Info, std::size_t aMaxBytes)
{
    if (!S_ISREG(Info.st_mode))
        Fail(FileName, "not a regular file");
    if (static_cast<unsigned long long>(Info.st_size) > aMaxBytes)
        Fail(FileName, TooLarge(aMaxBytes));
}

} // namespace

std::string ReadWholeFile(const std::filesystem::path& FileName, std::size_t aMaxBytes)
{
    // Looked at before it is opened: opening a device may itself act, and
    // opening a FIFO waits for a writer.
    struct stat Info;
    if (stat(FileName.c_str(), &Info) != 0)
        FailErrno(FileName, errno);
    Check(FileName, Info, aMaxBytes);
    TFd File(open(FileName.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (File.Get() < 0)
        FailErrno(FileName, errno);
    // The name may have been pointed elsewhere in between.
    if (fstat(File.Get(), &Info) != 0)
        FailErrno(FileName, errno);
    Check(FileName, Info, aMaxBytes);
    std::string Bytes;
    Bytes.reserve(static_cast<std::size_t>(Info.st_size));
    char Buffer[65536];
    for (;;) {
        ssize_t Got = read(File.Get(), Buffer, sizeof Buffer);
        if (Got < 0 && errno == EINTR)
            continue;
        if (Got < 0)
            FailErrno(FileName, errno);
        if (Got == 0)
            return Bytes;
        // A file that grows while it is read is held to the same bound.
        if (Bytes.size() + static_cast<std::size_t>(Got) > aMaxBytes)
            Fail(FileName, TooLarge(aMaxBytes));
        Bytes.append(Buffer, static_cast<std::size_t>(Got));
    }
}
