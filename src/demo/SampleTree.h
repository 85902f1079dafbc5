#pragma once
// The header the demo shows: three levels, captions that need an ellipsis or
// word wrap, and all three alignments, built through the control's ISections.

#include "win32/WinApi.h" // before the generated header: it includes windows.h

#include <CorvaneC_TLB.h>

namespace corvane::demo {

// The caption of the band over the delivery columns: the demo window shows it
// in three scripts (UTF-8); tests keep the plain one.
constexpr const char* DeliveryCaption = "Delivery";

// Throws when the control refuses a change.
void BuildSampleTree(ICorvane& control, const char* deliveryCaption = DeliveryCaption);

} // namespace corvane::demo
