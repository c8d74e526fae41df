#include "platform/TermSignals.h"

#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// The first signal only marks and wakes (the process lives on to take the
// second); the second ends it by its own default action.
TEST(TermSignalsDeathTest, OnlyASecondSignalEndsTheProcessAtOnce)
{
    const auto TwoSignals = [](int First, int Second) {
        TTermSignals Signals;
        std::raise(First);
        if (!Signals.Received())
            std::exit(1);
        std::raise(Second);
        std::exit(0);
    };
    EXPECT_EXIT(TwoSignals(SIGTERM, SIGINT), ::testing::KilledBySignal(SIGINT), "");
    EXPECT_EXIT(TwoSignals(SIGINT, SIGTERM), ::testing::KilledBySignal(SIGTERM), "");
}

} // namespace
