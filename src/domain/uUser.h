#pragma once

#include "domain/uCollections.h"
#include "domain/uCommon.h"
#include "domain/uDepth.h"
#include "domain/uProfileLists.h"
#include "domain/uSymbolShowList.h"
#include "platform/Thread.h"
#include "units/uDObject.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class TAccountReloads;
class TConnectionItem;
class TOrderMirrors;

// The user's selection and authorisation state. The authorisation has an
// edit buffer: between AuthBeginUpdate and its commit or rollback, Auth
// reads and writes the buffer, and only a commit makes it the state.
class TUserInputData {
public:
    // The selected symbol; empty when none.
    const std::string& Symbol() const { return fSymbol; }
    void SetSymbol(std::string Value) { fSymbol = std::move(Value); }
    // Hide assets with nothing free and nothing locked.
    bool NoZeroBalance() const { return fNoZeroBalance; }
    void SetNoZeroBalance(bool Value) { fNoZeroBalance = Value; }
    TDateTime Time() const { return fTime; }
    void SetTime(TDateTime Value) { fTime = Value; }
    // Mirror orders to the further accounts.
    bool Multi() const { return fMulti; }
    void SetMulti(bool Value) { fMulti = Value; }

    TUserAuth Auth() const { return fAuthUpdated ? fBufferAuth : fAuth; }
    void SetAuth(TUserAuth Value) { (fAuthUpdated ? fBufferAuth : fAuth) = Value; }
    void AuthBeginUpdate();
    void AuthCommitUpdate();
    void AuthRollbackUpdate();

private:
    std::string fSymbol;
    bool fNoZeroBalance = false;
    TDateTime fTime = 0;
    TUserAuth fAuth = uaUndefined;
    TUserAuth fBufferAuth = uaUndefined;
    bool fAuthUpdated = false;
    bool fMulti = false;
};

enum class TRequestKind {
    Time,
    Depth,
    TickerPrice,
    Ticker24hr,
    Ticker24hrVolume,
    TickerBookTicker,
    OpenOrders,
    AllOrders,
    OrderPost,
    OrderDelete
};

// One request as its starter hands it to a worker; every field is a copy.
struct TRequest {
    TRequestKind Kind;
    // The symbol asked for (TickerPrice: empty for all symbols); for the
    // order book and the order lists the selected symbol at start.
    std::string Symbol{};
    // The account of a signed request, where its reply goes: the main account
    // when the starter was given none. Its worker copies the keys when it
    // starts and never reads the account on its own thread.
    TConnectionItem* Account = nullptr;
    std::optional<TOrder> Order{};
    std::optional<TUserOrder> UserOrder{};
    bool Multi = false;
};

// The market model and the starter of every request. One instance, the
// global User. The windows read it; only the workers' output steps and the
// windows' commands change it, all on the user-interface thread. Each
// starter does nothing unless the workflow is working; otherwise it copies
// what its worker needs and returns at once.
class TUser {
public:
    TUser();
    TUser(const TUser&) = delete;
    TUser& operator=(const TUser&) = delete;
    virtual ~TUser();

    TUserInputData& Input() { return *fInputData; }
    TSymbolShowList& SymbolShowList() { return *fSymbolShowList; }
    TDepthList& DepthList() { return *fDepthList; }
    TVolumeList& VolumeList() { return *fVolumeList; }
    // Best bid and ask of the order dialog's symbol, and the symbol they
    // were asked for (a reply may come after the dialog changed its symbol).
    double Bid() const { return fBid; }
    double Ask() const { return fAsk; }
    const std::string& BookSymbol() const { return fBookSymbol; }
    void SetBid(double Value) { fBid = Value; }
    void SetAsk(double Value) { fAsk = Value; }
    void SetBookSymbol(const std::string& Value) { fBookSymbol = Value; }
    // Makes aName the selected symbol; a new one drops the book of the old
    // one. True when the selection changed.
    bool SelectSymbol(const std::string& aName);
    // Publishes ORDER_BOOK_TICKER.
    TDPublisher& Publisher() { return *fPublisher; }

    // The workers that serve no chart. Each worker holds the list, so that
    // one still running when the model is freed unregisters safely.
    TThreadList& ThreadList() { return *fThreadList; }
    const std::shared_ptr<TThreadList>& ThreadListHandle() const { return fThreadList; }
    std::size_t ThreadListCount() const { return fThreadList->Count(); }
    // User-interface thread, once, when the main window closes.
    void WaitForThreads();
    // The reloads of accounts after a placement or a cancel.
    TAccountReloads& Reloads() { return *fReloads; }
    // The further accounts' mirrors of main-account orders placed here.
    TOrderMirrors& Mirrors() { return *fMirrors; }

    // At shut-down: frees the model's contents; nothing reads them afterwards.
    void DeInit();

    // Starts the ping; aEnded gets whether it was answered, on the
    // user-interface thread when its worker ends. False when none started
    // (not working).
    virtual bool Ping(std::function<void(bool aAnswered)> aEnded);
    virtual void Time();
    // The order book of Input.Symbol; nothing without a selected symbol.
    virtual void DepthEx();
    // aSymbol empty: all symbols.
    virtual void TickerPrice(const std::string& aSymbol);
    virtual void Ticker24hrEx();
    virtual void Ticker24hrVolume();
    virtual void TickerBookTicker(const std::string& aSymbol);
    // aProfile nullptr: the main account. Open orders of every symbol; the
    // history of the selected one.
    virtual void OpenOrdersEx(TConnectionItem* aProfile);
    virtual void AllOrdersEx(TConnectionItem* aProfile);
    virtual void OrderPost(const TOrder& aOrder, TConnectionItem* aProfile, bool aMulti);
    virtual void OrderDelete(const TUserOrder& aOrder, TConnectionItem* aProfile, bool aMulti);

protected:
    // Hands a request to its worker.
    virtual void Start(TRequest aRequest);

private:
    static bool Working();
    // aProfile, or the main account when none is given.
    static TConnectionItem* AccountOrMain(TConnectionItem* aProfile);

    std::shared_ptr<TThreadList> fThreadList = std::make_shared<TThreadList>();
    std::unique_ptr<TUserInputData> fInputData;
    std::unique_ptr<TSymbolShowList> fSymbolShowList;
    std::unique_ptr<TDepthList> fDepthList;
    std::unique_ptr<TVolumeList> fVolumeList;
    double fBid = 0;
    double fAsk = 0;
    std::string fBookSymbol;
    std::unique_ptr<TDPublisher> fPublisher;
    std::unique_ptr<TAccountReloads> fReloads;
    std::unique_ptr<TOrderMirrors> fMirrors;
};

// Created and destroyed by the builder; nullptr outside that span.
extern TUser* User;
