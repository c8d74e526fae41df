#pragma once

#include "domain/uChartLink.h"
#include "domain/uProfile.h"
#include "domain/uTradeEngine.h"
#include "platform/Thread.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <simdjson.h>
#include <string>
#include <string_view>

class TDBaseMethod;
class TOrder;

// One exchange request on a thread of its own. Execute fixes the life of
// every worker: DoBeforeExecute, register in the thread list (the chart's
// when a chart is given, else the market model's), DoExecute, unregister,
// DoAfterExecute; whatever escapes is logged and the thread ends normally.
//
// The starter creates the worker with std::make_shared, sets its fields and
// FreeOnTerminate, then calls Start. Only DoOutput and DoNotify (and what a
// worker runs through Synchronize) touch the model and the chart item: on the
// user-interface thread, one at a time.
class TBaseThread : public TThread {
public:
    // aChart: the link of the chart item that asked for the request, or null.
    explicit TBaseThread(std::shared_ptr<TChartLink> aChart = nullptr);

    const std::shared_ptr<TChartLink>& Chart() const { return fChart; }
    // How the exchange failed, when it did. Read once the worker has ended.
    const TExchangeFailure& Failure() const { return fFailure; }
    // Before Start: the worker counts as a running request of aKey (its
    // kind and target) until its Execute has ended.
    void SetRequestKey(std::string aKey);

    static constexpr std::chrono::milliseconds cClockWaitStep{50};
    static constexpr std::chrono::seconds cFirstTimeAsk{1};
    static constexpr std::chrono::seconds cTimeAskPace{5};

protected:
    void Execute() final;
    virtual void DoBeforeExecute() {}
    // The common shape: (only while working) wait for the clock, DoMakeRequest,
    // DoSendRequest; an error text is logged and shown, nothing else; else
    // DoParseResponse, then DoNotify on the user-interface thread. A request
    // whose clock never came is logged as not sent and only announced.
    virtual void DoExecute();
    virtual void DoAfterExecute() {}
    // Builds fRequest; the base empties it.
    virtual void DoMakeRequest() { fRequest.clear(); }
    // Empty reply: the log line of a failed exchange. Otherwise DoReadReply
    // here and, when it leaves something to apply, DoOutput on the
    // user-interface thread.
    virtual void DoParseResponse();
    // Worker: reads fResponse into values of the worker's own, so that
    // DoOutput only applies them. False when there is nothing to apply; a
    // reply of the wrong shape raises (EReplyError) before anything is
    // applied. The base parses fResponse into fRoot.
    virtual bool DoReadReply();
    virtual void DoOutput() {}
    virtual void DoNotify() {}

    // The request's name in the log texts ("Depth", "Account", ...).
    virtual std::string RequestName() const = 0;
    // The endpoint of one exchange.
    virtual std::unique_ptr<TDBaseMethod> NewMethod() const = 0;
    // Whether the request is only made while the workflow is working.
    virtual bool OnlyWhileWorking() const { return false; }
    // Whether the request waits for the exchange's clock before it is built.
    virtual bool WaitsForClock() const { return false; }
    // The keys that sign the request; none for unsigned requests.
    virtual TConnectionItem* Signer() { return nullptr; }
    // Runs the exchange into fResponse and fError.
    virtual void DoSendRequest();

    // Waits until the exchange has set the clock, asking for the server time
    // after cFirstTimeAsk and then every cTimeAskPace: the heartbeat, which
    // asks for it too, does not run before the start-up has ended, and one
    // failed time reply should hold the request up for a second, not for its
    // whole wait. False when the worker was terminated, the workflow stopped
    // working or the limit passed first.
    bool WaitForExchangeClock();
    // Whether the workflow exists and is working.
    static bool IsWorking();
    // Runs Fn on the user-interface thread and waits for it.
    static void Synchronize(const std::function<void()>& Fn);
    // User-interface thread only: the chart item, or null when none was
    // given or it is gone.
    IChartItem* ChartItem() const;
    // Writes an alert line with this thread's number.
    void LogAlert(const std::string& aText) const;

