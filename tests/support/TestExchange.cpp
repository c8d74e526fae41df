#include "support/TestExchange.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <httplib.h>
#include <memory>
#include <netinet/in.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

struct TEndpointRow {
    TExchangeEndpoint Endpoint;
    const char* Method;
    const char* Resource;
    bool Signed;
};

constexpr TEndpointRow cEndpoints[] = {
    {TExchangeEndpoint::Ping, "GET", "api/v1/ping", false},
    {TExchangeEndpoint::Time, "GET", "api/v1/time", false},
    {TExchangeEndpoint::Klines, "GET", "api/v1/klines", false},
    {TExchangeEndpoint::TickerPrice, "GET", "api/v3/ticker/price", false},
    {TExchangeEndpoint::Account, "GET", "api/v3/account", true},
    {TExchangeEndpoint::OrderPost, "POST", "api/v3/order", true},
    {TExchangeEndpoint::OrderDelete, "DELETE", "api/v3/order", true},
    {TExchangeEndpoint::OpenOrders, "GET", "api/v3/openOrders", true},
    {TExchangeEndpoint::AllOrders, "GET", "api/v3/allOrders", true},
    {TExchangeEndpoint::Depth, "GET", "api/v1/depth", false},
    {TExchangeEndpoint::Ticker24hr, "GET", "api/v1/ticker/24hr", false},
    {TExchangeEndpoint::BookTicker, "GET", "api/v3/ticker/bookTicker", false},
};

const TEndpointRow& Row(TExchangeEndpoint aEndpoint)
{
    return *std::find_if(std::begin(cEndpoints), std::end(cEndpoints),
                         [&](const TEndpointRow& R) { return R.Endpoint == aEndpoint; });
}

const TEndpointRow* Find(const std::string& aMethod, const std::string& aPath)
{
    for (const auto& R : cEndpoints)
        if (aMethod == R.Method && aPath == std::string("/") + R.Resource)
            return &R;
    return nullptr;
}

