#pragma once

#include "domain/uAccountReplies.h"
#include "domain/uBaseThread.h"
#include "domain/uCollections.h"

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
};

// An account's orders, of one symbol when one was selected at the start.
class TUserOrdersThread : public TBaseAuthThread {
public:
    // Before Start; empty: every symbol.
    void SetSymbol(std::string aSymbol) { fSymbol = std::move(aSymbol); }

protected:
    void DoMakeRequest() override;
    bool DoReadReply() override;
    void DoOutput() override;
    // The list of the account that the reply replaces.
    virtual TUserOrderList& List(TConnectionItem& aAccount) const = 0;

private:
    std::string fSymbol;
    std::vector<TUserOrder> fOrders;
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

// Places fOrder; with Multi, mirrors it to every further account.
class TOrderPostThread : public TBaseOrderThread {
protected:
    std::string RequestName() const override { return "OrderPost"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override;
    bool OnlyWhileWorking() const override { return true; }
    void DoMakeRequest() override;
    bool DoReadReply() override;
    void DoOutput() override;
    void DoNotify() override;

private:
    TPlacedOrder fPlaced;
};

// Cancels an order; with Multi, also the matching open order of every
// further account.
class TOrderDeleteThread : public TBaseOrderThread {
public:
    // Before Start.
    void SetUserOrder(const TUserOrder& aOrder) { fUserOrder = aOrder; }
    const TUserOrder& UserOrder() const { return fUserOrder; }

protected:
    std::string RequestName() const override { return "OrderDelete"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override;
    bool OnlyWhileWorking() const override { return true; }
    void DoMakeRequest() override;
    bool DoReadReply() override;
    void DoOutput() override;
    void DoNotify() override;

private:
    TUserOrder fUserOrder;
};

// The request kinds of an account's lists and balances (RequestKey with the
// account's number): such a request is running while its worker runs.
inline constexpr std::string_view cOpenOrdersKind = "OpenOrders";
inline constexpr std::string_view cAllOrdersKind = "AllOrders";
inline constexpr std::string_view cAccountKind = "Account";

// Starters, user-interface thread: each starts a worker that frees itself.
// aAccount nullptr: the main account. What the worker needs is copied now.
void StartOpenOrders(TConnectionItem* aAccount, const std::string& aSymbol);
void StartAllOrders(TConnectionItem* aAccount, const std::string& aSymbol);
void StartOrderPost(const TOrder& aOrder, TConnectionItem* aAccount, bool aMulti);
void StartOrderDelete(const TUserOrder& aOrder, TConnectionItem* aAccount, bool aMulti);