    std::shared_ptr<TChartLink> fChart;
    simdjson::dom::element fRoot; // lives as long as fParser's last parse
    std::string fRequest;
    std::string fResponse;
    std::string fError;
    // How the exchange failed, when it did.
    TExchangeFailure fFailure;

private:
    simdjson::dom::parser fParser;
    // A request of one kind and target counted as running.
    class TRunningRequest {
    public:
        TRunningRequest() = default;
        TRunningRequest(const TRunningRequest&) = delete;
        TRunningRequest& operator=(const TRunningRequest&) = delete;
        ~TRunningRequest() { Release(); }
        void Hold(std::string aKey);
        void Release();

    private:
        std::string fKey;
    };

    std::shared_ptr<TThreadList> fThreadList;
    TRunningRequest fRunning;
    // The workflow's, when the worker is made.
    std::chrono::milliseconds fClockWaitLimit;
};

// A signed request. Its starter sets the account on the user-interface
// thread, and the keys and the account's number are copied then: the worker
// signs with the copy and never reads the profile, which only that thread
// changes; the reply goes to the account of that number, if it is still held.
class TBaseAuthThread : public TBaseThread {
public:
    using TBaseThread::TBaseThread;

    // User-interface thread: the account of the request; nullptr once the
    // profile no longer holds it.
    TConnectionItem* Account() const;
    // User-interface thread, before Start. nullptr: the main account.
    void SetAccount(TConnectionItem* aAccount);
    TAccountID AccountID() const { return fAccountID; }
    bool Multi() const { return fMulti; }
    void SetMulti(bool aMulti) { fMulti = aMulti; }

protected:
    bool WaitsForClock() const override { return true; }
    TConnectionItem* Signer() override { return &fSigner; }

    bool fMulti = false;

private:
    TAccountID fAccountID = 0;
    TConnectionItem fSigner;
};

// A signed request about one order, which the worker owns with its starter.
class TBaseOrderThread : public TBaseAuthThread {
public:
    using TBaseAuthThread::TBaseAuthThread;

    const std::shared_ptr<TOrder>& Order() const { return fOrder; }
    void SetOrder(std::shared_ptr<TOrder> aOrder) { fOrder = std::move(aOrder); }

protected:
    std::shared_ptr<TOrder> fOrder;
};

// Starts a worker that frees itself when it ends.
void StartFree(const std::shared_ptr<TThread>& aWorker);

// A request's kind and target as one key: "Depth BTCUSDT", "OpenOrders 3".
std::string RequestKey(std::string_view aKind, std::string_view aTarget = {});
std::string RequestKey(std::string_view aKind, std::int64_t aTarget);
// Whether a worker of that key is running. A poll does not start while one
// of its key still runs: against an exchange slower than the poll's pace the
// workers would pile up without bound.
bool RequestRunning(const std::string& aKey);
// Starts aWorker as a free worker holding aKey, unless a worker of that key
// is running; false then.
bool StartPoll(const std::shared_ptr<TBaseThread>& aWorker, std::string aKey);

// User-interface thread, when the main window closes: waits up to aGrace
// for the list's workers while running their synchronised steps; then asks
// those left to terminate, cuts every exchange still open (no request is
// sent afterwards) and keeps serving them for at most aSettle. Ended free
// workers are joined and freed. Workers still running are not waited for.
void WaitForThreads(TThreadList& aList, std::chrono::milliseconds aGrace = std::chrono::seconds(1),
                    std::chrono::milliseconds aSettle = std::chrono::seconds(1));

// Final teardown, after the dispatcher has shut down and before the clock,
// the workflow and the profile are freed: aborts the exchanges in progress
// and waits up to aTimeout for every free worker to end. False (and a log
// line) when one is still running.
bool FinishWorkers(std::chrono::milliseconds aTimeout = std::chrono::seconds(5));
