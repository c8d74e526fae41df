#include "domain/uOrderThreads.h"

#include "domain/uAccountReload.h"
#include "domain/uChartListLink.h"
#include "domain/uCommon.h"
#include "domain/uLog.h"
#include "domain/uMethods.h"
#include "domain/uOrderMirrors.h"
#include "domain/uProfile.h"
#include "domain/uReplyError.h"
#include "domain/uSysTime.h"
#include "domain/uTradeEngine.h"
#include "domain/uTranslator.h"
#include "domain/uUIWriter.h"
#include "domain/uUser.h"
#include "domain/uWorkflow.h"
#include "platform/MessageBox.h"

#include <cmath>
#include <exception>

namespace {

bool IsLimit(const std::string& aType)
{
    return aType == "LIMIT" || aType == "STOP_LOSS_LIMIT";
}

std::string TimeStamp()
{
    return SysTime ? SysTime->GetTimeStamp() : "0";
}

// "timestamp=...&recvWindow=60000"
std::string SignedQuery()
{
    std::string Query;
    AddQuery(Query, "timestamp", TimeStamp());
    AddQuery(Query, "recvWindow", std::to_string(cRecvWindow));
    return Query;
}

bool IsMainAccount(const TConnectionItem* aAccount)
{
    return Profile && aAccount == &Profile->MainProfile();
}

// After a placement or a cancel: the order history once, the open orders
// and balances until they are read.
void RefreshAccount(TConnectionItem& aAccount)
{
    if (User) {
        User->AllOrdersEx(&aAccount);
        User->Reloads().Want(aAccount);
    }
}

// A balances, placement or cancel reply that came while the terminal works
// announces new balances.
void NotifyBalances(const std::string& aResponse)
{
    if (!aResponse.empty() && Workflow && Workflow->State() == wfsWorking)
        QueueNotify(BASE_MAIN_BALANCES, 0);
}

template <class TWorker> std::shared_ptr<TWorker> NewWorker(TConnectionItem* aAccount, bool aMulti)
{
    auto Worker = std::make_shared<TWorker>();
    Worker->SetAccount(aAccount);
    Worker->SetMulti(aMulti);
    return Worker;
}

std::string Translated(const std::string& aText, std::initializer_list<std::string_view> aValues)
{
    return Translator ? Translator->Translate(aText, aValues) : FillPlaceholders(aText, aValues);
}

std::string AccountName(const TConnectionItem* aAccount)
{
    return aAccount ? aAccount->Name() : std::string();
}

// After a placement or a cancel: the account's refresh and, with aMulti, the
// mirrored requests start before the confirmation for the main account,
// which waits for the trader. The round is held open meanwhile, so that a
// mirrored request refused at once does not end it early.
template <class TMirror>
void MirrorRound(const char* aTitle, const char* aUnansweredTitle, bool aMulti,
                 TConnectionItem& aAccount, TMirror aMirror, const std::string& aConfirmation)
{
    auto Round = std::make_shared<TMirrorRound>(aTitle, aUnansweredTitle);
    Round->Join();
    RefreshAccount(aAccount);
    if (aMulti && Profile && User)
        for (TConnectionItem& Further : Profile->Connections())
            aMirror(Further, Round);
    if (IsMainAccount(&aAccount))
        Round->Confirm(aConfirmation);
    Round->Done({}, {});
}

// The mirror of aMain placed here on aFurther is cancelled by its id, or,
// while its placement runs, once that is confirmed. False when none was.
bool CancelMirror(const TMirroredOrder& aMain, TConnectionItem& aFurther,
                  const std::shared_ptr<TMirrorRound>& aRound)
{
    TOrderMirrors::TMirror* Mirror = User->Mirrors().Find(aMain, aFurther.ID());
    if (!Mirror)
        return false;
    if (Mirror->Order) {
        const TUserOrder Order = *Mirror->Order;
        User->Mirrors().Forget(*Mirror);
        StartOrderDelete(Order, &aFurther, false, aRound);
    } else if (!Mirror->CancelRound) {
        aRound->Join();
        Mirror->CancelRound = aRound;
    }
    return true;
}

// A confirmed mirror as a cancel needs it.
TUserOrder PlacedUserOrder(const TPlacedOrder& aPlaced)
{
    TUserOrder Order;
    Order.SetOrderID(aPlaced.OrderID);
    Order.SetSymbol(aPlaced.Symbol);
    Order.SetSide(aPlaced.Side);
    Order.SetOrderType(aPlaced.Type);
    Order.SetPrice(aPlaced.Price);
    Order.SetOrigQuantity(aPlaced.OrigQuantity);
    return Order;
}

void AppendSection(std::string& aText, const std::string& aHeading,
                   const std::vector<std::string>& aLines)
{
    if (aLines.empty())
        return;
    if (!aText.empty())
        aText += "\n";
    aText += Translated(aHeading, {});
    for (const std::string& Line : aLines)
        aText += "\n" + Line;
}

const char* const cNotFoundTitle = "На дополнительных счетах не найден ордер для отмены:";

} // namespace

