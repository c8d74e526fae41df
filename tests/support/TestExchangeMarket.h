#pragma once

#include "support/MarketReplyData.h"
#include "support/TestExchange.h"

#include <atomic>
#include <cstdint>
#include <memory>

// A symbol's candle history as the exchange pages it: Count candles of one
// interval, the newest opening at NewestOpenTime. A request answers the
// newest "limit" candles (PageSize when no limit is sent, at most 1000) that
// open at or before "endTime" (no end time: the newest), oldest first. The
// close price of a candle is its index counted from the newest, so tests can
// tell which candles arrived.
struct TCandleHistory {
    int64_t NewestOpenTime = 1700000000000 - 1700000000000 % 60000;
    int Count = 0;
    int64_t Interval = 60000;
    int PageSize = 500;

    int64_t OpenTime(int aIndexFromNewest) const
    {
        return NewestOpenTime - aIndexFromNewest * Interval;
    }
};

// Serves the candle endpoint from the history; a request without a symbol or
// an interval is refused as the exchange refuses it. Returns the number of
// pages served so far (shared with the handler).
std::shared_ptr<std::atomic<int>> ServeCandleHistory(TTestExchange& aExchange,
                                                     const TCandleHistory& aHistory);

// The reply of the candle endpoint to one call, as ServeCandleHistory gives it.
TExchangeReply CandlePage(const TCandleHistory& aHistory, const TExchangeCall& aCall);

// A 200 reply with exactly this body: for replies of the wrong shape.
TExchangeReply RawReply(const std::string& aBody);
