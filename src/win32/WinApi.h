#pragma once
// The Windows headers, for every file of this layer.
//
// The framework's Graphics.h declares the DrawText and DrawEdge flags
// (DT_LEFT, BF_TOP, ...) as constants, which windows.h defines as macros:
// it must be read first, or its declarations turn into nonsense.
//
// windows.h also maps some names to their ANSI functions by macro; those
// names are methods of the framework as well (TWindowServices::MessageBox,
// TCanvas::DrawTextEx), and the macros would rename them. This layer calls
// the ...A functions by their own names.

#include "core/framework/Graphics.h"

#include <windows.h>

#include <commctrl.h>

#undef DrawTextEx
#undef FormatMessage
#undef MessageBox
