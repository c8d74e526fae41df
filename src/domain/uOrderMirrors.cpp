#include "domain/uOrderMirrors.h"

#include <algorithm>

void TOrderMirrors::Placing(const TMirroredOrder& aMain, TAccountID aFurther)
{
    fMirrors.push_back({.Main = aMain, .Further = aFurther});
}

TOrderMirrors::TMirror* TOrderMirrors::Find(const TMirroredOrder& aMain, TAccountID aFurther)
{
    const auto It = std::ranges::find_if(
        fMirrors, [&](const TMirror& M) { return M.Main == aMain && M.Further == aFurther; });
    return It == fMirrors.end() ? nullptr : &*It;
}

void TOrderMirrors::Forget(const TMirror& aMirror)
{
    std::erase_if(fMirrors, [&](const TMirror& M) { return &M == &aMirror; });
}
