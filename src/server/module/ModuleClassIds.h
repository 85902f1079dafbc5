#pragma once
// Identities of the two classes the module serves and of the control's
// dispatch interface, as hosts and the registry know them.

#include "win32/WinApi.h"

namespace corvane::server {

// The ActiveX control class "Corvane".
inline constexpr CLSID ControlClassId = {
    0xFEDE2C33, 0xB885, 0x11D2, {0xBB, 0xE8, 0xE8, 0x50, 0xF2, 0x51, 0x0B, 0x74}};

// The control's dual dispatch interface, the default interface of its class.
inline constexpr IID ControlDispatchId = {
    0xFEDE2C2F, 0xB885, 0x11D2, {0xBB, 0xE8, 0xE8, 0x50, 0xF2, 0x51, 0x0B, 0x74}};

// The host property page built from the customizing editor.
inline constexpr CLSID PropertyPageClassId = {
    0x064AEF20, 0xBACA, 0x11D2, {0xBB, 0xE8, 0xB1, 0xA4, 0xA6, 0x48, 0x88, 0x76}};

// Names of the implementing classes, used in the messages of failed starts
// and in the property page's description.
inline constexpr const char* ControlImplementationName = "TCorvane";
inline constexpr const char* PropertyPageFormName = "TGenStrativ";

} // namespace corvane::server
