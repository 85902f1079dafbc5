// One section as a UI Automation element: a HeaderItem named by its caption,
// placed where it is drawn, with its click, its width and its grid cell.
#include "server/activex/UiaHeader.h"

#include "core/control/HeaderGrid.h"
#include "core/control/Strativ.h"
#include "core/model/HeaderColumns.h"
#include "server/activex/ActiveXControl.h"
#include "server/activex/ComErrors.h"
#include "server/activex/UiaValues.h"

#include <cmath>
#include <string>

namespace corvane::server {

TUiaSection::TUiaSection(TUiaHeader& root, const THeaderColumns* section)
    : root_(&root), section_(section), serial_(root.SerialOf(section)) {}

HRESULT STDMETHODCALLTYPE TUiaSection::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, __uuidof(IRawElementProviderSimple)))
        *object = static_cast<IRawElementProviderSimple*>(this);
    else if (IsEqualIID(riid, __uuidof(IRawElementProviderFragment)))
        *object = static_cast<IRawElementProviderFragment*>(this);
    else if (IsEqualIID(riid, __uuidof(IInvokeProvider)))
        *object = static_cast<IInvokeProvider*>(this);
    else if (IsEqualIID(riid, __uuidof(ITransformProvider)))
        *object = static_cast<ITransformProvider*>(this);
    else if (IsEqualIID(riid, __uuidof(IGridItemProvider)))
        *object = static_cast<IGridItemProvider*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE TUiaSection::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE TUiaSection::Release() {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

// --- IRawElementProviderSimple ---------------------------------------------------

HRESULT STDMETHODCALLTYPE TUiaSection::get_ProviderOptions(ProviderOptions* options) {
    if (options == nullptr)
        return E_POINTER;
    *options = UiaProviderOptions;
    return S_OK;
}

// Invoke only while a click would do something; the others always (whether
// a width may change is CanResize's answer).
HRESULT STDMETHODCALLTYPE TUiaSection::GetPatternProvider(PATTERNID pattern, IUnknown** provider) {
    if (provider == nullptr)
        return E_POINTER;
    *provider = nullptr;
    return Call([&] {
        Section();
        if (pattern == UIA_InvokePatternId && root_->Header().WantsKey(vkSpace, 0))
            *provider = static_cast<IInvokeProvider*>(this);
        else if (pattern == UIA_TransformPatternId)
            *provider = static_cast<ITransformProvider*>(this);
        else if (pattern == UIA_GridItemPatternId)
            *provider = static_cast<IGridItemProvider*>(this);
        if (*provider != nullptr)
            Hold(*provider);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TUiaSection::GetPropertyValue(PROPERTYID property, VARIANT* value) {
    if (value == nullptr)
        return E_POINTER;
    VariantInit(value);
    return Call([&] {
        THeaderColumns* section = Section();
        TStrativ& header = root_->Header();
        const HWND window = root_->Window();
        switch (property) {
        case UIA_ControlTypePropertyId:
            SetInt(*value, UiaHeaderItemControlTypeId);
            break;
        case UIA_NamePropertyId:
            SetText(*value, section->Caption());
            break;
        case UIA_AutomationIdPropertyId:
            SetText(*value, "Section" + std::to_string(serial_));
            break;
        case UIA_HasKeyboardFocusPropertyId:
            SetBool(*value, ::GetFocus() == window && header.HasKeyboardFocus() &&
                                header.FocusedSection() == section);
            break;
        case UIA_IsKeyboardFocusablePropertyId:
            SetBool(*value, header.WantsTabStop());
            break;
        case UIA_IsEnabledPropertyId:
            SetBool(*value, ::IsWindowEnabled(window) != FALSE);
            break;
        case UIA_IsOffscreenPropertyId:
            SetBool(*value, !header.SectionShown(section) || !::IsWindowVisible(window));
            break;
        case UIA_HelpTextPropertyId:
            // The hint the pointer would show over the section.
            if (header.Options() & hoHint) {
                std::string hint;
                header.DoHint(section, hint);
                SetText(*value, hint);
            }
            break;
        default:
            break;
        }
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE
TUiaSection::get_HostRawElementProvider(IRawElementProviderSimple** host) {
    if (host == nullptr)
        return E_POINTER;
    *host = nullptr;
    return Call([] { return S_OK; });
}

// --- IRawElementProviderFragment --------------------------------------------------

HRESULT STDMETHODCALLTYPE TUiaSection::Navigate(NavigateDirection direction,
                                                IRawElementProviderFragment** element) {
    if (element == nullptr)
        return E_POINTER;
    *element = nullptr;
    return Call([&] {
        THeaderColumns* section = Section();
        const THeaderColumns* to = nullptr;
        switch (direction) {
        case NavigateDirection_Parent:
            to = section->Parent(); // the header's root is the header itself
            break;
        case NavigateDirection_NextSibling:
            to = section->GetNextSibling();
            break;
        case NavigateDirection_PreviousSibling:
            to = section->GetPrevSibling();
            break;
        case NavigateDirection_FirstChild:
            to = section->GetFirstChild();
            break;
        case NavigateDirection_LastChild:
            to = section->GetLastChild();
            break;
        }
        if (to != nullptr)
            *element = root_->ElementOf(to).Detach();
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TUiaSection::GetRuntimeId(SAFEARRAY** id) {
    if (id == nullptr)
        return E_POINTER;
    *id = nullptr;
    return Call([&] {
        Section();
        *id = NewRuntimeId(serial_);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TUiaSection::get_BoundingRectangle(UiaRect* rect) {
    if (rect == nullptr)
        return E_POINTER;
    *rect = UiaRect{};
    return Call([&] {
        *rect = ToUiaRect(root_->ScreenRectOf(Section()));
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TUiaSection::GetEmbeddedFragmentRoots(SAFEARRAY** roots) {
    if (roots == nullptr)
        return E_POINTER;
    *roots = nullptr;
    return Call([] { return S_OK; });
}

// The window and the section take the keyboard focus, as a click gives it.
HRESULT STDMETHODCALLTYPE TUiaSection::SetFocus() {
    return Call([&]() -> HRESULT {
        TStrativ& header = root_->Header();
        Section();
        if (!header.WantsTabStop())
            return UiaInvalidOperation;
        if (::GetFocus() != root_->Window())
            ::SetFocus(root_->Window());
        // Taking the focus runs the host's code: the section may be gone.
        header.SetFocusedSection(Section());
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TUiaSection::get_FragmentRoot(IRawElementProviderFragmentRoot** root) {
    if (root == nullptr)
        return E_POINTER;
    *root = nullptr;
    return Call([&] {
        *root = static_cast<IRawElementProviderFragmentRoot*>(root_.Get());
        Hold(*root);
        return S_OK;
    });
}

// --- IInvokeProvider --------------------------------------------------------------

// Answers at once; the click runs from the message loop, where the host's
// handler may take its time or open a box.
HRESULT STDMETHODCALLTYPE TUiaSection::Invoke() {
    return Call([&]() -> HRESULT {
        Section();
        if (!root_->Header().WantsKey(vkSpace, 0))
            return UiaElementNotEnabled;
        const TComPtr<TUiaSection> self(this);
        if (!root_->Control().RunFromMessageLoop([self] { self->RunClick(); }))
            return E_FAIL;
        return S_OK;
    });
}

void TUiaSection::RunClick() {
    // The control was already entered by the message loop's work.
    THeaderColumns* section = section_.get();
    TStrativ& header = root_->Header();
    if (section == nullptr || header.AccessibleChildId(section) == 0 ||
        !header.WantsKey(vkSpace, 0))
        return; // gone, or clicking was switched off meanwhile
    header.DoHeaderClick(section);
    if (root_->Listening())
        root_->Raise(UiaInvokeInvokedEventId, *static_cast<IRawElementProviderSimple*>(this));
}

// --- ITransformProvider -----------------------------------------------------------

HRESULT STDMETHODCALLTYPE TUiaSection::Move(double, double) {
    return Call([&]() -> HRESULT {
        Section();
        return UiaInvalidOperation;
    });
}

// The width only: a band's height belongs to the whole level.
HRESULT STDMETHODCALLTYPE TUiaSection::Resize(double width, double) {
    return Call([&]() -> HRESULT {
        THeaderColumns* section = Section();
        TStrativ& header = root_->Header();
        if ((header.Options() & hoHresize) == 0)
            return UiaInvalidOperation;
        if (!std::isfinite(width) || width < 0)
            return E_INVALIDARG;
        const double rounded = std::floor(width + 0.5);
        header.ResizeSectionTo(section, rounded > 2147483647.0 ? int64_t{2147483647}
                                                               : static_cast<int64_t>(rounded));
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TUiaSection::Rotate(double) {
    return Call([&]() -> HRESULT {
        Section();
        return UiaInvalidOperation;
    });
}

HRESULT STDMETHODCALLTYPE TUiaSection::get_CanMove(BOOL* result) {
    if (result == nullptr)
        return E_POINTER;
    *result = FALSE;
    return Call([&] {
        Section();
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TUiaSection::get_CanResize(BOOL* result) {
    if (result == nullptr)
        return E_POINTER;
    *result = FALSE;
    return Call([&] {
        Section();
        *result = (root_->Header().Options() & hoHresize) != 0 ? TRUE : FALSE;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TUiaSection::get_CanRotate(BOOL* result) {
    if (result == nullptr)
        return E_POINTER;
    *result = FALSE;
    return Call([&] {
        Section();
        return S_OK;
    });
}

// --- IGridItemProvider ------------------------------------------------------------

namespace {

template <class Field>
HRESULT CellPart(TUiaHeader& root, THeaderColumns* section, int* result, Field field) {
    *result = GridCellOf(root.Header(), section).*field;
    return S_OK;
}

} // namespace

HRESULT STDMETHODCALLTYPE TUiaSection::get_Row(int* result) {
    if (result == nullptr)
        return E_POINTER;
    *result = 0;
    return Call([&] { return CellPart(*root_.Get(), Section(), result, &TGridCell::Row); });
}

HRESULT STDMETHODCALLTYPE TUiaSection::get_Column(int* result) {
    if (result == nullptr)
        return E_POINTER;
    *result = 0;
    return Call([&] { return CellPart(*root_.Get(), Section(), result, &TGridCell::Column); });
}

HRESULT STDMETHODCALLTYPE TUiaSection::get_RowSpan(int* result) {
    if (result == nullptr)
        return E_POINTER;
    *result = 0;
    return Call([&] { return CellPart(*root_.Get(), Section(), result, &TGridCell::RowSpan); });
}

HRESULT STDMETHODCALLTYPE TUiaSection::get_ColumnSpan(int* result) {
    if (result == nullptr)
        return E_POINTER;
    *result = 0;
    return Call([&] { return CellPart(*root_.Get(), Section(), result, &TGridCell::ColumnSpan); });
}

HRESULT STDMETHODCALLTYPE TUiaSection::get_ContainingGrid(IRawElementProviderSimple** result) {
    if (result == nullptr)
        return E_POINTER;
    *result = nullptr;
    return Call([&] {
        Section();
        *result = static_cast<IRawElementProviderSimple*>(root_.Get());
        Hold(*result);
        return S_OK;
    });
}

} // namespace corvane::server
