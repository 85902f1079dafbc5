#include "core/framework/Persistent.h"

#include "core/framework/Exceptions.h"

namespace corvane {

void TPersistent::Assign(const TPersistent* Source) {
    if (Source != nullptr)
        Source->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) const {
    Dest->AssignError(this);
}

void TPersistent::AssignError(const TPersistent* Source) const {
    throw EConvertError(FormatMessage("Cannot assign a %s to a %s",
                                      Source ? Source->ClassName() : "nil", ClassName()));
}

} // namespace corvane
