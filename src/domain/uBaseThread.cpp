#include "domain/uBaseThread.h"

#include "domain/uHttpTransport.h"
#include "domain/uLog.h"
#include "domain/uMethods.h"
#include "domain/uReplyError.h"
#include "domain/uSysTime.h"
#include "domain/uTradeEngine.h"
#include "domain/uUser.h"
#include "domain/uWorkflow.h"
#include "platform/MessageBox.h"
#include "platform/UIDispatcher.h"

#include <exception>
#include <map>
#include <mutex>

namespace {

// The running requests by key, with how many of each run. Never freed: a
// worker left running at exit still releases its key.
struct TRunningRequests {
    std::mutex Lock;
    std::map<std::string, int, std::less<>> Count;
};

TRunningRequests& Running()
{
    static auto* const Requests = new TRunningRequests;
    return *Requests;
}

// The list a worker registers in: its chart's (kept alive with the chart's
// link), else the market model's. Read on the starter's thread.
std::shared_ptr<TThreadList> ListFor(const std::shared_ptr<TChartLink>& aChart)
{
    if (aChart)
        return std::shared_ptr<TThreadList>(aChart, &aChart->ThreadList());
    return User ? User->ThreadListHandle() : nullptr;
}

} // namespace

TBaseThread::TBaseThread(std::shared_ptr<TChartLink> aChart)
    : fChart(std::move(aChart)), fThreadList(ListFor(fChart)),
      fClockWaitLimit(Workflow ? Workflow->ClockWaitLimit() : TWorkflow::cClockWaitLimit)
{
}

void TBaseThread::Execute()
{
    try {
        DoBeforeExecute();
        if (fThreadList)
            fThreadList->Add(shared_from_this());
        try {
            DoExecute();
        } catch (...) {
            if (fThreadList)
                fThreadList->Remove(this);
            throw;
        }
        if (fThreadList)
            fThreadList->Remove(this);
        DoAfterExecute();
    } catch (const EUIDispatchDropped&) {
        // Shutting down: the synchronised step will never run.
    } catch (const std::exception& E) {
        LogAlert(std::string("TBaseThread.Execute error: ") + E.what());
    } catch (...) {
        LogAlert("TBaseThread.Execute error: unknown exception");
    }
    fRunning.Release();
}

void TBaseThread::SetRequestKey(std::string aKey)
{
    fRunning.Hold(std::move(aKey));
}

void TBaseThread::TRunningRequest::Hold(std::string aKey)
{
    Release();
    TRunningRequests& Requests = Running();
    const std::lock_guard Lock(Requests.Lock);
    fKey = std::move(aKey);
    ++Requests.Count[fKey];
}

void TBaseThread::TRunningRequest::Release()
{
    TRunningRequests& Requests = Running();
    const std::lock_guard Lock(Requests.Lock);
    if (fKey.empty())
        return;
    if (auto It = Requests.Count.find(fKey); It != Requests.Count.end() && --It->second <= 0)
        Requests.Count.erase(It);
    fKey.clear();
}

// The common shape. A request that waits for the clock and gets none sends
// nothing, says so in the log, and goes on as a failed exchange without a
// reply: a request that announces unconditionally still does.
void TBaseThread::DoExecute()
{
    if (OnlyWhileWorking() && !IsWorking())
        return;
    if (WaitsForClock() && !WaitForExchangeClock()) {
        LogAlert("TUser." + RequestName() + " not sent: the server time is not known");
        Synchronize([this] { DoNotify(); });
        return;
    }
    DoMakeRequest();
    DoSendRequest();
    if (!fError.empty()) {
        // Logged first: the box waits for the user, or is dropped at shut-down.
        LogAlert("TUser." + RequestName() + " command error: " + fError);
        Alert(ShownText(fError));
        return;
    }
    DoParseResponse();
    Synchronize([this] { DoNotify(); });
}

void TBaseThread::DoSendRequest()
{
    SendRequest(NewMethod(), Signer(), fRequest, fResponse, fError, &fFailure);
}

