#include "domain/uAccountReplies.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tuple>

namespace {

using ::testing::HasSubstr;

const char* const cAccount = R"({"makerCommission":10,"canTrade":true,"balances":[
    {"asset":"BTC","free":"0.51230000","locked":"0.10000000"},
    {"asset":"ETH","free":"0.00000000","locked":"0.00000000"},
    {"asset":"BNB","free":"0.00000000","locked":"2.50000000"}],"permissions":["SPOT"]})";

const char* const cOrders = R"([{"symbol":"BTCUSDT","orderId":3000000123,"orderListId":-1,
    "clientOrderId":"web_1","price":"36000.50000000","origQty":"0.01000000",
    "executedQty":"0.00500000","cummulativeQuoteQty":"0","status":"PARTIALLY_FILLED",
    "timeInForce":"GTC","type":"STOP_LOSS_LIMIT","side":"SELL","stopPrice":"36100.00000000",
    "icebergQty":"0.00000000","time":1700000123456,"updateTime":1700000123456,
    "isWorking":false}])";

// Hiding the empty balances is checked with the account worker.
TEST(AccountReplies, BalancesAndOrdersKeepEveryFieldSixtyFourBitIdsAndTimes)
{
    const std::vector<TBalanceEntry> Balances = ParseAccountReply(cAccount);
    ASSERT_EQ(Balances.size(), 3u);
    EXPECT_EQ(std::tuple(Balances[0].Asset, Balances[0].Free, Balances[0].Locked),
              std::tuple("BTC", 0.5123, 0.1));

    const std::vector<TUserOrder> Orders = ParseUserOrdersReply(cOrders, "OpenOrders");
    ASSERT_EQ(Orders.size(), 1u);
    const TUserOrder& O = Orders[0];
    EXPECT_EQ(
        std::tuple(O.OrderID(), O.Time(), O.Symbol(), O.ClientOrderID(), O.Price(),
                   O.OrigQuantity(), O.ExecQuantity(), O.StopPrice()),
        std::tuple(3000000123, 1700000123456, "BTCUSDT", "web_1", 36000.5, 0.01, 0.005, 36100));
    EXPECT_EQ(std::tuple(O.Status(), O.TimeInForce(), O.OrderType(), O.Side(), O.IsWorking()),
              std::tuple("PARTIALLY_FILLED", "GTC", "STOP_LOSS_LIMIT", "SELL", false));

    TUserOrderList List;
    List.Add().SetSymbol("OLD");
    ApplyUserOrders(List, Orders);
    ASSERT_EQ(List.Count(), 1);
    EXPECT_EQ(List[0].OrderID(), 3000000123);
    EXPECT_TRUE(List.Loaded());
    ApplyUserOrders(List, {});
    EXPECT_EQ(List.Count(), 0);
    EXPECT_TRUE(List.Loaded());
}

TEST(AccountReplies, APlacementIsShownAsTheExchangeConfirmedIt)
{
    const TPlacedOrder Order = ParsePlacedOrderReply(
        R"({"symbol":"BTCUSDT","orderId":3000000001,"side":"BUY","type":"LIMIT",
            "price":"36000.50000000","origQty":"1.50000000","status":"NEW"})",
        "OrderPost");
    EXPECT_EQ(PlacedOrderText(Order), "BTCUSDT BUY LIMIT 36000.5 1.5");
    const TPlacedOrder Market = ParsePlacedOrderReply(
        R"({"symbol":"ETHBTC","side":"SELL","type":"MARKET","price":"0.00000000",
            "origQty":"0.00001000"})",
        "OrderPost");
    EXPECT_EQ(PlacedOrderText(Market), "ETHBTC SELL MARKET 0 0.00001");
}

// Every parser refuses a reply of the wrong shape as a whole, naming the request.
TEST(AccountReplies, WrongShapesAreRefusedWithTheRequestsName)
{
    using TParse = std::function<void(const std::string&)>;
    const TParse Account = [](const std::string& T) { ParseAccountReply(T); };
    const TParse Orders = [](const std::string& T) { ParseUserOrdersReply(T, "AllOrders"); };
    const TParse Placed = [](const std::string& T) { ParsePlacedOrderReply(T, "OrderPost"); };
    const TParse Any = [](const std::string& T) { ParseAnyReply(T, "OrderDelete"); };
    struct {
        TParse Parse;
        std::string Text;
        const char* Error;
    } const Cases[] = {
        {Account, "", "TUser.Account: lRootNode not assigned"},
        {Account, "{\"balances\":", "TUser.Account: lRootNode not assigned"},
        {Account, R"({"canTrade":true})", "TUser.Account: lBalanceNode not assigned"},
        {Account, R"({"balances":{}})", "TUser.Account: balances is not an array"},
        {Account, R"([])", "TUser.Account: the reply is not an object"},
        {Account, R"({"balances":[{"asset":"BTC","free":"1e","locked":"0"}]})",
         "TUser.Account: field \"free\" is not a number"},
        {Account, R"({"balances":[{"asset":"BTC","free":"1","locked":"inf"}]})",
         "TUser.Account: field \"locked\" is not a number"},
        {Account, R"({"balances":[{"asset":"BTC","free":"1"}]})",
         "TUser.Account: field \"locked\" missing"},
        {Orders, R"({"code":-1,"msg":"x"})", "TUser.AllOrders: the reply is not an array"},
        {Orders, R"([1])", "TUser.AllOrders: an order is not an object"},
        {Orders, std::string(cOrders).replace(std::string(cOrders).find("3000000123"), 10, "\"7\""),
         "TUser.AllOrders: field \"orderId\" is not an integer"},
        {Orders, std::string(cOrders).replace(std::string(cOrders).find("false"), 5, "0"),
         "TUser.AllOrders: field \"isWorking\" is not a Boolean"},
        {Placed, R"({"symbol":"BTCUSDT","side":"BUY","type":"LIMIT","price":"1"})",
         "TUser.OrderPost: field \"origQty\" missing"},
        {Placed, R"({"symbol":5,"side":"BUY","type":"LIMIT","price":"1","origQty":"1"})",
         "TUser.OrderPost: field \"symbol\" is not a string"},
        {Any, "<html>", "TUser.OrderDelete: lRootNode not assigned"},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Text);
        try {
            Case.Parse(Case.Text);
            ADD_FAILURE() << "accepted";
        } catch (const EReplyError& E) {
            EXPECT_STREQ(E.what(), Case.Error);
        }
    }
    EXPECT_NO_THROW(ParseAnyReply("{}", "OrderDelete"));
}

} // namespace
