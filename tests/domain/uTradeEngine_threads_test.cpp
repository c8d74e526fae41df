#include "domain/uTradeEngine.h"

#include "domain/uCommon.h"
#include "support/ServerAddress.h"
#include "support/TestExchange.h"

#include <atomic>
#include <gtest/gtest.h>
#include <set>
#include <thread>
#include <vector>

namespace {

// Each symbol's reply names the symbol; symbols starting "BAD" are refused
// with a body of their own, so every failure text is known in advance.
TExchangeReply EchoOrRefuse(const TExchangeCall& aCall)
{
    std::string Symbol = aCall.Param("symbol");
    if (Symbol.rfind("BAD", 0) == 0)
        return TExchangeReply::Error(400, -1121, "Invalid symbol " + Symbol);
    return TExchangeReply::Json({{"symbol", Symbol}});
}

TEST(SendRequest, ParallelExchangesKeepTheirRepliesAndWholeFailureTexts)
{
    TTestExchange Exchange;
    Exchange.SetHandler(TExchangeEndpoint::BookTicker, EchoOrRefuse);
    TServerAddress Server(Exchange.URL());
    gLastServerError.Clear();
    constexpr int cWorkers = 8;
    constexpr int cCalls = 6;
    std::set<std::string> Failures{""};
    for (int W = 0; W < cWorkers; ++W)
        for (int C = 0; C < cCalls; ++C)
            Failures.insert(R"(HTTP/1.1 400 Bad Request {"code":-1121,"msg":"Invalid symbol BAD)" +
                            std::to_string(W) + "X" + std::to_string(C) + "\"}");
    std::atomic<bool> Done = false;
    std::atomic<int> Torn = 0;
    std::thread Reader([&] {
        while (!Done)
            if (Failures.count(gLastServerError.Get()) == 0)
                ++Torn;
    });
    std::vector<std::thread> Workers;
    std::atomic<int> Wrong = 0;
    for (int W = 0; W < cWorkers; ++W)
        Workers.emplace_back([&, W] {
            for (int C = 0; C < cCalls; ++C) {
                std::string Symbol =
                    (C % 2 ? "BAD" : "OK") + std::to_string(W) + "X" + std::to_string(C);
                std::string Response, Error;
                SendRequest(std::make_unique<TDMethodTickerBookTicker>(), nullptr,
                            "symbol=" + Symbol, Response, Error);
                std::string Expected = C % 2 ? "" : "{\"symbol\":\"" + Symbol + "\"}";
                if (Response != Expected || !Error.empty())
                    ++Wrong;
            }
        });
    for (auto& Worker : Workers)
        Worker.join();
    Done = true;
    Reader.join();
    EXPECT_EQ(Wrong, 0);
    EXPECT_EQ(Torn, 0);
    EXPECT_NE(gLastServerError.Get(), "");
    EXPECT_EQ(Exchange.Journal().size(), size_t(cWorkers * cCalls));
}

} // namespace
