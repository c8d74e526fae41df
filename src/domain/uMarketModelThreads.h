#pragma once

#include "domain/uMarketThreads.h"

#include <string>
#include <string_view>
#include <vector>

// The market-data requests whose output steps change the market model (User).

// The order book of the symbol selected when the request starts. Waits for
// the exchange's clock. A book that arrives after the selection changed is
// not applied.
class TDepthThread : public TMarketThread {
public:
    void SetSymbol(std::string aSymbol) { fSymbol = std::move(aSymbol); }

protected:
    std::string RequestName() const override { return "Depth"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override;
    bool WaitsForClock() const override { return true; }
    void DoMakeRequest() override;
    bool DoReadReply() override;
    void DoOutput() override;
    void DoNotify() override;

private:
    std::string fSymbol;
    TDepthReply fBook;
};

// 24-hour tickers of all symbols: the market watch's symbols are rebuilt.
class TTicker24hrThread : public TMarketThread {
protected:
    std::string RequestName() const override { return "Ticker24hr"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override;
    bool DoReadReply() override;
    void DoOutput() override;
    void DoNotify() override;

private:
    std::vector<TSymbolTicker> fTickers;
};

// 24-hour tickers of all symbols for the volume monitor.
class TTicker24hrVolumeThread : public TMarketThread {
protected:
    std::string RequestName() const override { return "Ticker24hrVolume"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override;
    bool DoReadReply() override;
    void DoOutput() override;
    void DoNotify() override;

private:
    std::vector<TSymbolVolume> fVolumes;
};

// Best bid and ask of the order dialog's symbol, published as ORDER_BOOK_TICKER.
class TTickerBookTickerThread : public TMarketThread {
public:
    void SetSymbol(std::string aSymbol) { fSymbol = std::move(aSymbol); }

protected:
    std::string RequestName() const override { return "TickerBookTicker"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override;
    void DoMakeRequest() override;
    bool DoReadReply() override;
    void DoOutput() override;
    void DoNotify() override;

private:
    std::string fSymbol;
    TBookTickerReply fBook;
};

// Last prices: of all symbols (no symbol; the market watch, with colours), or
// of one symbol for the chart given. A one-symbol price without a chart has
// nowhere to go: it is not even asked for.
class TTickerPriceThread : public TMarketThread {
public:
    using TMarketThread::TMarketThread;

    void SetSymbol(std::string aSymbol) { fSymbol = std::move(aSymbol); }

protected:
    std::string RequestName() const override { return "TickerPrice"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override;
    bool OnlyWhileWorking() const override { return true; }
    void DoExecute() override;
    void DoMakeRequest() override;
    bool DoReadReply() override;
    void DoOutput() override;
    void DoNotify() override;

private:
    std::string fSymbol;
    std::vector<TSymbolPrice> fPrices;
    double fPrice = 0;
};

struct TRequest;

// The price requests' kind: alone the all-symbols poll's key, with a chart's
// number that chart's own request's (RequestKey).
inline constexpr std::string_view cTickerPriceKind = "TickerPrice";

// Starts the worker of a market-data request of the model (TUser's starters);
// false when the request is not one of them.
bool StartMarketRequest(const TRequest& aRequest);
// The last price of a chart's symbol, for that chart (user-interface thread).
void StartChartPrice(const std::shared_ptr<TChartLink>& aChart, const std::string& aSymbol);
