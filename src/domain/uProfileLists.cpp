#include "domain/uProfileLists.h"

#include "domain/uCommon.h"
#include "platform/DateUtils.h"
#include "platform/SysUtils.h"

#include <cstdlib>

namespace {

constexpr int64_t cFindByMSecs = 4000;

// An order's time on the date-time scale, so that a garbled stamp counts as
// the scale's start rather than overflowing.
int64_t OrderMSecs(const TUserOrder& aOrder)
{
    return DateTimeToMilliseconds(StampToDate(aOrder.Time()));
}

void AppendItem(std::string& List, const std::string& Item)
{
    if (!List.empty())
        List += "; ";
    List += Item;
}

} // namespace

std::string TBalanceList::AsString(const TFormatSettings& fs) const
{
    std::string Result;
    for (const TBalance& B : *this) {
        if (B.Free_() == 0 && B.Locked() == 0)
            continue;
        AppendItem(Result, B.Asset() + "= " + FloatToStr(B.Free_(), fs) + ", " +
                               FloatToStr(B.Locked(), fs));
    }
    return Result;
}

// Prices are compared as the exchange reported them: a mirror was placed at
// the same price, so it reads back as the same number.
TUserOrder* TUserOrderList::FindBy(const TUserOrder& aOrder) const
{
    const auto Sibling = [&aOrder](const TUserOrder& Order) {
        return Order.Symbol() == aOrder.Symbol() && Order.OrderType() == aOrder.OrderType() &&
               Order.Side() == aOrder.Side() && Order.Price() == aOrder.Price() &&
               Order.StopPrice() == aOrder.StopPrice();
    };
    const int64_t Wanted = OrderMSecs(aOrder);
    TUserOrder* Nearest = nullptr;
    // Whole seconds between the two are below 4 exactly when the distance
    // is below 4000 ms.
    int64_t NearestMSecs = cFindByMSecs;
    for (TUserOrder& Order : *this) {
        const int64_t Distance = std::llabs(OrderMSecs(Order) - Wanted);
        if (Distance < NearestMSecs && Sibling(Order)) {
            Nearest = &Order;
            NearestMSecs = Distance;
        }
    }
    return Nearest;
}

std::string TUserOrderList::AsString(const TFormatSettings& fs) const
{
    std::string Result;
    for (const TUserOrder& O : *this) {
        AppendItem(Result, O.Symbol() + " " + " p=" + FloatToStr(O.Price(), fs) +
                               " q=" + FloatToStr(O.OrigQuantity(), fs) + " " + O.Status() + " " +
                               O.Side() + " " + DateTimeToStr(StampToDate(O.Time()), fs));
    }
    return Result;
}
