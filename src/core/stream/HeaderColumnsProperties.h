#pragma once
// The published properties of a section as the component streaming stores
// them (under "Sections." for the control's root), followed by its defined
// "HeaderColumns" property.

#include "core/framework/streaming/PublishedProperty.h"

namespace corvane {

const TPublishedClass& HeaderColumnsClass();

} // namespace corvane