void TMirrorRound::Done(const std::string& aAccount, const std::string& aRefusal, bool aUnanswered)
{
    if (!aRefusal.empty())
        fRefusals.push_back(ShownText(aAccount + ": " + aRefusal));
    else if (aUnanswered)
        fUnanswered.push_back(aAccount);
    if (--fPending > 0 || (fRefusals.empty() && fUnanswered.empty() && fNotFound.empty()))
        return;
    std::string Text;
    AppendSection(Text, fTitle, fRefusals);
    AppendSection(Text, fUnansweredTitle, fUnanswered);
    AppendSection(Text, cNotFoundTitle, fNotFound);
    fRefusals.clear();
    fUnanswered.clear();
    fNotFound.clear();
    Msg(Text, mtAlert);
}

void TMirrorRound::Confirm(const std::string& aConfirmation)
{
    std::string Text = aConfirmation;
    AppendSection(Text, cNotFoundTitle, fNotFound);
    const bool Plain = fNotFound.empty();
    fNotFound.clear();
    Msg(Text, Plain ? mtInfo : mtAlert);
}

void TOrderChangeThread::DoExecute()
{
    std::exception_ptr Failed;
    try {
        TBaseOrderThread::DoExecute();
    } catch (...) {
        Failed = std::current_exception();
    }
    Synchronize([this] { TellOutcome(); });
    if (Failed)
        std::rethrow_exception(Failed);
}

// Only a reply the exchange sent as a refusal is one: a 4xx status. Any
// other failed exchange (no connection, a time-out, a reply cut short, a 5xx
// status) and an empty reply leave the outcome unknown.
void TOrderChangeThread::DoSendRequest()
{
    TBaseOrderThread::DoSendRequest();
    if (!fResponse.empty() || !fError.empty())
        return;
    if (fFailure.Failed && fFailure.Status >= 400 && fFailure.Status <= 499)
        fRefusal = fFailure.Message();
    else
        fNoAnswer = fFailure.Failed ? fFailure.StatusLine : "empty reply";
}

bool TOrderChangeThread::DoReadReply()
{
    if (!IsWorking())
        return false;
    fRefusal = ReplyRefusal(fResponse);
    if (!fRefusal.empty())
        return false;
    try {
        ReadAccepted();
    } catch (const EReplyError&) {
        fNoAnswer = "unreadable reply";
        throw;
    }
    return true;
}

void TOrderChangeThread::TellOutcome()
{
    TConnectionItem* Target = Account();
    bool Unanswered = false;
    if (!fRefusal.empty()) {
        LogAlert("TUser." + RequestName() + " refused: " + fRefusal);
        if (Target)
            DoRefused(*Target);
        if (!fRound && IsMainAccount(Target))
            Msg(Translated(RefusedText(), {ShownText(fRefusal)}), mtAlert);
    } else {
        Unanswered = TellUnanswered(Target);
    }
    DoEnded(Unanswered);
    if (fRound)
        fRound->Done(AccountName(Target), fRefusal, Unanswered);
}

