#pragma once

#include <cstddef>
#include <curl/curl.h>
#include <string>
#include <vector>

// Call once before the first worker starts; later calls do nothing.
void HttpGlobalInit();

// Final teardown: True ends every transfer in progress within about a second,
// and every later one before it connects, as a failed exchange (Other); False
// allows transfers again. Any thread.
void HttpAbortTransfers(bool aAbort);

// How long an exchange may wait: for the connection, and for each read (the
// transfer fails when no byte arrives for ReadIdleSeconds). The whole
// exchange ends by the sum of both, however slowly a server keeps sending.
struct THttpTimeouts {
    long ConnectMs = 5000;
    long ReadIdleSeconds = 15;

    long OverallMs() const { return ConnectMs + ReadIdleSeconds * 1000; }
};

// The largest reply body taken: far above the largest real reply (the
// 24-hour tickers of all symbols); a longer one fails the exchange.
inline constexpr std::size_t cMaxReplyBytes = 32 * 1024 * 1024;

struct THttpRequest {
    std::string Method; // "GET", "POST" or "DELETE"
    std::string URL;
    std::vector<std::string> Headers; // "Name: value"
    std::string Body;                 // sent as is with POST
};

// The failure kinds stay apart until the client applies its log texts.
enum class THttpFailure {
    None,   // a 2xx reply arrived
    Status, // a reply arrived with a status outside 2xx; its body is kept
    Socket, // no connection, time-out, reset, reply cut short
    Other,  // refused address, TLS failure, overall time or size exceeded, anything else
};

struct THttpResult {
    THttpFailure Failure = THttpFailure::Other;
    CURLcode Transport = CURLE_OK;
    std::string Message; // the transport's error text, or the status line
    long Status = 0;
    std::string StatusLine; // "HTTP/1.1 400 Bad Request"
    std::string RawHeaders; // the last response's header block as received
    std::string Body;
};

// True when the address may be used: https anywhere, plain http only to a
// loopback host (127.0.0.0/8, ::1, localhost). Otherwise aReason says why.
// Plain http never goes through a proxy; https may use the environment's
// proxy, always as a tunnel, the server's certificate verified end to end.
bool IsAllowedURL(const std::string& aURL, std::string& aReason);

// One libcurl easy handle, its own for one exchange at a time; HTTP/1.1, no
// cookies, no redirects, no reuse of the connection after it, certificates
// verified. The trust store and the TLS sessions are shared by every handle.
class TCurlEasy {
public:
    TCurlEasy();
    TCurlEasy(const TCurlEasy&) = delete;
    TCurlEasy& operator=(const TCurlEasy&) = delete;
    ~TCurlEasy();

    bool Valid() const { return fHandle != nullptr; }
    // The reply body is built in place and handed on without a copy.
    THttpResult Perform(const THttpRequest& aRequest, const THttpTimeouts& aTimeouts);

private:
    void Prepare(const THttpRequest& aRequest, const THttpTimeouts& aTimeouts);

    CURL* fHandle;
};
