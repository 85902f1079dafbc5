// Compiled, never run, once per C++ standard the generated CorvaneC_TLB.h
// promises (C++11 on): a host's use of its identifiers, DISPIDs,
// enumerations and interfaces.
#include <windows.h>

#include "CorvaneC_TLB.h"

static_assert(DISPID_ICorvane_Color == -501, "a DISPID as a constant expression");
static_assert(taCenter == 2, "an enumeration constant");
static_assert(CorvaneC_MajorVersion == 1, "the library's version");

HRESULT CreateHeader(ICorvane** header) {
    // The identifiers' addresses are taken, as CoCreateInstance needs them.
    return CoCreateInstance(CLSID_Corvane, nullptr, CLSCTX_INPROC_SERVER, IID_ICorvane,
                            reinterpret_cast<void**>(header));
}

long FirstColumnWidth(ICorvane* header) {
    ISections* root = nullptr;
    ISections* first = nullptr;
    long width = 0;
    if (SUCCEEDED(header->get_Sections(&root)) && SUCCEEDED(root->GetFirstChild(&first)))
        first->get_Width(&width);
    if (first != nullptr)
        first->Release();
    if (root != nullptr)
        root->Release();
    return width;
}
