#include "domain/uDepth.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(DepthList, AsksInsertedInFrontThenBidsAppended)
{
    TDepthList Book;
    for (double Price : {10.0, 11.0, 12.0})
        Book.Insert(0) = {"ASK", Price, Price / 10};
    for (double Price : {9.0, 8.0})
        Book.Add() = {"BID", Price, 1};
    Book.SetMaxQuantity(1.2);

    std::vector<double> Prices;
    for (int i = 0; i < Book.Count(); ++i)
        Prices.push_back(Book.Items(i).Price);
    EXPECT_EQ((std::vector<double>{12, 11, 10, 9, 8}), Prices);
    EXPECT_EQ("BID", Book.Items(3).Side);

    Book.Clear();
    EXPECT_EQ(0, Book.Count());
    EXPECT_EQ(0, Book.MaxQuantity()) << "an empty book has no bar scale";
}

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
