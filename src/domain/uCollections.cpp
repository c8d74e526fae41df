#include "domain/uCollections.h"

#include <algorithm>

TKline& TKlineList::Add(std::int64_t aOpenTime)
{
    if (TKline* Held = Find(aOpenTime)) {
        Held->SetIsInChart(false);
        return *Held;
    }
    fIndex.emplace(aOpenTime, fItems.size());
    fMinDate = std::min(fMinDate, aOpenTime);
    return fItems.emplace_back(aOpenTime);
}

TKline& TKlineList::Put(const TKline& aValues)
{
    TKline& Stored = Add(aValues.OpenTime());
    Stored = aValues;
    Stored.SetIsInChart(false);
    return Stored;
}

void TKlineList::Clear()
{
    fItems.clear();
    fIndex.clear();
    fMinDate = cNoDate;
}

TKline* TKlineList::Find(std::int64_t aOpenTime)
{
    auto It = fIndex.find(aOpenTime);
    return It == fIndex.end() ? nullptr : &fItems[It->second];
}

const TKline* TKlineList::Find(std::int64_t aOpenTime) const
{
    auto It = fIndex.find(aOpenTime);
    return It == fIndex.end() ? nullptr : &fItems[It->second];
}
