#include "domain/uAccountReplies.h"

#include <functional>
#include <gtest/gtest.h>
#include <tuple>

namespace {

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

std::string Replaced(std::string aText, const std::string& aFrom, const std::string& aTo)
{
    return aText.replace(aText.find(aFrom), aFrom.size(), aTo);
}

// Each reply read, as one line of text per entry.
using TRead = std::function<std::string(const std::string&)>;

const TRead cReadBalances = [](const std::string& aText) {
    std::string Lines;
    for (const TBalanceEntry& B : ParseAccountReply(aText))
        Lines += B.Asset + " " + std::to_string(B.Free) + " " + std::to_string(B.Locked) + ";";
    return Lines;
};
const TRead cReadOrders = [](const std::string& aText) {
    std::string Lines;
    for (const TUserOrder& O : ParseUserOrdersReply(aText, "AllOrders"))
        Lines += O.Symbol() + " " + std::to_string(O.OrderID()) + " " + std::to_string(O.Price()) +
                 " " + std::to_string(O.IcebergQuantity()) + " " + std::to_string(O.Time()) +
                 (O.IsWorking() ? " working;" : ";");
    return Lines;
};
const TRead cReadPlaced = [](const std::string& aText) {
    return PlacedOrderText(ParsePlacedOrderReply(aText, "OrderPost"));
};
const TRead cReadAny = [](const std::string& aText) {
    ParseAnyReply(aText, "OrderDelete");
    return std::string();
};

// A missing or mistyped field reads as 0, empty or false; an array entry that
// is no object is skipped; the rest of the reply is kept.
TEST(AccountReplies, FieldsAreReadOneByOneAndAMissingOneReadsAsEmpty)
{
    const std::string Order = R"({"symbol":"BTCUSDT","orderId":3000000123,"price":"36000.5",
        "icebergQty":"0.1","time":1700000123456,"isWorking":true})";
    struct {
        const TRead& Read;
        std::string Text;
        const char* Lines;
    } const Cases[] = {
        {cReadBalances,
         R"({"balances":[1,{"asset":"BTC","free":"1e","locked":"inf"},{"free":"2"}]})",
         "BTC 0.000000 0.000000; 2.000000 0.000000;"},
        {cReadOrders, "[" + Order + ",null]",
         "BTCUSDT 3000000123 36000.500000 0.100000 1700000123456 working;"},
        {cReadOrders, "[" + Replaced(Order, R"("icebergQty":"0.1",)", "") + "]",
         "BTCUSDT 3000000123 36000.500000 0.000000 1700000123456 working;"},
        {cReadOrders, "[" + Replaced(Replaced(Order, "3000000123", R"("7")"), "true", "1") + "]",
         "BTCUSDT 7 36000.500000 0.100000 1700000123456;"},
        {cReadOrders, R"([{"symbol":"ETHBTC","price":5,"time":"x"}])",
         "ETHBTC 0 5.000000 0.000000 0;"},
        // An order names a symbol, or it could not even be cancelled.
        {cReadOrders, R"([{"price":5},{"symbol":"A&B","price":5}])", ""},
        {cReadPlaced, R"({"symbol":"BTCUSDT","orderId":3000000001,"side":"BUY","type":"LIMIT",
            "price":"36000.50000000","origQty":"1.50000000","status":"NEW"})",
         "BTCUSDT BUY LIMIT 36000.5 1.5"},
        {cReadPlaced, R"({"symbol":"BTCUSDT","side":"BUY","type":"MARKET","origQty":"0.00001"})",
         "BTCUSDT BUY MARKET 0 0.00001"},
        {cReadPlaced, R"({"symbol":5,"side":"BUY","type":"LIMIT","price":"x","origQty":"1"})",
         " BUY LIMIT 0 1"},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Text);
        EXPECT_EQ(Case.Read(Case.Text), Case.Lines);
    }
}

// Only a reply without the node it is read from is refused, naming the request.
TEST(AccountReplies, AReplyWithoutItsRootOrArrayIsRefusedWhole)
{
    struct {
        const TRead& Read;
        std::string Text;
        const char* Error;
    } const Cases[] = {
        {cReadBalances, "", "TUser.Account: lRootNode not assigned"},
        {cReadBalances, "{\"balances\":", "TUser.Account: lRootNode not assigned"},
        {cReadBalances, R"({"canTrade":true})", "TUser.Account: lBalanceNode not assigned"},
        {cReadBalances, R"({"balances":{}})", "TUser.Account: lBalanceNode not assigned"},
        {cReadBalances, R"([])", "TUser.Account: lBalanceNode not assigned"},
        {cReadOrders, R"({"code":-1,"msg":"x"})", "TUser.AllOrders: lRootNode not assigned"},
        {cReadPlaced, R"([{"symbol":"BTCUSDT"}])", "TUser.OrderPost: lRootNode not assigned"},
        {cReadAny, "<html>", "TUser.OrderDelete: lRootNode not assigned"},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Text);
        try {
            Case.Read(Case.Text);
            ADD_FAILURE() << "accepted";
        } catch (const EReplyError& E) {
            EXPECT_STREQ(E.what(), Case.Error);
        }
    }
    EXPECT_NO_THROW(ParseAnyReply("{}", "OrderDelete"));
}

} // namespace

TEST(AccountReplies, TheExchangesRefusalIsItsMessageOrTheFailureText)
{
    const std::string Long(400, 'x');
    const char* const Status = "HTTP/1.1 400 Bad Request";
    struct {
        std::string Text;
        std::string Refusal; // of the reply
        std::string Failure; // of an error status with that body
    } const Cases[] = {
        {R"({"code":-1100,"msg":"Illegal characters found in parameter 'quantity'"})",
         "Illegal characters found in parameter 'quantity'",
         "Illegal characters found in parameter 'quantity'"},
        {R"({"code":-2010})", "code -2010", "code -2010"},
        {R"({"msg":"Unknown order sent."})", "Unknown order sent.", "Unknown order sent."},
        {R"({"symbol":"BTCUSDT","orderId":5})", "", Status},
        {R"([{"code":-1}])", "", Status},
        {"<html>Bad Request</html>", "", Status},
        {"", "", Status},
        {R"({"msg":")" + Long + R"("})", Long, Long},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Text);
        EXPECT_EQ(ReplyRefusal(Case.Text), Case.Refusal);
        EXPECT_EQ(FailureRefusal(Case.Text, Status), Case.Failure);
    }
}
