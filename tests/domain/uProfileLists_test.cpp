#include "domain/uProfileLists.h"

#include "domain/uCommon.h"
#include "platform/DateUtils.h"
#include "platform/SysUtils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <tuple>
#include <utility>

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

// The cancelled order's mirror on a further account: 40000 and 39000 placed
// 1.3 s apart, each copy a little after its own, in either order.
TEST(UserOrderList, FindByGivesTheNearestOrderOfTheSameKindAndPricesWithinFourWholeSeconds)
{
    TUserOrderList List;
    const auto Query = [](int64_t Time, double Price = 0) {
        TUserOrder Order;
        Order.SetSymbol("BTCUSDT");
        Order.SetOrderType("LIMIT");
        Order.SetSide("BUY");
        Order.SetTime(Time);
        Order.SetPrice(Price);
        return Order;
    };
    for (const int64_t Offset : {3999, -3999, 4000, -4000}) {
        List.Clear();
        AddOrder(List, "BTCUSDT", "LIMIT", "BUY", cStamp + Offset);
        EXPECT_EQ(List.FindBy(Query(cStamp)) != nullptr, std::abs(Offset) < 4000) << Offset;
    }
    for (const auto& [First, Second] : {std::pair{40000.0, 39000.0}, std::pair{39000.0, 40000.0}}) {
        List.Clear();
        AddOrder(List, "BTCUSDT", "LIMIT", "BUY", cStamp + 200, 1).SetPrice(First);
        AddOrder(List, "BTCUSDT", "LIMIT", "BUY", cStamp + 1500, 2).SetPrice(Second);
        for (const auto& [Time, Price, ID] :
             {std::tuple{cStamp, First, 1}, std::tuple{cStamp + 1300, Second, 2}}) {
            const TUserOrder* Found = List.FindBy(Query(Time, Price));
            ASSERT_NE(Found, nullptr) << Price;
            EXPECT_EQ(Found->OrderID(), ID) << First << " first, cancelling " << Price;
        }
    }

    constexpr int64_t cBigID = 8'589'934'593; // above 2^33
    List.Clear();
    AddOrder(List, "BTCUSDT", "LIMIT", "SELL", cStamp, 7);
    AddOrder(List, "BTCUSDT", "LIMIT", "BUY", cStamp + 1500, 9);
    AddOrder(List, "BTCUSDT", "LIMIT", "BUY", cStamp - 500, cBigID);
    const TUserOrder* Found = List.FindBy(Query(cStamp));
    ASSERT_NE(Found, nullptr);
    EXPECT_EQ(IntToStr(Found->OrderID()), "8589934593") << "the nearer of two at one price";
    // Each field compared exactly: the symbol, type and side as text, the
    // price and the stop price.
    const std::function<void(TUserOrder&)> Others[] = {[](TUserOrder& O) { O.SetSymbol("btcusdt"); },
                                                       [](TUserOrder& O) { O.SetSymbol("BTCUSDT "); },
                                                       [](TUserOrder& O) { O.SetOrderType("MARKET"); },
                                                       [](TUserOrder& O) { O.SetSide("SELL "); },
                                                       [](TUserOrder& O) { O.SetPrice(40000); },
                                                       [](TUserOrder& O) { O.SetStopPrice(39000); }};
    for (std::size_t I = 0; I < std::size(Others); ++I) {
        TUserOrder Other = Query(cStamp);
        Others[I](Other);
        EXPECT_EQ(List.FindBy(Other), nullptr) << I;
    }
}

} // namespace
