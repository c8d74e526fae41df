#include "support/TestExchangeMarket.h"

#include <algorithm>
#include <charconv>

namespace {

bool ParseInt64(const std::string& aText, int64_t& aValue)
{
    auto [End, Error] = std::from_chars(aText.data(), aText.data() + aText.size(), aValue);
    return !aText.empty() && Error == std::errc() && End == aText.data() + aText.size();
}

TExchangeReply Illegal(const std::string& aName)
{
    return TExchangeReply::Error(400, -1100,
                                 "Illegal characters found in parameter '" + aName + "'.");
}

} // namespace

TExchangeReply CandlePage(const TCandleHistory& aHistory, const TExchangeCall& aCall)
{
    for (const char* Name : {"symbol", "interval"})
        if (aCall.Param(Name).empty())
            return TExchangeReply::Error(400, -1102,
                                         std::string("Mandatory parameter '") + Name +
                                             "' was not sent, was empty/null, or malformed.");
    int64_t Limit = aHistory.PageSize;
    int64_t End = aHistory.NewestOpenTime;
    if (!aCall.Param("limit").empty() && !ParseInt64(aCall.Param("limit"), Limit))
        return Illegal("limit");
    if (!aCall.Param("endTime").empty() && !ParseInt64(aCall.Param("endTime"), End))
        return Illegal("endTime");
    Limit = std::clamp<int64_t>(Limit, 1, 1000);
    // The newest candle at or before End, counted from the newest of all.
    int64_t First =
        End >= aHistory.NewestOpenTime
            ? 0
            : (aHistory.NewestOpenTime - End + aHistory.Interval - 1) / aHistory.Interval;
    int64_t Last = std::min<int64_t>(aHistory.Count, First + Limit) - 1;
    nlohmann::json Rows = nlohmann::json::array();
    for (int64_t I = Last; I >= First; --I)
        Rows.push_back(market_data::KlineRow(aHistory.OpenTime(static_cast<int>(I)),
                                             aHistory.Interval, static_cast<double>(I)));
    return TExchangeReply::Json(Rows);
}

std::shared_ptr<std::atomic<int>> ServeCandleHistory(TTestExchange& aExchange,
                                                     const TCandleHistory& aHistory)
{
    auto Pages = std::make_shared<std::atomic<int>>(0);
    aExchange.SetHandler(TExchangeEndpoint::Klines, [aHistory, Pages](const TExchangeCall& aCall) {
        ++*Pages;
        return CandlePage(aHistory, aCall);
    });
    return Pages;
}

TExchangeReply RawReply(const std::string& aBody)
{
    TExchangeReply Reply;
    Reply.Body = aBody;
    return Reply;
}
