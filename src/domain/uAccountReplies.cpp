#include "domain/uAccountReplies.h"

#include "domain/uMethods.h"
#include "domain/uReplyValues.h"

#include <simdjson.h>

namespace dom = simdjson::dom;

namespace {

// One reply parsed; its root lives as long as the document.
class TReplyDocument {
public:
    TReplyDocument(std::string_view aText, std::string aName) : fName(std::move(aName))
    {
        // The parser copies the text into a padded buffer of its own.
        if (fParser.parse(aText.data(), aText.size()).get(fRoot) != simdjson::SUCCESS)
            Fail("lRootNode not assigned");
    }

    dom::element Root() const { return fRoot; }

    [[noreturn]] void Fail(const std::string& aWhat) const
    {
        throw EReplyError("TUser." + fName + ": " + aWhat);
    }

private:
    std::string fName;
    dom::parser fParser;
    dom::element fRoot;
};

// Each object entry of an array; anything else in it is skipped.
template <typename TRead> void ForEachObject(dom::array aEntries, TRead aRead)
{
    for (const dom::element Entry : aEntries) {
        dom::object Object;
        if (Entry.get_object().get(Object) == simdjson::SUCCESS)
            aRead(Object);
    }
}

TUserOrder ReadUserOrder(const dom::object& aNode)
{
    TUserOrder Order;
    Order.SetSymbol(TextAt(aNode, "symbol"));
    Order.SetOrderID(Int64At(aNode, "orderId"));
    Order.SetClientOrderID(TextAt(aNode, "clientOrderId"));
    Order.SetPrice(DoubleAt(aNode, "price"));
    Order.SetOrigQuantity(DoubleAt(aNode, "origQty"));
    Order.SetExecQuantity(DoubleAt(aNode, "executedQty"));
    Order.SetStatus(TextAt(aNode, "status"));
    Order.SetTimeInForce(TextAt(aNode, "timeInForce"));
    Order.SetOrderType(TextAt(aNode, "type"));
    Order.SetSide(TextAt(aNode, "side"));
    Order.SetStopPrice(DoubleAt(aNode, "stopPrice"));
    Order.SetIcebergQuantity(DoubleAt(aNode, "icebergQty"));
    Order.SetTime(Int64At(aNode, "time"));
    Order.SetIsWorking(BooleanAt(aNode, "isWorking"));
    return Order;
}

} // namespace

std::vector<TBalanceEntry> ParseAccountReply(std::string_view aText)
{
    const TReplyDocument Reply(aText, "Account");
    dom::array Balances;
    if (Reply.Root()["balances"].get_array().get(Balances) != simdjson::SUCCESS)
        Reply.Fail("lBalanceNode not assigned");
    std::vector<TBalanceEntry> Result;
    ForEachObject(Balances, [&](const dom::object& Balance) {
        Result.push_back(
            {TextAt(Balance, "asset"), DoubleAt(Balance, "free"), DoubleAt(Balance, "locked")});
    });
    return Result;
}

std::vector<TUserOrder> ParseUserOrdersReply(std::string_view aText, const std::string& aName)
{
    const TReplyDocument Reply(aText, aName);
    dom::array Orders;
    if (Reply.Root().get_array().get(Orders) != simdjson::SUCCESS)
        Reply.Fail("lRootNode not assigned");
    std::vector<TUserOrder> Result;
    TSymbolNameCheck Names;
    ForEachObject(Orders, [&](const dom::object& Order) {
        TUserOrder Read = ReadUserOrder(Order);
        if (Names.Accept(Read.Symbol()))
            Result.push_back(std::move(Read));
    });
    return Result;
}

TPlacedOrder ParsePlacedOrderReply(std::string_view aText, const std::string& aName)
{
    const TReplyDocument Reply(aText, aName);
    dom::object Root;
    if (Reply.Root().get_object().get(Root) != simdjson::SUCCESS)
        Reply.Fail("lRootNode not assigned");
    return {Int64At(Root, "orderId"), TextAt(Root, "symbol"),  TextAt(Root, "side"),
            TextAt(Root, "type"),     DoubleAt(Root, "price"), DoubleAt(Root, "origQty")};
}

void ParseAnyReply(std::string_view aText, const std::string& aName)
{
    const TReplyDocument Reply(aText, aName);
}

std::string ReplyRefusal(std::string_view aText, std::int64_t* aCode)
{
    if (aCode)
        *aCode = 0;
    dom::parser Parser;
    dom::object Root;
    if (Parser.parse(aText.data(), aText.size()).get_object().get(Root) != simdjson::SUCCESS)
        return {};
    dom::element Code;
    const bool HasCode = Root.at_key("code").get(Code) == simdjson::SUCCESS;
    const std::int64_t Number = Int64At(Root, "code");
    if (aCode)
        *aCode = Number;
    std::string Message = TextAt(Root, "msg");
    if (Message.empty() && HasCode)
        Message = "code " + std::to_string(Number);
    return Message;
}

std::string FailureRefusal(std::string_view aBody, std::string_view aStatusLine,
                           std::int64_t* aCode)
{
    std::string Text = ReplyRefusal(aBody, aCode);
    return Text.empty() ? std::string(aStatusLine) : Text;
}

void ApplyBalances(TBalanceList& aList, const std::vector<TBalanceEntry>& aBalances,
                   bool aNoZeroBalance)
{
    aList.Clear();
    for (const TBalanceEntry& Entry : aBalances) {
        if (aNoZeroBalance && Entry.Free == 0 && Entry.Locked == 0)
            continue;
        TBalance& Balance = aList.Add();
        Balance.SetAsset(Entry.Asset);
        Balance.SetFree_(Entry.Free);
        Balance.SetLocked(Entry.Locked);
    }
}

void ApplyUserOrders(TUserOrderList& aList, const std::vector<TUserOrder>& aOrders)
{
    aList.Clear();
    for (const TUserOrder& Order : aOrders)
        aList.Add() = Order;
    aList.SetLoaded(true);
}

std::string PlacedOrderText(const TPlacedOrder& aOrder)
{
    return aOrder.Symbol + " " + aOrder.Side + " " + aOrder.Type + " " + AsFloatStr(aOrder.Price) +
           " " + AsFloatStr(aOrder.OrigQuantity);
}
