#include "domain/uTradeEngine.h"

#include "domain/uAccountReplies.h"
#include "domain/uAppSettings.h"
#include "domain/uCommon.h"
#include "domain/uLog.h"
#include "domain/uProfile.h"
#include "platform/TextCut.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <unistd.h>

namespace {

const char* const cUserAgent = "python-requests/2.18.4";
const char* const cSignatureMark = "signature=";
const char* const cUnknownError = "Unknown exception";

std::string Quoted(const std::string& aValue)
{
    return "\"" + aValue + "\"";
}

// Longer than any info line of the log, which cuts at 1000 characters of at
// most four bytes each: a reply beyond it is never shown whole.
constexpr std::size_t cLoggedReplyBytes = 4096;

// The reply quoted as the log shows it, without copying more of it than
// shows; a longer one is cut before the character that would not fit whole.
std::string QuotedHead(const std::string& aReply)
{
    if (aReply.size() <= cLoggedReplyBytes)
        return Quoted(aReply);
    return "\"" + aReply.substr(0, Utf8BytesWithin(aReply, cLoggedReplyBytes));
}

// The failed reply's error object is read whole: its words may run far
// beyond the part the log shows.
TExchangeFailure FailureOf(const THttpResult& aReply)
{
    TExchangeFailure Failure;
    Failure.Failed = true;
    Failure.Status = aReply.Status;
    Failure.StatusLine = aReply.Message;
    Failure.Words = FailureRefusal(aReply.Body, aReply.Message, &Failure.Code);
    return Failure;
}

// The POST lines as the exchange reads a form: pairs joined by "&".
std::string JoinLines(const std::string& aLines)
{
    std::string Result;
    size_t Start = 0;
    while (true) {
        size_t End = aLines.find("\r\n", Start);
        Result.append(aLines, Start, End == std::string::npos ? std::string::npos : End - Start);
        if (End == std::string::npos)
            return Result;
        Result += '&';
        Start = End + 2;
    }
}

std::string TrimLineEnds(std::string aText)
{
    while (!aText.empty() && (aText.back() == '\r' || aText.back() == '\n'))
        aText.pop_back();
    return aText;
}

// Appends the signature of aText to it as its last pair.
void Sign(std::string& aText, const std::string& aSecret)
{
    std::string Signature = CalculateHMACSHA256(aText, aSecret);
    if (!aText.empty())
        aText += '&';
    aText += cSignatureMark;
    aText += Signature;
}

const TConnectionItem& Account(const TConnectionItem* aProfile)
{
    if (aProfile == nullptr)
        throw std::runtime_error("No account to sign the request");
    return *aProfile;
}

} // namespace

std::string MaskSignature(const std::string& aURL)
{
    size_t At = aURL.find(cSignatureMark);
    while (At != std::string::npos && At > 0 && aURL[At - 1] != '&' && aURL[At - 1] != '?')
        At = aURL.find(cSignatureMark, At + 1);
    if (At == std::string::npos)
        return aURL;
    size_t Start = At + std::char_traits<char>::length(cSignatureMark);
    size_t End = aURL.find('&', Start);
    return aURL.substr(0, Start) + "***" + (End == std::string::npos ? "" : aURL.substr(End));
}

TTradeEngineClient::TTradeEngineClient()
{
    try {
        fHttp = std::make_unique<TCurlEasy>();
        if (!fHttp->Valid())
            throw std::runtime_error("libcurl could not create a transfer handle");
    } catch (const std::exception& E) {
        WriteLog(std::string("TTradeEngineClient.Create error: ") + E.what(), mtAlert, 0);
    }
}

TTradeEngineClient::~TTradeEngineClient() = default;

std::string TTradeEngineClient::GetURL(const std::string& aResource)
{
    if (AppSettings == nullptr)
        throw std::runtime_error("The application settings are not loaded");
    return AppSettings->ServerURL() + "/" + aResource;
}

bool TTradeEngineClient::ExecuteCommand(std::unique_ptr<TDBaseMethod> aDMethod,
                                        const std::string& aRequest, std::string& aResponse)
{
    if (!aDMethod)
        throw std::invalid_argument("No endpoint for the exchange");
    return ExecuteCommand(aDMethod->Method(), aDMethod->Auth(), aDMethod->Resource(), aRequest,
                          aResponse);
}

THttpRequest TTradeEngineClient::BuildRequest(const std::string& aMethod, bool aAuth,
                                              const std::string& aResource,
                                              const std::string& aRequest) const
{
    THttpRequest Request;
    Request.Method = aMethod;
    if (aAuth)
        Request.Headers.push_back("X-MBX-APIKEY: " + Account(fProfile).ApiKey());
    Request.Headers.push_back(aMethod == "POST" ? "Content-Type: application/x-www-form-urlencoded"
                                                : "Content-Type: application/json");
    Request.Headers.push_back(std::string("User-Agent: ") + cUserAgent);
    if (aMethod == "POST") {
        // The body goes out exactly as signed.
        Request.URL = GetURL(aResource);
        Request.Body = JoinLines(aRequest);
        if (aAuth)
            Sign(Request.Body, Account(fProfile).SecretKey());
    } else if (aRequest.empty()) {
        Request.URL = GetURL(aResource);
    } else {
        std::string Query = aRequest;
        if (aAuth)
            Sign(Query, Account(fProfile).SecretKey());
        Request.URL = GetURL(aResource);
        Request.URL += '?';
        Request.URL += Query;
    }
    return Request;
}

