#include "domain/uAccountReload.h"

#include "domain/uOrderThreads.h"
#include "domain/uUser.h"
#include "domain/uWorkflow.h"

#include <algorithm>
#include <memory>

namespace {

bool Working()
{
    return Workflow && Workflow->State() == wfsWorking;
}

TConnectionItem* Held(TAccountID aAccount)
{
    return Profile ? Profile->Find(aAccount) : nullptr;
}

std::string ReloadKey(TAccountID aAccount, TReloadKind aKind)
{
    return RequestKey(aKind == TReloadKind::OpenOrders ? cOpenOrdersKind : cAccountKind, aAccount);
}

} // namespace

void TAccountReloads::Want(const TConnectionItem& aAccount)
{
    Want(aAccount, TReloadKind::OpenOrders);
    Want(aAccount, TReloadKind::Balances);
}

void TAccountReloads::Want(const TConnectionItem& aAccount, TReloadKind aKind)
{
    if (!Working())
        return;
    auto It = Find(aAccount.ID(), aKind);
    if (It == fReloads.end())
        It = fReloads.insert(It, {.Account = aAccount.ID(), .Kind = aKind});
    ++It->Wanted;
    It->Failures = 0;
    It->SecondsToAsk = 0;
    if (!It->Running)
        Ask(*It);
}

std::vector<TAccountReloads::TReload>::iterator TAccountReloads::Find(TAccountID aAccount,
                                                                      TReloadKind aKind)
{
    return std::ranges::find_if(
        fReloads, [&](const TReload& R) { return R.Account == aAccount && R.Kind == aKind; });
}

void TAccountReloads::Tick()
{
    std::erase_if(fReloads, [](const TReload& R) { return !Held(R.Account); });
    for (TReload& Reload : fReloads)
        if (!Reload.Running && (Reload.SecondsToAsk == 0 || --Reload.SecondsToAsk == 0))
            Ask(Reload);
}

void TAccountReloads::Ask(TReload& aReload)
{
    TConnectionItem* Account = Held(aReload.Account);
    if (!Account || !Working() || RequestRunning(ReloadKey(aReload.Account, aReload.Kind)))
        return;
    aReload.Running = true;
    aReload.Asked = aReload.Wanted;
    if (aReload.Kind == TReloadKind::OpenOrders)
        Start<TOpenOrdersThread>(aReload, *Account);
    else
        Start<TAccountThread>(aReload, *Account);
}

// The end comes back through the global model: the worker may end after
// this one is gone.
template <class TWorker> void TAccountReloads::Start(TReload& aReload, TConnectionItem& aAccount)
{
    auto Worker = std::make_shared<TWorker>();
    Worker->SetAccount(&aAccount);
    Worker->SetRequestKey(ReloadKey(aReload.Account, aReload.Kind));
    const TWorker* Ending = Worker.get();
    Worker->SetOnTerminate([Ending, Account = aReload.Account, Kind = aReload.Kind] {
        if (User)
            User->Reloads().Ended(Account, Kind, Ending->Read(), Ending->Failure().Refused());
    });
    StartFree(Worker);
}

void TAccountReloads::Ended(TAccountID aAccount, TReloadKind aKind, bool aRead, bool aRefused)
{
    const auto It = Find(aAccount, aKind);
    if (It == fReloads.end())
        return;
    It->Running = false;
    const bool Current = It->Asked == It->Wanted;
    if (!Held(aAccount) || ((aRead || aRefused) && Current)) {
        fReloads.erase(It);
    } else if (!Current) {
        Ask(*It);
    } else {
        ++It->Failures;
        It->SecondsToAsk = It->Failures == 1 ? cFirstRetrySeconds : cRetrySeconds;
    }
}
