#pragma once

#include "domain/uCommon.h"

#include <atomic>
#include <chrono>
#include <functional>

class IMainFormFactory;
struct TAccountCheck;
class IWorkflowChartList;
class IWorkflowMainForm;

// Decides what the terminal asks the exchange for and when: opens the main
// window with the first requests, turns the clock's hooks into polling
// requests through the market model's starters and the chart list, and stops
// all of it when the main window closes.
//
// Everything runs on the user-interface thread; workers only read State.
// The mode stays trade for the whole run.
class TWorkflow {
public:
    TWorkflow() = default;
    TWorkflow(const TWorkflow&) = delete;
    TWorkflow& operator=(const TWorkflow&) = delete;
    virtual ~TWorkflow() = default;

    TWorkflowMode Mode() const { return fMode; }
    TWorkflowState State() const { return fState.load(); }
    // The main window's close sets wfsClosing: every hook is inert from that
    // moment, then DoClose runs.
    virtual void SetState(TWorkflowState Value);

    // Set by the builder before DoShowMainForm; not owned. The chart list is
    // created after the workflow, so it comes in separately; without one the
    // chart polling is left out.
    void SetMainFormFactory(IMainFormFactory* aFactory) { fMainFormFactory = aFactory; }
    void SetChartList(IWorkflowChartList* aChartList) { fChartList = aChartList; }
    // How long a signed request waits for the exchange's clock before it
    // gives up unsent; read by each worker when it is made.
    static constexpr std::chrono::milliseconds cClockWaitLimit{20000};
    std::chrono::milliseconds ClockWaitLimit() const { return fClockWaitLimit; }
    void SetClockWaitLimit(std::chrono::milliseconds aLimit) { fClockWaitLimit = aLimit; }
    // The main window once DoShowMainForm has created it.
    IWorkflowMainForm* MainForm() const { return fMainForm; }

    // Start-up, before the timer runs: creates and shows the main window and
    // starts the ping. Nothing is waited for: the ping's answer, and then the
    // account check's, come back to the user-interface thread when their
    // workers end, and the start-up goes on from there as it did when they
    // were waited for: online or offline, the server time and the 24-hour
    // tickers, the main account's check when it has both keys (and its order
    // history and open orders when authorised); last aStarted runs (the
    // builder starts the heartbeat) and the window is laid out. Pending calls are
    // processed after showing and at the end, also when a step raised; the
    // exception then passes on. True.
    bool DoShowMainForm(std::function<void()> aStarted = {});

    // Whether the last ping was answered.
    bool Online() const { return fOnline; }
    // The exchange did not answer the server-time poll: offline (and pinging
    // again) until a ping is answered, so that the status never claims a
    // connection that is gone.
    void ExchangeLost();

    // The clock's hooks; each does nothing unless working.
    // Prices of all symbols, the selected symbol's book, every chart's price,
    // the accounts' reloads that are due. Also the recovery from a bad
    // start: while offline, a ping every cPingRetrySeconds, and an answered
    // one goes online as at start-up;
    // while the main account's keys wait for a check that failed on the way
    // (not one the exchange refused), a check every cAccountRetrySeconds.
    virtual void DoEverySecond();
    // The server time.
    virtual void DoEvery5Second();
    // Every chart's two newest candles.
    virtual void DoEveryMinute();
    static constexpr int cPingRetrySeconds = 5;
    static constexpr int cAccountRetrySeconds = 10;
    // At every change of the clock: at most one request for what the main
    // account misses; only when it misses nothing, the same check for each
    // further account and the 24-hour tickers when the user is authorised
    // but no symbol is shown yet.
    virtual void DoOnce();

protected:
    bool IsWorking() const { return State() == wfsWorking; }
    // Unsubscribes the main window, then waits for the model's workers.
    virtual void DoClose();

private:
    // Working, with the model and the profile there to ask through: the
    // clock may be set while the services are built or torn down.
    bool CanPoll() const;
    void CreateMainForm();
    bool MainHasKeys() const;
    // The ping and the account check run on workers of their own; each
    // one's end comes back through the global Workflow (nothing when it is
    // gone or no longer working).
    void StartPing();
    bool StartAccountCheck();
    void PingEnded(bool aAnswered);
    void AccountCheckEnded(const TAccountCheck& aCheck);
    // The start-up once the ping has answered, and its end.
    void StartFirstRequests(bool aAnswered);
    void EndStartUp();
    // Runs a step begun by a worker's end: what it raises is logged and
    // shown (no caller is left to take it), and a start-up still ends.
    void RunEndStep(const char* aName, const std::function<void()>& aStep);
    // Authorises (and loads the orders) or not by a check's end; a refusal
    // stops the retries and is told once.
    void ApplyAccountCheck(const TAccountCheck& aCheck);
    // The ping and the account check of the recovery, started on ticks.
    void RetryOnTick();
    void GoOnline();

    TWorkflowMode fMode = wfmTrade;
    std::atomic<TWorkflowState> fState{wfsWorking};
    IMainFormFactory* fMainFormFactory = nullptr;
    IWorkflowChartList* fChartList = nullptr;
    IWorkflowMainForm* fMainForm = nullptr;
    std::chrono::milliseconds fClockWaitLimit = cClockWaitLimit;
    bool fStartingUp = false;
    std::function<void()> fStarted;
    bool fOnline = false;
    bool fPinging = false;
    int fSecondsToPing = cPingRetrySeconds;
    // The last check of the main account failed on the way there or back.
    bool fAccountRetry = false;
    bool fChecking = false;
    int fSecondsToCheck = cAccountRetrySeconds;
    bool fRefusalShown = false;
};

// Created and destroyed by the builder; nullptr outside that span.
extern TWorkflow* Workflow;
