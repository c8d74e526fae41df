#include "domain/uDepth.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(VolumeList, NewestFirstAndFindGivesTheNewestRecordOfASymbol)
{
    TVolumeList Monitor;
    EXPECT_EQ(nullptr, Monitor.Find("ETHBTC"));
    Monitor.AddNewest({.Symbol = "ETHBTC", .Ping = 1, .SumVolume = 5});
    Monitor.AddNewest({.Symbol = "LTCBTC", .Ping = 1});
    Monitor.AddNewest({.Symbol = "ETHBTC", .Ping = 2, .SumVolume = 9});

    ASSERT_EQ(3, Monitor.Count());
    EXPECT_EQ("ETHBTC", Monitor.Items(0).Symbol);
    EXPECT_EQ(2, Monitor.Items(0).Ping);
    EXPECT_EQ("LTCBTC", Monitor.Items(1).Symbol);
    EXPECT_EQ(1, Monitor.Items(2).Ping);

    const TVolume* Last = Monitor.Find("ETHBTC");
    ASSERT_NE(nullptr, Last);
    EXPECT_EQ(2, Last->Ping);
    EXPECT_EQ(9, Last->SumVolume);

    Monitor.Clear();
    EXPECT_EQ(nullptr, Monitor.Find("ETHBTC"));
}

} // namespace
