#include "support/TestExchange.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

// The accounts' own data: balances, open orders and order history per API key,
// and the placement and cancel of orders on them.

namespace {

using nlohmann::json;

// "0.5" as the exchange writes it: "0.50000000".
std::string Decimal8(const std::string& aText)
{
    char Text[64];
    std::snprintf(Text, sizeof Text, "%.8f", std::strtod(aText.c_str(), nullptr));
    return Text;
}

json BySymbol(const json& aOrders, const std::string& aSymbol)
{
    if (aSymbol.empty())
        return aOrders;
    json Result = json::array();
    for (const json& Order : aOrders)
        if (Order.value("symbol", "") == aSymbol)
            Result.push_back(Order);
    return Result;
}

// The parameters a placement of that type must carry.
std::vector<std::string> MandatoryOrderParams(const std::string& aType)
{
    std::vector<std::string> Names{"symbol", "side", "type", "quantity"};
    if (aType == "LIMIT" || aType == "STOP_LOSS_LIMIT") {
        Names.emplace_back("price");
        Names.emplace_back("timeInForce");
    }
    if (aType == "STOP_LOSS_LIMIT")
        Names.emplace_back("stopPrice");
    return Names;
}

// The reply of a placement with "newOrderRespType" RESULT: the order without
// the fields only the order lists carry.
json PlacementReply(json aOrder, int64_t aNow)
{
    for (const char* Name : {"stopPrice", "icebergQty", "time", "updateTime", "isWorking"})
        aOrder.erase(Name);
    aOrder["transactTime"] = aNow;
    return aOrder;
}

// A placement: limit orders join the open orders, market orders fill at once.
TExchangeReply Place(const TExchangeCall& aCall, int64_t& aNextId, int64_t aNow, json& aOpen,
                     json& aHistory)
{
    const std::string Type = aCall.Param("type");
    for (const std::string& Name : MandatoryOrderParams(Type))
        if (aCall.Param(Name).empty())
            return TExchangeReply::Mandatory(Name);
    const std::string Quantity = Decimal8(aCall.Param("quantity"));
    json Order = ExchangeOrder(aCall.Param("symbol"), aNextId++, Decimal8(aCall.Param("price")),
                               Quantity, Type, aCall.Param("side"), aNow);
    Order["stopPrice"] = Decimal8(aCall.Param("stopPrice"));
    if (Type == "MARKET") {
        Order["status"] = "FILLED";
        Order["executedQty"] = Quantity;
    } else {
        Order["timeInForce"] = aCall.Param("timeInForce");
        aOpen.push_back(Order);
    }
    aHistory.push_back(Order);
    return TExchangeReply::Json(PlacementReply(Order, aNow));
}

TExchangeReply Cancel(const TExchangeCall& aCall, int64_t aNow, json& aOpen, json& aHistory)
{
    const int64_t Id = std::strtoll(aCall.Param("orderId").c_str(), nullptr, 10);
    for (auto It = aOpen.begin(); It != aOpen.end(); ++It) {
        if (It->value("orderId", int64_t(0)) != Id ||
            It->value("symbol", "") != aCall.Param("symbol"))
            continue;
        json Cancelled = *It;
        aOpen.erase(It);
        Cancelled["status"] = "CANCELED";
        for (json& Past : aHistory)
            if (Past.value("orderId", int64_t(0)) == Id)
                Past["status"] = "CANCELED";
        Cancelled["origClientOrderId"] = Cancelled["clientOrderId"];
        return TExchangeReply::Json(PlacementReply(Cancelled, aNow));
    }
    return TExchangeReply::Error(400, -2011, "Unknown order sent.");
}

} // namespace

void TTestExchange::AddAccount(const std::string& aApiKey, const std::string& aSecretKey)
{
    std::lock_guard Guard(fLock);
    fAccounts[aApiKey] = aSecretKey;
    fBooks[aApiKey] = {fData.at(TExchangeEndpoint::Account).value("balances", json::array()),
                       fData.at(TExchangeEndpoint::OpenOrders),
                       fData.at(TExchangeEndpoint::AllOrders)};
}

void TTestExchange::SetBalances(const std::string& aApiKey, nlohmann::json aBalances)
{
    std::lock_guard Guard(fLock);
    fBooks.at(aApiKey).Balances = std::move(aBalances);
}

void TTestExchange::SetOpenOrders(const std::string& aApiKey, nlohmann::json aOrders)
{
    std::lock_guard Guard(fLock);
    fBooks.at(aApiKey).OpenOrders = std::move(aOrders);
}

nlohmann::json TTestExchange::OpenOrders(const std::string& aApiKey) const
{
    std::lock_guard Guard(fLock);
    return fBooks.at(aApiKey).OpenOrders;
}

nlohmann::json TTestExchange::OrderHistory(const std::string& aApiKey) const
{
    std::lock_guard Guard(fLock);
    return fBooks.at(aApiKey).History;
}

// Called without the lock held; the checks have passed, so the account exists.
TExchangeReply TTestExchange::AccountReply(TExchangeEndpoint aEndpoint, const TExchangeCall& aCall)
{
    std::lock_guard Guard(fLock);
    TAccountBook& Book = fBooks.at(aCall.ApiKey);
    const std::string Symbol = aCall.Param("symbol");
    switch (aEndpoint) {
    case TExchangeEndpoint::Account: {
        json Data = fData.at(TExchangeEndpoint::Account);
        Data["balances"] = Book.Balances;
        return TExchangeReply::Json(Data);
    }
    case TExchangeEndpoint::OpenOrders:
        return TExchangeReply::Json(BySymbol(Book.OpenOrders, Symbol));
    case TExchangeEndpoint::AllOrders:
        return TExchangeReply::Json(BySymbol(Book.History, Symbol));
    case TExchangeEndpoint::OrderPost:
        return Place(aCall, fNextOrderId, fServerTime, Book.OpenOrders, Book.History);
    case TExchangeEndpoint::OrderDelete:
        return Cancel(aCall, fServerTime, Book.OpenOrders, Book.History);
    default:
        throw std::logic_error("not an account endpoint");
    }
}
