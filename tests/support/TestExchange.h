#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

// The exchange's twelve endpoints as the test exchange serves them.
enum class TExchangeEndpoint {
    Ping,
    Time,
    Klines,
    TickerPrice,
    Account,
    OrderPost,
    OrderDelete,
    OpenOrders,
    AllOrders,
    Depth,
    Ticker24hr,
    BookTicker,
};

// One request as it arrived: the query and body exactly as sent.
struct TJournalEntry {
    std::string Method;
    std::string Target; // the request target as sent: path, then "?" and query if any
    std::string Path;   // with the leading "/"
    std::string Query;
    std::string Body;
    std::multimap<std::string, std::string> Headers; // names in lower case
    bool TlsResumed = false; // over TLS: the connection resumed an earlier session

    std::string Header(const std::string& aName) const; // "" when absent
};

// The parameters of a request that passed the checks, in order, not decoded.
struct TExchangeCall {
    TJournalEntry Request;
    std::vector<std::pair<std::string, std::string>> Params;
    std::string ApiKey; // the account's key for signed endpoints

    std::string Param(const std::string& aName) const; // "" when absent
};

// What the exchange answers. Faults: any status with a body, an empty or
// non-JSON body, a delay before the answer, a connection dropped mid-reply,
// a body trickled out 20 bytes at a time with a pause before each piece, a
// request processed as usual whose connection is then closed unanswered.
struct TExchangeReply {
    int Status = 200;
    std::string Body;
    int DelayMs = 0;
    bool Drop = false;
    int TrickleMs = 0;
    bool Unanswered = false;

    static TExchangeReply Json(const nlohmann::json& aBody, int aStatus = 200);
    static TExchangeReply Error(int aStatus, int aCode, const std::string& aMessage);
    static TExchangeReply Mandatory(const std::string& aName);
    static TExchangeReply Dropped();
    // As a script: the request is checked and carried out (an order placed,
    // a cancel done), then its connection closes without a byte of reply.
    static TExchangeReply ProcessedUnanswered();
};

using TExchangeHandler = std::function<TExchangeReply(const TExchangeCall&)>;

// A real HTTP server on 127.0.0.1 on a free port, in the exchange's shapes.
// Signed endpoints are checked like the exchange does: the key header, the
// signature over exactly the text before "&signature=" (checked with its own
// HMAC), the time stamp against the clock the test sets; prices and quantities
// in exponent form are rejected. Every request is journaled before the checks.
class TTestExchange {
public:
    enum class TTransport { Http, SelfSignedTls };

    // A port of 0 takes a free one; a given one lets a new server take over
    // the address of a stopped one.
    explicit TTestExchange(TTransport aTransport = TTransport::Http, int aPort = 0);
    TTestExchange(const TTestExchange&) = delete;
    TTestExchange& operator=(const TTestExchange&) = delete;
    ~TTestExchange();

    std::string URL() const; // "http://127.0.0.1:<port>", no trailing "/"
    int Port() const { return fPort; }
    // TLS: the protocols the last client offered in its hello, as
    // "h2,http/1.1"; empty before the first.
    std::string OfferedProtocols() const;
    // TLS: the server's certificate in PEM form, for a client to trust.
    std::string CertificatePem() const;
    void Stop();

    // A new account starts with the standard balances, open orders and history;
    // its signed requests are answered from its own data from then on, placed
    // orders joining its open orders and cancels leaving them.
    void AddAccount(const std::string& aApiKey, const std::string& aSecretKey);
    void SetBalances(const std::string& aApiKey, nlohmann::json aBalances);
    void SetOpenOrders(const std::string& aApiKey, nlohmann::json aOrders);
    nlohmann::json OpenOrders(const std::string& aApiKey) const;
    nlohmann::json OrderHistory(const std::string& aApiKey) const;
    void SetServerTime(int64_t aMilliseconds);
    int64_t ServerTime() const;

