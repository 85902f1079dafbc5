#include "core/framework/streaming/StreamErrors.h"

#include "core/framework/Exceptions.h"

namespace corvane {

void RaiseStreamReadError() {
    throw EReadError(SReadError);
}

void RaiseInvalidPropertyValue() {
    throw EReadError(SInvalidPropertyValue);
}

void RaiseInvalidStreamFormat() {
    throw EReadError(SInvalidImage);
}

void RaiseNestingReadError(int Limit) {
    throw EReadError(FormatMessage("Sections are nested more than %d levels deep", Limit));
}

void RaiseNestingWriteError(int Limit) {
    throw EWriteError(FormatMessage(
        "Sections are nested more than %d levels deep and could not be read back", Limit));
}

void RaisePropertyDoesNotExist(const std::string& ClassName, const std::string& Path,
                               const std::string& Property) {
    throw EReadError("Error reading " + ClassName + "." + Path + ": Property " + Property +
                     " does not exist");
}

} // namespace corvane
