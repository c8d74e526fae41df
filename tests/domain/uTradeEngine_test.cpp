#include "domain/uTradeEngine.h"

#include "domain/uCommon.h"
#include "domain/uProfile.h"
#include "support/LogCapture.h"
#include "support/ServerAddress.h"
#include "support/TestExchange.h"

#include <chrono>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using TClock = std::chrono::steady_clock;

const char* const cApiKey = "vmPUZE6mv9SD5VNHk4HlWFsOr6aKE2zvsw0MuIgwCIPy6utIco14y7Ju91duEh8A";
const char* const cSecret = "NhqPtmdSJYdKjVHjA7PZj4Mge3R5YNiP1e3UZjInClVN65XAbvqqM6A7H5fATj0j";
const int64_t cNow = 1700000123456;

class TTradeEngineTest : public ::testing::Test {
protected:
    TTradeEngineTest()
    {
        Exchange.AddAccount(cApiKey, cSecret);
        Exchange.SetServerTime(cNow);
        Account.SetApiKey(cApiKey);
        Account.SetSecretKey(cSecret);
        gLastServerError.Clear();
    }

    static std::string Signed(const std::string& aFirst)
    {
        return aFirst + "timestamp=" + std::to_string(cNow) + "&recvWindow=60000";
    }

    TTestExchange Exchange;
    TServerAddress Server{Exchange.URL()};
    TConnectionItem Account;
    TLogCapture Log;
};

// What the exchange must see for one call: target, body, and whether it is signed.
struct TWireCase {
    std::unique_ptr<TDBaseMethod> Endpoint;
    std::string Request;
    std::string Target; // up to the signature
    std::string Body;   // up to the signature
};

std::string Hex(const std::string& aText)
{
    std::string Upper = aText;
    for (char& C : Upper)
        C = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
    return Upper;
}

// The part of aText before "&signature=", checking that the signature is last
// and is 64 upper-case hexadecimal digits.
std::string SignedPart(const std::string& aText, std::string& aSignature)
{
    static const std::string cMark = "&signature=";
    size_t At = aText.rfind(cMark);
    std::string Value = At == std::string::npos ? "" : aText.substr(At + cMark.size());
    if (Value.size() != 64 || Value.find_first_not_of("0123456789ABCDEF") != std::string::npos)
        return "<no signature at the end of: " + aText + ">";
    aSignature = Value;
    return aText.substr(0, At);
}

