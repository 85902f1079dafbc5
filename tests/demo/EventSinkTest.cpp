// The demo's event sink as the control calls it: arguments by position from
// the end of DISPPARAMS, checked before use, by-reference answers written back.
#include "demo/EventSink.h"

#include <CorvaneC_TLB.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane::demo {
namespace {

VARIANT Long(long value) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

VARIANT NoSection() {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_DISPATCH;
    v.pdispVal = nullptr;
    return v;
}

VARIANT Text(const wchar_t* text) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = const_cast<BSTR>(text); // read only, never freed here
    return v;
}

HRESULT Call(DISPID dispid, std::vector<VARIANT> args) {
    EventSink sink;
    // Declaration order in, last first as the control passes them.
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr,
                      static_cast<UINT>(reversed.size()), 0};
    return sink.Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

TEST(EventSinkTest, AnswersWhatItCannotReadWithADispatchError) {
    struct Case {
        const char* Name;
        DISPID Dispid;
        std::vector<VARIANT> Args;
        HRESULT Expected;
    };
    const std::vector<Case> cases = {
        {"sizing as declared",
         DISPID_ICorvaneEvents_OnSizing,
         {NoSection(), Long(80), Long(2)},
         S_OK},
        {"sizing without its index",
         DISPID_ICorvaneEvents_OnSized,
         {NoSection(), Long(80)},
         DISP_E_BADPARAMCOUNT},
        {"sizing with a text width",
         DISPID_ICorvaneEvents_OnSizing,
         {NoSection(), Text(L"80"), Long(2)},
         DISP_E_TYPEMISMATCH},
        {"height with a number for the section",
         DISPID_ICorvaneEvents_OnHeightChanged,
         {Long(1), Long(20)},
         DISP_E_TYPEMISMATCH},
        {"click without arguments", DISPID_ICorvaneEvents_OnHeaderClick, {}, DISP_E_BADPARAMCOUNT},
        {"hint passed by value",
         DISPID_ICorvaneEvents_OnHint,
         {NoSection(), Text(L"x")},
         DISP_E_TYPEMISMATCH},
        {"notice", DISPID_ICorvaneEvents_OnAfterApply, {}, S_OK},
        {"unknown event", 999, {}, DISP_E_MEMBERNOTFOUND},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.Expected, Call(c.Dispid, c.Args)) << c.Name;
}

TEST(EventSinkTest, NullParametersAreRefused) {
    EventSink sink;
    EXPECT_EQ(E_POINTER, sink.Invoke(DISPID_ICorvaneEvents_OnAfterApply, IID_NULL, 0,
                                     DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr));
}

TEST(EventSinkTest, WritesTheDropAnswerIntoTheByReferenceArguments) {
    // The control asks with a child drop refused; the demo allows it beside.
    VARIANT_BOOL asChild = VARIANT_TRUE, allowDrop = VARIANT_FALSE;
    VARIANT asChildArg, allowDropArg;
    ::VariantInit(&asChildArg);
    asChildArg.vt = VT_BOOL | VT_BYREF;
    asChildArg.pboolVal = &asChild;
    ::VariantInit(&allowDropArg);
    allowDropArg.vt = VT_BOOL | VT_BYREF;
    allowDropArg.pboolVal = &allowDrop;
    EXPECT_EQ(S_OK, Call(DISPID_ICorvaneEvents_OnDropSection,
                         {NoSection(), NoSection(), asChildArg, allowDropArg}));
    EXPECT_EQ(VARIANT_FALSE, asChild);
    EXPECT_EQ(VARIANT_TRUE, allowDrop);
}

TEST(EventSinkTest, LeavesTheHintOfNoSectionAsItWas) {
    BSTR hint = ::SysAllocString(L"kept");
    VARIANT hintArg;
    ::VariantInit(&hintArg);
    hintArg.vt = VT_BSTR | VT_BYREF;
    hintArg.pbstrVal = &hint;
    EXPECT_EQ(S_OK, Call(DISPID_ICorvaneEvents_OnHint, {NoSection(), hintArg}));
    ASSERT_NE(nullptr, hint);
    EXPECT_EQ(std::wstring(L"kept"), std::wstring(hint));
    ::SysFreeString(hint);
}

} // namespace
} // namespace corvane::demo
