#include "platform/TermSignals.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

// Written by the handler, read anywhere: only lock-free atomics of this kind
// are safe to share with a signal handler.
volatile std::sig_atomic_t gReceived = 0;
volatile std::sig_atomic_t gWriteFd = -1;

// Async-signal-safe calls only.
void OnSignal(int aSignal)
{
    if (gReceived != 0) {
        std::signal(aSignal, SIG_DFL);
        std::raise(aSignal);
        return;
    }
    gReceived = 1;
    const int Saved = errno;
    const char Byte = 1;
    [[maybe_unused]] const ssize_t Written = write(gWriteFd, &Byte, 1);
    errno = Saved;
}

void Install(int aSignal, struct sigaction& aOld)
{
    struct sigaction Action {};
    Action.sa_handler = OnSignal;
    sigemptyset(&Action.sa_mask);
    // One handler at a time, so that the second signal sees the first's mark.
    sigaddset(&Action.sa_mask, SIGTERM);
    sigaddset(&Action.sa_mask, SIGINT);
    Action.sa_flags = SA_RESTART;
    if (sigaction(aSignal, &Action, &aOld) != 0)
        throw std::runtime_error(std::string("Cannot handle a signal: ") + std::strerror(errno));
}

} // namespace

TTermSignals::TTermSignals()
{
    if (gWriteFd != -1)
        throw std::logic_error("Termination signals are already handled");
    if (pipe2(fPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error(std::string("Cannot create a pipe: ") + std::strerror(errno));
    gReceived = 0;
    gWriteFd = fPipe[1];
    Install(SIGTERM, fOldTerm);
    Install(SIGINT, fOldInt);
}

TTermSignals::~TTermSignals()
{
    sigaction(SIGTERM, &fOldTerm, nullptr);
    sigaction(SIGINT, &fOldInt, nullptr);
    gWriteFd = -1;
    gReceived = 0;
    close(fPipe[0]);
    close(fPipe[1]);
}

bool TTermSignals::Received() const
{
    return gReceived != 0;
}

void TTermSignals::Drain()
{
    char Bytes[16];
    while (read(fPipe[0], Bytes, sizeof Bytes) > 0) {
    }
}
