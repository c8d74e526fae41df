#pragma once

// The market workers' surroundings for a test, with chart doubles.

#include "ExchangeWorkersFixture.h"
#include "domain/uCollections.h"
#include "domain/uMarketThreads.h"
#include "support/TestExchangeMarket.h"

#include <atomic>

// A chart item double with a real candle list. Every call must come on the
// user-interface thread; one that does not is counted.
class TChartDouble : public IChartItem {
public:
    explicit TChartDouble(TChartInterval aInterval = m1)
        : fInterval(aInterval), fLink(std::make_shared<TChartLink>(this))
    {
    }
    ~TChartDouble() override { fLink->Detach(); }

    std::shared_ptr<TChartLink> Link() const override { return fLink; }
    TKlineList& KlineList() override { return Check(), fKlines; }
    TChartInterval Interval() const override { return Check(), fInterval; }
    double ChartPrice() const override { return Check(), fPrice; }
    void SetChartPrice(double Value) override { Check(), fPrice = Value; }
    void OnNotify(int32_t EventID, TNotifyData Data) override
    {
        Check();
        Notified.push_back(std::to_string(EventID) + ":" + std::to_string(Data));
    }
    void SetIsLoading(bool Value) override { Check(), Loading.push_back(Value); }
    void ChartFullRefresh() override { Check(), ++Refreshes; }

    std::vector<std::string> Notified;
    std::vector<bool> Loading;
    int Refreshes = 0;
    mutable std::atomic<int> OffThread{0};

private:
    void Check() const
    {
        if (!IsUIThread())
            ++OffThread;
    }

    TChartInterval fInterval;
    std::shared_ptr<TChartLink> fLink;
    TKlineList fKlines;
    double fPrice = 0;
};

struct MarketThreads : ExchangeWorkers {
    MarketThreads() { Clock.SetServerTime(StampToDate(Exchange.ServerTime())); }

    // Lets every worker end and the update queue deliver what they queued,
    // then forgets what was delivered.
    void Settle()
    {
        FreeWorkersEnded();
        Dispatcher.PumpUntil([] { return false; }, 100ms);
        Window.Codes.clear();
    }
    template <typename T> void Run(const std::shared_ptr<T>& aWorker)
    {
        aWorker->Start();
        aWorker->WaitFor();
    }
    // Runs the user-interface thread's calls until the queue delivered aCode.
    bool Delivered(int32_t aCode)
    {
        return Dispatcher.PumpUntil(
            [&] {
                for (const auto& [Code, Data] : Window.Codes)
                    if (Code == aCode)
                        return true;
                return false;
            },
            5s);
    }
    std::vector<std::string> Queries(TExchangeEndpoint aEndpoint)
    {
        std::vector<std::string> Result;
        const std::string Path = std::string("/").append(TTestExchange::Resource(aEndpoint));
        for (const TJournalEntry& Entry : Exchange.Journal())
            if (Entry.Path == Path)
                Result.push_back(Entry.Query);
        return Result;
    }
    std::shared_ptr<TKlinesThread> Klines(TChartDouble& aChart, int aLimit, int64_t aEndDate = 0)
    {
        auto Worker = std::make_shared<TKlinesThread>(aChart.Link());
        Worker->SetSymbol("BTCUSDT");
        Worker->SetLimit(aLimit);
        Worker->SetEndDate(aEndDate);
        return Worker;
    }
    std::shared_ptr<TKlinesHistoryThread> History(TChartDouble& aChart)
    {
        auto Worker = std::make_shared<TKlinesHistoryThread>(aChart.Link());
        Worker->SetSymbol("BTCUSDT");
        return Worker;
    }
};
