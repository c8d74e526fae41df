#include "domain/uProfileLists.h"

#include "domain/uCommon.h"
#include "platform/DateUtils.h"
#include "platform/SysUtils.h"

#include <cstdlib>

namespace {

constexpr int64_t cFindByMSecs = 4000;

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

TUserOrder* TUserOrderList::FindBy(const std::string& aSymbol, const std::string& aOrderType,
                                   const std::string& aSide, TDateTime aTime) const
{
    const int64_t Wanted = DateTimeToMilliseconds(aTime);
    for (TUserOrder& Order : *this) {
        if (Order.Symbol() != aSymbol || Order.OrderType() != aOrderType || Order.Side() != aSide)
            continue;
        // Whole seconds between the two are below 4 exactly when the
        // distance is below 4000 ms.
        const int64_t At = DateTimeToMilliseconds(StampToDate(Order.Time()));
        if (std::llabs(At - Wanted) < cFindByMSecs)
            return &Order;
    }
    return nullptr;
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
