#include "platform/qt/QtTickSource.h"

#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

TEST(QtTickSource, TicksEachTimerWithItsIdentifierUntilKilled)
{
    TQtTickSource Source;
    std::vector<std::uintptr_t> Ticks;
    Source.SetHandler([&](std::uintptr_t ID) {
        Ticks.push_back(ID);
        if (ID == 2)
            Source.KillTimer(2);
    });
    Source.SetTimer(1, 10);
    Source.SetTimer(2, 10);

    EXPECT_TRUE(QTest::qWaitFor([&] { return Ticks.size() >= 4; }, 5000));
    Source.KillTimer(1);
    std::size_t Seen = Ticks.size();
    QTest::qWait(50);

    EXPECT_EQ(Ticks.size(), Seen);
    EXPECT_EQ(std::count(Ticks.begin(), Ticks.end(), 2u), 1);
}

TEST(QtTickSource, AnExceptionInTheHandlerDoesNotLeaveTheEventLoop)
{
    TQtTickSource Source;
    int Calls = 0;
    Source.SetHandler([&](std::uintptr_t) {
        ++Calls;
        throw std::runtime_error("handler failed");
    });
    Source.SetTimer(1, 5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Calls >= 2; }, 5000));
}
