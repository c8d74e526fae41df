#pragma once

#include "domain/uBaseThread.h"
#include "domain/uMarketReplies.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The unsigned market-data requests. Each reads its reply into plain values on
// its own thread (DoReadReply); its output step, on the user-interface thread,
// only applies them. A reply that cannot be read changes nothing and, like a
// failed output step, announces nothing.
class TMarketThread : public TBaseThread {
public:
    using TBaseThread::TBaseThread;

protected:
    // Empty reply: the log line of a failed exchange. Otherwise DoReadReply
    // here, then DoOutput on the user-interface thread.
    void DoParseResponse() override;
    // Reads fResponse; raises EReplyError when it cannot be used.
    virtual void DoReadReply() = 0;

    TMarketReplyReader fReader;
};

// Whether the exchange answers. Started and waited for by TUser::Ping.
class TPingThread : public TMarketThread {
public:
    // Read once the worker has ended.
    bool PingOk() const { return fPingOk.load(); }

protected:
    std::string RequestName() const override { return "Ping"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override;
    bool OnlyWhileWorking() const override { return true; }
    void DoBeforeExecute() override { fPingOk.store(false); }
    void DoReadReply() override;

private:
    std::atomic<bool> fPingOk{false};
};

// The exchange's time sets the terminal clock. Runs its exchange on its own
// client, and logs its failures in its own words; the clock then keeps its time.
class TTimeThread : public TMarketThread {
protected:
    std::string RequestName() const override { return "Time"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override;
    void DoExecute() override;
    void DoReadReply() override;

private:
    TDateTime fDateTime = 0;
};

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
    void DoReadReply() override;
    void DoOutput() override;
    void DoNotify() override;

private:
    std::string fSymbol;
    TDepthReply fBook;
};

// Candles of a chart: the newest fLimit, or (fLimit 0) those up to fEndDate.
// Nothing is asked, read, applied or announced once the chart closes or the
// worker is terminated.
class TKlinesThread : public TMarketThread {
public:
    explicit TKlinesThread(std::shared_ptr<TChartLink> aChart);

    void SetSymbol(std::string aSymbol) { fSymbol = std::move(aSymbol); }
    void SetLimit(int aLimit) { fLimit = aLimit; }
    void SetEndDate(std::int64_t aEndDate) { fEndDate = aEndDate; }

    // The candles that fill a chart's first screen.
    static constexpr int cDefaultLimit = 1000;

protected:
    std::string RequestName() const override { return "Klines"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override;
    void DoExecute() override;
    void DoMakeRequest() override;
    void DoSendRequest() override;
    void DoParseResponse() override;
    void DoReadReply() override;
    void DoOutput() override;
    void DoNotify() override;

private:
    bool Active() const;

    std::string fSymbol;
    int fLimit = 0;
    std::int64_t fEndDate = 0;
    std::vector<TKlineRow> fRows;
};

// A chart's history: pages of older candles, one TKlinesThread each, until
// the chart holds cMaxCandles, a page brings nothing older, or the chart, the
// worker or the workflow stops. Then the chart is refreshed and
// MAIN_FORM_CHART_REFRESH queued with its number.
class TKlinesHistoryThread : public TBaseThread {
public:
    explicit TKlinesHistoryThread(std::shared_ptr<TChartLink> aChart);

    void SetSymbol(std::string aSymbol) { fSymbol = std::move(aSymbol); }

    static constexpr int cMaxCandles = 3000;

protected:
    std::string RequestName() const override { return "KlinesHistory"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override;
    void DoExecute() override;

private:
    bool Stopped() const;
    // The chart's earliest open time and candle count, read on the
    // user-interface thread; false when the chart is gone.
    bool ReadList(std::int64_t& aMinDate, int& aCount);
    void LoadPages();
    void Finish();

    std::string fSymbol;
};

// 24-hour tickers of all symbols: the market watch's symbols are rebuilt.
class TTicker24hrThread : public TMarketThread {
protected:
    std::string RequestName() const override { return "Ticker24hr"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override;
    void DoReadReply() override;
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
    void DoReadReply() override;
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
    void DoReadReply() override;
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
    void DoReadReply() override;
    void DoOutput() override;
    void DoNotify() override;

private:
    std::string fSymbol;
    std::vector<TSymbolPrice> fPrices;
    double fPrice = 0;
};

struct TRequest;

// Starts the worker of a market-data request of the model (TUser's starters);
// false when the request is not one of them.
bool StartMarketRequest(const TRequest& aRequest);
// Runs the ping and returns whether the exchange answered (user-interface
// thread: the wait runs the dispatcher's calls).
bool RunPingRequest();

// Starters for a chart item (user-interface thread): each worker frees itself.
// The one-minute update asks for the two newest candles.
void StartKlines(const std::shared_ptr<TChartLink>& aChart, const std::string& aSymbol,
                 int aLimit = 2);
void StartKlinesHistory(const std::shared_ptr<TChartLink>& aChart, const std::string& aSymbol);
void StartChartPrice(const std::shared_ptr<TChartLink>& aChart, const std::string& aSymbol);
