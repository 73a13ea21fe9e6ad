// Exceptions of the library. Each carries the message text that reaches the user.
#pragma once

#include <stdexcept>
#include <string>

namespace ostrel {

class EOstrelError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that does not convert to the value its column or setting needs.
class EConvertError : public EOstrelError {
public:
    using EOstrelError::EOstrelError;
};

// A file or stream that refuses to be created, read or written.
class EStreamError : public EOstrelError {
public:
    using EOstrelError::EOstrelError;
};

// Fills one "%s" or "%d" of a message template.
std::string FormatMessage(std::string_view pattern, std::string_view arg);

}  // namespace ostrel
