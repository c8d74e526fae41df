#include "domain/uUser.h"

#include "domain/uAccountReload.h"
#include "domain/uBaseThread.h"
#include "domain/uMarketModelThreads.h"
#include "domain/uMarketThreads.h"
#include "domain/uOrderMirrors.h"
#include "domain/uOrderThreads.h"
#include "domain/uProfile.h"
#include "domain/uWorkflow.h"

TUser* User = nullptr;

void TUserInputData::AuthBeginUpdate()
{
    fBufferAuth = fAuth;
    fAuthUpdated = true;
}

void TUserInputData::AuthCommitUpdate()
{
    if (fAuthUpdated)
        fAuth = fBufferAuth;
    fAuthUpdated = false;
}

void TUserInputData::AuthRollbackUpdate()
{
    fAuthUpdated = false;
}

TUser::TUser()
    : fInputData(std::make_unique<TUserInputData>()),
      fSymbolShowList(std::make_unique<TSymbolShowList>()),
      fDepthList(std::make_unique<TDepthList>()), fVolumeList(std::make_unique<TVolumeList>()),
      fPublisher(std::make_unique<TDPublisher>()), fReloads(std::make_unique<TAccountReloads>()),
      fMirrors(std::make_unique<TOrderMirrors>())
{
}

TUser::~TUser() = default;

void TUser::DeInit()
{
    fPublisher.reset();
    fVolumeList.reset();
    fDepthList.reset();
    fSymbolShowList.reset();
    fInputData.reset();
}

void TUser::WaitForThreads()
{
    ::WaitForThreads(*fThreadList);
}

bool TUser::Working()
{
    return Workflow && Workflow->State() == wfsWorking;
}

TConnectionItem* TUser::AccountOrMain(TConnectionItem* aProfile)
{
    if (aProfile)
        return aProfile;
    return Profile ? &Profile->MainProfile() : nullptr;
}

bool TUser::SelectSymbol(const std::string& aName)
{
    if (Input().Symbol() == aName)
        return false;
    Input().SetSymbol(aName);
    fDepthList->Clear();
    return true;
}

bool TUser::Ping(std::function<void(bool aAnswered)> aEnded)
{
    if (!Working())
        return false;
    auto Worker = std::make_shared<TPingThread>();
    const TPingThread* Ping = Worker.get();
    Worker->SetOnTerminate([Ping, Ended = std::move(aEnded)] { Ended(Ping->PingOk()); });
    StartFree(Worker);
    return true;
}

void TUser::Time()
{
    if (Working())
        Start({.Kind = TRequestKind::Time});
}

void TUser::DepthEx()
{
    if (Working() && !Input().Symbol().empty())
        Start({.Kind = TRequestKind::Depth, .Symbol = Input().Symbol()});
}

void TUser::TickerPrice(const std::string& aSymbol)
{
    if (Working())
        Start({.Kind = TRequestKind::TickerPrice, .Symbol = aSymbol});
}

void TUser::Ticker24hrEx()
{
    if (Working())
        Start({.Kind = TRequestKind::Ticker24hr});
}

void TUser::Ticker24hrVolume()
{
    if (Working())
        Start({.Kind = TRequestKind::Ticker24hrVolume});
}

void TUser::TickerBookTicker(const std::string& aSymbol)
{
    if (Working())
        Start({.Kind = TRequestKind::TickerBookTicker, .Symbol = aSymbol});
}

// The open orders of every symbol, whichever is selected.
void TUser::OpenOrdersEx(TConnectionItem* aProfile)
{
    if (Working())
        Start({.Kind = TRequestKind::OpenOrders, .Account = AccountOrMain(aProfile)});
}

// The history of the selected symbol: the exchange asks for one.
void TUser::AllOrdersEx(TConnectionItem* aProfile)
{
    if (Working())
        Start({.Kind = TRequestKind::AllOrders,
               .Symbol = Input().Symbol(),
               .Account = AccountOrMain(aProfile)});
}

void TUser::OrderPost(const TOrder& aOrder, TConnectionItem* aProfile, bool aMulti)
{
    if (Working())
        Start({.Kind = TRequestKind::OrderPost,
               .Symbol = aOrder.Symbol(),
               .Account = AccountOrMain(aProfile),
               .Order = aOrder,
               .Multi = aMulti});
}

void TUser::OrderDelete(const TUserOrder& aOrder, TConnectionItem* aProfile, bool aMulti)
{
    if (Working())
        Start({.Kind = TRequestKind::OrderDelete,
               .Symbol = aOrder.Symbol(),
               .Account = AccountOrMain(aProfile),
               .UserOrder = aOrder,
               .Multi = aMulti});
}

// The account and order requests go to their own workers, the others to the
// market-data workers.
void TUser::Start(TRequest aRequest)
{
    TConnectionItem* Account = aRequest.Account;
    switch (aRequest.Kind) {
    case TRequestKind::OpenOrders:
        StartOpenOrders(Account);
        break;
    case TRequestKind::AllOrders:
        StartAllOrders(Account, aRequest.Symbol);
        break;
    case TRequestKind::OrderPost:
        StartOrderPost(*aRequest.Order, Account, aRequest.Multi);
        break;
    case TRequestKind::OrderDelete:
        StartOrderDelete(*aRequest.UserOrder, Account, aRequest.Multi);
        break;
    default:
        StartMarketRequest(aRequest);
        break;
    }
}
