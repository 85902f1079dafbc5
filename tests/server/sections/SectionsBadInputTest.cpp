// Every ISections member against the inputs it must refuse: wrappers that
// refer to no section (empty ones and those whose section was freed, however
// it was freed), null results, null and foreign Section arguments.

#include "support/SectionsFixture.h"

#include <olectl.h>

#include <functional>

namespace corvane::test {
namespace {

using Call = std::function<HRESULT(ISections* target, ISections* argument, ISections** out)>;

struct Member {
    const char* name;
    Call call;
    bool hasInterfaceResult;
};

std::vector<Member> AllMembers() {
    BSTR caption = nullptr; // the empty caption
    return {
        {"Add", [=](ISections* t, ISections*, ISections** o) { return t->Add(caption, o); }, true},
        {"IsParent",
         [](ISections* t, ISections* a, ISections**) {
             VARIANT_BOOL v = 1;
             return t->IsParent(a, &v);
         },
         false},
        {"Changed", [](ISections* t, ISections*, ISections**) { return t->Changed(VARIANT_TRUE); },
         false},
        {"GetFirstChild",
         [](ISections* t, ISections*, ISections** o) { return t->GetFirstChild(o); }, true},
        {"GetLastChild", [](ISections* t, ISections*, ISections** o) { return t->GetLastChild(o); },
         true},
        {"GetNext", [](ISections* t, ISections*, ISections** o) { return t->GetNext(o); }, true},
        {"GetNextSibling",
         [](ISections* t, ISections*, ISections** o) { return t->GetNextSibling(o); }, true},
        {"GetPrev", [](ISections* t, ISections*, ISections** o) { return t->GetPrev(o); }, true},
        {"GetPrevSibling",
         [](ISections* t, ISections*, ISections** o) { return t->GetPrevSibling(o); }, true},
        {"AlphaSort",
         [](ISections* t, ISections*, ISections**) { return t->AlphaSort(VARIANT_TRUE); }, false},
        {"Exchange", [](ISections* t, ISections*, ISections**) { return t->Exchange(0, 1); },
         false},
        {"DeleteItem", [](ISections* t, ISections* a, ISections**) { return t->DeleteItem(a); },
         false},
        {"BeginUpdate", [](ISections* t, ISections*, ISections**) { return t->BeginUpdate(); },
         false},
        {"Clear", [](ISections* t, ISections*, ISections**) { return t->Clear(); }, false},
        {"EndUpdate", [](ISections* t, ISections*, ISections**) { return t->EndUpdate(); }, false},
        {"FindItemID", [](ISections* t, ISections*, ISections** o) { return t->FindItemID(0, o); },
         true},
        {"Insert", [](ISections* t, ISections*, ISections** o) { return t->Insert(0, o); }, true},
        {"Parent get", [](ISections* t, ISections*, ISections** o) { return t->get_Parent(o); },
         true},
        {"Parent put", [](ISections* t, ISections* a, ISections**) { return t->put_Parent(a); },
         false},
        {"ID",
         [](ISections* t, ISections*, ISections**) {
             long v = 0;
             return t->get_ID(&v);
         },
         false},
        {"Index",
         [](ISections* t, ISections*, ISections**) {
             long v = 0;
             return t->get_Index(&v);
         },
         false},
        {"Count",
         [](ISections* t, ISections*, ISections**) {
             long v = 0;
             return t->get_Count(&v);
         },
         false},
        {"Level",
         [](ISections* t, ISections*, ISections**) {
             long v = 0;
             return t->get_Level(&v);
         },
         false},
        {"Items get", [](ISections* t, ISections*, ISections** o) { return t->get_Items(0, o); },
         true},
        {"Items put", [](ISections* t, ISections* a, ISections**) { return t->put_Items(0, a); },
         false},
        {"AbsoluteIndex",
         [](ISections* t, ISections*, ISections**) {
             long v = 0;
             return t->get_AbsoluteIndex(&v);
         },
         false},
        {"Caption get",
         [](ISections* t, ISections*, ISections**) {
             BSTR v = nullptr;
             const HRESULT hr = t->get_Caption(&v);
             SysFreeString(v);
             return hr;
         },
         false},
        {"Caption put",
         [](ISections* t, ISections*, ISections**) { return t->put_Caption(nullptr); }, false},
        {"Width get",
         [](ISections* t, ISections*, ISections**) {
             long v = 0;
             return t->get_Width(&v);
         },
         false},
        {"Width put", [](ISections* t, ISections*, ISections**) { return t->put_Width(10); },
         false},
        {"Height get",
         [](ISections* t, ISections*, ISections**) {
             long v = 0;
             return t->get_Height(&v);
         },
         false},
        {"Height put", [](ISections* t, ISections*, ISections**) { return t->put_Height(10); },
         false},
        {"Alignment get",
         [](ISections* t, ISections*, ISections**) {
             TxAlignment v = ::taLeftJustify;
             return t->get_Alignment(&v);
         },
         false},
        {"Alignment put",
         [](ISections* t, ISections*, ISections**) { return t->put_Alignment(::taCenter); }, false},
        {"WordWrap get",
         [](ISections* t, ISections*, ISections**) {
             VARIANT_BOOL v = 0;
             return t->get_WordWrap(&v);
         },
         false},
        {"WordWrap put",
         [](ISections* t, ISections*, ISections**) { return t->put_WordWrap(VARIANT_TRUE); },
         false},
    };
}

class SectionsBadInputTest : public SectionsTest {
public:
    // Exposed for the table of dead wrappers.
    using SectionsTest::Wrap;
    THeaderColumns* Root() { return root.get(); }
    THeaderColumns* A() { return a; }
    THeaderColumns* A1() { return a1; }
    THeaderColumns* B() { return b; }
    void FreeTree() { root.reset(); }

