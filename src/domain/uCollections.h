#pragma once

#include "domain/uCommon.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <limits>
#include <string>
#include <unordered_map>

// One candle: the exchange's kline row, elements 0 to 11 in field order. The
// open time is fixed at creation: a list finds its candles by it.
class TKline {
public:
    explicit TKline(std::int64_t aOpenTime = 0) : fOpenTime(aOpenTime) {}

    // True once the chart has drawn the candle; False when created or updated.
    bool IsInChart() const { return fIsInChart; }
    void SetIsInChart(bool Value) { fIsInChart = Value; }

    std::int64_t OpenTime() const { return fOpenTime; }
    TDateTime OpenTimeEx() const { return StampToDate(fOpenTime); }

    double Open() const { return fOpen; }
    double High() const { return fHigh; }
    double Low() const { return fLow; }
    double Close() const { return fClose; }
    double Volume() const { return fVolume; }
    std::int64_t CloseTime() const { return fCloseTime; }
    double QuoteAssetVolume() const { return fQuoteAssetVolume; }
    std::int64_t Number() const { return fNumber; }
    double BaseAsset() const { return fBaseAsset; }
    double QuoteAsset() const { return fQuoteAsset; }
    double Ignore() const { return fIgnore; }

    void SetOpen(double Value) { fOpen = Value; }
    void SetHigh(double Value) { fHigh = Value; }
    void SetLow(double Value) { fLow = Value; }
    void SetClose(double Value) { fClose = Value; }
    void SetVolume(double Value) { fVolume = Value; }
    void SetCloseTime(std::int64_t Value) { fCloseTime = Value; }
    void SetQuoteAssetVolume(double Value) { fQuoteAssetVolume = Value; }
    void SetNumber(std::int64_t Value) { fNumber = Value; }
    void SetBaseAsset(double Value) { fBaseAsset = Value; }
    void SetQuoteAsset(double Value) { fQuoteAsset = Value; }
    void SetIgnore(double Value) { fIgnore = Value; }

private:
    bool fIsInChart = false;
    std::int64_t fOpenTime;
    double fOpen = 0;
    double fHigh = 0;
    double fLow = 0;
    double fClose = 0;
    double fVolume = 0;
    std::int64_t fCloseTime = 0;
    double fQuoteAssetVolume = 0;
    std::int64_t fNumber = 0;
    double fBaseAsset = 0;
    double fQuoteAsset = 0;
    double fIgnore = 0;
};

// The candles of one chart in arrival order (not sorted): a candle whose open
// time is already held is updated in place, any other is appended, so history
// pages follow the newer candles. At most one candle per open time; lookups by
// open time are hashed. References to items stay valid until Clear.
// Changed on the user-interface thread only; IsLoading is also set by the
// history worker.
class TKlineList {
public:
    static constexpr std::int64_t cNoDate = std::numeric_limits<std::int64_t>::max();

    TKlineList() = default;
    TKlineList(const TKlineList&) = delete;
    TKlineList& operator=(const TKlineList&) = delete;

    // Appends a new undrawn candle; when aOpenTime is already held, that
    // candle is returned instead, its values kept and its drawn flag cleared.
    TKline& Add(std::int64_t aOpenTime);
    // Stores aValues: in place of the candle with the same open time, or
    // appended. Either way the stored candle is undrawn.
    TKline& Put(const TKline& aValues);
    void Clear();

    TKline* Find(std::int64_t aOpenTime);
    const TKline* Find(std::int64_t aOpenTime) const;

    int Count() const { return static_cast<int>(fItems.size()); }
    // i must lie in 0..Count-1.
    TKline& Items(int i) { return fItems[static_cast<std::size_t>(i)]; }
    const TKline& Items(int i) const { return fItems[static_cast<std::size_t>(i)]; }

    // The smallest open time held; cNoDate when empty, so the first history
    // page asks for the newest candles.
    std::int64_t MinDate() const { return fMinDate; }
    std::int64_t GetMinDate() const { return fMinDate; }

    bool IsLoading() const { return fIsLoading.load(); }
    void SetIsLoading(bool Value) { fIsLoading.store(Value); }
    const std::string& Symbol() const { return fSymbol; }
    void SetSymbol(const std::string& Value) { fSymbol = Value; }
    TChartInterval LastChartInterval() const { return fLastChartInterval; }
    void SetLastChartInterval(TChartInterval Value) { fLastChartInterval = Value; }

private:
    std::string fSymbol;
    TChartInterval fLastChartInterval = m1;
    std::atomic<bool> fIsLoading{false};
    std::deque<TKline> fItems;
    std::unordered_map<std::int64_t, std::size_t> fIndex;
    std::int64_t fMinDate = cNoDate;
};

// One order request, filled by the order dialog or the order buttons. Side is
// "BUY" or "SELL", Type_ "MARKET", "LIMIT" or "STOP_LOSS_LIMIT"; both are sent
// unchanged. A plain value: every worker gets its own copy.
class TOrder {
public:
    const std::string& Symbol() const { return fSymbol; }
    const std::string& Side() const { return fSide; }
    const std::string& Type_() const { return fType; }
    double Quantity() const { return fQuantity; }
    double Price() const { return fPrice; }
    double StopPrice() const { return fStopPrice; }

    void SetSymbol(const std::string& Value) { fSymbol = Value; }
    void SetSide(const std::string& Value) { fSide = Value; }
    void SetType_(const std::string& Value) { fType = Value; }
    void SetQuantity(double Value) { fQuantity = Value; }
    void SetPrice(double Value) { fPrice = Value; }
    void SetStopPrice(double Value) { fStopPrice = Value; }

private:
    std::string fSymbol;
    std::string fSide;
    std::string fType;
    double fQuantity = 0;
    double fPrice = 0;
    double fStopPrice = 0;
};
