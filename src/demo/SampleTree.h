#pragma once
// The header the demo shows: three levels, captions that need an ellipsis or
// word wrap, and all three alignments, built through the control's ISections.

#include "core/framework/DpiScale.h"
#include "win32/WinApi.h" // before the generated header: it includes windows.h

#include <CorvaneC_TLB.h>

namespace corvane::demo {

// Widths and band heights are laid out at 96 pixels per inch and set at
// `scale`, the density the control is shown at. Throws when the control
// refuses a change. The demo window shows the band over the delivery columns
// in three scripts (UTF-8); tests keep the plain caption.
constexpr const char* DeliveryCaption = "Delivery";
void BuildSampleTree(ICorvane& control, const TDpiScale& scale,
                     const char* deliveryCaption = DeliveryCaption);

} // namespace corvane::demo
