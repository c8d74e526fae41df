#include "domain/uHttpTransport.h"

#include "domain/uHttpTls.h"

#include <arpa/inet.h>
#include <array>
#include <atomic>
#include <chrono>
#include <mutex>
#include <strings.h>

void HttpGlobalInit()
{
    static std::once_flag Once;
    std::call_once(Once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

namespace {

std::atomic<bool> gAbortTransfers{false};

using TSteadyClock = std::chrono::steady_clock;

// The JSON parser reads up to 64 bytes past a reply's end: with that much
// room behind the body it parses the body where it lies, without a copy.
constexpr std::size_t cParserPadding = 64;

// One exchange's reply as the callbacks build it, with the bounds it is held to.
struct TTransfer {
    THttpResult& Result;
    CURL* Handle;
    TSteadyClock::time_point Deadline;
    long OverallMs;
    bool Reserved = false;
    bool TooLarge = false;
    bool Overdue = false;
};

// libcurl asks at least once a second, also while no byte arrives.
int CheckAbort(void* aTransfer, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto& Transfer = *static_cast<TTransfer*>(aTransfer);
    if (TSteadyClock::now() >= Transfer.Deadline) {
        Transfer.Overdue = true;
        return 1;
    }
    return gAbortTransfers.load() ? 1 : 0;
}

// Owners of the other libcurl handles an exchange needs.
class TCurlUrl {
public:
    TCurlUrl() : fHandle(curl_url()) {}
    TCurlUrl(const TCurlUrl&) = delete;
    TCurlUrl& operator=(const TCurlUrl&) = delete;
    ~TCurlUrl() { curl_url_cleanup(fHandle); }

    bool Parse(const std::string& aURL)
    {
        return fHandle != nullptr && curl_url_set(fHandle, CURLUPART_URL, aURL.c_str(),
                                                  CURLU_NON_SUPPORT_SCHEME) == CURLUE_OK;
    }
    std::string Part(CURLUPart aPart) const
    {
        char* Text = nullptr;
        if (curl_url_get(fHandle, aPart, &Text, 0) != CURLUE_OK)
            return {};
        std::string Result(Text);
        curl_free(Text);
        return Result;
    }

private:
    CURLU* fHandle;
};

class TCurlHeaderList {
public:
    TCurlHeaderList() = default;
    TCurlHeaderList(const TCurlHeaderList&) = delete;
    TCurlHeaderList& operator=(const TCurlHeaderList&) = delete;
    ~TCurlHeaderList() { curl_slist_free_all(fList); }

    void Add(const std::string& aLine)
    {
        if (curl_slist* List = curl_slist_append(fList, aLine.c_str()))
            fList = List;
    }
    curl_slist* Get() const { return fList; }

private:
    curl_slist* fList = nullptr;
};

// Empty when the address cannot be parsed.
std::string SchemeOf(const std::string& aURL)
{
    TCurlUrl Url;
    return Url.Parse(aURL) ? Url.Part(CURLUPART_SCHEME) : std::string();
}

bool IsLoopbackHost(const std::string& aHost)
{
    if (strcasecmp(aHost.c_str(), "localhost") == 0 || aHost == "[::1]")
        return true;
    in_addr Address{};
    if (inet_pton(AF_INET, aHost.c_str(), &Address) != 1)
        return false;
    return (ntohl(Address.s_addr) >> 24) == 127;
}

THttpFailure Classify(CURLcode aCode)
{
    switch (aCode) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
        return THttpFailure::Socket;
    default:
        return THttpFailure::Other;
    }
}

// Returning less than was given fails the transfer (CURLE_WRITE_ERROR).
size_t AppendBody(char* aData, size_t aSize, size_t aCount, void* aTransfer)
{
    auto& Transfer = *static_cast<TTransfer*>(aTransfer);
    std::string& Body = Transfer.Result.Body;
    const size_t Bytes = aSize * aCount;
    if (!Transfer.Reserved) {
        // A declared length is checked, and room made, once: no regrowth.
        Transfer.Reserved = true;
        curl_off_t Length = -1;
        curl_easy_getinfo(Transfer.Handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &Length);
        if (Length > static_cast<curl_off_t>(cMaxReplyBytes)) {
            Transfer.TooLarge = true;
            return 0;
        }
        if (Length > 0)
            Body.reserve(static_cast<size_t>(Length) + cParserPadding);
    }
    if (Bytes > cMaxReplyBytes - Body.size()) {
        Transfer.TooLarge = true;
        return 0;
    }
    Body.append(aData, Bytes);
    return Bytes;
}

// A new status line starts a new header block: only the last response's is kept.
size_t AppendHeader(char* aData, size_t aSize, size_t aCount, void* aTransfer)
{
    auto& Transfer = *static_cast<TTransfer*>(aTransfer);
    auto& Result = Transfer.Result;
    if (aSize * aCount > cMaxReplyBytes - Result.RawHeaders.size()) {
        Transfer.TooLarge = true;
        return 0;
    }
    std::string Line(aData, aSize * aCount);
    if (Line.rfind("HTTP/", 0) == 0) {
        Result.RawHeaders.clear();
        Result.StatusLine = Line.substr(0, Line.find_last_not_of("\r\n") + 1);
    }
    Result.RawHeaders += Line;
    return aSize * aCount;
}

// The failure as the client reports it; a bound of our own names itself.
void SetFailure(THttpResult& aResult, const TTransfer& aTransfer, const char* aError)
{
    aResult.Body.clear();
    aResult.Body.shrink_to_fit();
    if (aTransfer.TooLarge) {
        aResult.Failure = THttpFailure::Other;
        aResult.Message =
            "The reply is larger than " + std::to_string(cMaxReplyBytes / (1024 * 1024)) + " MB";
    } else if (aTransfer.Overdue) {
        aResult.Failure = THttpFailure::Other;
        aResult.Message =
            "The exchange took longer than " + std::to_string(aTransfer.OverallMs) + " ms";
    } else {
        aResult.Failure = Classify(aResult.Transport);
        aResult.Message = aError[0] != 0 ? aError : curl_easy_strerror(aResult.Transport);
    }
}

} // namespace

void HttpAbortTransfers(bool aAbort)
{
    gAbortTransfers.store(aAbort);
}

bool IsAllowedURL(const std::string& aURL, std::string& aReason)
{
    TCurlUrl Url;
    if (!Url.Parse(aURL)) {
        aReason = "Malformed URL";
        return false;
    }
    std::string Scheme = Url.Part(CURLUPART_SCHEME);
    if (Scheme == "https")
        return true;
    if (Scheme == "http" && IsLoopbackHost(Url.Part(CURLUPART_HOST)))
        return true;
    aReason = Scheme == "http" ? "Plain http is allowed only to a loopback address"
                               : "Unsupported URL scheme \"" + Scheme + "\"";
    return false;
}

TCurlEasy::TCurlEasy() : fHandle(nullptr)
{
    HttpGlobalInit();
    fHandle = curl_easy_init();
}

TCurlEasy::~TCurlEasy()
{
    curl_easy_cleanup(fHandle);
}

void TCurlEasy::Prepare(const THttpRequest& aRequest, const THttpTimeouts& aTimeouts)
{
    curl_easy_reset(fHandle);
    curl_easy_setopt(fHandle, CURLOPT_URL, aRequest.URL.c_str());
    curl_easy_setopt(fHandle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(fHandle, CURLOPT_PROTOCOLS_STR, "http,https");
    // HTTP/1.1 also over TLS: the status line with its reason phrase and the
    // headers as the server writes them go into the last server error and the
    // log.
    curl_easy_setopt(fHandle, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(fHandle, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(fHandle, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(fHandle, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    curl_easy_setopt(fHandle, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(fHandle, CURLOPT_SSL_VERIFYHOST, 2L);
    HttpShareTls(fHandle);
    // The loopback-only rule holds for the bytes, not just the address: an
    // empty proxy overrides http_proxy and ALL_PROXY. Through a proxy https
    // is always tunnelled, so the certificate checks above stay end to end.
    if (SchemeOf(aRequest.URL) == "https")
        curl_easy_setopt(fHandle, CURLOPT_HTTPPROXYTUNNEL, 1L);
    else
        curl_easy_setopt(fHandle, CURLOPT_PROXY, "");
    curl_easy_setopt(fHandle, CURLOPT_CONNECTTIMEOUT_MS, aTimeouts.ConnectMs);
    curl_easy_setopt(fHandle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(fHandle, CURLOPT_LOW_SPEED_TIME, aTimeouts.ReadIdleSeconds);
    curl_easy_setopt(fHandle, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(fHandle, CURLOPT_XFERINFOFUNCTION, CheckAbort);
    if (aRequest.Method == "POST") {
        curl_easy_setopt(fHandle, CURLOPT_POST, 1L);
        curl_easy_setopt(fHandle, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(aRequest.Body.size()));
        curl_easy_setopt(fHandle, CURLOPT_POSTFIELDS, aRequest.Body.c_str());
    } else if (aRequest.Method != "GET") {
        curl_easy_setopt(fHandle, CURLOPT_CUSTOMREQUEST, aRequest.Method.c_str());
    }
}

THttpResult TCurlEasy::Perform(const THttpRequest& aRequest, const THttpTimeouts& aTimeouts)
{
    THttpResult Result;
    if (fHandle == nullptr) {
        Result.Message = "HTTP client is not available";
        return Result;
    }
    if (!IsAllowedURL(aRequest.URL, Result.Message))
        return Result;
    TTransfer Transfer{Result, fHandle,
                       TSteadyClock::now() + std::chrono::milliseconds(aTimeouts.OverallMs()),
                       aTimeouts.OverallMs()};
    Prepare(aRequest, aTimeouts);
    TCurlHeaderList Headers;
    for (const auto& Line : aRequest.Headers)
        Headers.Add(Line);
    Headers.Add("Expect:");
    std::array<char, CURL_ERROR_SIZE> Error{};
    curl_easy_setopt(fHandle, CURLOPT_HTTPHEADER, Headers.Get());
    curl_easy_setopt(fHandle, CURLOPT_ERRORBUFFER, Error.data());
    curl_easy_setopt(fHandle, CURLOPT_XFERINFODATA, &Transfer);
    curl_easy_setopt(fHandle, CURLOPT_WRITEFUNCTION, AppendBody);
    curl_easy_setopt(fHandle, CURLOPT_WRITEDATA, &Transfer);
    curl_easy_setopt(fHandle, CURLOPT_HEADERFUNCTION, AppendHeader);
    curl_easy_setopt(fHandle, CURLOPT_HEADERDATA, &Transfer);
    Result.Transport = curl_easy_perform(fHandle);
    curl_easy_setopt(fHandle, CURLOPT_ERRORBUFFER, nullptr);
    if (Result.Transport != CURLE_OK) {
        SetFailure(Result, Transfer, Error.data());
        return Result;
    }
    curl_easy_getinfo(fHandle, CURLINFO_RESPONSE_CODE, &Result.Status);
    bool Ok = Result.Status >= 200 && Result.Status <= 299;
    Result.Failure = Ok ? THttpFailure::None : THttpFailure::Status;
    Result.Message = Ok ? std::string() : Result.StatusLine;
    return Result;
}
