#include "platform/TickSource.h"

#include <gtest/gtest.h>
#include <vector>

TEST(ManualTickSource, DeliversOnlyRunningTimersAndStopsWhenKilledFromTheHandler)
{
    TManualTickSource Source;
    std::vector<std::uintptr_t> Ticks;
    Source.SetHandler([&](std::uintptr_t ID) {
        Ticks.push_back(ID);
        if (Ticks.size() == 3)
            Source.KillTimer(ID);
    });

    Source.Tick(1);
    EXPECT_TRUE(Ticks.empty());

    Source.SetTimer(1, 1000);
    EXPECT_EQ(Source.Interval(1), 1000u);
    Source.Tick(1, 5);
    EXPECT_EQ(Ticks, (std::vector<std::uintptr_t>{1, 1, 1}));
    EXPECT_FALSE(Source.Running(1));
    EXPECT_EQ(Source.Interval(1), 0u);
}