    // A font's dispatch interface posing as ISections: a foreign object.
    TComPtr<ISections> ForeignObject() {
        FONTDESC desc = {sizeof(FONTDESC),
                         const_cast<LPOLESTR>(L"Arial"),
                         {},
                         FW_NORMAL,
                         ANSI_CHARSET,
                         FALSE,
                         FALSE,
                         FALSE};
        desc.cySize.int64 = 80000;
        TComPtr<IUnknown> font;
        EXPECT_EQ(OleCreateFontIndirect(&desc, IID_IFontDisp, font.PutVoid()), S_OK);
        return TComPtr<ISections>(reinterpret_cast<ISections*>(font.Get()));
    }
};

// Ways a wrapper comes to refer to no section. Each returns such a wrapper.
struct DeadWrapper {
    const char* how;
    std::function<TComPtr<ISections>(SectionsBadInputTest& test)> make;
};

std::vector<DeadWrapper> DeadWrappers() {
    return {
        {"empty wrapper", [](SectionsBadInputTest& s) { return s.Wrap(nullptr); }},
        {"GetNextSibling of the last child",
         [](SectionsBadInputTest& s) {
             auto last = s.Wrap(s.B());
             TComPtr<ISections> none;
             EXPECT_EQ(last->GetNextSibling(none.Put()), S_OK);
             return none;
         }},
        {"Parent of the root",
         [](SectionsBadInputTest& s) {
             auto root = s.Wrap(s.Root());
             TComPtr<ISections> none;
             EXPECT_EQ(root->get_Parent(none.Put()), S_OK);
             return none;
         }},
        {"section freed by DeleteItem",
         [](SectionsBadInputTest& s) {
             auto victim = s.Wrap(s.B());
             EXPECT_EQ(s.Wrap(s.Root())->DeleteItem(victim.Get()), S_OK);
             return victim;
         }},
        {"section freed by Clear of its parent",
         [](SectionsBadInputTest& s) {
             auto victim = s.Wrap(s.A1());
             EXPECT_EQ(s.Wrap(s.A())->Clear(), S_OK);
             return victim;
         }},
        {"section replaced by Items put",
         [](SectionsBadInputTest& s) {
             auto victim = s.Wrap(s.A1());
             EXPECT_EQ(s.Wrap(s.Root())->put_Items(0, s.Wrap(s.B()).Get()), S_OK);
             return victim;
         }},
        {"whole tree freed",
         [](SectionsBadInputTest& s) {
             auto victim = s.Wrap(s.A());
             s.FreeTree();
             return victim;
         }},
    };
}

TEST_F(SectionsBadInputTest, WrappersOfNoSectionRefuseEveryMemberButIsParent) {
    for (const DeadWrapper& dead : DeadWrappers()) {
        SCOPED_TRACE(dead.how);
        BuildTree();
        TComPtr<ISections> target = dead.make(*this);
        ASSERT_TRUE(target);
        // A live argument for members that take one; after "whole tree freed"
        // there is no live section left, so a fresh tree provides it.
        THeaderColumns spare;
        TComPtr<ISections> argument = Wrap(spare.Add("spare"));
        for (const Member& member : AllMembers()) {
            SCOPED_TRACE(member.name);
            ClearErrorInfo();
            ISections* out = reinterpret_cast<ISections*>(0x1);
            const HRESULT hr = member.call(target.Get(), argument.Get(), &out);
            if (std::string(member.name) == "IsParent") {
                VARIANT_BOOL answer = 1;
                EXPECT_EQ(target->IsParent(argument.Get(), &answer), S_OK);
                EXPECT_EQ(answer, VARIANT_FALSE);
                continue;
            }
            EXPECT_EQ(hr, E_UNEXPECTED);
            if (member.hasInterfaceResult) {
                EXPECT_EQ(out, nullptr) << "interface result not cleared";
            }
            const TErrorRecord error = TakeErrorInfo();
            EXPECT_TRUE(error.present);
            EXPECT_TRUE(IsEqualGUID(error.guid, IID_ISections));
        }
    }
}

TEST_F(SectionsBadInputTest, NullResultPointersFailWithoutChangingTheTree) {
    TComPtr<ISections> target = Wrap(a);
    TComPtr<ISections> argument = Wrap(b);
    for (const Member& member : AllMembers()) {
        if (!member.hasInterfaceResult)
            continue;
        SCOPED_TRACE(member.name);
        EXPECT_EQ(member.call(target.Get(), argument.Get(), nullptr), E_UNEXPECTED);
        EXPECT_EQ(a->Count(), 2);
    }
    // Scalar and string results too.
    EXPECT_EQ(target->IsParent(argument.Get(), nullptr), E_UNEXPECTED);
    EXPECT_EQ(target->get_Count(nullptr), E_UNEXPECTED);
    EXPECT_EQ(target->get_Caption(nullptr), E_UNEXPECTED);
    EXPECT_EQ(target->get_Alignment(nullptr), E_UNEXPECTED);
    EXPECT_EQ(target->get_WordWrap(nullptr), E_UNEXPECTED);
}

TEST_F(SectionsBadInputTest, NullAndForeignSectionArgumentsAreRefused) {
    const char* const takingSection[] = {"IsParent", "DeleteItem", "Parent put", "Items put"};
    TComPtr<ISections> foreign = ForeignObject();
    TComPtr<ISections> target = Wrap(a);
    for (const Member& member : AllMembers()) {
        bool takes = false;
        for (const char* name : takingSection)
            takes = takes || std::string(member.name) == name;
        if (!takes)
            continue;
        SCOPED_TRACE(member.name);
        for (ISections* argument : {static_cast<ISections*>(nullptr), foreign.Get()}) {
            ClearErrorInfo();
            EXPECT_EQ(member.call(target.Get(), argument, nullptr), E_UNEXPECTED);
            EXPECT_TRUE(TakeErrorInfo().present);
            EXPECT_EQ(a->Count(), 2);
            EXPECT_EQ(a1->Caption(), "A1");
            EXPECT_EQ(a->Parent(), root.get());
        }
    }
    EXPECT_EQ(SectionOf(foreign.Get()), nullptr);
}

} // namespace
} // namespace corvane::test
