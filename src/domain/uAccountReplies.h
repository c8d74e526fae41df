#pragma once

#include "domain/uProfileLists.h"
#include "domain/uReplyError.h"

#include <string>
#include <string_view>
#include <vector>

// The replies of the signed requests, read into plain values on the worker
// that received them, and the steps that apply those values to an account on
// the user-interface thread. A reply is read whole before anything is applied,
// so a reply of the wrong shape changes nothing.

struct TBalanceEntry {
    std::string Asset;
    double Free = 0;
    double Locked = 0;
};

// What the exchange reports for a placed order, as the confirmation shows it.
struct TPlacedOrder {
    std::string Symbol;
    std::string Side;
    std::string Type;
    double Price = 0;
    double OrigQuantity = 0;
};

// Any thread. Each raises EReplyError: "TUser.<aName>: lRootNode not assigned"
// when the text is not JSON, other texts for a missing or mistyped node.
// Prices and quantities are read from the exchange's decimal strings (or plain
// numbers); order ids and times as 64-bit integers.

// The "balances" array of the account reply.
std::vector<TBalanceEntry> ParseAccountReply(std::string_view aText);
// An array of orders (open orders, order history).
std::vector<TUserOrder> ParseUserOrdersReply(std::string_view aText, const std::string& aName);
// The reply to a placement.
TPlacedOrder ParsePlacedOrderReply(std::string_view aText, const std::string& aName);
// Any reply that only has to be JSON (a cancel).
void ParseAnyReply(std::string_view aText, const std::string& aName);

// User-interface thread. The balances replace the list's; with aNoZeroBalance
// an asset with nothing free and nothing locked is left out.
void ApplyBalances(TBalanceList& aList, const std::vector<TBalanceEntry>& aBalances,
                   bool aNoZeroBalance);
// The orders replace the list's, which is then Loaded.
void ApplyUserOrders(TUserOrderList& aList, const std::vector<TUserOrder>& aOrders);

// "symbol side type price quantity", price and quantity as the exchange takes them.
std::string PlacedOrderText(const TPlacedOrder& aOrder);
