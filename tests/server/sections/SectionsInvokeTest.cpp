// ISections through IDispatch, as a script engine drives it: names to
// DISPIDs, then Invoke with VARIANT arguments (a put's value named
// DISPID_PROPERTYPUT), failures as DISP_E_EXCEPTION with the description.

#include "support/DispatchCalls.h"
#include "support/SectionsFixture.h"

namespace corvane::test {
namespace {

class SectionsInvokeTest : public SectionsTest {
protected:
    // The section behind a VT_DISPATCH result.
    static THeaderColumns* SectionIn(const VARIANT& v) {
        EXPECT_EQ(v.vt, VT_DISPATCH);
        if (v.vt != VT_DISPATCH || !v.pdispVal)
            return nullptr;
        TComPtr<ISections> s;
        EXPECT_EQ(v.pdispVal->QueryInterface(IID_ISections, s.PutVoid()), S_OK);
        return SectionOf(s.Get());
    }
};

TEST_F(SectionsInvokeTest, NamesMapToTheLibrarysDispids) {
    TComPtr<ISections> s = Wrap(a);
    const struct {
        const wchar_t* name;
        DISPID id;
    } names[] = {{L"Add", DISPID_ISections_Add},         {L"Parent", DISPID_ISections_Parent},
                 {L"Count", DISPID_ISections_Count},     {L"items", DISPID_ISections_Items},
                 {L"Caption", DISPID_ISections_Caption}, {L"Nonsense", DISPID_UNKNOWN}};
    for (const auto& n : names)
        EXPECT_EQ(IdOfName(s.Get(), n.name), n.id);
}

TEST_F(SectionsInvokeTest, GetsPutsAndMethodsWithVariantArguments) {
    TComPtr<ISections> sa = Wrap(a), top = Wrap(root.get());
    // Property get, also with the method bit a script engine adds.
    for (WORD flags : {WORD(DISPATCH_PROPERTYGET), WORD(DISPATCH_PROPERTYGET | DISPATCH_METHOD)}) {
        TInvoke count(sa.Get(), DISPID_ISections_Count, flags, {});
        EXPECT_EQ(count.hr, S_OK);
        EXPECT_EQ(count.result.vt, VT_I4);
        EXPECT_EQ(count.result.lVal, 2);
    }
    // Indexed get.
    TInvoke item(sa.Get(), DISPID_ISections_Items, DISPATCH_PROPERTYGET, {TArg::Long(1)});
    EXPECT_EQ(item.hr, S_OK);
    EXPECT_EQ(SectionIn(item.result), a2);
    // Puts, with the value named DISPID_PROPERTYPUT; a short is coerced.
    EXPECT_EQ(TInvoke(sa.Get(), DISPID_ISections_Caption, DISPATCH_PROPERTYPUT,
                      {TArg::String(L"Renamed")})
                  .hr,
              S_OK);
    EXPECT_EQ(a->Caption(), "Renamed");
    EXPECT_EQ(TInvoke(sa.Get(), DISPID_ISections_Height, DISPATCH_PROPERTYPUT, {TArg::Long(30)}).hr,
              S_OK);
    EXPECT_EQ(a->Height(), 30);
    // Booleans come back as VT_BOOL -1.
    EXPECT_EQ(
        TInvoke(sa.Get(), DISPID_ISections_WordWrap, DISPATCH_PROPERTYPUT, {TArg::Bool(true)}).hr,
        S_OK);
    TInvoke wrap(sa.Get(), DISPID_ISections_WordWrap, DISPATCH_PROPERTYGET, {});
    EXPECT_EQ(wrap.result.vt, VT_BOOL);
    EXPECT_EQ(wrap.result.boolVal, VARIANT_TRUE);
    // A method with an argument and an object result.
    TInvoke added(top.Get(), DISPID_ISections_Add, DISPATCH_METHOD, {TArg::String(L"C")});
    EXPECT_EQ(added.hr, S_OK);
    EXPECT_EQ(SectionIn(added.result), root->Items(2));
    EXPECT_EQ(root->Items(2)->Caption(), "C");
    // A method with an object argument.
    TComPtr<ISections> sa2 = Wrap(a2);
    TInvoke isParent(sa.Get(), DISPID_ISections_IsParent, DISPATCH_METHOD,
                     {TArg::Dispatch(sa2.Get())});
    EXPECT_EQ(isParent.result.vt, VT_BOOL);
    EXPECT_EQ(isParent.result.boolVal, VARIANT_TRUE);
}

TEST_F(SectionsInvokeTest, ObjectPutsAcceptPutAndPutref) {
    TComPtr<ISections> sa1 = Wrap(a1), sa2 = Wrap(a2), sb = Wrap(b), top = Wrap(root.get());
    // "Set a1.Parent = b" and "a2.Parent = b".
    EXPECT_EQ(TInvoke(sa1.Get(), DISPID_ISections_Parent, DISPATCH_PROPERTYPUTREF,
                      {TArg::Dispatch(sb.Get())})
                  .hr,
              S_OK);
    EXPECT_EQ(a1->Parent(), b);
    EXPECT_EQ(TInvoke(sa2.Get(), DISPID_ISections_Parent, DISPATCH_PROPERTYPUT,
                      {TArg::Dispatch(sb.Get())})
                  .hr,
              S_OK);
    EXPECT_EQ(a2->Parent(), b);
    // "Set root.Items(0) = b": A becomes a copy of B.
    EXPECT_EQ(TInvoke(top.Get(), DISPID_ISections_Items, DISPATCH_PROPERTYPUTREF,
                      {TArg::Long(0), TArg::Dispatch(sb.Get())})
                  .hr,
              S_OK);
    EXPECT_EQ(a->Caption(), "B");
    EXPECT_EQ(a->Count(), 2);
    // A putref of a value property is no member.
    EXPECT_EQ(
        TInvoke(top.Get(), DISPID_ISections_Caption, DISPATCH_PROPERTYPUTREF, {TArg::String(L"x")})
            .hr,
        DISP_E_MEMBERNOTFOUND);
}

TEST_F(SectionsInvokeTest, FailuresArriveAsExceptionsWithTheirDescription) {
    TComPtr<ISections> sa = Wrap(a), none = Wrap(nullptr);
    struct Case {
        const char* what;
        ISections* target;
        DISPID id;
        WORD flags;
        std::initializer_list<TArg> args;
        const char* description; // null: any text
    };
    const Case cases[] = {
        {"Items 5",
         sa.Get(),
         DISPID_ISections_Items,
         DISPATCH_PROPERTYGET,
         {TArg::Long(5)},
         "List index out of bounds (5)"},
        {"Count of an empty wrapper",
         none.Get(),
         DISPID_ISections_Count,
         DISPATCH_PROPERTYGET,
         {},
         nullptr},
        {"DeleteItem of Nothing",
         sa.Get(),
         DISPID_ISections_DeleteItem,
         DISPATCH_METHOD,
         {TArg::Null()},
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TInvoke call(c.target, c.id, c.flags, c.args);
        EXPECT_EQ(call.hr, DISP_E_EXCEPTION);
        EXPECT_EQ(call.exceptionCode, E_UNEXPECTED);
        // Script hosts show it beside the text, as for the control's errors.
        EXPECT_EQ(call.exceptionSource, "CorvaneC.Sections");
        if (c.description) {
            EXPECT_EQ(call.exceptionDescription, c.description);
        } else {
            EXPECT_FALSE(call.exceptionDescription.empty());
        }
    }
    EXPECT_EQ(a->Count(), 2);
}

TEST_F(SectionsInvokeTest, AnotherLibrarysObjectAsTheSectionArgumentIsRefused) {
    TComPtr<ISections> top = Wrap(root.get()), sb = Wrap(b);
    TComPtr<IDispatch> foreign = ForeignDispatch();
    for (DISPID id : {DISPID_ISections_DeleteItem, DISPID_ISections_IsParent}) {
        TInvoke call(top.Get(), id, DISPATCH_METHOD, {TArg::Dispatch(foreign.Get())});
        EXPECT_TRUE(FAILED(call.hr));
    }
    EXPECT_TRUE(FAILED(TInvoke(sb.Get(), DISPID_ISections_Parent, DISPATCH_PROPERTYPUTREF,
                               {TArg::Dispatch(foreign.Get())})
                           .hr));
    EXPECT_EQ(root->Count(), 2);
    EXPECT_EQ(b->Parent(), root.get());
}

TEST_F(SectionsInvokeTest, HandedOutTypeInformationCarriesItsOwnReference) {
    TComPtr<ISections> sa = Wrap(a);
    TComPtr<ITypeInfo> held;
    ASSERT_EQ(sa->GetTypeInfo(0, 0, held.Put()), S_OK);
    const ULONG before = RefCount(held.Get());
    for (int i = 0; i < 5; ++i) {
        ITypeInfo* info = nullptr;
        ASSERT_EQ(sa->GetTypeInfo(0, 0, &info), S_OK);
        ASSERT_EQ(info, held.Get());
        info->Release(); // the caller's reference, as every caller drops it
    }
    EXPECT_EQ(RefCount(held.Get()), before);
    TInvoke count(sa.Get(), DISPID_ISections_Count, DISPATCH_PROPERTYGET, {});
    EXPECT_EQ(count.hr, S_OK);
    EXPECT_EQ(count.result.lVal, 2);
}

TEST_F(SectionsInvokeTest, TypeInformationAndRequestChecks) {
    TComPtr<ISections> s = Wrap(a);
    UINT count = 0;
    EXPECT_EQ(s->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    TComPtr<ITypeInfo> info;
    EXPECT_EQ(s->GetTypeInfo(1, 0, info.Put()), DISP_E_BADINDEX);
    EXPECT_FALSE(info);
    ASSERT_EQ(s->GetTypeInfo(0, 0, info.Put()), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_TRUE(IsEqualGUID(attr->guid, IID_ISections));
    info->ReleaseTypeAttr(attr);
    // Invoke and GetIDsOfNames take only IID_NULL.
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    EXPECT_EQ(s->Invoke(DISPID_ISections_Count, IID_ISections, 0, DISPATCH_PROPERTYGET, &none,
                        nullptr, nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);
}

} // namespace
} // namespace corvane::test
