#include "domain/uSysTime.h"

#include <gtest/gtest.h>
#include <thread>

// A worker waiting for the exchange's time never sees the flag before the time.
TEST(SysTimeThreads, AWorkerThatSeesTheExchangeFlagReadsTheExchangesTime)
{
    for (int Round = 0; Round < 200; ++Round) {
        TSysTime Clock;
        for (int Tick = 0; Tick < 3; ++Tick)
            Clock.DoActionTimerTick();
        const TDateTime Server = StampToDate(1'520'000'000'000 + Round);
        TDateTime Seen = 0;
        std::thread Worker([&] {
            while (!Clock.IsSetByExchange())
                std::this_thread::yield();
            Seen = Clock.Time();
        });
        Clock.SetServerTime(Server);
        Worker.join();
        EXPECT_EQ(Seen, Server);
    }
}
