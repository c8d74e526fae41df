#pragma once

#include "domain/uReplyError.h"
#include "domain/uSymbolShowList.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The market-data replies read into plain values on the worker that received
// them; the user-interface thread only applies those values to the model.
//
// Reading rules: prices and quantities arrive as numeric text (a JSON number
// is read too) and become doubles; a missing key, or a value that is not a
// number, reads as 0 (text: empty). An entry of the wrong shape inside an
// array is skipped and the rest kept. A reply without its root, or without a
// node the reply cannot do without, raises EReplyError with the log text of
// the request, and nothing of it is kept.

struct TDepthLevel {
    double Price = 0;
    double Quantity = 0;
};

// The order book in the exchange's order: asks from the best (lowest) up,
// bids from the best (highest) down.
struct TDepthReply {
    std::vector<TDepthLevel> Asks;
    std::vector<TDepthLevel> Bids;
};

// One candle row, elements 0 to 11.
struct TKlineRow {
    std::int64_t OpenTime = 0;
    double Open = 0;
    double High = 0;
    double Low = 0;
    double Close = 0;
    double Volume = 0;
    std::int64_t CloseTime = 0;
    double QuoteAssetVolume = 0;
    std::int64_t Number = 0;
    double BaseAsset = 0;
    double QuoteAsset = 0;
    double Ignore = 0;
};

// One symbol of the 24-hour ticker reply as the volume monitor reads it (the
// market watch reads a TSymbolTicker).
struct TSymbolVolume {
    std::string Name;
    double QuoteVolume = 0;
};

struct TBookTickerReply {
    double Bid = 0;
    double Ask = 0;
};

// Reads the replies of one worker, or of one thread in turn: the parser's
// buffers are reused from one reply to the next. Every value returned owns
// its text, so nothing refers into the parser after a call returns. Never
// raises anything but EReplyError (and std::bad_alloc).
class TMarketReplyReader {
public:
    TMarketReplyReader();
    TMarketReplyReader(const TMarketReplyReader&) = delete;
    TMarketReplyReader& operator=(const TMarketReplyReader&) = delete;
    ~TMarketReplyReader();

    // Raise "TUser." + aName + ": lRootNode not assigned" when the reply is
    // no JSON at all, or (below) when its root is not of the kind expected.
    void Ping(const std::string& aReply, const std::string& aName = "Ping");
    // Milliseconds of "serverTime"; raises "TSysTimeThread.Execute ParseRespond
    // error" when the reply holds no positive integer time.
    std::int64_t ServerTime(const std::string& aReply);
    // Raises "TUser.Depth: lSideNode not assigned" when "asks" or "bids" is
    // not an array. An entry that is not an array of two is skipped.
    TDepthReply Depth(const std::string& aReply);
    // An array of rows; a row that is not an array of twelve with an integer
    // open time is skipped. A row opening at or before 1970 or from 2100 on,
    // or with an open, high, low or close that is no finite number, is
    // dropped; one log line tells how many a reply lost.
    std::vector<TKlineRow> Klines(const std::string& aReply);
    // An array of objects; an entry that is not an object or names no symbol
    // is skipped, and so is one whose name is no symbol name (IsSymbolName).
    std::vector<TSymbolTicker> Ticker24hr(const std::string& aReply);
    // The same reply for the volume monitor.
    std::vector<TSymbolVolume> Ticker24hrVolume(const std::string& aReply);
    // All symbols: an array of objects, skipped as above.
    std::vector<TSymbolPrice> Prices(const std::string& aReply);
    // One symbol: one object; its "price".
    double Price(const std::string& aReply);
    // One object.
    TBookTickerReply BookTicker(const std::string& aReply);

private:
    struct TImpl;
    std::unique_ptr<TImpl> fImpl;
};
