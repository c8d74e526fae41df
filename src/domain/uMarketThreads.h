#pragma once

#include "domain/uBaseThread.h"
#include "domain/uMarketReplies.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The unsigned market-data requests. Each reads its reply into plain values on
// its own thread (DoReadReply) with a reader whose buffers it keeps; its output
// step, on the user-interface thread, only applies them. A reply that cannot be
// read changes nothing and, like a failed output step, announces nothing.
class TMarketThread : public TBaseThread {
public:
    using TBaseThread::TBaseThread;

protected:
    TMarketReplyReader fReader;
};

// Whether the exchange answers. Started by TUser::Ping, whose caller hears of
// its end (OnTerminate) instead of waiting for it.
class TPingThread : public TMarketThread {
public:
    // Read once the worker has ended.
    bool PingOk() const { return fPingOk.load(); }

protected:
    std::string RequestName() const override { return "Ping"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override;
    bool OnlyWhileWorking() const override { return true; }
    void DoBeforeExecute() override { fPingOk.store(false); }
    bool DoReadReply() override;

private:
    std::atomic<bool> fPingOk{false};
};

// The exchange's time sets the terminal clock. Runs its exchange on its own
// client, and logs its failures in its own words; the clock then keeps its
// time. An exchange that gives neither a readable time nor a refusal (4xx)
// is told to the workflow as lost.
class TTimeThread : public TMarketThread {
protected:
    std::string RequestName() const override { return "Time"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override;
    void DoExecute() override;
    bool DoReadReply() override;

private:
    TDateTime fDateTime = 0;
};

// Candles of a chart: the newest fLimit, or (fLimit 0) those up to fEndDate,
// at the chart's interval of the moment the request is made. Nothing is
// asked, read, applied or announced once the chart closes or the worker (or
// the history load it is a page of) is terminated; candles of an interval
// the chart no longer shows are not applied.
class TKlinesThread : public TMarketThread {
public:
    explicit TKlinesThread(std::shared_ptr<TChartLink> aChart);

    void SetSymbol(std::string aSymbol) { fSymbol = std::move(aSymbol); }
    void SetLimit(int aLimit) { fLimit = aLimit; }
    void SetEndDate(std::int64_t aEndDate) { fEndDate = aEndDate; }
    // The history load that waits for this page; it outlives the page.
    void SetOwner(const TThread* aOwner) { fOwner = aOwner; }

    // The candles that fill a chart's first screen.
    static constexpr int cDefaultLimit = 1000;

protected:
    std::string RequestName() const override { return "Klines"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override;
    void DoExecute() override;
    void DoMakeRequest() override;
    void DoSendRequest() override;
    void DoParseResponse() override;
    bool DoReadReply() override;
    void DoOutput() override;
    void DoNotify() override;

private:
    bool Active() const;

    std::string fSymbol;
    int fLimit = 0;
    std::int64_t fEndDate = 0;
    const TThread* fOwner = nullptr;
    TChartInterval fInterval = m1;
    std::vector<TKlineRow> fRows;
};

// A chart's history: pages of older candles, one TKlinesThread each, until
// the chart holds cMaxCandles, a page brings nothing older, or the chart, the
// worker or the workflow stops. Then, also when a page failed to start, the
// chart's loading ends, it is refreshed and MAIN_FORM_CHART_REFRESH queued
// with its number. A terminated load leaves the chart to whoever ended it.
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

// Starters for a chart item (user-interface thread): each worker frees itself.
// The one-minute update asks for the two newest candles.
void StartKlines(const std::shared_ptr<TChartLink>& aChart, const std::string& aSymbol,
                 int aLimit = 2);
std::shared_ptr<TKlinesHistoryThread> StartKlinesHistory(const std::shared_ptr<TChartLink>& aChart,
                                                         const std::string& aSymbol);
