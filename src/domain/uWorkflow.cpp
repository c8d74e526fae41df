#include "domain/uWorkflow.h"

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
    fMainForm->SendPing();
    User->Time();
    User->Ticker24hrEx();
    User->Input().SetAuth(uaUndefined);
    CheckMainAccount();
    fMainForm->InitUserInterface();
}

// With both keys: the balance request decides the authorisation (a failed
// one leaves the user unauthorised); only an authorised user's orders load.
void TWorkflow::CheckMainAccount()
{
    TConnectionItem& Main = Profile->MainProfile();
    if (Main.ApiKey().empty() || Main.SecretKey().empty())
        return;
    gLastServerError.Clear();
    TUserInputData& Input = User->Input();
    Input.SetAuth(Main.AccountEx(nullptr, false));
    if (Input.Auth() != uaAuth)
        return;
    User->AllOrdersEx(nullptr);
    User->OpenOrdersEx(nullptr);
}

bool TWorkflow::CanPoll() const
{
    return IsWorking() && User && Profile;
}

void TWorkflow::DoEverySecond()
{
    if (!CanPoll())
        return;
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
