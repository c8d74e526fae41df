#pragma once

#include <cstdint>
#include <simdjson.h>
#include <string>
#include <string_view>

// Single values of an exchange reply, read as every reply is read, on any
// thread: a value of another kind reads as 0, the empty text or false, and so
// does a key that an object lacks. Every text returned is a copy: nothing
// refers into the parser afterwards.

// A JSON number, or numeric text written in full as the exchange sends prices
// and quantities ("0.51230000"). A value that is not finite reads as 0.
double ReadDouble(simdjson::dom::element aValue);
// The same number; false, leaving aResult as it was, when it is none or not
// finite.
bool ReadFinite(simdjson::dom::element aValue, double& aResult);
// A JSON integer that fits, or numeric text of one.
std::int64_t ReadInt64(simdjson::dom::element aValue);
std::string ReadText(simdjson::dom::element aValue);
bool ReadBoolean(simdjson::dom::element aValue);

// Only a JSON integer that fits; false, leaving aResult as it was, otherwise.
bool ReadInteger(simdjson::dom::element aValue, std::int64_t& aResult);

// The value of aKey in aObject, read as above.
double DoubleAt(const simdjson::dom::object& aObject, std::string_view aKey);
std::int64_t Int64At(const simdjson::dom::object& aObject, std::string_view aKey);
std::string TextAt(const simdjson::dom::object& aObject, std::string_view aKey);
bool BooleanAt(const simdjson::dom::object& aObject, std::string_view aKey);

// A symbol name as the exchange writes them: 1 to 20 of A-Z and 0-9. Any
// other text from a reply could end up inside a request or a file name.
bool IsSymbolName(std::string_view aName);

// The symbol names of one reply: Accept refuses what is no symbol name and
// logs the first refused name of the reply, cut short ("symbol name refused:
// ..."). A missing name (empty) is refused without a line.
class TSymbolNameCheck {
public:
    bool Accept(std::string_view aName);

private:
    bool fLogged = false;
};
