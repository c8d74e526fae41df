#include "domain/uAccountReplies.h"

#include "domain/uMethods.h"
#include "domain/uReplyValues.h"

#include <simdjson.h>

namespace {

using simdjson::dom::array;
using simdjson::dom::element;
using simdjson::dom::object;

// Reads one reply; the element lives as long as the reader.
class TReplyReader {
public:
    TReplyReader(std::string_view aText, std::string aName) : fName(std::move(aName))
    {
        // The parser copies the text into a padded buffer of its own.
        if (fParser.parse(aText.data(), aText.size()).get(fRoot) != simdjson::SUCCESS)
            Fail("lRootNode not assigned");
    }

    const element& Root() const { return fRoot; }

    [[noreturn]] void Fail(const std::string& aWhat) const
    {
        throw EReplyError("TUser." + fName + ": " + aWhat);
    }

    array Array(const element& aNode, const char* aWhat) const
    {
        array Result;
        if (aNode.get_array().get(Result) != simdjson::SUCCESS)
            Fail(std::string(aWhat) + " is not an array");
        return Result;
    }

    object Object(const element& aNode, const char* aWhat) const
    {
        object Result;
        if (aNode.get_object().get(Result) != simdjson::SUCCESS)
            Fail(std::string(aWhat) + " is not an object");
        return Result;
    }

    element Field(const object& aNode, const char* aKey) const
    {
        element Result;
        if (aNode.at_key(aKey).get(Result) != simdjson::SUCCESS)
            Fail(std::string("field \"") + aKey + "\" missing");
        return Result;
    }

    std::string String(const object& aNode, const char* aKey) const
    {
        std::string Result;
        if (!ReadString(Field(aNode, aKey), Result))
            Fail(std::string("field \"") + aKey + "\" is not a string");
        return Result;
    }

    // A decimal string such as "0.51230000", or a plain number.
    double Decimal(const object& aNode, const char* aKey) const
    {
        double Result = 0;
        if (!ReadNumber(Field(aNode, aKey), Result))
            Fail(std::string("field \"") + aKey + "\" is not a number");
        return Result;
    }

    int64_t Integer(const object& aNode, const char* aKey) const
    {
        int64_t Result = 0;
        if (Field(aNode, aKey).get_int64().get(Result) != simdjson::SUCCESS)
            Fail(std::string("field \"") + aKey + "\" is not an integer");
        return Result;
    }

    bool Boolean(const object& aNode, const char* aKey) const
    {
        bool Result = false;
        if (Field(aNode, aKey).get_bool().get(Result) != simdjson::SUCCESS)
            Fail(std::string("field \"") + aKey + "\" is not a Boolean");
        return Result;
    }

private:
    std::string fName;
    simdjson::dom::parser fParser;
    element fRoot;
};

TUserOrder ReadUserOrder(const TReplyReader& aReader, const object& aNode)
{
    TUserOrder Order;
    Order.SetSymbol(aReader.String(aNode, "symbol"));
    Order.SetOrderID(aReader.Integer(aNode, "orderId"));
    Order.SetClientOrderID(aReader.String(aNode, "clientOrderId"));
    Order.SetPrice(aReader.Decimal(aNode, "price"));
    Order.SetOrigQuantity(aReader.Decimal(aNode, "origQty"));
    Order.SetExecQuantity(aReader.Decimal(aNode, "executedQty"));
    Order.SetStatus(aReader.String(aNode, "status"));
    Order.SetTimeInForce(aReader.String(aNode, "timeInForce"));
    Order.SetOrderType(aReader.String(aNode, "type"));
    Order.SetSide(aReader.String(aNode, "side"));
    Order.SetStopPrice(aReader.Decimal(aNode, "stopPrice"));
    Order.SetIcebergQuantity(aReader.Decimal(aNode, "icebergQty"));
    Order.SetTime(aReader.Integer(aNode, "time"));
    Order.SetIsWorking(aReader.Boolean(aNode, "isWorking"));
    return Order;
}

} // namespace

std::vector<TBalanceEntry> ParseAccountReply(std::string_view aText)
{
    const TReplyReader Reader(aText, "Account");
    const object Root = Reader.Object(Reader.Root(), "the reply");
    element Node;
    if (Root.at_key("balances").get(Node) != simdjson::SUCCESS)
        Reader.Fail("lBalanceNode not assigned");
    std::vector<TBalanceEntry> Result;
    for (const element Entry : Reader.Array(Node, "balances")) {
        const object Balance = Reader.Object(Entry, "a balance");
        Result.push_back({Reader.String(Balance, "asset"), Reader.Decimal(Balance, "free"),
                          Reader.Decimal(Balance, "locked")});
    }
    return Result;
}

std::vector<TUserOrder> ParseUserOrdersReply(std::string_view aText, const std::string& aName)
{
    const TReplyReader Reader(aText, aName);
    std::vector<TUserOrder> Result;
    for (const element Entry : Reader.Array(Reader.Root(), "the reply"))
        Result.push_back(ReadUserOrder(Reader, Reader.Object(Entry, "an order")));
    return Result;
}

TPlacedOrder ParsePlacedOrderReply(std::string_view aText, const std::string& aName)
{
    const TReplyReader Reader(aText, aName);
    const object Root = Reader.Object(Reader.Root(), "the reply");
    return {Reader.String(Root, "symbol"), Reader.String(Root, "side"), Reader.String(Root, "type"),
            Reader.Decimal(Root, "price"), Reader.Decimal(Root, "origQty")};
}

void ParseAnyReply(std::string_view aText, const std::string& aName)
{
    const TReplyReader Reader(aText, aName);
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
