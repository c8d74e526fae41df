#include "domain/uHttpTransport.h"

#include "support/TestExchange.h"

#include <chrono>
#include <gtest/gtest.h>

namespace {

using TClock = std::chrono::steady_clock;

TEST(IsAllowedURL, AllowsPlainHttpOnlyToLoopback)
{
    struct {
        const char* URL;
        bool Allowed;
    } Cases[] = {
        {"https://api.exchange.example/api/v1/ping", true},
        {"https://10.1.2.3/api", true},
        {"http://127.0.0.1:8080/api/v1/ping", true},
        {"http://127.200.3.4/x", true},
        {"http://localhost:81/x", true},
        {"http://LOCALHOST/x", true},
        {"http://[::1]:81/x", true},
        {"http://10.1.2.3/api", false},
        {"http://api.exchange.example/api", false},
        {"http://127.0.0.1.example.com/x", false},
        {"http://128.0.0.1/x", false},
        {"ftp://127.0.0.1/x", false},
        {"file:///etc/passwd", false},
        {"/api/v1/ping", false},
        {"", false},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.URL);
        std::string Reason;
        EXPECT_EQ(IsAllowedURL(Case.URL, Reason), Case.Allowed);
        EXPECT_EQ(Reason.empty(), Case.Allowed);
    }
}

class TCurlEasyTest : public ::testing::Test {
protected:
    THttpResult Get(const std::string& aURL, THttpTimeouts aTimeouts = {})
    {
        TCurlEasy Easy;
        return Easy.Perform({"GET", aURL, {}, ""}, aTimeouts);
    }
    std::string Url(TExchangeEndpoint aEndpoint, const std::string& aQuery = "")
    {
        return Exchange.URL() + "/" + TTestExchange::Resource(aEndpoint) +
               (aQuery.empty() ? "" : "?" + aQuery);
    }

    TTestExchange Exchange;
};

TEST_F(TCurlEasyTest, SendsTheUrlAndHeadersAsBuiltAndKeepsTheBody)
{
    TCurlEasy Easy;
    THttpResult Result = Easy.Perform(
        {"GET", Url(TExchangeEndpoint::Depth, "symbol=BTCUSDT&limit=5"), {"X-Test: 1"}, ""}, {});
    EXPECT_EQ(Result.Failure, THttpFailure::None);
    EXPECT_EQ(Result.Status, 200);
    EXPECT_NE(Result.Body.find("\"bids\""), std::string::npos);
    ASSERT_EQ(Exchange.Journal().size(), 1u);
    TJournalEntry Entry = Exchange.Journal()[0];
    EXPECT_EQ(Entry.Query, "symbol=BTCUSDT&limit=5");
    EXPECT_EQ(Entry.Header("X-Test"), "1");
    EXPECT_EQ(Entry.Header("Cookie"), "");
}

TEST_F(TCurlEasyTest, PostsAndDeletesWithTheBodyUntouched)
{
    TCurlEasy Easy;
    std::string Body = "symbol=BTCUSDT&side=BUY&price=0.00000001&note=a b";
    Easy.Perform({"POST", Url(TExchangeEndpoint::Ping), {}, Body}, {});
    Easy.Perform({"DELETE", Url(TExchangeEndpoint::OrderDelete, "orderId=7"), {}, ""}, {});
    auto Journal = Exchange.Journal();
    ASSERT_EQ(Journal.size(), 2u);
    EXPECT_EQ(Journal[0].Method, "POST");
    EXPECT_EQ(Journal[0].Body, Body);
    EXPECT_EQ(Journal[0].Header("Expect"), "");
    EXPECT_EQ(Journal[1].Method, "DELETE");
    EXPECT_EQ(Journal[1].Query, "orderId=7");
}

TEST_F(TCurlEasyTest, AnErrorStatusKeepsStatusLineHeadersAndBody)
{
    Exchange.Script(TExchangeEndpoint::Ping, TExchangeReply::Error(418, -1000, "teapot"));
    THttpResult Result = Get(Url(TExchangeEndpoint::Ping));
    EXPECT_EQ(Result.Failure, THttpFailure::Status);
    EXPECT_EQ(Result.Transport, CURLE_OK);
    EXPECT_EQ(Result.Status, 418);
    EXPECT_EQ(Result.StatusLine, "HTTP/1.1 418 I'm a teapot");
    EXPECT_EQ(Result.Message, Result.StatusLine);
    EXPECT_EQ(Result.Body, R"({"code":-1000,"msg":"teapot"})");
    EXPECT_EQ(Result.RawHeaders.rfind("HTTP/1.1 418", 0), 0u);
    EXPECT_NE(Result.RawHeaders.find("Content-Length: 29"), std::string::npos);
}

TEST_F(TCurlEasyTest, TransportFailuresAreSocketFailuresWithinTheirBounds)
{
    Exchange.Script(TExchangeEndpoint::Time, TExchangeReply::Dropped());
    TExchangeReply Slow = TExchangeReply::Json({{"serverTime", 1}});
    Slow.DelayMs = 4000;
    Exchange.Script(TExchangeEndpoint::Ping, Slow);
    struct {
        const char* Name;
        std::string URL;
        CURLcode Code;
        double MaxSeconds;
    } Cases[] = {
        {"refused", "http://127.0.0.1:" + std::to_string(ClosedLoopbackPort()) + "/api/v1/ping",
         CURLE_COULDNT_CONNECT, 1.0},
        {"dropped", Url(TExchangeEndpoint::Time), CURLE_PARTIAL_FILE, 1.0},
        {"silent", Url(TExchangeEndpoint::Ping), CURLE_OPERATION_TIMEDOUT, 3.0},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        auto Start = TClock::now();
        THttpResult Result = Get(Case.URL, {1000, 1});
        double Seconds = std::chrono::duration<double>(TClock::now() - Start).count();
        EXPECT_EQ(Result.Failure, THttpFailure::Socket);
        EXPECT_EQ(Result.Transport, Case.Code);
        EXPECT_FALSE(Result.Message.empty());
        EXPECT_TRUE(Result.Body.empty());
        EXPECT_LT(Seconds, Case.MaxSeconds);
    }
}

TEST(TCurlEasy, RefusesAnUntrustedCertificateBeforeSendingAnything)
{
    TTestExchange Exchange(TTestExchange::TTransport::SelfSignedTls);
    TCurlEasy Easy;
    THttpResult Result = Easy.Perform(
        {"GET", Exchange.URL() + "/api/v3/account?timestamp=1", {"X-MBX-APIKEY: k"}, ""}, {});
    EXPECT_EQ(Result.Failure, THttpFailure::Other);
    EXPECT_EQ(Result.Transport, CURLE_PEER_FAILED_VERIFICATION);
    EXPECT_TRUE(Exchange.Journal().empty());
}

TEST(TCurlEasy, RefusesPlainHttpToAnotherHostWithoutConnecting)
{
    TCurlEasy Easy;
    auto Start = TClock::now();
    THttpResult Result = Easy.Perform({"GET", "http://192.0.2.1/api/v1/ping", {}, ""}, {});
    EXPECT_EQ(Result.Failure, THttpFailure::Other);
    EXPECT_EQ(Result.Message, "Plain http is allowed only to a loopback address");
    EXPECT_LT(std::chrono::duration<double>(TClock::now() - Start).count(), 0.5);
}

} // namespace
