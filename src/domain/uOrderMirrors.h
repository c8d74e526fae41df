#pragma once

#include "domain/uProfile.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class TMirrorRound;

// A main-account order that further-account orders mirror.
struct TMirroredOrder {
    TAccountID Account = 0;
    int64_t OrderID = 0;

    bool operator==(const TMirroredOrder&) const = default;
};

// The further accounts' placements made here as mirrors of main-account
// orders, kept while the program runs (nothing of it is saved), so that a
// mirrored cancel takes each mirror by its id however late the exchange
// placed it. User-interface thread only.
class TOrderMirrors {
public:
    struct TMirror {
        TMirroredOrder Main;
        TAccountID Further = 0;
        // The confirmed order; empty while its placement runs.
        std::optional<TUserOrder> Order{};
        // The round of a cancel of the main order that came while the
        // placement ran: it waits for the placement's end.
        std::shared_ptr<TMirrorRound> CancelRound{};
    };

    // A mirrored placement of aMain goes to aFurther.
    void Placing(const TMirroredOrder& aMain, TAccountID aFurther);
    // nullptr when no mirror of aMain on aFurther is placed or being placed.
    TMirror* Find(const TMirroredOrder& aMain, TAccountID aFurther);
    void Forget(const TMirror& aMirror);

private:
    std::vector<TMirror> fMirrors;
};
