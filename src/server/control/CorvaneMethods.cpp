// ICorvane methods: the customizing bracket, the About box, Sections,
// ClassNameIs and the bidirectional queries.
#include "server/activex/ComErrors.h"
#include "server/control/Corvane.h"
#include "server/sections/Sections.h"

namespace corvane::server {
namespace {

constexpr long DrawTextRtlReading = 0x20000; // DT_RTLREADING
constexpr long DrawTextRight = 0x2;          // DT_RIGHT
constexpr long DrawTextCenter = 0x1;         // DT_CENTER

VARIANT_BOOL ToVariantBool(bool value) {
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

// Right-to-left layouts apply only where the system has them enabled.
bool MiddleEastSystem() {
    return ::GetSystemMetrics(SM_MIDEASTENABLED) != 0;
}

bool RightToLeftAlignment(const TStrativ& c) {
    return MiddleEastSystem() && c.BiDiMode() == bdRightToLeft;
}
bool RightToLeftReading(const TStrativ& c) {
    return MiddleEastSystem() && c.BiDiMode() != bdLeftToRight;
}
bool RightToLeftScrollBar(const TStrativ& c) {
    return MiddleEastSystem() &&
           (c.BiDiMode() == bdRightToLeft || c.BiDiMode() == bdRightToLeftNoAlign);
}

} // namespace

HRESULT STDMETHODCALLTYPE TCorvane::AfterCustomize() {
    return Member([&] { HeaderControl().AfterCustomize(); });
}
HRESULT STDMETHODCALLTYPE TCorvane::BeforeCustomize() {
    return Member([&] { HeaderControl().BeforeCustomize(); });
}
HRESULT STDMETHODCALLTYPE TCorvane::BeforeApply() {
    return Member([&] { HeaderControl().BeforeApply(); });
}
HRESULT STDMETHODCALLTYPE TCorvane::AfterApply() {
    return Member([&] { HeaderControl().AfterApply(); });
}
HRESULT STDMETHODCALLTYPE TCorvane::Customize() {
    return Member([&] { HeaderControl().Customize(); });
}
HRESULT STDMETHODCALLTYPE TCorvane::ShowAbout() {
    return Member([&] { HeaderControl().ShowAbout(); });
}
HRESULT STDMETHODCALLTYPE TCorvane::AboutBox() {
    return Member([&] { HeaderControl().ShowAbout(); });
}

HRESULT STDMETHODCALLTYPE TCorvane::get_Sections(ISections** value) {
    CONTROL_ENTRY(this);
    if (value == nullptr)
        return E_POINTER;
    *value = nullptr;
    return Member([&] { Check(CreateSections(HeaderControl().Sections(), value)); });
}

HRESULT STDMETHODCALLTYPE TCorvane::ClassNameIs(BSTR name, VARIANT_BOOL* value) {
    return Read(value, [&] {
        const std::string wanted = BstrToText(name);
        const std::string own = HeaderControl().ClassName();
        return ToVariantBool(!wanted.empty() && wanted.size() == own.size() &&
                             ::lstrcmpiA(wanted.c_str(), own.c_str()) == 0);
    });
}

HRESULT STDMETHODCALLTYPE TCorvane::FlipChildren(VARIANT_BOOL) {
    CONTROL_ENTRY(this);
    // The header control has no child controls to mirror.
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TCorvane::DrawTextBiDiModeFlagsReadingOnly(long* value) {
    return Read(value,
                [&] { return RightToLeftReading(HeaderControl()) ? DrawTextRtlReading : 0L; });
}

HRESULT STDMETHODCALLTYPE TCorvane::DrawTextBiDiModeFlags(long flags, long* value) {
    return Read(value, [&] {
        long result = flags;
        // Centred text stays centred; left and right swap.
        if (RightToLeftAlignment(HeaderControl())) {
            if ((result & DrawTextRight) == DrawTextRight)
                result &= ~DrawTextRight;
            else if ((result & DrawTextCenter) != DrawTextCenter)
                result |= DrawTextRight;
        }
        if (RightToLeftReading(HeaderControl()))
            result |= DrawTextRtlReading;
        return result;
    });
}

HRESULT STDMETHODCALLTYPE TCorvane::GetControlsAlignment(TxAlignment* value) {
    return Read(value, [] { return ::taLeftJustify; });
}

HRESULT STDMETHODCALLTYPE TCorvane::InitiateAction() {
    CONTROL_ENTRY(this);
    // No action is linked to the header control: there is nothing to update.
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TCorvane::IsRightToLeft(VARIANT_BOOL* value) {
    return Read(value, [&] {
        const TStrativ& c = HeaderControl();
        return ToVariantBool(RightToLeftReading(c) || RightToLeftAlignment(c) ||
                             RightToLeftScrollBar(c));
    });
}
HRESULT STDMETHODCALLTYPE TCorvane::UseRightToLeftAlignment(VARIANT_BOOL* value) {
    return Read(value, [&] { return ToVariantBool(RightToLeftAlignment(HeaderControl())); });
}
HRESULT STDMETHODCALLTYPE TCorvane::UseRightToLeftReading(VARIANT_BOOL* value) {
    return Read(value, [&] { return ToVariantBool(RightToLeftReading(HeaderControl())); });
}
HRESULT STDMETHODCALLTYPE TCorvane::UseRightToLeftScrollBar(VARIANT_BOOL* value) {
    return Read(value, [&] { return ToVariantBool(RightToLeftScrollBar(HeaderControl())); });
}

} // namespace corvane::server