bool TTradeEngineClient::ExecuteCommand(const std::string& aMethod, bool aAuth,
                                        const std::string& aResource, const std::string& aRequest,
                                        std::string& aResponse)
{
    aResponse.clear();
    bool Result = false;
    std::string URL;
    THttpResult Reply;
    try {
        THttpRequest Request = BuildRequest(aMethod, aAuth, aResource, aRequest);
        URL = Request.URL;
        if (aMethod == "GET" || aMethod == "POST" || aMethod == "DELETE") {
            if (!fHttp)
                throw std::runtime_error("HTTP client is not available");
            Reply = fHttp->Perform(Request, fTimeouts);
        } else {
            Reply.Failure = THttpFailure::None;
        }
    } catch (const std::exception& E) {
        Reply = THttpResult();
        Reply.Message = E.what();
    } catch (...) {
        Reply = THttpResult();
        Reply.Message = cUnknownError;
    }
    fLastFailure = {};
    if (Reply.Failure == THttpFailure::None) {
        aResponse = std::move(Reply.Body);
        Result = true;
    } else {
        // A reply cut short after its status line is the transport's failure.
        fLastFailure = FailureOf(Reply);
    }
    // A reply may be many megabytes: build the texts only for an open log,
    // and from no more of the reply than the log line can show.
    if (LogEnabled()) {
        WriteLog("<< Resource: " + Quoted(aResource) + " Request: " + Quoted(aRequest), mtInfo,
                 fThread);
        WriteLog(">> Respond: " + QuotedHead(aResponse), mtInfo, fThread);
    }
    if (!Result)
        Report(Reply, URL);
    WriteLog("", mtConfirm, fThread);
    return Result;
}

void TTradeEngineClient::Report(const THttpResult& aReply, const std::string& aURL) const
{
    switch (aReply.Failure) {
    case THttpFailure::Status:
        gLastServerError.Set(aReply.Message + " " + aReply.Body);
        WriteLog(">> EIdSocketError: ERROR: " + Quoted(aReply.Message) + ", " +
                     QuotedHead(aReply.Body),
                 mtAlert, fThread);
        WriteLog(">> EIdSocketError: URL: " + Quoted(MaskSignature(aURL)), mtAlert, fThread);
        WriteLog(">> EIdSocketError: RAW: " + Quoted(TrimLineEnds(aReply.RawHeaders)), mtAlert,
                 fThread);
        break;
    case THttpFailure::Socket:
        gLastServerError.Set(aReply.Message);
        WriteLog(">> EIdSocketError: " + Quoted(aReply.Message), mtAlert, fThread);
        break;
    case THttpFailure::Other:
    case THttpFailure::None:
        gLastServerError.Set(aReply.Message);
        WriteLog(">> Exception: " + Quoted(aReply.Message), mtAlert, fThread);
        break;
    }
}

TTradeEngineThread::TTradeEngineThread(std::unique_ptr<TDBaseMethod> aMethod,
                                       TConnectionItem* aProfile, std::string aRequest)
    : fMethod(std::move(aMethod)), fProfile(aProfile), fRequest(std::move(aRequest))
{
}

TTradeEngineThread::~TTradeEngineThread()
{
    WaitFor();
}

void TTradeEngineThread::Start()
{
    fThread = std::thread([this] { Execute(); });
}

void TTradeEngineThread::WaitFor()
{
    if (fThread.joinable())
        fThread.join();
}

void TTradeEngineThread::Execute()
{
    fResponse.clear();
    fError.clear();
    int32_t Identity = static_cast<int32_t>(::gettid());
    auto Fail = [&](const std::string& aMessage) {
        fError = aMessage;
        WriteLog("TTradeEngineThread.Execute error: " + fError, mtAlert, Identity);
    };
    try {
        TTradeEngineClient Client;
        Client.SetThread(Identity);
        Client.SetProfileCon(fProfile);
        Client.ExecuteCommand(std::move(fMethod), fRequest, fResponse);
        fFailure = Client.LastFailure();
    } catch (const std::exception& E) {
        Fail(E.what());
    } catch (...) {
        Fail(cUnknownError);
    }
}

void SendRequest(std::unique_ptr<TDBaseMethod> aMethod, TConnectionItem* aProfile,
                 const std::string& aRequest, std::string& aResponse, std::string& aError,
                 TExchangeFailure* aFailure)
{
    TTradeEngineThread Thread(std::move(aMethod), aProfile, aRequest);
    Thread.Start();
    Thread.WaitFor();
    aResponse = Thread.TakeResponse();
    aError = Thread.Error();
    if (aFailure)
        *aFailure = Thread.Failure();
}

bool TExchangeFailure::Refused() const
{
    return Failed && Status >= 400 && Status <= 499 && Status != 429;
}

bool TExchangeFailure::KeysRefused() const
{
    // Invalid key id, key format, key (or its address or rights), signature.
    constexpr std::int64_t cKeyCodes[] = {-2008, -2014, -2015, -1022};
    return Failed && (Status == 401 || std::ranges::find(cKeyCodes, Code) != std::end(cKeyCodes));
}