// The account's history, open orders and balances are asked for (the last
// two until read) before the box, which waits for the trader. Nothing is sent again.
bool TOrderChangeThread::TellUnanswered(TConnectionItem* aTarget)
{
    if (fNoAnswer.empty() || !IsWorking())
        return false;
    LogAlert("TUser." + RequestName() + " no answer: " + fNoAnswer);
    if (aTarget)
        RefreshAccount(*aTarget);
    if (!fRound && IsMainAccount(aTarget))
        Msg(Translated(UnansweredText(), {}), mtAlert);
    return true;
}

std::string OrderFault(const TOrder& aOrder)
{
    auto Positive = [](double aValue) { return std::isfinite(aValue) && aValue > 0; };
    if (!Positive(aOrder.Quantity()))
        return "Объем должен быть больше 0";
    if (IsLimit(aOrder.Type_()) && !Positive(aOrder.Price()))
        return "Цена должна быть больше 0";
    if (aOrder.Type_() == "STOP_LOSS_LIMIT" && !Positive(aOrder.StopPrice()))
        return "Стоп-цена должна быть больше 0";
    return {};
}

// Balances.

std::unique_ptr<TDBaseMethod> TAccountThread::NewMethod() const
{
    return std::make_unique<TDMethodAccount>();
}

void TAccountThread::DoExecute()
{
    TBaseAuthThread::DoExecute();
    if (!fError.empty())
        fAuth = uaUnauth;
}

TAccountCheck TAccountThread::Check() const
{
    const bool Refused = fFailure.KeysRefused();
    return {fAuth, Refused, Refused ? ShownText(fFailure.Message()) : std::string()};
}

void TAccountThread::DoMakeRequest()
{
    fRequest = SignedQuery();
}

bool TAccountThread::DoReadReply()
{
    if (!IsWorking())
        return false;
    fBalances = ParseAccountReply(fResponse);
    return true;
}

void TAccountThread::DoOutput()
{
    TConnectionItem* Target = Account();
    if (Terminated() || !Target)
        return;
    const bool NoZero = User && User->Input().NoZeroBalance();
    ApplyBalances(Target->BalanceList(), fBalances, NoZero);
    fRead = true;
}

void TAccountThread::DoNotify()
{
    const bool Answered = !fResponse.empty() && IsWorking();
    NotifyBalances(fResponse);
    fAuth = Answered ? uaAuth : uaUnauth;
}

// Open orders and order history.

void TUserOrdersThread::DoMakeRequest()
{
    fRequest = SignedQuery();
    if (!fSymbol.empty())
        AddQuery(fRequest, "symbol", fSymbol);
}

bool TUserOrdersThread::DoReadReply()
{
    fOrders = ParseUserOrdersReply(fResponse, RequestName());
    return true;
}

void TUserOrdersThread::DoOutput()
{
    if (TConnectionItem* Target = Account()) {
        ApplyUserOrders(List(*Target), fOrders);
        fRead = true;
    }
}

std::unique_ptr<TDBaseMethod> TOpenOrdersThread::NewMethod() const
{
    return std::make_unique<TDMethodOpenOrders>();
}

TUserOrderList& TOpenOrdersThread::List(TConnectionItem& aAccount) const
{
    return aAccount.UserOrderList();
}

void TOpenOrdersThread::DoNotify()
{
    QueueNotify(BASE_MAIN_USERORDERS, 0);
    if (ChartList)
        ChartList->RefreshOrdersBubbles();
}

std::unique_ptr<TDBaseMethod> TAllOrdersThread::NewMethod() const
{
    return std::make_unique<TDMethodAllOrders>();
}

TUserOrderList& TAllOrdersThread::List(TConnectionItem& aAccount) const
{
    return aAccount.UserOrderHistory();
}

void TAllOrdersThread::DoNotify()
{
    QueueNotify(BASE_MAIN_USERORDERSHISTORY, 0);
}

// Placement.

