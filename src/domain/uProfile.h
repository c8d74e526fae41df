#pragma once

#include "domain/uCollection.h"
#include "domain/uCommon.h"
#include "domain/uProfileLists.h"

#include <cstdint>
#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <stdexcept>
#include <string>

class TProfile;

// How an account's balance request ended: its authorisation, and whether
// the exchange refused the keys (then with its message) rather than failed
// to answer.
struct TAccountCheck {
    TUserAuth Auth = uaUndefined;
    bool KeysRefused = false;
    std::string Refusal;
};

// An account's number for the whole run: what a request carries in place of
// the account itself, since the account may be deleted, and another one made
// at the same address, before the reply arrives. Never 0.
using TAccountID = std::int64_t;

// One exchange account: its keys (clear text in memory), and for a further
// account its name and volume ratio; also what the exchange last reported
// for it. User-interface thread only.
class TConnectionItem {
public:
    // Takes the next number.
    TConnectionItem();
    TConnectionItem(const TConnectionItem&) = delete;
    TConnectionItem& operator=(const TConnectionItem&) = delete;

    TAccountID ID() const { return fID; }

    const std::string& ApiKey() const { return fApiKey; }
    const std::string& SecretKey() const { return fSecretKey; }
    const std::string& Name() const { return fName; }
    // A mirrored order's quantity is the main quantity times Rate.
    double Rate() const { return fRate; }
    void SetApiKey(std::string Value) { fApiKey = std::move(Value); }
    void SetSecretKey(std::string Value) { fSecretKey = std::move(Value); }
    void SetName(std::string Value) { fName = std::move(Value); }
    void SetRate(double Value) { fRate = Value; }

    TBalanceList& BalanceList() { return fBalanceList; }
    TUserOrderList& UserOrderList() { return fUserOrderList; }
    TUserOrderList& UserOrderHistory() { return fUserOrderHistory; }
    const TBalanceList& BalanceList() const { return fBalanceList; }
    const TUserOrderList& UserOrderList() const { return fUserOrderList; }
    const TUserOrderList& UserOrderHistory() const { return fUserOrderHistory; }

    // Copies the two keys only.
    void Assign(const TConnectionItem& Source);

    // The balance request of aProfile (nullptr: the main account). uaUndefined
    // at once unless the workflow is working. aFree: the request runs on by
    // itself and the result is uaUndefined (the balances arrive later); else
    // waits for it and returns its authorisation (the request asks for the
    // server time itself while the exchange's clock is not set).
    // aCheck, when given and waited for, receives how the request ended.
    TUserAuth AccountEx(TConnectionItem* aProfile, bool aFree, TAccountCheck* aCheck = nullptr);

    // Starts the one request this account still misses, if any, and returns
    // False when it started one. Called at every change of the clock.
    bool CheckLoaded();

private:
    const TAccountID fID;
    std::string fApiKey;
    std::string fSecretKey;
    std::string fName;
    double fRate = 0;
    TBalanceList fBalanceList;
    TUserOrderList fUserOrderList;
    TUserOrderList fUserOrderHistory;
};

// The further accounts, in list order.
class TConnectionItems : public TOwnedCollection<TConnectionItem> {
public:
    explicit TConnectionItems(TProfile* aProfile) : fProfile(aProfile) {}

    TProfile* Profile() const { return fProfile; }
    int CurrentConnectionIndex() const { return fCurrentConnectionIndex; }
    void SetCurrentConnectionIndex(int Value) { fCurrentConnectionIndex = Value; }

    // Clears the collection and adds a copy (keys only) of each source item.
    void Assign(const TConnectionItems& Source);

private:
    TProfile* fProfile;
    int fCurrentConnectionIndex = -1;
};

// The initial visibility of the main window's toolbars and docked panels;
// the defaults depend on the workflow mode.
class TUIVisible {
public:
    explicit TUIVisible(TWorkflowMode Mode = wfmTrade);

    bool tbIntervals() const { return ftbIntervals; }
    bool tbCharts() const { return ftbCharts; }
    bool tbStandarts() const { return ftbStandarts; }
    bool tbInstruments() const { return ftbInstruments; }
    bool dpMarketView() const { return fdpMarketView; }
    bool dpMarketDepth() const { return fdpMarketDepth; }
    bool dpNavigate() const { return fdpNavigate; }
    bool dpVolumeMonitor() const { return fdpVolumeMonitor; }
    bool dpTerminal() const { return fdpTerminal; }

private:
    bool ftbIntervals = true;
    bool ftbCharts = true;
    bool ftbStandarts;
    bool ftbInstruments = true;
    bool fdpMarketView;
    bool fdpMarketDepth;
    bool fdpNavigate = false;
    bool fdpVolumeMonitor;
    bool fdpTerminal;
};

// The exchange accounts and the panel flags, kept in "config.json" with the
// keys scrambled. One instance, the global Profile, owned by the builder.
// User-interface thread only.
class TProfile {
public:
    static constexpr int cMaxConnections = 10;
    // The accounts file's name in the program's folder.
    static constexpr char cDefaultFileName[] = "config.json";

    // aFileName: the accounts file; empty for cDefaultFileName in the
    // program's folder, looked up at each load and save.
    explicit TProfile(std::string aFileName = {});
    TProfile(const TProfile&) = delete;
    TProfile& operator=(const TProfile&) = delete;
    ~TProfile();

    // Loads the accounts file; True.
    bool Init();
    // Reads the file; a missing file gives the empty profile, which is then
    // written. Raises EProfileError when the file holds no JSON. The further
    // accounts are then announced.
    bool LoadFromFile();
    // Keeps the profile as it is (empty after creation); True.
    bool LoadDefault();
    // Writes the main account and the further accounts, replacing the file
    // atomically, readable by the owner only. A failure is told to the trader
    // (SaveReported) and keeps the old file; false then.
    bool SaveToFile();
    // Announces the further accounts on the update queue (code 170): after
    // a load, and after one was added or deleted or its ratio changed.
    void NotifyConnections() const;

    // An edit of the main keys: MainProfile is a copy of the main account's
    // keys until the edit is committed (both keys copied back) or rolled back.
    void MainBeginUpdate();
    void MainCommitUpdate();
    void MainRollbackUpdate();

    TConnectionItem& MainProfile() { return GetMainProfile(); }
    TConnectionItem& GetMainProfile();
    TConnectionItems& Connections() { return GetConnections(); }
    TConnectionItems& GetConnections() { return fConnections; }
    TUIVisible& UIVisible() { return fUIVisible; }
    // The main account, its edit buffer or the further account of that
    // number; nullptr once it is gone (a reply may arrive after its account
    // was removed).
    TConnectionItem* Find(TAccountID aID);

    std::string FileName() const;

private:
    void ReadConfig(const nlohmann::ordered_json& Config);

    std::string fFileName;
    TUIVisible fUIVisible;
    TConnectionItem fMainProfile;
    std::unique_ptr<TConnectionItem> fBufferMainProfile;
    TConnectionItems fConnections{this};
};

// The accounts file could not be read.
class EProfileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Created and destroyed by the builder; nullptr outside that span.
extern TProfile* Profile;