TEST_F(TTradeEngineTest, EveryEndpointGoesOutInItsWireShape)
{
    // Parameters joined as the order worker joins them (checked with the worker).
    const std::string OrderForm =
        Signed("symbol=BTCUSDT&side=BUY&type=LIMIT&price=0.00000123&quantity=123456790&") +
        "&timeInForce=GTC&newOrderRespType=RESULT";
    TWireCase Cases[] = {
        {std::make_unique<TDMethodPing>(), "", "/api/v1/ping", ""},
        {std::make_unique<TDMethodTime>(), "", "/api/v1/time", ""},
        {std::make_unique<TDMethodTicker24hr>(), "", "/api/v1/ticker/24hr", ""},
        {std::make_unique<TDMethodTickerPrice>(), "", "/api/v3/ticker/price", ""},
        {std::make_unique<TDMethodTickerPrice>(), "symbol=ETHBTC",
         "/api/v3/ticker/price?symbol=ETHBTC", ""},
        {std::make_unique<TDMethodDepth>(), "symbol=BTCUSDT&limit=5",
         "/api/v1/depth?symbol=BTCUSDT&limit=5", ""},
        {std::make_unique<TDMethodKlines>(), "symbol=BTCUSDT&interval=1m&limit=2",
         "/api/v1/klines?symbol=BTCUSDT&interval=1m&limit=2", ""},
        {std::make_unique<TDMethodTickerBookTicker>(), "symbol=BTCUSDT",
         "/api/v3/ticker/bookTicker?symbol=BTCUSDT", ""},
        {std::make_unique<TDMethodAccount>(), Signed(""), "/api/v3/account?" + Signed(""), ""},
        {std::make_unique<TDMethodOpenOrders>(), Signed("") + "&symbol=BTCUSDT",
         "/api/v3/openOrders?" + Signed("") + "&symbol=BTCUSDT", ""},
        {std::make_unique<TDMethodAllOrders>(), Signed(""), "/api/v3/allOrders?" + Signed(""), ""},
        {std::make_unique<TDMethodOrderDelete>(), Signed("symbol=BTCUSDT&orderId=501&"),
         "/api/v3/order?" + Signed("symbol=BTCUSDT&orderId=501&"), ""},
        {std::make_unique<TDMethodOrderPost>(), OrderForm, "/api/v3/order", OrderForm},
    };
    for (auto& Case : Cases) {
        SCOPED_TRACE(Case.Target);
        Exchange.ClearJournal();
        bool Auth = Case.Endpoint->Auth();
        std::string Method = Case.Endpoint->Method();
        std::string Response, Error;
        SendRequest(std::move(Case.Endpoint), &Account, Case.Request, Response, Error);
        EXPECT_EQ(Error, "");
        EXPECT_THAT(Response, Not(HasSubstr("\"code\"")));
        EXPECT_FALSE(Response.empty());
        auto Journal = Exchange.Journal();
        ASSERT_EQ(Journal.size(), 1u);
        const TJournalEntry& Entry = Journal[0];
        EXPECT_EQ(Entry.Method, Method);
        EXPECT_EQ(Entry.Header("User-Agent"), "python-requests/2.18.4");
        EXPECT_EQ(Entry.Header("X-MBX-APIKEY"), Auth ? cApiKey : "");
        EXPECT_EQ(Entry.Header("Content-Type"),
                  Method == "POST" ? "application/x-www-form-urlencoded" : "application/json");
        std::string Signature;
        bool Post = Method == "POST";
        std::string Sent = Post ? Entry.Body : Entry.Target;
        std::string Expected = Post ? Case.Body : Case.Target;
        if (!Auth) {
            EXPECT_EQ(Sent, Expected);
            continue;
        }
        EXPECT_EQ(SignedPart(Sent, Signature), Expected);
        std::string Covered = Post ? Case.Body : Case.Target.substr(Case.Target.find('?') + 1);
        EXPECT_EQ(Signature, Hex(ExchangeHmacSha256(cSecret, Covered)));
        EXPECT_EQ(Post ? Entry.Target : Entry.Body, Post ? "/api/v3/order" : "");
    }
}

TEST_F(TTradeEngineTest, TheExchangeRejectsWhatIsNotSignedOrStampedRight)
{
    struct {
        const char* Name;
        std::string Secret;
        int64_t ServerTime;
        std::string Price;
        const char* Code;
    } Cases[] = {
        {"wrong secret", "other", cNow, "0.5", "-1022"},
        {"stale stamp", cSecret, cNow + 60001, "0.5", "-1021"},
        {"exponent", cSecret, cNow, "1E-6", "-1100"},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        Account.SetSecretKey(Case.Secret);
        Exchange.SetServerTime(Case.ServerTime);
        const std::string Request = Signed("symbol=BTCUSDT&price=" + Case.Price + "&");
        std::string Response = "stale";
        TTradeEngineClient Client;
        Client.SetProfileCon(&Account);
        EXPECT_FALSE(
            Client.ExecuteCommand(std::make_unique<TDMethodOrderPost>(), Request, Response));
        EXPECT_EQ(Response, "");
        EXPECT_THAT(gLastServerError.Get(),
                    ::testing::StartsWith(
                        "HTTP/1.1 400 Bad Request {\"code\":" + std::string(Case.Code) + ","));
    }
}

