#include "support/MarketReplyData.h"
#include "support/TestExchange.h"

#include <mutex>

namespace {

using nlohmann::json;

json Klines(int64_t aTime)
{
    json Rows = json::array();
    int64_t Open = aTime - aTime % 60000 - 60000;
    for (int64_t Start : {Open, Open + 60000})
        Rows.push_back({Start, "0.01634790", "0.80000000", "0.01575800", "0.01577100",
                        "148976.11427815", Start + 59999, "2434.19055334", 308, "1756.87402397",
                        "28.46694368", "0"});
    return Rows;
}

} // namespace

nlohmann::json ExchangeOrder(const std::string& aSymbol, int64_t aId, const std::string& aPrice,
                             const std::string& aQuantity, const std::string& aType,
                             const std::string& aSide, int64_t aTime)
{
    return {{"symbol", aSymbol},
            {"orderId", aId},
            {"orderListId", -1},
            {"clientOrderId", "web_" + std::to_string(aId)},
            {"price", aPrice},
            {"origQty", aQuantity},
            {"executedQty", "0.00000000"},
            {"cummulativeQuoteQty", "0.00000000"},
            {"status", "NEW"},
            {"timeInForce", "GTC"},
            {"type", aType},
            {"side", aSide},
            {"stopPrice", "0.00000000"},
            {"icebergQty", "0.00000000"},
            {"time", aTime},
            {"updateTime", aTime},
            {"isWorking", true},
            {"origQuoteOrderQty", "0.00000000"}};
}

nlohmann::json StandardReplyData(TExchangeEndpoint aEndpoint, int64_t aServerTime)
{
    switch (aEndpoint) {
    case TExchangeEndpoint::Ping:
        return json::object();
    case TExchangeEndpoint::Time:
        return {{"serverTime", aServerTime}};
    case TExchangeEndpoint::Klines:
        return Klines(aServerTime);
    case TExchangeEndpoint::TickerPrice:
        return json::array({{{"symbol", "BTCUSDT"}, {"price", "37250.01000000"}},
                            {{"symbol", "ETHBTC"}, {"price", "0.05432100"}},
                            {{"symbol", "LTCBTC"}, {"price", "0.00172300"}}});
    case TExchangeEndpoint::Account:
        return {
            {"makerCommission", 10},
            {"takerCommission", 10},
            {"buyerCommission", 0},
            {"sellerCommission", 0},
            {"canTrade", true},
            {"canWithdraw", true},
            {"canDeposit", true},
            {"updateTime", aServerTime},
            {"accountType", "SPOT"},
            {"balances",
             json::array({{{"asset", "BTC"}, {"free", "0.51230000"}, {"locked", "0.10000000"}},
                          {{"asset", "USDT"}, {"free", "1520.44000000"}, {"locked", "0.00000000"}},
                          {{"asset", "ETH"}, {"free", "0.00000000"}, {"locked", "0.00000000"}}})},
            {"permissions", json::array({"SPOT"})}};
    case TExchangeEndpoint::OrderPost:
    case TExchangeEndpoint::OrderDelete:
        return json::object();
    case TExchangeEndpoint::OpenOrders:
        return json::array({ExchangeOrder("BTCUSDT", 501, "36000.00000000", "0.01000000", "LIMIT",
                                          "BUY", aServerTime - 3600000)});
    case TExchangeEndpoint::AllOrders:
        return json::array({ExchangeOrder("BTCUSDT", 500, "35000.00000000", "0.02000000", "LIMIT",
                                          "SELL", aServerTime - 7200000),
                            ExchangeOrder("BTCUSDT", 501, "36000.00000000", "0.01000000", "LIMIT",
                                          "BUY", aServerTime - 3600000)});
    case TExchangeEndpoint::Depth:
        return {{"lastUpdateId", 1027024},
                {"bids", json::array({json::array({"37250.00000000", "0.43100000"}),
                                      json::array({"37249.50000000", "1.20000000"})})},
                {"asks", json::array({json::array({"37250.01000000", "0.12000000"}),
                                      json::array({"37251.00000000", "2.50000000"})})}};
    case TExchangeEndpoint::Ticker24hr:
        return json::array({market_data::Ticker24hrEntry("BTCUSDT", "37250.01000000", aServerTime),
                            market_data::Ticker24hrEntry("ETHBTC", "0.05432100", aServerTime)});
    case TExchangeEndpoint::BookTicker:
        return {{"symbol", "BTCUSDT"},
                {"bidPrice", "37250.00000000"},
                {"bidQty", "0.43100000"},
                {"askPrice", "37250.01000000"},
                {"askQty", "0.12000000"}};
    }
    return nullptr;
}

TExchangeReply TTestExchange::Standard(TExchangeEndpoint aEndpoint, const TExchangeCall& aCall)
{
    if (Signed(aEndpoint))
        return AccountReply(aEndpoint, aCall);
    std::unique_lock Guard(fLock);
    json Data = aEndpoint == TExchangeEndpoint::Time ? json{{"serverTime", fServerTime}}
                                                     : fData.at(aEndpoint);
    Guard.unlock();
    std::string Symbol = aCall.Param("symbol");
    if (aEndpoint == TExchangeEndpoint::TickerPrice && !Symbol.empty()) {
        for (const auto& Price : Data)
            if (Price.value("symbol", "") == Symbol)
                return TExchangeReply::Json(Price);
        return TExchangeReply::Error(400, -1121, "Invalid symbol.");
    }
    return TExchangeReply::Json(Data);
}
