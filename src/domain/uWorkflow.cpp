#include "domain/uWorkflow.h"

#include "domain/uMarketThreads.h"
#include "domain/uOrderThreads.h"
#include "domain/uProfile.h"
#include "domain/uUser.h"
#include "domain/uWorkflowViews.h"
#include "platform/UIDispatcher.h"

#include <stdexcept>

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

bool TWorkflow::DoShowMainForm()
{
    try {
        CreateMainForm();
        StartFirstRequests();
    } catch (...) {
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

void TWorkflow::StartFirstRequests()
{
    fOnline = fMainForm->SendPing();
    User->Time();
    User->Ticker24hrEx();
    User->Input().SetAuth(uaUndefined);
    CheckMainAccount();
    fMainForm->InitUserInterface();
}

bool TWorkflow::MainHasKeys() const
{
    const TConnectionItem& Main = Profile->MainProfile();
    return !Main.ApiKey().empty() && !Main.SecretKey().empty();
}

// With both keys: the balance request decides the authorisation (a failed
// one leaves the user unauthorised); only an authorised user's orders load.
void TWorkflow::CheckMainAccount()
{
    fAccountRetry = false;
    if (!MainHasKeys())
        return;
    gLastServerError.Clear();
    TAccountCheck Check;
    Profile->MainProfile().AccountEx(nullptr, false, &Check);
    ApplyAccountCheck(Check);
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

void TWorkflow::RetryOnTick()
{
    EndRetries();
    if (!fOnline && !fPing && --fSecondsToPing <= 0) {
        fSecondsToPing = cPingRetrySeconds;
        fPing = std::make_shared<TPingThread>();
        StartFree(fPing);
    }
    const bool Waiting = fAccountRetry && MainHasKeys() && User->Input().Auth() != uaAuth;
    if (Waiting && !fAccountCheck && --fSecondsToCheck <= 0)
        StartAccountCheck();
}

// The retries' workers end on their own; their ends are taken up on the
// next tick.
void TWorkflow::EndRetries()
{
    if (fPing && fPing->Finished()) {
        const bool Answered = fPing->PingOk();
        fPing.reset();
        if (Answered)
            GoOnline();
    }
    if (fAccountCheck && fAccountCheck->Finished()) {
        const TAccountCheck Check = fAccountCheck->Check();
        fAccountCheck.reset();
        // Authorised meanwhile (a logon): that answer stands.
        if (User->Input().Auth() == uaAuth)
            return;
        ApplyAccountCheck(Check);
        if (Check.Auth == uaAuth)
            fMainForm->InitUserInterface();
    }
}

void TWorkflow::ExchangeLost()
{
    if (!fOnline || !fMainForm || !IsWorking())
        return;
    fOnline = false;
    fSecondsToPing = cPingRetrySeconds;
    fMainForm->SetOnlineMode(false);
}

// As a start-up whose ping was answered, without waiting: the account check
// ends on a later tick.
void TWorkflow::GoOnline()
{
    fOnline = true;
    fMainForm->SetOnlineMode(true);
    User->Time();
    User->Ticker24hrEx();
    if (MainHasKeys() && User->Input().Auth() != uaAuth && !fAccountCheck)
        StartAccountCheck();
}

void TWorkflow::StartAccountCheck()
{
    fSecondsToCheck = cAccountRetrySeconds;
    auto Check = std::make_shared<TAccountThread>();
    Check->SetAccount(nullptr);
    std::string Key = RequestKey(cAccountKind, Check->AccountID());
    if (RequestRunning(Key))
        return;
    gLastServerError.Clear();
    Check->SetRequestKey(std::move(Key));
    StartFree(Check);
    fAccountCheck = Check;
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
