#pragma once

#include <csignal>

// SIGTERM and SIGINT as a request to close, not an end: while an object of
// this class lives, the handler only notes the signal and writes one byte to
// a pipe whose read end the event loop watches (a self-pipe), so the program
// closes from its own loop as its user would close it. A second signal ends
// the process at once, by the signal's default action.
//
// One object at a time; the previous handlers come back with its end.
class TTermSignals {
public:
    TTermSignals();
    TTermSignals(const TTermSignals&) = delete;
    TTermSignals& operator=(const TTermSignals&) = delete;
    ~TTermSignals();

    // Readable once a signal has come; the event loop watches it.
    int ReadFd() const { return fPipe[0]; }
    // Whether a signal has come. Any thread.
    bool Received() const;
    // Empties the pipe, so that the watcher is woken once per signal.
    void Drain();

private:
    int fPipe[2] = {-1, -1};
    struct sigaction fOldTerm {};
    struct sigaction fOldInt {};
};