std::unique_ptr<TDBaseMethod> TOrderPostThread::NewMethod() const
{
    return std::make_unique<TDMethodOrderPost>();
}

// One parameter a line, in the exchange's documented order.
void TOrderPostThread::DoMakeRequest()
{
    const TOrder& Order = *fOrder;
    const bool Limit = IsLimit(Order.Type_());
    fRequest.clear();
    AddParam(fRequest, "symbol", Order.Symbol());
    AddParam(fRequest, "side", Order.Side());
    AddParam(fRequest, "type", Order.Type_());
    if (Limit)
        AddParam(fRequest, "price", AsFloatStr(Order.Price()));
    AddParam(fRequest, "quantity", AsFloatStr(Order.Quantity()));
    AddParam(fRequest, "timestamp", TimeStamp());
    AddParam(fRequest, "recvWindow", std::to_string(cRecvWindow));
    if (Limit)
        AddParam(fRequest, "timeInForce", "GTC");
    if (Order.Type_() == "STOP_LOSS_LIMIT")
        AddParam(fRequest, "stopPrice", AsFloatStr(Order.StopPrice()));
    AddParam(fRequest, "newOrderRespType", "RESULT");
}

void TOrderPostThread::ReadAccepted()
{
    fPlaced = ParsePlacedOrderReply(fResponse, RequestName());
}

void TOrderPostThread::DoOutput()
{
    fConfirmed = true;
    TConnectionItem* Target = Account();
    if (!Target)
        return;
    const TMirroredOrder Main{AccountID(), fPlaced.OrderID};
    auto Mirror = [&](TConnectionItem& Further, const std::shared_ptr<TMirrorRound>& Round) {
        TOrder Copy = *fOrder;
        Copy.SetQuantity(fOrder->Quantity() * Further.Rate());
        StartOrderPost(Copy, &Further, false, Round, Main);
    };
    MirrorRound("Ордера на дополнительных счетах отклонены:",
                "Нет ответа от биржи, ордера могли быть созданы (открытые ордера и балансы "
                "загружаются заново):",
                fMulti, *Target, Mirror, "Создан ордер " + PlacedOrderText(fPlaced));
}

void TOrderPostThread::DoNotify()
{
    NotifyBalances(fResponse);
}

// A mirror is remembered once confirmed. When its main order was cancelled
// here meanwhile it is cancelled at once; one that may have been placed but
// cannot be taken by its id is named in that cancel's box.
void TOrderPostThread::DoEnded(bool aUnanswered)
{
    TOrderMirrors::TMirror* Mirror =
        User && fMirrorOf.OrderID > 0 ? User->Mirrors().Find(fMirrorOf, AccountID()) : nullptr;
    if (!Mirror)
        return;
    const bool Known = fConfirmed && fPlaced.OrderID > 0;
    if (!Mirror->CancelRound) {
        if (Known)
            Mirror->Order = PlacedUserOrder(fPlaced);
        else
            User->Mirrors().Forget(*Mirror);
        return;
    }
    const std::shared_ptr<TMirrorRound> Round = std::move(Mirror->CancelRound);
    User->Mirrors().Forget(*Mirror);
    TConnectionItem* Further = Account();
    if (Further && Known)
        StartOrderDelete(PlacedUserOrder(fPlaced), Further, false, Round);
    else if (Further && (fConfirmed || aUnanswered))
        Round->NotFound(Further->Name());
    Round->Done({}, {});
}

// Cancel.

std::unique_ptr<TDBaseMethod> TOrderDeleteThread::NewMethod() const
{
    return std::make_unique<TDMethodOrderDelete>();
}

void TOrderDeleteThread::DoMakeRequest()
{
    fRequest.clear();
    AddQuery(fRequest, "symbol", fUserOrder.Symbol());
    AddQuery(fRequest, "orderId", std::to_string(fUserOrder.OrderID()));
    AddQuery(fRequest, "timestamp", TimeStamp());
    AddQuery(fRequest, "recvWindow", std::to_string(cRecvWindow));
}