std::string Lower(std::string aText)
{
    std::transform(aText.begin(), aText.end(), aText.begin(),
                   [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
    return aText;
}

void SplitPairs(const std::string& aText, std::vector<std::pair<std::string, std::string>>& aPairs)
{
    size_t Start = 0;
    while (Start < aText.size()) {
        size_t End = aText.find('&', Start);
        if (End == std::string::npos)
            End = aText.size();
        std::string Pair = aText.substr(Start, End - Start);
        size_t Equal = Pair.find('=');
        if (Equal == std::string::npos)
            aPairs.emplace_back(Pair, "");
        else
            aPairs.emplace_back(Pair.substr(0, Equal), Pair.substr(Equal + 1));
        Start = End + 1;
    }
}

bool ParseInt(const std::string& aText, int64_t& aValue)
{
    if (aText.empty() || aText.size() > 18 ||
        !std::all_of(aText.begin(), aText.end(), [](char C) { return C >= '0' && C <= '9'; }))
        return false;
    aValue = std::stoll(aText);
    return true;
}

// The signature must be the last pair and cover exactly the text before it.
TExchangeReply CheckSignature(const std::string& aText, const std::string& aSecret)
{
    static const std::string cMark = "signature=";
    size_t At = aText.rfind(cMark);
    if (At == std::string::npos || (At > 0 && aText[At - 1] != '&'))
        return TExchangeReply::Mandatory("signature");
    std::string Signature = aText.substr(At + cMark.size());
    std::string Signed = At == 0 ? std::string() : aText.substr(0, At - 1);
    if (Signature.find('&') != std::string::npos ||
        Lower(Signature) != ExchangeHmacSha256(aSecret, Signed))
        return TExchangeReply::Error(400, -1022, "Signature for this request is not valid.");
    return {};
}

// The exchange's decimal rule: ^([0-9]{1,20})(\.[0-9]{1,20})?$
bool IsPlainDecimal(const std::string& aText)
{
    auto Digits = [](const std::string& aPart) {
        return !aPart.empty() && aPart.size() <= 20 &&
               std::all_of(aPart.begin(), aPart.end(), [](char C) { return C >= '0' && C <= '9'; });
    };
    size_t Dot = aText.find('.');
    if (Dot == std::string::npos)
        return Digits(aText);
    return Digits(aText.substr(0, Dot)) && Digits(aText.substr(Dot + 1));
}

TExchangeReply CheckDecimals(const TExchangeCall& aCall)
{
    for (const auto& [Name, Value] : aCall.Params)
        if ((Name == "price" || Name == "quantity" || Name == "stopPrice" ||
             Name == "icebergQty") &&
            !IsPlainDecimal(Value))
            return TExchangeReply::Error(
                400, -1100,
                "Illegal characters found in parameter '" + Name +
                    "'; legal range is '^([0-9]{1,20})(\\.[0-9]{1,20})?$'.");
    return {};
}

bool PortsAre(int aSocket, int aLocalPort, int aPeerPort)
{
    sockaddr_in Local{}, Peer{};
    socklen_t LocalSize = sizeof(Local), PeerSize = sizeof(Peer);
    return ::getsockname(aSocket, reinterpret_cast<sockaddr*>(&Local), &LocalSize) == 0 &&
           ::getpeername(aSocket, reinterpret_cast<sockaddr*>(&Peer), &PeerSize) == 0 &&
           Local.sin_family == AF_INET && ntohs(Local.sin_port) == aLocalPort &&
           ntohs(Peer.sin_port) == aPeerPort;
}

// Closes the server's end of one connection without a byte of reply. The
// server's library keeps its descriptor number, which now refers to
// /dev/null: its own late writes go nowhere and its own close releases it.
void CloseUnanswered(int aLocalPort, int aPeerPort)
{
    const int Null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    for (const auto& Entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        const int Socket = std::atoi(Entry.path().filename().c_str());
        if (Null >= 0 && Socket != Null && PortsAre(Socket, aLocalPort, aPeerPort)) {
            ::dup2(Null, Socket);
            break;
        }
    }
    if (Null >= 0)
        ::close(Null);
}

} // namespace

// A throw-away key and self-signed certificate for 127.0.0.1.
struct TTestExchange::TTlsIdentity {
    TTlsIdentity();
    TTlsIdentity(const TTlsIdentity&) = delete;
    TTlsIdentity& operator=(const TTlsIdentity&) = delete;
    ~TTlsIdentity()
    {
        X509_free(Certificate);
        EVP_PKEY_free(Key);
    }

    EVP_PKEY* Key = nullptr;
    X509* Certificate = nullptr;
};

TTestExchange::TTlsIdentity::TTlsIdentity()
{
    Key = EVP_EC_gen("P-256");
    Certificate = X509_new();
    if (Key == nullptr || Certificate == nullptr)
        throw std::runtime_error("cannot create the test certificate");
    X509_set_version(Certificate, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(Certificate), 1);
    X509_gmtime_adj(X509_getm_notBefore(Certificate), -3600);
    X509_gmtime_adj(X509_getm_notAfter(Certificate), 3600);
    X509_set_pubkey(Certificate, Key);
    X509_NAME* Name = X509_get_subject_name(Certificate);
    X509_NAME_add_entry_by_txt(Name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("127.0.0.1"), -1, -1, 0);
    X509_set_issuer_name(Certificate, Name);
    X509V3_CTX Context;
    X509V3_set_ctx_nodb(&Context);
    X509V3_set_ctx(&Context, Certificate, Certificate, nullptr, nullptr, 0);
    if (X509_EXTENSION* Alt =
            X509V3_EXT_conf_nid(nullptr, &Context, NID_subject_alt_name, "IP:127.0.0.1")) {
        X509_add_ext(Certificate, Alt, -1);
        X509_EXTENSION_free(Alt);
    }
    if (X509_sign(Certificate, Key, EVP_sha256()) == 0)
        throw std::runtime_error("cannot sign the test certificate");
}

std::string TJournalEntry::Header(const std::string& aName) const
{
    auto It = Headers.find(Lower(aName));
    return It == Headers.end() ? std::string() : It->second;
}

std::string TExchangeCall::Param(const std::string& aName) const
{
    for (const auto& [Name, Value] : Params)
        if (Name == aName)
            return Value;
    return {};
}

TExchangeReply TExchangeReply::Json(const nlohmann::json& aBody, int aStatus)
{
    TExchangeReply Reply;
    Reply.Status = aStatus;
    Reply.Body = aBody.dump();
    return Reply;
}

TExchangeReply TExchangeReply::Error(int aStatus, int aCode, const std::string& aMessage)
{
    return Json({{"code", aCode}, {"msg", aMessage}}, aStatus);
}

TExchangeReply TExchangeReply::Mandatory(const std::string& aName)
{
    return Error(400, -1102,
                 "Mandatory parameter '" + aName + "' was not sent, was empty/null, or malformed.");
}

TExchangeReply TExchangeReply::Dropped()
{
    TExchangeReply Reply;
    Reply.Drop = true;
    return Reply;
}

TExchangeReply TExchangeReply::ProcessedUnanswered()
{
    TExchangeReply Reply;
    Reply.Unanswered = true;
    return Reply;
}

TTestExchange::TTestExchange(TTransport aTransport, int aPort)
{
    if (aTransport == TTransport::SelfSignedTls) {
        fTls = std::make_unique<TTlsIdentity>();
        auto Server = std::make_unique<httplib::SSLServer>(fTls->Certificate, fTls->Key);
        // Notes the protocols each client offers and picks none of them.
        SSL_CTX_set_alpn_select_cb(
            Server->ssl_context(),
            [](SSL*, const unsigned char**, unsigned char*, const unsigned char* aIn,
               unsigned int aLength, void* aExchange) {
                std::string Offered;
                for (unsigned int At = 0; At < aLength; At += 1u + aIn[At]) {
                    if (!Offered.empty())
                        Offered += ',';
                    Offered.append(reinterpret_cast<const char*>(aIn + At + 1), aIn[At]);
                }
                auto* Exchange = static_cast<TTestExchange*>(aExchange);
                std::lock_guard Guard(Exchange->fLock);
                Exchange->fOfferedProtocols = Offered;
                return SSL_TLSEXT_ERR_NOACK;
            },
            this);
        fServer = std::move(Server);
    } else {
        fServer = std::make_unique<httplib::Server>();
    }
    for (const auto& R : cEndpoints)
        fData[R.Endpoint] = StandardReplyData(R.Endpoint, fServerTime);
    auto Handler = [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
        Dispatch(aRequest, aResponse);
    };
    // A client keeping its connection keeps it, and each reply leaves at
    // once, as with the real exchange.
    fServer->set_keep_alive_max_count(1000000);
    fServer->set_tcp_nodelay(true);
    fServer->Get(".*", Handler);
    fServer->Post(".*", Handler);
    fServer->Delete(".*", Handler);
    fServer->Put(".*", Handler);
    if (aPort == 0)
        fPort = fServer->bind_to_any_port("127.0.0.1");
    else if (fServer->bind_to_port("127.0.0.1", aPort))
        fPort = aPort;
    if (fPort <= 0)
        throw std::runtime_error("the test exchange cannot bind to 127.0.0.1");
    fThread = std::thread([this] { fServer->listen_after_bind(); });
    while (!fServer->is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TTestExchange::~TTestExchange()
{
    Stop();
}

void TTestExchange::Stop()
{
    {
        std::lock_guard Guard(fLock);
        fStopping = true;
    }
    fWake.notify_all();
    if (fThread.joinable()) {
        fServer->stop();
        fThread.join();
    }
}

std::string TTestExchange::URL() const
{
    return std::string(fTls ? "https" : "http") + "://127.0.0.1:" + std::to_string(fPort);
}

std::string TTestExchange::OfferedProtocols() const
{
    std::lock_guard Guard(fLock);
    return fOfferedProtocols;
}

std::string TTestExchange::CertificatePem() const
{
    if (!fTls)
        return {};
    std::unique_ptr<BIO, decltype(&BIO_free)> Out(BIO_new(BIO_s_mem()), BIO_free);
    if (!Out || PEM_write_bio_X509(Out.get(), fTls->Certificate) != 1)
        throw std::runtime_error("cannot write the test certificate");
    char* Data = nullptr;
    const long Length = BIO_get_mem_data(Out.get(), &Data);
    return std::string(Data, static_cast<size_t>(Length));
}

void TTestExchange::SetServerTime(int64_t aMilliseconds)
{
    std::lock_guard Guard(fLock);
    fServerTime = aMilliseconds;
}

int64_t TTestExchange::ServerTime() const
{
    std::lock_guard Guard(fLock);
    return fServerTime;
}

void TTestExchange::SetReplyData(TExchangeEndpoint aEndpoint, nlohmann::json aData)
{
    std::lock_guard Guard(fLock);
    fData[aEndpoint] = std::move(aData);
}

nlohmann::json TTestExchange::ReplyData(TExchangeEndpoint aEndpoint) const
{
    std::lock_guard Guard(fLock);
    return fData.at(aEndpoint);
}

void TTestExchange::SetHandler(TExchangeEndpoint aEndpoint, TExchangeHandler aHandler)
{
    std::lock_guard Guard(fLock);
    fHandlers[aEndpoint] = std::move(aHandler);
}

void TTestExchange::Script(TExchangeEndpoint aEndpoint, TExchangeReply aReply)
{
    std::lock_guard Guard(fLock);
    fScripts[aEndpoint].push_back(std::move(aReply));
}

void TTestExchange::HoldReplies(bool aHold)
{
    for (const TEndpointRow& Endpoint : cEndpoints)
        Hold(Endpoint.Endpoint, aHold);
}

void TTestExchange::Hold(TExchangeEndpoint aEndpoint, bool aHold)
{
    {
        std::lock_guard Guard(fLock);
        if (aHold)
            fHeld.insert(aEndpoint);
        else
            fHeld.erase(aEndpoint);
    }
    fWake.notify_all();
}

void TTestExchange::HoldPlacements(const std::string& aApiKey, std::chrono::milliseconds aFor)
{
    {
        std::lock_guard Guard(fLock);
        if (aFor > std::chrono::milliseconds::zero())
            fHeldPlacements[aApiKey] = aFor;
        else
            fHeldPlacements.erase(aApiKey);
    }
    fWake.notify_all();
}

void TTestExchange::SetOutage(std::chrono::milliseconds aDuration)
{
    std::lock_guard Guard(fLock);
    fOutageEnd = std::chrono::steady_clock::now() + aDuration;
}

std::vector<TJournalEntry> TTestExchange::Journal() const
{
    std::lock_guard Guard(fLock);
    return fJournal;
}

void TTestExchange::ClearJournal()
{
    std::lock_guard Guard(fLock);
    fJournal.clear();
}

std::string TTestExchange::Resource(TExchangeEndpoint aEndpoint)
{
    return Row(aEndpoint).Resource;
}

std::string TTestExchange::Method(TExchangeEndpoint aEndpoint)
{
    return Row(aEndpoint).Method;
}

bool TTestExchange::Signed(TExchangeEndpoint aEndpoint)
{
    return Row(aEndpoint).Signed;
}

void TTestExchange::Dispatch(const httplib::Request& aRequest, httplib::Response& aResponse)
{
    TJournalEntry Entry;
    Entry.Method = aRequest.method;
    Entry.Target = aRequest.target;
    Entry.Path = aRequest.path;
    size_t Question = aRequest.target.find('?');
    if (Question != std::string::npos)
        Entry.Query = aRequest.target.substr(Question + 1);
    Entry.Body = aRequest.body;
    for (const auto& [Name, Value] : aRequest.headers)
        Entry.Headers.emplace(Lower(Name), Value);
    Entry.TlsResumed = aRequest.ssl != nullptr && SSL_session_reused(aRequest.ssl) == 1;
    {
        std::lock_guard Guard(fLock);
        fJournal.push_back(Entry);
    }
    const TExchangeReply Reply = Answer(Entry);
    if (Reply.Unanswered)
        CloseUnanswered(aRequest.local_port, aRequest.remote_port);
    else
        Send(Reply, aResponse);
}

TExchangeReply TTestExchange::Answer(const TJournalEntry& aEntry)
{
    {
        std::lock_guard Guard(fLock);
        if (std::chrono::steady_clock::now() < fOutageEnd)
            return TExchangeReply::Error(503, -1003, "Service unavailable.");
    }
    const TEndpointRow* Endpoint = Find(aEntry.Method, aEntry.Path);
    if (Endpoint == nullptr)
        return TExchangeReply::Error(404, -1, "Unknown endpoint.");
    {
        std::unique_lock Guard(fLock);
        fWake.wait(Guard, [&] { return fStopping || !fHeld.contains(Endpoint->Endpoint); });
        const std::string Key = aEntry.Header("X-MBX-APIKEY");
        const auto Placement = fHeldPlacements.find(Key);
        if (Endpoint->Endpoint == TExchangeEndpoint::OrderPost &&
            Placement != fHeldPlacements.end())
            fWake.wait_for(Guard, Placement->second,
                           [&] { return fStopping || !fHeldPlacements.contains(Key); });
    }
    TExchangeReply Scripted;
    if (TakeScript(Endpoint->Endpoint, Scripted) && !Scripted.Unanswered)
        return Scripted;
    TExchangeReply Reply = Process(Endpoint->Endpoint, aEntry);
    Reply.Unanswered |= Scripted.Unanswered;
    return Reply;
}

// The checks, then the endpoint's handler.
TExchangeReply TTestExchange::Process(TExchangeEndpoint aEndpoint, const TJournalEntry& aEntry)
{
    TExchangeCall Call;
    Call.Request = aEntry;
    SplitPairs(aEntry.Query, Call.Params);
    if (aEntry.Method == "POST")
        SplitPairs(aEntry.Body, Call.Params);
    TExchangeReply Reply = Check(aEndpoint, Call);
    if (Reply.Status != 200)
        return Reply;
    TExchangeHandler Handler;
    {
        std::lock_guard Guard(fLock);
        auto It = fHandlers.find(aEndpoint);
        if (It != fHandlers.end())
            Handler = It->second;
    }
    return Handler ? Handler(Call) : Standard(aEndpoint, Call);
}

bool TTestExchange::TakeScript(TExchangeEndpoint aEndpoint, TExchangeReply& aReply)
{
    std::lock_guard Guard(fLock);
    auto& Queue = fScripts[aEndpoint];
    if (Queue.empty())
        return false;
    aReply = std::move(Queue.front());
    Queue.pop_front();
    return true;
}

TExchangeReply TTestExchange::Check(TExchangeEndpoint aEndpoint, TExchangeCall& aCall) const
{
    if (TExchangeReply Decimals = CheckDecimals(aCall); Decimals.Status != 200)
        return Decimals;
    if (!Signed(aEndpoint))
        return {};
    std::string ApiKey = aCall.Request.Header("X-MBX-APIKEY");
    std::string Secret;
    int64_t Now = 0;
    {
        std::lock_guard Guard(fLock);
        auto It = fAccounts.find(ApiKey);
        if (It == fAccounts.end())
            return TExchangeReply::Error(401, -2015,
                                         "Invalid API-key, IP, or permissions for action.");
        Secret = It->second;
        Now = fServerTime;
    }
    aCall.ApiKey = ApiKey;
    const std::string& Text =
        aCall.Request.Method == "POST" ? aCall.Request.Body : aCall.Request.Query;
    if (TExchangeReply Signature = CheckSignature(Text, Secret); Signature.Status != 200)
        return Signature;
    aCall.Params.pop_back();
    int64_t Stamp = 0;
    int64_t Window = 5000;
    if (!ParseInt(aCall.Param("timestamp"), Stamp))
        return TExchangeReply::Mandatory("timestamp");
    if (!aCall.Param("recvWindow").empty() && !ParseInt(aCall.Param("recvWindow"), Window))
        return TExchangeReply::Mandatory("recvWindow");
    if (Window > 60000)
        return TExchangeReply::Error(400, -1131, "recvWindow must be less than 60000");
    if (Stamp >= Now + 1000 || Now - Stamp > Window)
        return TExchangeReply::Error(400, -1021,
                                     "Timestamp for this request is outside of the recvWindow.");
    return {};
}

void TTestExchange::Send(const TExchangeReply& aReply, httplib::Response& aResponse)
{
    if (aReply.DelayMs > 0) {
        std::unique_lock Guard(fLock);
        fWake.wait_for(Guard, std::chrono::milliseconds(aReply.DelayMs),
                       [this] { return fStopping; });
    }
    aResponse.status = aReply.Status;
    if (aReply.Drop) {
        // Promise a body, then close the connection before any of it.
        aResponse.set_content_provider(64, "application/json",
                                       [](size_t, size_t, httplib::DataSink&) { return false; });
        return;
    }
    if (aReply.TrickleMs > 0) {
        auto Body = std::make_shared<const std::string>(aReply.Body);
        const auto Pause = std::chrono::milliseconds(aReply.TrickleMs);
        aResponse.set_content_provider(
            Body->size(), "application/json",
            [this, Body, Pause](size_t aOffset, size_t, httplib::DataSink& aSink) {
                std::unique_lock Guard(fLock);
                if (fWake.wait_for(Guard, Pause, [this] { return fStopping; }))
                    return false;
                Guard.unlock();
                return aSink.write(Body->data() + aOffset,
                                   std::min<size_t>(20, Body->size() - aOffset));
            });
        return;
    }
    aResponse.set_content(aReply.Body, "application/json;charset=UTF-8");
}

int ClosedLoopbackPort()
{
    int Socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in Address{};
    Address.sin_family = AF_INET;
    Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t Length = sizeof(Address);
    ::bind(Socket, reinterpret_cast<sockaddr*>(&Address), sizeof(Address));
    ::getsockname(Socket, reinterpret_cast<sockaddr*>(&Address), &Length);
    ::close(Socket);
    return ntohs(Address.sin_port);
}

std::string ExchangeHmacSha256(const std::string& aKey, const std::string& aMessage)
{
    unsigned char Mac[EVP_MAX_MD_SIZE];
    unsigned int Length = 0;
    HMAC(EVP_sha256(), aKey.data(), int(aKey.size()),
         reinterpret_cast<const unsigned char*>(aMessage.data()), aMessage.size(), Mac, &Length);
    static const char cHex[] = "0123456789abcdef";
    std::string Result;
    for (unsigned int I = 0; I < Length; ++I)
        Result += {cHex[Mac[I] >> 4], cHex[Mac[I] & 0x0F]};
    return Result;
}

// libcpp-httplib is not built with ThreadSanitizer: the shared-pointer and
// string hand-offs compiled into it are invisible to the tool and show up as
// races between its own pool threads. Nor is OpenSSL: a TLS session several
// connections resumed is freed by the last of them after an atomic count the
// tool cannot see. Ignore what these libraries themselves do.
extern "C" const char* __tsan_default_suppressions()
{
    return "called_from_lib:libcpp-httplib.so\n"
           "called_from_lib:libcrypto.so.3\n"
           "called_from_lib:libssl.so.3\n";
}
