#include "domain/uSymbols.h"

#include "domain/uSysTime.h"

#include <gtest/gtest.h>
#include <utility>

namespace {

TEST(Symbol, PriceSettersStampTheClockTimeOnlyOnAChange)
{
    using TSetter = void (TSymbol::*)(double);
    using TGetter = double (TSymbol::*)() const;
    const std::pair<TSetter, TGetter> Prices[] = {{&TSymbol::SetBidPrice, &TSymbol::BidPrice},
                                                  {&TSymbol::SetAskPrice, &TSymbol::AskPrice},
                                                  {&TSymbol::SetHighPrice, &TSymbol::HighPrice},
                                                  {&TSymbol::SetLowPrice, &TSymbol::LowPrice}};
    TSysTime Clock;
    SysTime = &Clock;
    for (auto [Set, Get] : Prices) {
        TSymbol Symbol("ETHBTC");
        Clock.SetTime(43'000.5);
        (Symbol.*Set)(0.07);
        EXPECT_EQ(0.07, (Symbol.*Get)());
        EXPECT_EQ(43'000.5, Symbol.Time());
        Clock.SetTime(43'000.75);
        (Symbol.*Set)(0.07);
        EXPECT_EQ(43'000.5, Symbol.Time()) << "an equal value is no change";
        (Symbol.*Set)(0.08);
        EXPECT_EQ(43'000.75, Symbol.Time());
    }
    TSymbol Symbol("ETHBTC");
    Symbol.SetLastPrice(5);
    EXPECT_EQ(0, Symbol.Time()) << "the last price is not stamped";
    SysTime = nullptr;
}

TEST(SymbolList, AReloadKeepsTheObjectOfANameItNamesAgain)
{
    TSymbolList List;
    TSymbol& Eth = List.Add("ETHBTC");
    Eth.SetLastPrice(0.07);
    List.Add("LTCBTC");

    List.BeginReload();
    EXPECT_EQ(nullptr, List.Find("ETHBTC")) << "emptied while reloading";
    List.Add("XRPBTC");
    TSymbol& Again = List.Add("ETHBTC");
    List.EndReload();

    EXPECT_EQ(&Eth, &Again);
    EXPECT_EQ(0, Again.LastPrice()) << "with fresh values";
    EXPECT_EQ(2, List.Count());
    EXPECT_EQ("XRPBTC", List.Items(0).Name()) << "in the order of the reload";
    EXPECT_EQ(nullptr, List.Find("LTCBTC"));
}

} // namespace
