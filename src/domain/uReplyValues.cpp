#include "domain/uReplyValues.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace {

// Only text that is a number to its last character.
bool ParseDecimal(std::string_view aText, double& aValue)
{
    const char* End = aText.data() + aText.size();
    const auto [Ptr, Error] = std::from_chars(aText.data(), End, aValue);
    return Error == std::errc() && Ptr == End;
}

} // namespace

bool ReadNumber(simdjson::dom::element aValue, double& aResult)
{
    double Value = 0;
    std::string_view Text;
    const bool Read =
        aValue.get_double().get(Value) == simdjson::SUCCESS ||
        (aValue.get_string().get(Text) == simdjson::SUCCESS && ParseDecimal(Text, Value));
    if (!Read || !std::isfinite(Value))
        return false;
    aResult = Value;
    return true;
}

bool ReadString(simdjson::dom::element aValue, std::string& aResult)
{
    std::string_view Text;
    if (aValue.get_string().get(Text) != simdjson::SUCCESS)
        return false;
    aResult.assign(Text);
    return true;
}
