#include "domain/uSysTime.h"

#include "domain/uWorkflow.h"
#include "platform/DateUtils.h"

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

bool TSysTime::DoActionTimerTick()
{
    ++fTickCount;
    if (fTickCount % 5 == 0 || fTickCount == 1)
        DoEvery5Second();
    DoEverySecond();
    // Kept on the millisecond grid: adding 1/86400 day at every tick would
    // drift by a millisecond within an hour without a server reply.
    SetTime(IncSecond(fTime.load()));
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
    auto Minutes = static_cast<std::uint16_t>(MinuteOf(Value));
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
