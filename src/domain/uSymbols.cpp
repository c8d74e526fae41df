#include "domain/uSymbols.h"

#include "domain/uSysTime.h"

void TSymbol::Stamp(double& Field, double Value)
{
    if (Field == Value)
        return;
    Field = Value;
    fTime = SysTime ? SysTime->Time() : 0;
}

TSymbol& TSymbolList::Add(std::string_view aName)
{
    if (TSymbol* Held = Find(aName))
        return *Held;
    std::unique_ptr<TSymbol> Symbol;
    if (auto Old = fRetired.find(aName); Old != fRetired.end()) {
        Symbol = std::move(Old->second);
        fRetired.erase(Old);
        *Symbol = TSymbol(Symbol->Name());
    } else
        Symbol = std::make_unique<TSymbol>(std::string(aName));
    TSymbol& Result = *fItems.emplace_back(std::move(Symbol));
    fIndex.emplace(Result.Name(), &Result);
    return Result;
}

TSymbol* TSymbolList::Find(std::string_view aName) const
{
    auto It = fIndex.find(aName);
    return It == fIndex.end() ? nullptr : It->second;
}

void TSymbolList::Clear()
{
    fItems.clear();
    fIndex.clear();
    fRetired.clear();
}

void TSymbolList::BeginReload()
{
    fRetired.clear();
    for (auto& Symbol : fItems) {
        std::string Name = Symbol->Name();
        fRetired.emplace(std::move(Name), std::move(Symbol));
    }
    fItems.clear();
    fIndex.clear();
}

void TSymbolList::EndReload()
{
    fRetired.clear();
}
