#include "domain/uWorkflow.h"

#include "domain/uAccountReload.h"
#include "domain/uLog.h"
#include "domain/uOrderThreads.h"
#include "domain/uProfile.h"
#include "domain/uUser.h"
#include "domain/uWorkflowViews.h"
#include "platform/UIDispatcher.h"

#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

TWorkflow* Workflow = nullptr;

namespace {

// Runs the calls that workers have queued for the user-interface thread.
void ProcessPendingMessages()
{
    if (TUIDispatcher* Dispatcher = GetUIDispatcher())
        Dispatcher->ProcessPending();
}

} // namespace

void TWorkflow::SetState(TWorkflowState Value)
{
    fState.store(Value);
    if (Value == wfsClosing)
        DoClose();
}

void TWorkflow::DoClose()
{
    if (fMainForm)
        fMainForm->Deinit();
    if (User)
        User->WaitForThreads();
}

bool TWorkflow::DoShowMainForm(std::function<void()> aStarted)
{
    try {
        CreateMainForm();
        fStarted = std::move(aStarted);
        fStartingUp = true;
        StartPing();
    } catch (...) {
        fStartingUp = false;
        ProcessPendingMessages();
        throw;
    }
    ProcessPendingMessages();
    return true;
}

void TWorkflow::CreateMainForm()
{
    if (fMainFormFactory == nullptr)
        throw std::logic_error("TWorkflow.DoShowMainForm: no main form factory");
    fMainForm = &fMainFormFactory->CreateMainForm();
    fMainForm->Show();
    ProcessPendingMessages();
}

bool TWorkflow::MainHasKeys() const
{
    const TConnectionItem& Main = Profile->MainProfile();
    return !Main.ApiKey().empty() && !Main.SecretKey().empty();
}

void TWorkflow::StartPing()
{
    fSecondsToPing = cPingRetrySeconds;
    fPinging = User->Ping([](bool aAnswered) {
        if (Workflow)
            Workflow->PingEnded(aAnswered);
    });
}

// The balance request of the main account decides the authorisation (a
// failed one leaves the user unauthorised). False when one runs already.
bool TWorkflow::StartAccountCheck()
{
    fSecondsToCheck = cAccountRetrySeconds;
    auto Check = std::make_shared<TAccountThread>();
    Check->SetAccount(nullptr);
    std::string Key = RequestKey(cAccountKind, Check->AccountID());
    if (RequestRunning(Key))
        return false;
    gLastServerError.Clear();
    Check->SetRequestKey(std::move(Key));
    const TAccountThread* Worker = Check.get();
    Check->SetOnTerminate([Worker] {
        if (Workflow)
            Workflow->AccountCheckEnded(Worker->Check());
    });
    fChecking = true;
    StartFree(Check);
    return true;
}

void TWorkflow::PingEnded(bool aAnswered)
{
    fPinging = false;
    if (!CanPoll() || !fMainForm)
        return;
    RunEndStep("PingEnded", [&] {
        if (fStartingUp)
            StartFirstRequests(aAnswered);
        else if (aAnswered)
            GoOnline();
    });
}

// Only an authorised user's orders load.
void TWorkflow::StartFirstRequests(bool aAnswered)
{
    fOnline = aAnswered;
    fMainForm->SetOnlineMode(aAnswered);
    User->Time();
    User->Ticker24hrEx();
    User->Input().SetAuth(uaUndefined);
    fAccountRetry = false;
    if (!MainHasKeys() || !StartAccountCheck())
        EndStartUp();
}

void TWorkflow::AccountCheckEnded(const TAccountCheck& aCheck)
{
    fChecking = false;
    if (!CanPoll() || !fMainForm)
        return;
    RunEndStep("AccountCheckEnded", [&] {
        // Authorised meanwhile (a logon): that answer stands.
        const bool Authorised = User->Input().Auth() == uaAuth;
        if (!Authorised)
            ApplyAccountCheck(aCheck);
        if (fStartingUp)
            EndStartUp();
        else if (!Authorised && aCheck.Auth == uaAuth)
            fMainForm->InitUserInterface();
    });
}

// The heartbeat is only armed first: its first tick comes after the layout,
// and a layout that raised still leaves it running.
void TWorkflow::EndStartUp()
{
    fStartingUp = false;
    if (auto Started = std::exchange(fStarted, nullptr))
        Started();
    fMainForm->InitUserInterface();
}

void TWorkflow::RunEndStep(const char* aName, const std::function<void()>& aStep)
{
    std::string Error;
    try {
        aStep();
        return;
    } catch (const std::exception& E) {
        Error = E.what();
    } catch (...) {
        Error = "unknown exception";
    }
    WriteLog(std::string("TWorkflow.") + aName + " error: " + Error, mtAlert, 0);
    Alert(Error);
    if (fStartingUp)
        EndStartUp();
}

void TWorkflow::ApplyAccountCheck(const TAccountCheck& aCheck)
{
    User->Input().SetAuth(aCheck.Auth);
    fAccountRetry = aCheck.Auth != uaAuth && !aCheck.KeysRefused;
    fSecondsToCheck = cAccountRetrySeconds;
    if (aCheck.KeysRefused && !fRefusalShown) {
        fRefusalShown = true;
        Msg("the exchange refused the API key: " + aCheck.Refusal, mtAlert);
    }
    if (aCheck.Auth != uaAuth)
        return;
    User->AllOrdersEx(nullptr);
    User->OpenOrdersEx(nullptr);
}

// Each worker's end is taken up when it comes; a tick only starts them.
void TWorkflow::RetryOnTick()
{
    if (!fOnline && !fPinging && --fSecondsToPing <= 0)
        StartPing();
    const bool Waiting = fAccountRetry && MainHasKeys() && User->Input().Auth() != uaAuth;
    if (Waiting && !fChecking && --fSecondsToCheck <= 0)
        StartAccountCheck();
}

void TWorkflow::ExchangeLost()
{
    if (!fOnline || !fMainForm || !IsWorking())
        return;
    fOnline = false;
    fSecondsToPing = cPingRetrySeconds;
    fMainForm->SetOnlineMode(false);
}

// As a start-up whose ping was answered; the account check ends later.
void TWorkflow::GoOnline()
{
    fOnline = true;
    fMainForm->SetOnlineMode(true);
    User->Time();
    User->Ticker24hrEx();
    if (MainHasKeys() && User->Input().Auth() != uaAuth && !fChecking)
        StartAccountCheck();
}

bool TWorkflow::CanPoll() const
{
    return IsWorking() && User && Profile;
}

void TWorkflow::DoEverySecond()
{
    if (!CanPoll())
        return;
    if (fMainForm)
        RetryOnTick();
    User->Reloads().Tick();
    User->TickerPrice({});
    if (!User->Input().Symbol().empty())
        User->DepthEx();
    if (fChartList)
        fChartList->TickerPrice();
}

void TWorkflow::DoEvery5Second()
{
    if (CanPoll())
        User->Time();
}

void TWorkflow::DoEveryMinute()
{
    if (CanPoll() && fChartList)
        fChartList->KlinesUpdate();
}

void TWorkflow::DoOnce()
{
    if (!CanPoll())
        return;
    if (!Profile->MainProfile().CheckLoaded())
        return;
    for (TConnectionItem& Account : Profile->Connections())
        Account.CheckLoaded();
    if (User->SymbolShowList().Count() == 0 && User->Input().Auth() == uaAuth)
        User->Ticker24hrEx();
}
