#include "platform/FileRead.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

[[noreturn]] void Fail(const std::filesystem::path& FileName, int Error)
{
    throw EFileError("Cannot read file \"" + FileName.string() + "\": " + std::strerror(Error));
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

} // namespace

std::string ReadWholeFile(const std::filesystem::path& FileName)
{
    TFd File(open(FileName.c_str(), O_RDONLY | O_CLOEXEC));
    if (File.Get() < 0)
        Fail(FileName, errno);
    std::string Bytes;
    char Buffer[65536];
    for (;;) {
        ssize_t Got = read(File.Get(), Buffer, sizeof Buffer);
        if (Got < 0 && errno == EINTR)
            continue;
        if (Got < 0)
            Fail(FileName, errno);
        if (Got == 0)
            return Bytes;
        Bytes.append(Buffer, static_cast<std::size_t>(Got));
    }
}
