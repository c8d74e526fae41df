#pragma once

#include <csignal>
#include <sys/resource.h>

// While it lives, this process cannot write files beyond Bytes: a longer write
// fails with EFBIG (the signal it would raise is ignored). Works for any user,
// root included, where read-only folders do not stop a write.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t Bytes)
    {
        getrlimit(RLIMIT_FSIZE, &fOld);
        fOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit Limited = fOld;
        Limited.rlim_cur = Bytes;
        setrlimit(RLIMIT_FSIZE, &Limited);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &fOld);
        std::signal(SIGXFSZ, fOldHandler);
    }

private:
    rlimit fOld{};
    void (*fOldHandler)(int) = SIG_DFL;
};
