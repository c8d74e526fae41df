#pragma once

#include <type_traits>

// Stores Value in Field and answers whether that changed it: setters notify
// their listeners only on a real change.
template <class T> bool StoreChanged(T& Field, const std::type_identity_t<T>& Value)
{
    if (Field == Value)
        return false;
    Field = Value;
    return true;
}
