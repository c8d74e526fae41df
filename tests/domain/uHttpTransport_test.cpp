#include "domain/uHttpTransport.h"

#include "domain/uHttpTls.h"

#include "support/TempHome.h"
#include "support/TestExchange.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace {

using TClock = std::chrono::steady_clock;

TEST(IsAllowedURL, AllowsPlainHttpOnlyToLoopback)
{
    struct {
        const char* URL;
        bool Allowed;
    } Cases[] = {
        {"https://api.exchange.example/api/v1/ping", true},
        {"http://127.0.0.1:8080/api/v1/ping", true},
        {"http://localhost:81/x", true},
        {"http://LOCALHOST/x", true},
        {"http://[::1]:81/x", true},
        {"http://10.1.2.3/api", false},
        {"http://127.0.0.1.example.com/x", false},
        {"http://128.0.0.1/x", false},
        {"ftp://127.0.0.1/x", false},
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

// Error statuses and refused servers are checked through the exchange client.
TEST_F(TCurlEasyTest, SendsTheUrlHeadersAndBodyAsBuiltAndKeepsTheReply)
{
    TCurlEasy Easy;
    THttpResult Result = Easy.Perform(
        {"GET", Url(TExchangeEndpoint::Depth, "symbol=BTCUSDT&limit=5"), {"X-Test: 1"}, ""}, {});
    EXPECT_EQ(Result.Failure, THttpFailure::None);
    EXPECT_EQ(Result.Status, 200);
    EXPECT_NE(Result.Body.find("\"bids\""), std::string::npos);
    std::string Body = "symbol=BTCUSDT&side=BUY&price=0.00000001&note=a b";
    Easy.Perform({"POST", Url(TExchangeEndpoint::Ping), {}, Body}, {});
    Easy.Perform({"DELETE", Url(TExchangeEndpoint::OrderDelete, "orderId=7"), {}, ""}, {});
    auto Journal = Exchange.Journal();
    ASSERT_EQ(Journal.size(), 3u);
    EXPECT_EQ(Journal[0].Query, "symbol=BTCUSDT&limit=5");
    EXPECT_EQ(Journal[0].Header("X-Test"), "1");
    EXPECT_EQ(Journal[0].Header("Cookie"), "");
    EXPECT_EQ(Journal[1].Method, "POST");
    EXPECT_EQ(Journal[1].Body, Body);
    EXPECT_EQ(Journal[1].Header("Expect"), "");
    EXPECT_EQ(Journal[2].Method, "DELETE");
    EXPECT_EQ(Journal[2].Query, "orderId=7");
}

// The exchange's status line and headers as HTTP/1.1 writes them: over TLS
// the client offers no other protocol (the untrusted test certificate then
// ends the exchange).
TEST(TCurlEasy, OffersOnlyHttp11OverTls)
{
    TTestExchange Tls(TTestExchange::TTransport::SelfSignedTls);
    TCurlEasy Easy;
    const THttpResult Result = Easy.Perform({"GET", Tls.URL() + "/api/v1/ping", {}, ""}, {});
    EXPECT_EQ(Result.Failure, THttpFailure::Other);
    EXPECT_EQ(Tls.OfferedProtocols(), "http/1.1");
    EXPECT_TRUE(Tls.Journal().empty());
}

// A TLS exchange whose certificate the client trusts through the test hook.
class TCurlEasyTlsTest : public ::testing::Test {
protected:
    void SetUp() override { Trust({&Exchange}); }
    void TearDown() override { HttpTrustFileForTests(""); }

    void Trust(std::initializer_list<const TTestExchange*> aExchanges)
    {
        std::ofstream Out(TrustFile);
        for (const TTestExchange* Trusted : aExchanges)
            Out << Trusted->CertificatePem();
        Out.close();
        HttpTrustFileForTests(TrustFile);
    }
    static THttpResult Ping(const TTestExchange& aExchange)
    {
        TCurlEasy Easy;
        return Easy.Perform({"GET", aExchange.URL() + "/api/v1/ping", {}, ""}, {});
    }

    TTempHome Home;
    std::string TrustFile = (Home.Path() / "trust.pem").string();
    TTestExchange Exchange{TTestExchange::TTransport::SelfSignedTls};
};

// Each request its own connection, as the workers send them: after the
// first full handshake the next ones resume; several threads at once all
// get through.
TEST_F(TCurlEasyTlsTest, RequestsSucceedAndLaterConnectionsResumeTheSession)
{
    for (int I = 0; I < 3; ++I) {
        const THttpResult Result = Ping(Exchange);
        EXPECT_EQ(Result.Failure, THttpFailure::None) << Result.Message;
    }
    std::vector<std::thread> Workers;
    std::vector<THttpResult> Results(8);
    for (auto& Result : Results)
        Workers.emplace_back([&Result, this] { Result = Ping(Exchange); });
    for (auto& Worker : Workers)
        Worker.join();
    for (const auto& Result : Results)
        EXPECT_EQ(Result.Failure, THttpFailure::None) << Result.Message;
    const auto Journal = Exchange.Journal();
    ASSERT_EQ(Journal.size(), 11u);
    EXPECT_FALSE(Journal[0].TlsResumed);
    EXPECT_TRUE(Journal[1].TlsResumed);
    EXPECT_TRUE(Journal[2].TlsResumed);
}

// A store that cannot be read trusts nothing, and is read again next time.
TEST_F(TCurlEasyTlsTest, AnUnreadableTrustFileRefusesEveryServer)
{
    HttpTrustFileForTests(TrustFile + ".missing");
    const THttpResult Refused = Ping(Exchange);
    EXPECT_EQ(Refused.Failure, THttpFailure::Other);
    EXPECT_EQ(Refused.Transport, CURLE_SSL_CACERT_BADFILE);
    EXPECT_TRUE(Exchange.Journal().empty());
    std::filesystem::copy_file(TrustFile, TrustFile + ".missing");
    EXPECT_EQ(Ping(Exchange).Failure, THttpFailure::None);
}

TEST_F(TCurlEasyTlsTest, TheTrustFileIsReadOnce)
{
    ASSERT_EQ(Ping(Exchange).Failure, THttpFailure::None);
    std::ofstream(TrustFile) << "not a certificate";
    EXPECT_EQ(Ping(Exchange).Failure, THttpFailure::None);
    std::filesystem::remove(TrustFile);
    EXPECT_EQ(Ping(Exchange).Failure, THttpFailure::None);
}

// A server that does not know the cached session gets a full handshake:
// a new certificate on the same address is checked, not taken on trust.
TEST_F(TCurlEasyTlsTest, ANewCertificateOnTheSameAddressIsCheckedInFull)
{
    ASSERT_EQ(Ping(Exchange).Failure, THttpFailure::None);
    ASSERT_EQ(Ping(Exchange).Failure, THttpFailure::None);
    ASSERT_TRUE(Exchange.Journal().back().TlsResumed);
    Exchange.Stop();
    TTestExchange Impostor(TTestExchange::TTransport::SelfSignedTls, Exchange.Port());
    const THttpResult Refused = Ping(Impostor);
    EXPECT_EQ(Refused.Failure, THttpFailure::Other);
    EXPECT_EQ(Refused.Transport, CURLE_PEER_FAILED_VERIFICATION);
    EXPECT_TRUE(Impostor.Journal().empty());
    Impostor.Stop();
    TTestExchange Successor(TTestExchange::TTransport::SelfSignedTls, Exchange.Port());
    Trust({&Exchange, &Successor});
    EXPECT_EQ(Ping(Successor).Failure, THttpFailure::None);
    ASSERT_EQ(Successor.Journal().size(), 1u);
    EXPECT_FALSE(Successor.Journal()[0].TlsResumed);
}

// The system's store alone: no variable of the environment adds a
// certificate to it.
TEST_F(TCurlEasyTlsTest, TheEnvironmentNamesNoCertificate)
{
    HttpTrustFileForTests("");
    for (const char* Variable : {"SSL_CERT_FILE", "CURL_CA_BUNDLE"}) {
        SCOPED_TRACE(Variable);
        setenv(Variable, TrustFile.c_str(), 1);
        const THttpResult Result = Ping(Exchange);
        unsetenv(Variable);
        EXPECT_EQ(Result.Transport, CURLE_PEER_FAILED_VERIFICATION);
    }
    EXPECT_TRUE(Exchange.Journal().empty());
}

// Refused and dropped end at once, silent at its idle time-out (1 s): far
// before the 10 s time-out or the reply at 15 s that a missed failure waits for.
TEST_F(TCurlEasyTest, TransportFailuresAreSocketFailuresWithinTheirBounds)
{
    Exchange.Script(TExchangeEndpoint::Time, TExchangeReply::Dropped());
    TExchangeReply Slow = TExchangeReply::Json({{"serverTime", 1}});
    Slow.DelayMs = 15000;
    Exchange.Script(TExchangeEndpoint::Ping, Slow);
    struct {
        const char* Name;
        std::string URL;
        CURLcode Code;
        THttpTimeouts Timeouts;
    } Cases[] = {
        {"refused",
         "http://127.0.0.1:" + std::to_string(ClosedLoopbackPort()) + "/api/v1/ping",
         CURLE_COULDNT_CONNECT,
         {10000, 30}},
        {"dropped", Url(TExchangeEndpoint::Time), CURLE_PARTIAL_FILE, {10000, 30}},
        {"silent", Url(TExchangeEndpoint::Ping), CURLE_OPERATION_TIMEDOUT, {10000, 1}},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        auto Start = TClock::now();
        THttpResult Result = Get(Case.URL, Case.Timeouts);
        EXPECT_EQ(Result.Failure, THttpFailure::Socket);
        EXPECT_EQ(Result.Transport, Case.Code);
        EXPECT_FALSE(Result.Message.empty());
        EXPECT_TRUE(Result.Body.empty());
        EXPECT_LT(TClock::now() - Start, std::chrono::seconds(8));
    }
}

// A second exchange plays the proxy: it records whatever reaches it.
TEST_F(TCurlEasyTest, PlainHttpNeverGoesThroughTheEnvironmentsProxy)
{
    TTestExchange Proxy;
    for (const char* Variable : {"http_proxy", "ALL_PROXY", "all_proxy"}) {
        SCOPED_TRACE(Variable);
        Exchange.ClearJournal();
        setenv(Variable, Proxy.URL().c_str(), 1);
        const THttpResult Result = Get(Url(TExchangeEndpoint::Ping));
        unsetenv(Variable);
        EXPECT_EQ(Result.Failure, THttpFailure::None);
        EXPECT_EQ(Exchange.Journal().size(), 1u);
        EXPECT_TRUE(Proxy.Journal().empty());
    }
}

} // namespace
