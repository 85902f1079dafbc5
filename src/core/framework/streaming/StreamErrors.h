#pragma once
// The errors of the component stream; read errors carry the framework's texts.

#include "core/framework/Exceptions.h"

#include <string>

namespace corvane {

// Data that could not be written so that it reads back.
class EWriteError : public Exception {
public:
    using Exception::Exception;
};

constexpr const char* SReadError = "Stream read error";
constexpr const char* SInvalidPropertyValue = "Invalid property value";
constexpr const char* SInvalidImage = "Invalid stream format";

// The data ends before the value does.
[[noreturn]] void RaiseStreamReadError();
// A tag, identifier or set member that does not fit the property.
[[noreturn]] void RaiseInvalidPropertyValue();
// Not the "TPF0" signature.
[[noreturn]] void RaiseInvalidStreamFormat();
// Sections nested deeper than a stream may carry.
[[noreturn]] void RaiseNestingReadError(int Limit);
[[noreturn]] void RaiseNestingWriteError(int Limit);
// "Error reading TStrativ.Sections.Foo: Property Foo does not exist"
[[noreturn]] void RaisePropertyDoesNotExist(const std::string& ClassName, const std::string& Path,
                                            const std::string& Property);

} // namespace corvane
