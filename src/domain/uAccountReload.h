#pragma once

#include "domain/uProfile.h"

#include <vector>

// What an account's reload asks for.
enum class TReloadKind { OpenOrders, Balances };

// The accounts' open orders and balances after a placement or a cancel,
// asked for until a reply has been read: at once, then cFirstRetrySeconds
// after a failure and every cRetrySeconds after that, counted in ticks of the
// second timer. A request the exchange refused ends the reload: asking again
// would be refused again (keys revoked, say), until a later change wants it
// anew. One request of a kind and account at a time: one running,
// whoever started it, is waited for, and a reply to a request that began
// before the latest want does not end it. An account the profile no longer
// holds is dropped; nothing is asked unless the workflow is working.
// User-interface thread only.
class TAccountReloads {
public:
    static constexpr int cFirstRetrySeconds = 1;
    static constexpr int cRetrySeconds = 5;

    // The account's open orders and balances.
    void Want(const TConnectionItem& aAccount);
    void Want(const TConnectionItem& aAccount, TReloadKind aKind);
    // Every second, from the workflow.
    void Tick();

private:
    struct TReload {
        TAccountID Account;
        TReloadKind Kind;
        // Wants are counted: the latest one, and the latest that the last
        // request began after.
        unsigned Wanted = 0;
        unsigned Asked = 0;
        bool Running = false;
        int Failures = 0;
        int SecondsToAsk = 0;
    };

    std::vector<TReload>::iterator Find(TAccountID aAccount, TReloadKind aKind);
    // Starts the request unless one of its key runs; it stays due then.
    void Ask(TReload& aReload);
    template <class TWorker> void Start(TReload& aReload, TConnectionItem& aAccount);
    // The end of a request this started; aRead: its reply was read;
    // aRefused: the exchange refused it.
    void Ended(TAccountID aAccount, TReloadKind aKind, bool aRead, bool aRefused);

    std::vector<TReload> fReloads;
};
