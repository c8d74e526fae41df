#include "domain/uReplyValues.h"

#include "domain/uLog.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace dom = simdjson::dom;

namespace {

// Only text that is a number to its last character.
template <typename T> bool ParseText(dom::element aValue, T& aResult)
{
    std::string_view Text;
    if (aValue.get_string().get(Text) != simdjson::SUCCESS)
        return false;
    const char* End = Text.data() + Text.size();
    T Value{};
    const auto [Ptr, Error] = std::from_chars(Text.data(), End, Value);
    if (Error != std::errc() || Ptr != End)
        return false;
    aResult = Value;
    return true;
}

template <typename T>
T ValueAt(const dom::object& aObject, std::string_view aKey, T (*aRead)(dom::element))
{
    dom::element Value;
    return aObject.at_key(aKey).get(Value) == simdjson::SUCCESS ? aRead(Value) : T{};
}

} // namespace

bool ReadFinite(dom::element aValue, double& aResult)
{
    double Value = 0;
    if (aValue.get_double().get(Value) != simdjson::SUCCESS && !ParseText(aValue, Value))
        return false;
    if (!std::isfinite(Value))
        return false;
    aResult = Value;
    return true;
}

double ReadDouble(dom::element aValue)
{
    double Value = 0;
    return ReadFinite(aValue, Value) ? Value : 0;
}

std::int64_t ReadInt64(dom::element aValue)
{
    std::int64_t Value = 0;
    if (ReadInteger(aValue, Value) || ParseText(aValue, Value))
        return Value;
    return 0;
}

std::string ReadText(dom::element aValue)
{
    std::string_view Text;
    if (aValue.get_string().get(Text) != simdjson::SUCCESS)
        return {};
    return std::string(Text);
}

bool ReadBoolean(dom::element aValue)
{
    bool Value = false;
    return aValue.get_bool().get(Value) == simdjson::SUCCESS && Value;
}

bool ReadInteger(dom::element aValue, std::int64_t& aResult)
{
    std::int64_t Value = 0;
    if (aValue.get_int64().get(Value) != simdjson::SUCCESS)
        return false;
    aResult = Value;
    return true;
}

double DoubleAt(const dom::object& aObject, std::string_view aKey)
{
    return ValueAt(aObject, aKey, ReadDouble);
}

std::int64_t Int64At(const dom::object& aObject, std::string_view aKey)
{
    return ValueAt(aObject, aKey, ReadInt64);
}

std::string TextAt(const dom::object& aObject, std::string_view aKey)
{
    return ValueAt(aObject, aKey, ReadText);
}

bool BooleanAt(const dom::object& aObject, std::string_view aKey)
{
    return ValueAt(aObject, aKey, ReadBoolean);
}

bool IsSymbolName(std::string_view aName)
{
    constexpr std::size_t cMaxLength = 20;
    if (aName.empty() || aName.size() > cMaxLength)
        return false;
    return std::all_of(aName.begin(), aName.end(),
                       [](char C) { return (C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9'); });
}

bool TSymbolNameCheck::Accept(std::string_view aName)
{
    if (IsSymbolName(aName))
        return true;
    if (!aName.empty() && !fLogged) {
        constexpr std::size_t cShown = 40;
        std::string Shown(aName.substr(0, cShown));
        if (aName.size() > cShown)
            Shown += "...";
        WriteLog("symbol name refused: \"" + Shown + "\"", mtAlert, 0);
        fLogged = true;
    }
    return false;
}
