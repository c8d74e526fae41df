#include "domain/uProfileLists.h"

#include "domain/uCommon.h"
#include "platform/DateUtils.h"
#include "platform/SysUtils.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// 2018-03-02 14:13:20 UTC, shown as 17:13:20.
constexpr int64_t cStamp = 1'520'000'000'000;

TUserOrder& AddOrder(TUserOrderList& List, const std::string& Symbol, const std::string& Type,
                     const std::string& Side, int64_t Time, int64_t ID = 1)
{
    TUserOrder& Order = List.Add();
    Order.SetSymbol(Symbol);
    Order.SetOrderType(Type);
    Order.SetSide(Side);
    Order.SetTime(Time);
    Order.SetOrderID(ID);
    return Order;
}

TEST(BalanceList, AsStringSkipsEmptyBalancesAndUsesTheSettings)
{
    TBalanceList List;
    EXPECT_EQ(List.AsString(InvariantFormatSettings()), "");
    struct {
        const char* Asset;
        double Free, Locked;
    } const Rows[] = {{"BTC", 0.5, 0}, {"ETH", 0, 0}, {"BNB", 0, 1.25}, {"USDT", 1e-5, 3}};
    for (const auto& R : Rows) {
        TBalance& B = List.Add();
        B.SetAsset(R.Asset);
        B.SetFree_(R.Free);
        B.SetLocked(R.Locked);
    }
    EXPECT_EQ(List.AsString(InvariantFormatSettings()), "BTC= 0.5, 0; BNB= 0, 1.25; USDT= 1E-5, 3");
    TFormatSettings Comma;
    Comma.DecimalSeparator = ',';
    EXPECT_EQ(List.AsString(Comma), "BTC= 0,5, 0; BNB= 0, 1,25; USDT= 1E-5, 3");
}

TEST(UserOrderList, AsStringJoinsOrders)
{
    TUserOrderList List;
    EXPECT_EQ(List.AsString(InvariantFormatSettings()), "");
    TUserOrder& A = AddOrder(List, "BTCUSDT", "LIMIT", "BUY", cStamp);
    A.SetPrice(9500.5);
    A.SetOrigQuantity(0.002);
    A.SetStatus("NEW");
    TUserOrder& B = AddOrder(List, "ETHBTC", "LIMIT", "SELL", cStamp + 1000);
    B.SetPrice(0.07);
    B.SetOrigQuantity(3);
    B.SetStatus("FILLED");
    EXPECT_EQ(List.AsString(InvariantFormatSettings()),
              "BTCUSDT  p=9500.5 q=0.002 NEW BUY 03/02/2018 17:13:20; "
              "ETHBTC  p=0.07 q=3 FILLED SELL 03/02/2018 17:13:21");

    TUserOrderList Garbled;
    AddOrder(Garbled, "BTCUSDT", "LIMIT", "BUY", INT64_MIN).SetStatus("NEW");
    EXPECT_EQ(Garbled.AsString(InvariantFormatSettings()), "BTCUSDT  p=0 q=0 NEW BUY 12/30/1899");
}

TEST(UserOrderList, FindByGivesTheFirstExactMatchWithinFourWholeSecondsAndKeepsLargeIds)
{
    TUserOrderList List;
    const TDateTime At = StampToDate(cStamp);
    struct {
        int64_t OffsetMs;
        bool Found;
    } const Cases[] = {{3999, true}, {-3999, true}, {4000, false}, {-4000, false}};
    for (const auto& C : Cases) {
        List.Clear();
        AddOrder(List, "BTCUSDT", "LIMIT", "BUY", cStamp + C.OffsetMs);
        EXPECT_EQ(List.FindBy("BTCUSDT", "LIMIT", "BUY", At) != nullptr, C.Found) << C.OffsetMs;
    }

    constexpr int64_t cBigID = 8'589'934'593; // above 2^33
    List.Clear();
    AddOrder(List, "BTCUSDT", "LIMIT", "SELL", cStamp, 7);
    AddOrder(List, "BTCUSDT", "LIMIT", "BUY", cStamp + 2000, cBigID);
    AddOrder(List, "BTCUSDT", "LIMIT", "BUY", cStamp, 9);
    const TUserOrder* Found = List.FindBy("BTCUSDT", "LIMIT", "BUY", At);
    ASSERT_NE(Found, nullptr);
    EXPECT_EQ(IntToStr(Found->OrderID()), "8589934593");
    for (const auto& [Symbol, Type, Side] :
         {std::tuple{"btcusdt", "LIMIT", "BUY"}, std::tuple{"BTCUSDT", "MARKET", "BUY"},
          std::tuple{"BTCUSDT", "LIMIT", "SELL "}, std::tuple{"BTCUSDT ", "LIMIT", "BUY"}})
        EXPECT_EQ(List.FindBy(Symbol, Type, Side, At), nullptr) << Symbol << Type << Side;
}

} // namespace
