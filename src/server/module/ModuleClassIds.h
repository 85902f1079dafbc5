#pragma once
// Identities of the two classes the module serves and of the control's
// dispatch interface, as hosts and the registry know them.

#include "win32/WinApi.h"

#include "CorvaneC_TLB.h"

namespace corvane::server {

// The ActiveX control class "Corvane" and its dual dispatch interface, the
// default interface of the class.
inline constexpr CLSID ControlClassId = CLSID_Corvane;
inline constexpr IID ControlDispatchId = IID_ICorvane;

// The host property page built from the customizing editor.
inline constexpr CLSID PropertyPageClassId = {
    0x064AEF20, 0xBACA, 0x11D2, {0xBB, 0xE8, 0xB1, 0xA4, 0xA6, 0x48, 0x88, 0x76}};

// Names of the implementing classes, used in the messages of failed starts
// and in the property page's description.
inline constexpr const char* ControlImplementationName = "TCorvane";
inline constexpr const char* PropertyPageFormName = "TGenStrativ";

} // namespace corvane::server
