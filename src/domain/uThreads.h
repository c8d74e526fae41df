#pragma once

#include "domain/uCommon.h"

class TConnectionItem;

// Stand-in for the request workers: the balance request of one account. The
// worker family replaces this header; until then the request sends nothing,
// so its result stays uaUndefined, as for a request that never ran.
class TAccountThread {
public:
    // aAccount nullptr: the main account.
    explicit TAccountThread(TConnectionItem* aAccount) : fAccount(aAccount) {}
    TAccountThread(const TAccountThread&) = delete;
    TAccountThread& operator=(const TAccountThread&) = delete;

    TConnectionItem* Account() const { return fAccount; }
    TUserAuth Auth() const { return fAuth; }

    // Starts a worker that frees itself when it ends.
    static void StartFree(TConnectionItem* aAccount) { TAccountThread(aAccount).Run(); }
    // Runs the request and returns once it has ended.
    void Run() {}

private:
    TConnectionItem* fAccount;
    TUserAuth fAuth = uaUndefined;
};
