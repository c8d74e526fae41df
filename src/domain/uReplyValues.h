#pragma once

#include <simdjson.h>
#include <string>

// Single values of an exchange reply, on any thread. Each returns false,
// leaving aResult as it was, when the value is not of its kind.

// A JSON number, or numeric text written in full as the exchange sends
// prices and quantities ("0.51230000"). A value that is not finite is none.
bool ReadNumber(simdjson::dom::element aValue, double& aResult);
// A JSON string, copied: nothing refers into the parser afterwards.
bool ReadString(simdjson::dom::element aValue, std::string& aResult);