TEST_F(TTradeEngineTest, AnErrorStatusLogsItsThreeAlertsBetweenInfoAndSeparator)
{
    Exchange.Script(TExchangeEndpoint::Account,
                    TExchangeReply::Error(401, -2015, "Invalid API-key."));
    TTradeEngineClient Client;
    Client.SetThread(77);
    Client.SetProfileCon(&Account);
    std::string Response;
    EXPECT_FALSE(Client.ExecuteCommand(std::make_unique<TDMethodAccount>(), Signed(""), Response));
    std::string Body = R"({"code":-2015,"msg":"Invalid API-key."})";
    EXPECT_EQ(Response, "");
    EXPECT_EQ(gLastServerError.Get(), "HTTP/1.1 401 Unauthorized " + Body);
    auto Lines = Log.Lines();
    ASSERT_EQ(Lines.size(), 6u);
    EXPECT_EQ(Lines[0], TLogLine({"<< Resource: \"api/v3/account\" Request: \"" + Signed("") + "\"",
                                  mtInfo, 77}));
    EXPECT_EQ(Lines[1], TLogLine({">> Respond: \"\"", mtInfo, 77}));
    EXPECT_EQ(Lines[2],
              TLogLine({">> EIdSocketError: ERROR: \"HTTP/1.1 401 Unauthorized\", \"" + Body + "\"",
                        mtAlert, 77}));
    EXPECT_EQ(Lines[3], TLogLine({">> EIdSocketError: URL: \"" + Exchange.URL() +
                                      "/api/v3/account?" + Signed("") + "&signature=***\"",
                                  mtAlert, 77}));
    EXPECT_THAT(Lines[4].Text, ::testing::StartsWith(">> EIdSocketError: RAW: \"HTTP/1.1 401"));
    EXPECT_THAT(Lines[4].Text, HasSubstr("Content-Length: "));
    EXPECT_EQ(Lines[4].Type, mtAlert);
    EXPECT_EQ(Lines[5], TLogLine({"", mtConfirm, 77}));
    for (const auto& Line : Lines) {
        EXPECT_THAT(Line.Text, Not(HasSubstr(cSecret)));
        EXPECT_THAT(Line.Text, Not(HasSubstr(cApiKey)));
    }
}

TEST_F(TTradeEngineTest, ASuccessfulExchangeLogsRequestReplyAndSeparator)
{
    TTradeEngineClient Client;
    Client.SetThread(5);
    std::string Response;
    EXPECT_TRUE(Client.ExecuteCommand(std::make_unique<TDMethodTime>(), "", Response));
    EXPECT_EQ(Response, "{\"serverTime\":" + std::to_string(cNow) + "}");
    EXPECT_THAT(Log.Lines(),
                ElementsAre(TLogLine{"<< Resource: \"api/v1/time\" Request: \"\"", mtInfo, 5},
                            TLogLine{">> Respond: \"" + Response + "\"", mtInfo, 5},
                            TLogLine{"", mtConfirm, 5}));
    EXPECT_EQ(gLastServerError.Get(), "");
}

TEST_F(TTradeEngineTest, RepliesOfAnyShapePassThroughUnchanged)
{
    for (std::string Body : {"", "<html>busy</html>", "{\"unexpected\":[1,2]}"}) {
        SCOPED_TRACE(Body);
        TExchangeReply Reply;
        Reply.Body = Body;
        Exchange.Script(TExchangeEndpoint::Depth, Reply);
        std::string Response = "stale";
        std::string Error;
        SendRequest(std::make_unique<TDMethodDepth>(), nullptr, "symbol=BTCUSDT&limit=5", Response,
                    Error);
        EXPECT_EQ(Response, Body);
        EXPECT_EQ(Error, "");
    }
}

