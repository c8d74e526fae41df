#pragma once

#include "domain/uAccountReplies.h"
#include "domain/uBaseThread.h"
#include "domain/uCollections.h"
#include "domain/uOrderMirrors.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The signed requests: balances, open orders, order history, order placement
// and cancel. Each reads its reply on the worker into values of its own; the
// output step applies them on the user-interface thread, and only to an
// account the profile still holds.

// The balances of an account, and from them whether its keys are accepted.
class TAccountThread : public TBaseAuthThread {
public:
    // uaAuth when the exchange answered, uaUnauth when it refused or failed,
    // uaUndefined when nothing was asked or the reply could not be read.
    // Read once the worker has ended.
    TUserAuth Auth() const { return fAuth; }
    // The same with whether the exchange refused the keys, and its words.
    TAccountCheck Check() const;
    // Whether the reply was read into the account. Read once the worker has
    // ended.
    bool Read() const { return fRead; }

protected:
    std::string RequestName() const override { return "Account"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override;
    bool OnlyWhileWorking() const override { return true; }
    void DoExecute() override;
    void DoMakeRequest() override;
    bool DoReadReply() override;
    void DoOutput() override;
    void DoNotify() override;

private:
    TUserAuth fAuth = uaUndefined;
    std::vector<TBalanceEntry> fBalances;
    bool fRead = false;
};

// An account's orders, of one symbol when one is given.
class TUserOrdersThread : public TBaseAuthThread {
public:
    // Before Start; empty: every symbol.
    void SetSymbol(std::string aSymbol) { fSymbol = std::move(aSymbol); }
    // Whether the reply was read into the account. Read once the worker has
    // ended.
    bool Read() const { return fRead; }

protected:
    void DoMakeRequest() override;
    bool DoReadReply() override;
    void DoOutput() override;
    // The list of the account that the reply replaces.
    virtual TUserOrderList& List(TConnectionItem& aAccount) const = 0;

private:
    std::string fSymbol;
    std::vector<TUserOrder> fOrders;
    bool fRead = false;
};

class TOpenOrdersThread : public TUserOrdersThread {
protected:
    std::string RequestName() const override { return "OpenOrders"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override;
    TUserOrderList& List(TConnectionItem& aAccount) const override;
    void DoNotify() override;
};

class TAllOrdersThread : public TUserOrdersThread {
protected:
    std::string RequestName() const override { return "AllOrders"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override;
    TUserOrderList& List(TConnectionItem& aAccount) const override;
    void DoNotify() override;
};

// The further accounts' refusals of one mirrored placement or cancel, those
// whose request got no readable answer and those where no order was found to
// cancel, shown in one box once the last mirrored request of the round has
// ended. User-interface thread only.
class TMirrorRound {
public:
    // The box's headings, untranslated: above the refusals, above the
    // accounts without an answer.
    TMirrorRound(std::string aTitle, std::string aUnansweredTitle)
        : fTitle(std::move(aTitle)), fUnansweredTitle(std::move(aUnansweredTitle))
    {
    }

    // A request of the round starts; each one ends with Done.
    void Join() { ++fPending; }
    // aRefusal empty and not aUnanswered: the account's request went through.
    void Done(const std::string& aAccount, const std::string& aRefusal, bool aUnanswered = false);
    // A further account where no order was found to cancel.
    void NotFound(const std::string& aAccount) { fNotFound.push_back(aAccount); }
    // The main account's confirmation box; the accounts already known to have
    // no order to cancel are named in it, not left for the round's box.
    void Confirm(const std::string& aConfirmation);

private:
    std::string fTitle;
    std::string fUnansweredTitle;
    int fPending = 0;
    std::vector<std::string> fRefusals;
    std::vector<std::string> fUnanswered;
    std::vector<std::string> fNotFound;
};

// A placement or a cancel. When the exchange refuses it (a 4xx status, or an
// error object as the reply) the main account's trader sees the exchange's
// words in a box; a further account's refusal is logged and told in its
// round's box. When no readable answer comes (no connection, a time-out, a
// connection closed without a reply, a 5xx status, an unreadable reply) the
// outcome is unknown: it is never called refused nor sent again; the
// account's open orders and balances are reloaded and the trader is told so.
class TOrderChangeThread : public TBaseOrderThread {
public:
    // Before Start: the round a mirrored request belongs to.
    void SetRound(std::shared_ptr<TMirrorRound> aRound) { fRound = std::move(aRound); }

protected:
    // Worker: the common shape, then the outcome told on the user-interface
    // thread, whatever way the request ended.
    void DoExecute() override;
    // Worker: a failed exchange kept as a refusal or as unanswered.
    void DoSendRequest() override;
    // Worker: false, with the refusal kept, when the reply is the exchange's
    // refusal; a reply that cannot be read is unanswered, and raises.
    bool DoReadReply() final;
    // Worker: reads the accepted reply; raises EReplyError when it cannot.
    virtual void ReadAccepted() = 0;
    // The box texts, untranslated: a refusal ("%s" for the exchange's
    // words), and no answer.
    virtual const char* RefusedText() const = 0;
    virtual const char* UnansweredText() const = 0;
    // User-interface thread, when the exchange refused the request for the
    // account given, before the box.
    virtual void DoRefused(TConnectionItem&) {}
    // User-interface thread, last, however the request ended; given whether
    // it ended without a readable answer.
    virtual void DoEnded(bool) {}