void TBaseThread::DoParseResponse()
{
    if (fResponse.empty()) {
        LogAlert("TUser." + RequestName() + " ParseResponse error: empty string");
        return;
    }
    if (DoReadReply())
        Synchronize([this] { DoOutput(); });
}

bool TBaseThread::DoReadReply()
{
    simdjson::dom::element Root;
    if (fParser.parse(fResponse).get(Root) != simdjson::SUCCESS)
        throw EReplyError("TUser." + RequestName() + ": lRootNode not assigned");
    fRoot = Root;
    return true;
}

bool TBaseThread::WaitForExchangeClock()
{
    using TClock = std::chrono::steady_clock;
    const auto Deadline = TClock::now() + fClockWaitLimit;
    auto Ask = TClock::now() + cFirstTimeAsk;
    for (;;) {
        if (SysTime && SysTime->IsSetByExchange())
            return true;
        const auto Now = TClock::now();
        if (Terminated() || !IsWorking() || Now >= Deadline)
            return false;
        if (Now >= Ask) {
            Synchronize([] {
                if (User && SysTime && !SysTime->IsSetByExchange())
                    User->Time();
            });
            Ask += cTimeAskPace;
        }
        Sleep(cClockWaitStep);
    }
}

bool TBaseThread::IsWorking()
{
    return Workflow && Workflow->State() == wfsWorking;
}

void TBaseThread::Synchronize(const std::function<void()>& Fn)
{
    InvokeSync(Fn);
}

IChartItem* TBaseThread::ChartItem() const
{
    return fChart ? fChart->Chart() : nullptr;
}

void TBaseThread::LogAlert(const std::string& aText) const
{
    WriteLog(aText, mtAlert, ThreadID());
}

TConnectionItem* TBaseAuthThread::Account() const
{
    return Profile ? Profile->Find(fAccountID) : nullptr;
}

void TBaseAuthThread::SetAccount(TConnectionItem* aAccount)
{
    if (!aAccount && Profile)
        aAccount = &Profile->MainProfile();
    if (!aAccount)
        return;
    fAccountID = aAccount->ID();
    fSigner.Assign(*aAccount);
}

void StartFree(const std::shared_ptr<TThread>& aWorker)
{
    aWorker->SetFreeOnTerminate(true);
    aWorker->Start();
}

std::string RequestKey(std::string_view aKind, std::string_view aTarget)
{
    std::string Key(aKind);
    if (!aTarget.empty()) {
        Key += ' ';
        Key += aTarget;
    }
    return Key;
}

std::string RequestKey(std::string_view aKind, std::int64_t aTarget)
{
    return RequestKey(aKind, std::to_string(aTarget));
}

bool RequestRunning(const std::string& aKey)
{
    TRunningRequests& Requests = Running();
    const std::lock_guard Lock(Requests.Lock);
    return Requests.Count.contains(aKey);
}

bool StartPoll(const std::shared_ptr<TBaseThread>& aWorker, std::string aKey)
{
    if (RequestRunning(aKey))
        return false;
    aWorker->SetRequestKey(std::move(aKey));
    StartFree(aWorker);
    return true;
}

void WaitForThreads(TThreadList& aList, std::chrono::milliseconds aGrace,
                    std::chrono::milliseconds aSettle)
{
    TUIDispatcher* Dispatcher = GetUIDispatcher();
    if (!Dispatcher)
        return;
    const auto Running = [&] { return aList.Count() > 0; };
    if (!Dispatcher->WaitWhile(Running, aGrace)) {
        // A slow exchange would hold the close up for its whole time-out:
        // the exchanges still open are cut, as the final teardown cuts them.
        aList.TerminateAll();
        HttpAbortTransfers(true);
        Dispatcher->ProcessPending();
        Dispatcher->WaitWhile(Running, aSettle);
        Dispatcher->ProcessPending();
    }
    ReapFinishedThreads();
}

bool FinishWorkers(std::chrono::milliseconds aTimeout)
{
    HttpAbortTransfers(true);
    const bool Ended = ShutdownThreads(aTimeout);
    if (!Ended)
        WriteLog("FinishWorkers: " + std::to_string(FreeThreadCount()) + " workers still running",
                 mtAlert, 0);
    return Ended;
}
