#pragma once

// The market workers' surroundings for a test.

#include "ExchangeWorkersFixture.h"
#include "domain/uCollections.h"
#include "domain/uMarketThreads.h"
#include "support/TestExchangeMarket.h"

struct MarketThreads : ExchangeWorkers {
    MarketThreads() { Clock.SetServerTime(StampToDate(Exchange.ServerTime())); }

    // Lets every worker end and the update queue deliver what they queued,
    // up to a mark queued after it, then forgets what was delivered.
    void Settle()
    {
        FreeWorkersEnded();
        QueueNotify(BASE_MAIN_TEST, 0);
        Delivered(BASE_MAIN_TEST);
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
};
