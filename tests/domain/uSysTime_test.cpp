#include "domain/uSysTime.h"

#include "domain/uWorkflow.h"
#include "platform/TickSource.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using TLog = std::vector<std::string>;

class TRecordingWorkflow : public TWorkflow {
public:
    explicit TRecordingWorkflow(TLog& Log) : fLog(Log) {}
    void DoEverySecond() override { fLog.push_back("second"); }
    void DoEvery5Second() override { fLog.push_back("5s"); }
    void DoEveryMinute() override { fLog.push_back("minute"); }
    void DoOnce() override { fLog.push_back("once"); }

private:
    TLog& fLog;
};

class TClockReader : public TDObject {
public:
    void Notification(int32_t EventID, TNotifyData Data) override
    {
        Codes.push_back(EventID);
        Values.push_back(*reinterpret_cast<const TDateTime*>(Data));
    }
    std::vector<int32_t> Codes;
    std::vector<TDateTime> Values;
};

// The globals as the builder sets them up, torn down in reverse.
class SysTimeTest : public ::testing::Test {
protected:
    SysTimeTest()
    {
        Workflow = &fWorkflow;
        SysTime = &fClock;
    }
    ~SysTimeTest() override
    {
        SysTime = nullptr;
        Workflow = nullptr;
    }

    int Count(const std::string& Hook) const { return std::count(Log.begin(), Log.end(), Hook); }

    TLog Log;
    TRecordingWorkflow fWorkflow{Log};
    TSysTime fClock;
};

// A time of day on a day that starts at stamp 1,519,963,200,000 (2018-03-02 00:00 in the clock's
// reckoning).
TDateTime At(int Hours, int Minutes, double Seconds)
{
    return StampToDate(1'519'938'000'000) + (Hours * 3600 + Minutes * 60 + Seconds) / SecsPerDay;
}

} // namespace

TEST_F(SysTimeTest, TicksRunTheFiveSecondHookOnZeroOneAndEveryFifthTheMinuteHookEverySixtieth)
{
    std::vector<int> FiveSeconds, Minutes, Expected = {0};
    for (int Tick = 0; Tick < 180; ++Tick) {
        Log.clear();
        EXPECT_TRUE(fClock.DoActionTimerTick());
        if (Count("5s"))
            FiveSeconds.push_back(Tick);
        if (Count("minute"))
            Minutes.push_back(Tick);
        if (Tick == 1) {
            EXPECT_EQ(Log, (TLog{"5s", "second", "once"}));
        } else if (Tick == 59) {
            EXPECT_EQ(Log, (TLog{"second", "once", "minute"}));
            EXPECT_EQ(fClock.GetTimeStamp(), "0");
            EXPECT_DOUBLE_EQ(fClock.Time(), 60 / SecsPerDay);
        }
    }
    for (int Tick = 1; Tick < 180; Tick += Tick == 1 ? 4 : 5)
        Expected.push_back(Tick);
    EXPECT_EQ(FiveSeconds, Expected);
    EXPECT_EQ(Minutes, (std::vector<int>{59, 119, 179}));
}

TEST_F(SysTimeTest, ServerTimeInAnotherMinuteRunsTheMinuteHookAtOnce)
{
    fClock.SetServerTime(At(9, 5, 30));
    EXPECT_EQ(Log, (TLog{"once", "minute"}));

    Log.clear();
    fClock.SetServerTime(At(9, 5, 59));
    EXPECT_EQ(Log, (TLog{"once"}));
    fClock.DoActionTimerTick();
    EXPECT_EQ(Count("minute"), 1);

    // Only the minute counts: the same minute of another hour is no change.
    Log.clear();
    fClock.SetServerTime(At(10, 6, 0));
    EXPECT_EQ(Log, (TLog{"once"}));
    fClock.SetServerTime(At(11, 5, 0));
    EXPECT_EQ(Count("minute"), 1);
}

TEST_F(SysTimeTest, EveryChangePublishesTheNewValue)
{
    TClockReader Reader;
    fClock.Publisher().Subscribe(&Reader, 0);
    fClock.SetTime(At(9, 5, 0));
    fClock.SetTime(At(9, 5, 0.5));
    fClock.DoActionTimerTick();
    EXPECT_EQ(Reader.Codes, (std::vector<int32_t>(3, BASE_MAIN_SYSTIME)));
    ASSERT_EQ(Reader.Values.size(), 3u);
    EXPECT_EQ(Reader.Values[0], At(9, 5, 0));
    EXPECT_EQ(Reader.Values[1], At(9, 5, 0.5));
    EXPECT_EQ(DateToStamp(Reader.Values[2]), DateToStamp(At(9, 5, 1.5)));
    EXPECT_EQ(Count("once"), 3);
    fClock.Publisher().Unsubscribe(&Reader, 0);
}

TEST_F(SysTimeTest, OnlyTheServerTimeMarksTheClockAsTheExchangesAndTicksMoveItsStamp)
{
    for (int Tick = 0; Tick < 70; ++Tick)
        fClock.DoActionTimerTick();
    fClock.SetTime(At(9, 0, 0));
    EXPECT_FALSE(fClock.IsSetByExchange());
    fClock.SetServerTime(StampToDate(1'520'000'000'000));
    EXPECT_TRUE(fClock.IsSetByExchange());
    EXPECT_EQ(fClock.GetTimeStamp(), "1520000000000");
    for (int Tick = 0; Tick < 86400; ++Tick)
        fClock.DoActionTimerTick();
    EXPECT_TRUE(fClock.IsSetByExchange());
    EXPECT_EQ(fClock.TimeStampStr(), "1520086400000");
}

TEST_F(SysTimeTest, TimerTicksTheClockOnlyForItsOwnIdentifierWhileInitialised)
{
    TManualTickSource Source;
    TTimer Heartbeat(Source);
    Heartbeat.Init();
    EXPECT_EQ(Source.Interval(cMainTimerIndex), cMainTimerInterval);
    Source.Tick(cMainTimerIndex, 2);
    EXPECT_DOUBLE_EQ(fClock.Time(), 2 / SecsPerDay);
    Log.clear();
    EXPECT_EQ(Heartbeat.WMTimer(2, 0), -1);
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(Heartbeat.WMTimer(cMainTimerIndex, 0), -1);
    EXPECT_EQ(Count("second"), 1);
    Heartbeat.Deinit();
    EXPECT_FALSE(Source.Running(cMainTimerIndex));
}

TEST(SysTime, TicksWithoutAWorkflowOrAClockDoNothingHarmful)
{
    TSysTime Clock;
    Clock.DoActionTimerTick();
    Clock.SetServerTime(StampToDate(0));
    EXPECT_EQ(Clock.GetTimeStamp(), "0");
    TManualTickSource Source;
    TTimer Heartbeat(Source);
    Heartbeat.Init();
    Source.Tick(cMainTimerIndex);
    EXPECT_EQ(Heartbeat.WMTimer(cMainTimerIndex, 0), -1);
}
