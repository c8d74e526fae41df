#pragma once

#include "domain/uProfileLists.h"
#include "domain/uReplyError.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The replies of the signed requests, read into plain values on the worker
// that received them, and the steps that apply those values to an account on
// the user-interface thread. A reply is read whole before anything is applied,
// so a refused reply changes nothing.

struct TBalanceEntry {
    std::string Asset;
    double Free = 0;
    double Locked = 0;
};

// What the exchange reports for a placed order: the confirmation's words and
// the id a mirrored cancel takes it by.
struct TPlacedOrder {
    int64_t OrderID = 0;
    std::string Symbol;
    std::string Side;
    std::string Type;
    double Price = 0;
    double OrigQuantity = 0;
};

// Any thread. Fields are read as every reply is read (uReplyValues.h): a
// missing or mistyped field reads as 0, the empty text or false, and an entry
// of an array that is not an object is skipped. Only a reply without the node
// it is read from is refused whole: each then raises EReplyError with the
// request's log text.

// The "balances" array of the account reply: "TUser.Account: lRootNode not
// assigned" when the text is no JSON, "TUser.Account: lBalanceNode not
// assigned" when the root is no object with a "balances" array.
std::vector<TBalanceEntry> ParseAccountReply(std::string_view aText);
// An array of orders (open orders, order history); "TUser.<aName>: lRootNode
// not assigned" when the root is no array.
std::vector<TUserOrder> ParseUserOrdersReply(std::string_view aText, const std::string& aName);
// The reply to a placement; the root must be an object.
TPlacedOrder ParsePlacedOrderReply(std::string_view aText, const std::string& aName);
// Any reply that only has to be JSON (a cancel).
void ParseAnyReply(std::string_view aText, const std::string& aName);

// The exchange's refusal in a reply: the "msg" of an object that carries
// "code" or "msg" ("code" and its number when there is no message); empty
// for any other reply. aCode, when given, receives the "code" (0 without one).
std::string ReplyRefusal(std::string_view aText, std::int64_t* aCode = nullptr);
// The words of an exchange refused with an error status: the reply's
// refusal when its body has one, else the status line. Whole: a box shows
// them through ShownText.
std::string FailureRefusal(std::string_view aBody, std::string_view aStatusLine,
                           std::int64_t* aCode = nullptr);

// User-interface thread. The balances replace the list's; with aNoZeroBalance
// an asset with nothing free and nothing locked is left out.
void ApplyBalances(TBalanceList& aList, const std::vector<TBalanceEntry>& aBalances,
                   bool aNoZeroBalance);
// The orders replace the list's, which is then Loaded.
void ApplyUserOrders(TUserOrderList& aList, const std::vector<TUserOrder>& aOrders);

// "symbol side type price quantity", price and quantity as the exchange takes them.
std::string PlacedOrderText(const TPlacedOrder& aOrder);
