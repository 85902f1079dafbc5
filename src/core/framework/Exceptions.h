#pragma once
// Errors raised inside the control. They carry the framework's message texts,
// and the automation boundary turns them into HRESULTs with the same text.

#include <stdexcept>
#include <string>

namespace corvane {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message, int helpContext = 0)
        : std::runtime_error(message), helpContext_(helpContext) {}
    int HelpContext() const { return helpContext_; }

private:
    int helpContext_;
};

// "List index out of bounds (%d)"
class EListError : public Exception {
public:
    using Exception::Exception;
};

// "Cannot assign a %s to a %s", "'%s' is not a valid integer value"
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// "Stream read error", "Invalid property value" and other stream faults.
class EReadError : public Exception {
public:
    using Exception::Exception;
};

// An operation that would damage the section tree (a cycle, a foreign node).
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// printf-style formatting of a message text.
std::string FormatMessage(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

[[noreturn]] void RaiseListIndexError(int index);

} // namespace corvane
