#pragma once

#include "domain/uCommon.h"
#include "platform/TickSource.h"
#include "units/uDObject.h"

#include <atomic>
#include <cstdint>
#include <string>

// The one-second heartbeat: timer cMainTimerIndex of a tick source, ticking
// SysTime. Takes over the source's handler; the source outlives the timer.
class TTimer {
public:
    explicit TTimer(ITickSource& Source);
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;
    ~TTimer();

    // Starts the timer at cMainTimerInterval; Deinit stops it.
    void Init();
    void Deinit();
    bool Enabled() const { return fEnabled; }

    // One timer message: ticks the clock for timer 1 only; always answers -1.
    std::intptr_t WMTimer(std::uintptr_t wParam, std::intptr_t lParam);

private:
    ITickSource& fSource;
    bool fEnabled = false;
};

// The terminal clock: the exchange's time, advanced one second per tick and
// reset at every server-time reply. Runs the workflow's hooks and publishes
// BASE_MAIN_SYSTIME (Data: the address of the new TDateTime, valid during the
// call) on every change. Set and ticked on the user-interface thread; workers
// read Time, GetTimeStamp and IsSetByExchange.
class TSysTime {
public:
    TSysTime() = default;
    TSysTime(const TSysTime&) = delete;
    TSysTime& operator=(const TSysTime&) = delete;

    bool DoActionTimerTick();
    void SetTime(TDateTime Value);
    // The server-time reply: sets the clock and marks it as the exchange's.
    void SetServerTime(TDateTime Value);

    TDateTime Time() const { return fTime.load(); }
    // DateToStamp of the clock as decimal text: the "timestamp" of signed requests.
    std::string GetTimeStamp() const;
    std::string TimeStampStr() const { return GetTimeStamp(); }
    // False until the exchange has set the clock: a clock that has only ticked
    // from zero is no time to sign with.
    bool IsSetByExchange() const { return fSetByExchange.load(); }

    TDPublisher& Publisher() { return fPublisher; }

    void DoEverySecond();
    void DoEvery5Second();
    void DoEveryMinute();
    void DoOnce();

private:
    void Apply(TDateTime Value, bool FromExchange);

    std::atomic<TDateTime> fTime{0};
    std::int32_t fTickCount = -1;
    TDPublisher fPublisher;
    std::uint16_t fMinutes = 0;
    std::atomic<bool> fSetByExchange{false};
};

// Created and destroyed by the builder; nullptr outside that span.
extern TTimer* Timer;
extern TSysTime* SysTime;
