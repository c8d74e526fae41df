#pragma once

#include "domain/uCommon.h"
#include "platform/Thread.h"

#include <memory>

#include <string>

class TConnectionItem;

// Stand-in for the market model: the part of it that the accounts rely on.
// The model itself replaces this header; until then the request starters ask
// the exchange for nothing.

// The user's selection and authorisation state.
class TUserInputData {
public:
    // The selected symbol; empty when none.
    const std::string& Symbol() const { return fSymbol; }
    void SetSymbol(std::string Value) { fSymbol = std::move(Value); }
    TUserAuth Auth() const { return fAuth; }
    void SetAuth(TUserAuth Value) { fAuth = Value; }

private:
    std::string fSymbol;
    TUserAuth fAuth = uaUndefined;
};

class TUser {
public:
    TUser() = default;
    TUser(const TUser&) = delete;
    TUser& operator=(const TUser&) = delete;
    virtual ~TUser() = default;

    TUserInputData& Input() { return fInputData; }

    // Start the open-orders and order-history requests of an account
    // (nullptr: the main account) and return at once. Virtual so that tests
    // can watch which requests are started.
    virtual void OpenOrdersEx(TConnectionItem* aProfile) {}
    virtual void AllOrdersEx(TConnectionItem* aProfile) {}

    // The workers that serve no chart. Each worker holds the list, so that
    // one still running when the model is freed unregisters safely.
    TThreadList& ThreadList() { return *fThreadList; }
    const std::shared_ptr<TThreadList>& ThreadListHandle() const { return fThreadList; }
    std::size_t ThreadListCount() const { return fThreadList->Count(); }
    // User-interface thread, once, when the main window closes.
    void WaitForThreads();

private:
    TUserInputData fInputData;
    std::shared_ptr<TThreadList> fThreadList = std::make_shared<TThreadList>();
};

// Created and destroyed by the builder; nullptr outside that span.
extern TUser* User;
