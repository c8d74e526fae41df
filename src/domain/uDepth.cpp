#include "domain/uDepth.h"

TDepth& TDepthList::Add()
{
    return fItems.emplace_back();
}

void TDepthList::Clear()
{
    fItems.clear();
    fMaxQuantity = 0;
}

void TVolumeList::AddNewest(TVolume aVolume)
{
    fNewest[aVolume.Symbol] = fItems.size();
    fItems.push_back(std::move(aVolume));
}

const TVolume* TVolumeList::Find(const std::string& aName) const
{
    auto It = fNewest.find(aName);
    return It == fNewest.end() ? nullptr : &fItems[It->second];
}

void TVolumeList::Clear()
{
    fItems.clear();
    fNewest.clear();
}
