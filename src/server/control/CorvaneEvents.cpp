// The relay of the header control's events to the host's ICorvaneEvents
// sink: positional arguments by DISPID, by-reference ones read back.
#include "server/activex/ComErrors.h"
#include "server/control/Corvane.h"
#include "server/sections/Sections.h"

#include <vector>

namespace corvane::server {
namespace {

// A new sections object for a section the header control passed (also for
// none: the object then wraps nothing). A failure goes back into the header
// control's operation that fired the event.
TComPtr<ISections> SectionObject(THeaderColumns* section) {
    TComPtr<ISections> object;
    Check(CreateSections(section, object.Put()));
    return object;
}

VARIANT DispatchArg(IDispatch* object) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_DISPATCH;
    v.pdispVal = object;
    return v;
}

VARIANT LongArg(long value) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

} // namespace

void TCorvane::Fire(DISPID dispid, VARIANT* args, UINT count) {
    // An event is an entry: the host may let go of the control or
    // disconnect inside its handler, and both stay until the call is over.
    const win32::ControlEntry entry(this);
    const TComPtr<IDispatch> sink = hostSink_;
    std::vector<VARIANT> reversed(args, args + count);
    for (UINT i = 0; i < count; ++i)
        reversed[i] = args[count - 1 - i];
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, count, 0};
    sink->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                 nullptr);
}

void TCorvane::FireSimple(DISPID dispid) {
    if (CanFire())
        Fire(dispid, nullptr, 0);
}

void TCorvane::FireSection(DISPID dispid, THeaderColumns* section) {
    if (!CanFire())
        return;
    const TComPtr<ISections> object = SectionObject(section);
    VARIANT args[] = {DispatchArg(object.Get())};
    Fire(dispid, args, 1);
}

void TCorvane::FireSizing(DISPID dispid, THeaderColumns* section, int index, int width) {
    if (!CanFire())
        return;
    const TComPtr<ISections> object = SectionObject(section);
    // The host receives the width before the index.
    VARIANT args[] = {DispatchArg(object.Get()), LongArg(width), LongArg(index)};
    Fire(dispid, args, 3);
}

void TCorvane::FireHeight(DISPID dispid, THeaderColumns* section, int height) {
    if (!CanFire())
        return;
    const TComPtr<ISections> object = SectionObject(section);
    VARIANT args[] = {DispatchArg(object.Get()), LongArg(height)};
    Fire(dispid, args, 2);
}

void TCorvane::FireHint(THeaderColumns* section, std::string& hint) {
    if (!CanFire())
        return;
    const TComPtr<ISections> object = SectionObject(section);
    // The handler may replace the string (freeing ours); whichever string
    // is in the slot afterwards is ours to free.
    auto text = TBstr::Attach(TextToBstr(hint).Detach());
    VARIANT args[2] = {DispatchArg(object.Get()), {}};
    ::VariantInit(&args[1]);
    args[1].vt = VT_BSTR | VT_BYREF;
    args[1].pbstrVal = text.Slot();
    Fire(DISPID_ICorvaneEvents_OnHint, args, 2);
    hint = BstrToText(text.Get());
}

void TCorvane::FireDrop(THeaderColumns* source, THeaderColumns* dest, bool& asChild,
                        bool& allowDrop) {
    VARIANT_BOOL asChildArg = asChild ? VARIANT_TRUE : VARIANT_FALSE;
    VARIANT_BOOL allowDropArg = allowDrop ? VARIANT_TRUE : VARIANT_FALSE;
    if (CanFire()) {
        const TComPtr<ISections> sourceObject = SectionObject(source);
        const TComPtr<ISections> destObject = SectionObject(dest);
        VARIANT args[4] = {DispatchArg(sourceObject.Get()), DispatchArg(destObject.Get()), {}, {}};
        ::VariantInit(&args[2]);
        args[2].vt = VT_BOOL | VT_BYREF;
        args[2].pboolVal = &asChildArg;
        ::VariantInit(&args[3]);
        args[3].vt = VT_BOOL | VT_BYREF;
        args[3].pboolVal = &allowDropArg;
        Fire(DISPID_ICorvaneEvents_OnDropSection, args, 4);
    }
    // Any non-zero low byte counts as true (a host may write 1, not -1).
    asChild = (asChildArg & 0xFF) != 0;
    allowDrop = (allowDropArg & 0xFF) != 0;
}

} // namespace corvane::server
