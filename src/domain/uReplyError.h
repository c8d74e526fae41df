#pragma once

#include <stdexcept>

// A reply the program cannot read. The text names the request ("TUser." +
// request name + ": ...") and what is wrong; it is the worker's log line.
class EReplyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