    std::shared_ptr<TMirrorRound> fRound;

private:
    void TellOutcome();
    // True when the outcome is unknown and has been told.
    bool TellUnanswered(TConnectionItem* aTarget);

    std::string fRefusal;
    // Why no readable answer came; empty when one did.
    std::string fNoAnswer;
};

// Places fOrder; with Multi, mirrors it to every further account.
class TOrderPostThread : public TOrderChangeThread {
public:
    // Before Start: the main-account order this placement mirrors.
    void SetMirrorOf(const TMirroredOrder& aMain) { fMirrorOf = aMain; }

protected:
    std::string RequestName() const override { return "OrderPost"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override;
    bool OnlyWhileWorking() const override { return true; }
    void DoMakeRequest() override;
    void ReadAccepted() override;
    void DoOutput() override;
    void DoNotify() override;
    void DoEnded(bool aUnanswered) override;
    const char* RefusedText() const override { return "Ордер отклонен: %s"; }
    const char* UnansweredText() const override
    {
        return "Нет ответа от биржи: ордер мог быть создан. Открытые ордера и балансы "
               "загружаются заново.";
    }

private:
    TPlacedOrder fPlaced;
    TMirroredOrder fMirrorOf;
    bool fConfirmed = false;
};

// Cancels an order; with Multi, also its mirror on every further account. A
// refused cancel reloads the open orders and balances of the account, or of
// every account when it was mirrored.
class TOrderDeleteThread : public TOrderChangeThread {
public:
    // Before Start.
    void SetUserOrder(const TUserOrder& aOrder) { fUserOrder = aOrder; }
    const TUserOrder& UserOrder() const { return fUserOrder; }

protected:
    std::string RequestName() const override { return "OrderDelete"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override;
    bool OnlyWhileWorking() const override { return true; }
    void DoMakeRequest() override;
    void ReadAccepted() override;
    void DoOutput() override;
    void DoNotify() override;
    const char* RefusedText() const override { return "Отмена ордера отклонена: %s"; }
    void DoRefused(TConnectionItem& aTarget) override;
    const char* UnansweredText() const override
    {
        return "Нет ответа от биржи: ордер мог быть отменен. Открытые ордера и балансы "
               "загружаются заново.";
    }

private:
    TUserOrder fUserOrder;
};

// Why aOrder cannot go out, as the message to the trader says it
// (untranslated): quantity, then price (limit kinds), then stop price (stop
// kinds) must be finite and greater than 0. Empty when it can go.
std::string OrderFault(const TOrder& aOrder);

// The request kinds of an account's lists and balances (RequestKey with the
// account's number): such a request is running while its worker runs.
inline constexpr std::string_view cOpenOrdersKind = "OpenOrders";
inline constexpr std::string_view cAllOrdersKind = "AllOrders";
inline constexpr std::string_view cAccountKind = "Account";

// Starters, user-interface thread: each starts a worker that frees itself.
// aAccount nullptr: the main account. What the worker needs is copied now.
// Open orders are asked for every symbol at once; the history only for one
// (the exchange requires it).
void StartOpenOrders(TConnectionItem* aAccount);
void StartAllOrders(TConnectionItem* aAccount, const std::string& aSymbol);
// An order with an OrderFault is not sent: the fault is logged (and told in
// aRound's box for a mirrored copy). A copy given aMirrorOf is remembered as
// that order's mirror.
void StartOrderPost(const TOrder& aOrder, TConnectionItem* aAccount, bool aMulti,
                    std::shared_ptr<TMirrorRound> aRound = nullptr,
                    const TMirroredOrder& aMirrorOf = {});
void StartOrderDelete(const TUserOrder& aOrder, TConnectionItem* aAccount, bool aMulti,
                      std::shared_ptr<TMirrorRound> aRound = nullptr);
