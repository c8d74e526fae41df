#pragma once

#include "domain/uHttpTransport.h"
#include "domain/uMethods.h"

#include <cstdint>
#include <memory>
#include <string>
#include <thread>

class TConnectionItem;

// How the last exchange of a client failed, for a caller that tells a
// refusal from a failure of the way there. The exchange's error object is
// read from the whole reply, however long.
struct TExchangeFailure {
    bool Failed = false;
    long Status = 0;        // the HTTP status when a reply came, else 0
    std::string StatusLine; // "HTTP/1.1 401 Unauthorized", or the transport's text
    std::int64_t Code = 0;  // the error object's "code", 0 when none
    // The error object's "msg" ("code" and its number without one), else
    // StatusLine.
    std::string Words;

    // The exchange refused the request: a 4xx status other than 429 (too
    // many requests, which passes).
    bool Refused() const;
    // The exchange refused the request's keys: 401, or one of its key and
    // signature error codes.
    bool KeysRefused() const;
    const std::string& Message() const { return Words; }
};

// One exchange with the exchange's REST interface per call, signed with the
// account's keys when the endpoint asks for it. Never retries and never throws
// for a failed exchange: the result is False with an empty reply, the failure
// goes to the log and to the last server error text. Used by one thread.
class TTradeEngineClient {
public:
    TTradeEngineClient();
    TTradeEngineClient(const TTradeEngineClient&) = delete;
    TTradeEngineClient& operator=(const TTradeEngineClient&) = delete;
    ~TTradeEngineClient();

    // The number written into every log line of this client's exchanges.
    int32_t Thread() const { return fThread; }
    void SetThread(int32_t aThread) { fThread = aThread; }
    // The account whose keys sign the calls; not owned, read only.
    TConnectionItem* ProfileCon() const { return fProfile; }
    void SetProfileCon(TConnectionItem* aProfile) { fProfile = aProfile; }
    const THttpTimeouts& Timeouts() const { return fTimeouts; }
    void SetTimeouts(const THttpTimeouts& aTimeouts) { fTimeouts = aTimeouts; }
    const TExchangeFailure& LastFailure() const { return fLastFailure; }

    // Runs the exchange for the endpoint and frees it.
    bool ExecuteCommand(std::unique_ptr<TDBaseMethod> aDMethod, const std::string& aRequest,
                        std::string& aResponse);
    bool ExecuteCommand(const std::string& aMethod, bool aAuth, const std::string& aResource,
                        const std::string& aRequest, std::string& aResponse);

    static std::string GetURL(const std::string& aResource);

private:
    THttpRequest BuildRequest(const std::string& aMethod, bool aAuth, const std::string& aResource,
                              const std::string& aRequest) const;
    void Report(const THttpResult& aReply, const std::string& aURL) const;

    std::unique_ptr<TCurlEasy> fHttp;
    int32_t fThread = 0;
    TConnectionItem* fProfile = nullptr;
    THttpTimeouts fTimeouts;
    TExchangeFailure fLastFailure;
};

// Runs one exchange on a thread of its own with a fresh client.
class TTradeEngineThread {
public:
    TTradeEngineThread(std::unique_ptr<TDBaseMethod> aMethod, TConnectionItem* aProfile,
                       std::string aRequest);
    TTradeEngineThread(const TTradeEngineThread&) = delete;
    TTradeEngineThread& operator=(const TTradeEngineThread&) = delete;
    virtual ~TTradeEngineThread();

    void Start();
    void WaitFor();

    // Once the thread has ended: the reply, moved out.
    std::string TakeResponse() { return std::move(fResponse); }
    const std::string& Error() const { return fError; }
    const TExchangeFailure& Failure() const { return fFailure; }

protected:
    virtual void Execute();

private:
    std::unique_ptr<TDBaseMethod> fMethod;
    TConnectionItem* fProfile;
    std::string fRequest;
    std::string fResponse;
    std::string fError;
    TExchangeFailure fFailure;
    std::thread fThread;
};

// Sends the request and blocks the calling worker until the exchange ends.
// A failed exchange leaves aResponse empty and aError empty too: only an
// error outside the exchange itself reaches aError.
// aFailure, when given, receives how the exchange failed.
void SendRequest(std::unique_ptr<TDBaseMethod> aMethod, TConnectionItem* aProfile,
                 const std::string& aRequest, std::string& aResponse, std::string& aError,
                 TExchangeFailure* aFailure = nullptr);

// The URL with the signature's value hidden, for the log.
std::string MaskSignature(const std::string& aURL);
