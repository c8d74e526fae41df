#include "domain/uHttpTransport.h"

#include "support/TestExchange.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;

THttpRequest Ping(const TTestExchange& aExchange)
{
    return {
        "GET", aExchange.URL() + "/" + TTestExchange::Resource(TExchangeEndpoint::Ping), {}, {}};
}

// Teardown must not wait out a slow reply: the abort ends the read in progress
// and refuses the next transfer; lifting it lets transfers run again.
TEST(HttpAbortTransfers, EndsAReadInProgressAndRefusesLaterOnesUntilLifted)
{
    TTestExchange Exchange;
    TExchangeReply Slow = TExchangeReply::Json(nlohmann::json::object());
    Slow.DelayMs = 10000;
    Exchange.Script(TExchangeEndpoint::Ping, Slow);
    THttpResult Result;
    const auto Start = TClock::now();
    std::thread Reader([&] { Result = TCurlEasy().Perform(Ping(Exchange), {}); });
    while (Exchange.Journal().empty() && TClock::now() - Start < 5s)
        std::this_thread::sleep_for(5ms);
    HttpAbortTransfers(true);
    Reader.join();
    EXPECT_LT(TClock::now() - Start, 4s);
    EXPECT_EQ(Result.Transport, CURLE_ABORTED_BY_CALLBACK);
    EXPECT_EQ(Result.Failure, THttpFailure::Other);

    EXPECT_EQ(TCurlEasy().Perform(Ping(Exchange), {}).Transport, CURLE_ABORTED_BY_CALLBACK);
    HttpAbortTransfers(false);
    EXPECT_EQ(TCurlEasy().Perform(Ping(Exchange), {}).Failure, THttpFailure::None);
    Exchange.Stop();
}

} // namespace