    // The data the standard handler of an endpoint answers with.
    void SetReplyData(TExchangeEndpoint aEndpoint, nlohmann::json aData);
    nlohmann::json ReplyData(TExchangeEndpoint aEndpoint) const;
    // Replaces the standard handler; it runs after the checks passed.
    void SetHandler(TExchangeEndpoint aEndpoint, TExchangeHandler aHandler);
    // The next request to the endpoint gets this reply instead (checks skipped).
    void Script(TExchangeEndpoint aEndpoint, TExchangeReply aReply);
    // Requests are journaled as they arrive; a held one is answered only
    // once its hold is let go or the exchange stops: late by the test's
    // choice, not a clock's. HoldReplies holds or lets go every endpoint.
    void HoldReplies(bool aHold);
    void Hold(TExchangeEndpoint aEndpoint, bool aHold);
    // The account's placements wait aFor before they are carried out, at the
    // exchange's time of that moment; zero lets go of any waiting now.
    void HoldPlacements(const std::string& aApiKey, std::chrono::milliseconds aFor);
    // For aDuration from now every request is answered 503, as an exchange
    // that is down behind its gateway.
    void SetOutage(std::chrono::milliseconds aDuration);

    std::vector<TJournalEntry> Journal() const;
    void ClearJournal();

    static std::string Resource(TExchangeEndpoint aEndpoint); // "api/v1/ping"
    static std::string Method(TExchangeEndpoint aEndpoint);   // "GET"
    static bool Signed(TExchangeEndpoint aEndpoint);

private:
    struct TTlsIdentity;

    void Dispatch(const httplib::Request& aRequest, httplib::Response& aResponse);
    TExchangeReply Answer(const TJournalEntry& aEntry);
    TExchangeReply Process(TExchangeEndpoint aEndpoint, const TJournalEntry& aEntry);
    bool TakeScript(TExchangeEndpoint aEndpoint, TExchangeReply& aReply);
    TExchangeReply Check(TExchangeEndpoint aEndpoint, TExchangeCall& aCall) const;
    TExchangeReply Standard(TExchangeEndpoint aEndpoint, const TExchangeCall& aCall);
    TExchangeReply AccountReply(TExchangeEndpoint aEndpoint, const TExchangeCall& aCall);
    void Send(const TExchangeReply& aReply, httplib::Response& aResponse);

    std::unique_ptr<TTlsIdentity> fTls;
    std::unique_ptr<httplib::Server> fServer;
    std::thread fThread;
    int fPort = 0;

    mutable std::mutex fLock;
    std::condition_variable fWake;
    bool fStopping = false;
    int64_t fServerTime = 1700000000000;
    int64_t fNextOrderId = 3000000001;            // above 32 bits signed, as the exchange's are
    std::map<std::string, std::string> fAccounts; // API key -> secret key
    struct TAccountBook {
        nlohmann::json Balances, OpenOrders, History;
    };
    std::map<std::string, TAccountBook> fBooks; // API key -> what the account holds
    std::map<TExchangeEndpoint, nlohmann::json> fData;
    std::map<TExchangeEndpoint, TExchangeHandler> fHandlers;
    std::map<TExchangeEndpoint, std::deque<TExchangeReply>> fScripts;
    std::set<TExchangeEndpoint> fHeld;
    std::map<std::string, std::chrono::milliseconds> fHeldPlacements; // API key -> wait
    std::chrono::steady_clock::time_point fOutageEnd;
    std::vector<TJournalEntry> fJournal;
    std::string fOfferedProtocols;
};

// A loopback port on which nothing listens (taken free, then released).
int ClosedLoopbackPort();

// HMAC-SHA256 in lower-case hex: the test exchange's own check, called
// directly rather than through the program's signing code.
std::string ExchangeHmacSha256(const std::string& aKey, const std::string& aMessage);

// An order as the exchange reports it, status "NEW".
nlohmann::json ExchangeOrder(const std::string& aSymbol, int64_t aId, const std::string& aPrice,
                             const std::string& aQuantity, const std::string& aType,
                             const std::string& aSide, int64_t aTime);

// The standard reply data of each endpoint, in the exchange's shapes.
nlohmann::json StandardReplyData(TExchangeEndpoint aEndpoint, int64_t aServerTime);