// A silent server times out in the transport itself, and its test holds that.
// Each case ends far before what a missing bound would wait for; a trickle
// starved past the idle time-out may end there instead of the overall bound.
TEST_F(TTradeEngineTest, TransportFailuresKeepTheirKindAndTheirBounds)
{
    using ::testing::StartsWith;
    TTestExchange Untrusted(TTestExchange::TTransport::SelfSignedTls);
    TExchangeReply Trickle = TExchangeReply::Json({{"serverTime", std::string(2000, '7')}});
    Trickle.TrickleMs = 400; // never idle, done only after 40 s
    Exchange.Script(TExchangeEndpoint::Time, Trickle);
    TExchangeReply Huge;
    Huge.Body = std::string(cMaxReplyBytes + 1, ' ');
    Exchange.Script(TExchangeEndpoint::Ticker24hr, Huge);
    const THttpTimeouts Short{2000, 1}, Long{30000, 30};
    struct {
        const char* Name;
        std::string Server;
        std::unique_ptr<TDBaseMethod> Endpoint;
        ::testing::Matcher<const std::string&> Alert;
        THttpTimeouts Timeouts;
    } Cases[] = {
        {"trickling past connect and read time-outs", Exchange.URL(),
         std::make_unique<TDMethodTime>(),
         ::testing::AnyOf(StartsWith(">> Exception: \"The exchange took longer than 3000 ms\""),
                          StartsWith(">> EIdSocketError: \"Operation too slow")),
         Short},
        {"above the reply cap", Exchange.URL(), std::make_unique<TDMethodTicker24hr>(),
         StartsWith(">> Exception: \"The reply is larger than 32 MB\""), Long},
        {"refused", "http://127.0.0.1:" + std::to_string(ClosedLoopbackPort()),
         std::make_unique<TDMethodPing>(), StartsWith(">> EIdSocketError: \""), Long},
        {"untrusted", Untrusted.URL(), std::make_unique<TDMethodAccount>(),
         StartsWith(">> Exception: \""), Long},
        {"plain http elsewhere", "http://192.0.2.1", std::make_unique<TDMethodAccount>(),
         StartsWith(">> Exception: \"Plain http is allowed only to a loopback address\""), Long},
    };
    for (auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        Server.Set(Case.Server);
        Log.Clear();
        gLastServerError.Clear();
        TTradeEngineClient Client;
        Client.SetTimeouts(Case.Timeouts);
        Client.SetProfileCon(&Account);
        std::string Response = "stale";
        auto Start = TClock::now();
        EXPECT_FALSE(Client.ExecuteCommand(std::move(Case.Endpoint), Signed(""), Response));
        EXPECT_LT(TClock::now() - Start, std::chrono::seconds(20));
        EXPECT_EQ(Response, "");
        EXPECT_NE(gLastServerError.Get(), "");
        auto Lines = Log.Lines();
        ASSERT_EQ(Lines.size(), 4u);
        EXPECT_THAT(Lines[2].Text, Case.Alert);
        EXPECT_THAT(Lines[2].Text, HasSubstr(gLastServerError.Get()));
        EXPECT_EQ(Lines[3], TLogLine({"", mtConfirm, 0}));
    }
    EXPECT_TRUE(Untrusted.Journal().empty());
}

TEST_F(TTradeEngineTest, AFailureOutsideTheExchangeReachesTheWorkerAsItsError)
{
    std::string Response = "stale";
    std::string Error;
    SendRequest(nullptr, &Account, "", Response, Error);
    EXPECT_EQ(Response, "");
    EXPECT_EQ(Error, "No endpoint for the exchange");
    auto Lines = Log.Lines();
    ASSERT_EQ(Lines.size(), 1u);
    EXPECT_EQ(Lines[0].Text, "TTradeEngineThread.Execute error: No endpoint for the exchange");
    EXPECT_EQ(Lines[0].Type, mtAlert);
    EXPECT_GT(Lines[0].Thread, 0);
}

TEST(MaskSignature, HidesOnlyTheSignatureValue)
{
    EXPECT_EQ(MaskSignature("https://x/api?a=1&signature=ABCD"), "https://x/api?a=1&signature=***");
    EXPECT_EQ(MaskSignature("https://x/api?a=1&signature=AB&b=2"),
              "https://x/api?a=1&signature=***&b=2");
    EXPECT_EQ(MaskSignature("https://x/api?nosignature=1"), "https://x/api?nosignature=1");
    EXPECT_EQ(MaskSignature("https://x/api"), "https://x/api");
}

} // namespace
