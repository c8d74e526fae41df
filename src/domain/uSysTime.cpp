#include "domain/uSysTime.h"

#include "domain/uWorkflow.h"

#include <cmath>

TTimer* Timer = nullptr;
TSysTime* SysTime = nullptr;

TTimer::TTimer(ITickSource& Source) : fSource(Source)
{
    fSource.SetHandler([this](std::uintptr_t TimerID) { WMTimer(TimerID, 0); });
}

TTimer::~TTimer()
{
    Deinit();
    fSource.SetHandler(nullptr);
}

void TTimer::Init()
{
    fSource.SetTimer(cMainTimerIndex, cMainTimerInterval);
    fEnabled = true;
}

void TTimer::Deinit()
{
    fSource.KillTimer(cMainTimerIndex);
    fEnabled = false;
}

std::intptr_t TTimer::WMTimer(std::uintptr_t wParam, std::intptr_t lParam)
{
    if (wParam == cMainTimerIndex && SysTime)
        SysTime->DoActionTimerTick();
    return -1;
}

namespace {

// The minute (0..59) of a date-time, its fields split after rounding to the millisecond.
std::uint16_t MinuteOf(TDateTime Value)
{
    double Ms = std::nearbyint(std::fabs(Value) * MSecsPerDay);
    double OfDay = std::fmod(Ms, MSecsPerDay);
    return static_cast<std::uint16_t>(static_cast<std::int64_t>(OfDay / 60000) % 60);
}

// One second on, kept on the millisecond grid: adding 1/86400 day at every
// tick would drift by a millisecond within an hour without a server reply.
TDateTime NextSecond(TDateTime Value)
{
    return (std::nearbyint(Value * MSecsPerDay) + 1000) / MSecsPerDay;
}

} // namespace

bool TSysTime::DoActionTimerTick()
{
    ++fTickCount;
    if (fTickCount % 5 == 0 || fTickCount == 1)
        DoEvery5Second();
    DoEverySecond();
    SetTime(NextSecond(fTime.load()));
    return true;
}

void TSysTime::SetTime(TDateTime Value)
{
    Apply(Value, false);
}

void TSysTime::SetServerTime(TDateTime Value)
{
    Apply(Value, true);
}

void TSysTime::Apply(TDateTime Value, bool FromExchange)
{
    // The time first: a worker that sees the flag also sees the exchange's time.
    fTime.store(Value);
    if (FromExchange)
        fSetByExchange.store(true);
    DoOnce();
    std::uint16_t Minutes = MinuteOf(Value);
    if (Minutes != fMinutes) {
        fMinutes = Minutes;
        DoEveryMinute();
    }
    // Receivers copy the value: it lives only for this call.
    TDateTime Published = Value;
    fPublisher.Notify(BASE_MAIN_SYSTIME, reinterpret_cast<TNotifyData>(&Published));
}

std::string TSysTime::GetTimeStamp() const
{
    return std::to_string(DateToStamp(fTime.load()));
}

void TSysTime::DoEverySecond()
{
    if (Workflow)
        Workflow->DoEverySecond();
}

void TSysTime::DoEvery5Second()
{
    if (Workflow)
        Workflow->DoEvery5Second();
}

void TSysTime::DoEveryMinute()
{
    if (Workflow)
        Workflow->DoEveryMinute();
}

void TSysTime::DoOnce()
{
    if (Workflow)
        Workflow->DoOnce();
}