void TOrderDeleteThread::ReadAccepted()
{
    ParseAnyReply(fResponse, RequestName());
}

// Each further account's mirror placed here is cancelled by its id, at once
// or, while its placement runs, once that is confirmed. Only an account
// without one (an order placed before a restart, a placement whose reply was
// lost) is searched: for the open order of the same symbol, type, side, price
// and stop price placed nearest in time, less than 4 whole seconds away. An
// account where none is found is named in the round's box.
void TOrderDeleteThread::DoOutput()
{
    TConnectionItem* Target = Account();
    if (!Target)
        return;
    const TMirroredOrder Main{AccountID(), fUserOrder.OrderID()};
    auto Mirror = [&](TConnectionItem& Further, const std::shared_ptr<TMirrorRound>& Round) {
        if (CancelMirror(Main, Further, Round))
            return;
        if (const TUserOrder* Match = Further.UserOrderList().FindBy(fUserOrder))
            StartOrderDelete(*Match, &Further, false, Round);
        else
            Round->NotFound(Further.Name());
    };
    MirrorRound("Отмена ордеров на дополнительных счетах отклонена:",
                "Нет ответа от биржи, ордера могли быть отменены (открытые ордера и балансы "
                "загружаются заново):",
                fMulti, *Target, Mirror, "Ордер удален");
}

void TOrderDeleteThread::DoNotify()
{
    NotifyBalances(fResponse);
}

// The exchange may no longer hold the order (a restart loses them): the
// lists are made to show what it holds. In a mirrored cancel the other
// accounts have likely lost theirs too.
void TOrderDeleteThread::DoRefused(TConnectionItem& aTarget)
{
    if (!User)
        return;
    if (!(fMulti || fRound) || !Profile) {
        User->Reloads().Want(aTarget);
        return;
    }
    User->Reloads().Want(Profile->MainProfile());
    for (TConnectionItem& Further : Profile->Connections())
        User->Reloads().Want(Further);
}

// Starters.

void StartOpenOrders(TConnectionItem* aAccount)
{
    auto Worker = NewWorker<TOpenOrdersThread>(aAccount, false);
    Worker->SetRequestKey(RequestKey(cOpenOrdersKind, Worker->AccountID()));
    StartFree(Worker);
}

void StartAllOrders(TConnectionItem* aAccount, const std::string& aSymbol)
{
    auto Worker = NewWorker<TAllOrdersThread>(aAccount, false);
    Worker->SetSymbol(aSymbol);
    Worker->SetRequestKey(RequestKey(cAllOrdersKind, Worker->AccountID()));
    StartFree(Worker);
}

void StartOrderPost(const TOrder& aOrder, TConnectionItem* aAccount, bool aMulti,
                    std::shared_ptr<TMirrorRound> aRound, const TMirroredOrder& aMirrorOf)
{
    if (aRound)
        aRound->Join();
    if (const std::string Fault = OrderFault(aOrder); !Fault.empty()) {
        WriteLog("TUser.OrderPost not sent: " + Fault, mtAlert, 0);
        if (aRound)
            aRound->Done(AccountName(aAccount), Translated(Fault, {}));
        return;
    }
    if (aMirrorOf.OrderID > 0 && aAccount && User)
        User->Mirrors().Placing(aMirrorOf, aAccount->ID());
    auto Worker = NewWorker<TOrderPostThread>(aAccount, aMulti);
    Worker->SetOrder(std::make_shared<TOrder>(aOrder));
    Worker->SetMirrorOf(aMirrorOf);
    Worker->SetRound(std::move(aRound));
    StartFree(Worker);
}

void StartOrderDelete(const TUserOrder& aOrder, TConnectionItem* aAccount, bool aMulti,
                      std::shared_ptr<TMirrorRound> aRound)
{
    if (aRound)
        aRound->Join();
    auto Worker = NewWorker<TOrderDeleteThread>(aAccount, aMulti);
    Worker->SetUserOrder(aOrder);
    Worker->SetRound(std::move(aRound));
    StartFree(Worker);
}
