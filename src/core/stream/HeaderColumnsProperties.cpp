#include "core/stream/HeaderColumnsProperties.h"

#include "core/framework/streaming/PropertyBuilders.h"
#include "core/model/HeaderColumns.h"

namespace corvane {

const TPublishedClass& HeaderColumnsClass() {
    using namespace property_builders;
    using T = THeaderColumns;
    // None has a declared default: all are stored (an empty caption, as any
    // empty string, is left out).
    static const TPublishedClass Class{
        {
            Integer<T>("TypeCol", &T::TypeCol, &T::SetTypeCol),
            String<T>("Caption", &T::Caption, &T::SetCaption),
            // Written as the computed width, read into the stored width.
            Integer<T>("Width", &T::Width, &T::SetWidth),
            Integer<T>("Height", &T::Height, &T::SetHeight),
            Enumeration<T, TAlignment>("Alignment", &T::Alignment, &T::SetAlignment,
                                       AlignmentIdents),
            Boolean<T>("Wordwrap", &T::Wordwrap, &T::SetWordwrap),
        },
        /*DefinesProperties=*/true,
    };
    return Class;
}

} // namespace corvane
