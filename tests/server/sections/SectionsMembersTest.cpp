// ISections members called early-bound, as a C++ host calls them: what each
// hands back, what each changes in the tree, and the failures the list index
// and copy errors produce.

#include "support/SectionsFixture.h"

#include "server/automation/Bstr.h"

#include <functional>

namespace corvane::test {
namespace {

using server::TBstr;

struct ReportCounter {
    int calls = 0;
    THeaderColumns* last = nullptr;
    void Report(THeaderColumns* s) {
        ++calls;
        last = s;
    }
    TChangeHandler Handler() {
        return TChangeHandler::Bind<ReportCounter, &ReportCounter::Report>(this);
    }
};

class SectionsMembersTest : public SectionsTest {
protected:
    // The section behind a handed-out wrapper, checking it was handed out
    // with exactly one reference.
    THeaderColumns* Handed(TComPtr<ISections>& result) {
        EXPECT_TRUE(result);
        if (!result)
            return nullptr;
        EXPECT_EQ(RefCount(result.Get()), 1u);
        return SectionOf(result.Get());
    }
};

TEST_F(SectionsMembersTest, NavigationHandsOutNewWrappersOfTheRightSection) {
    using Navigate = std::function<HRESULT(ISections*, ISections**)>;
    struct Case {
        const char* what;
        THeaderColumns* SectionsTest::*from; // member pointer, read after SetUp
        Navigate navigate;
        THeaderColumns* SectionsTest::*expected; // nullptr member: an empty wrapper
    };
    const auto getFirst = [](ISections* s, ISections** r) { return s->GetFirstChild(r); };
    const auto getLast = [](ISections* s, ISections** r) { return s->GetLastChild(r); };
    const auto getNext = [](ISections* s, ISections** r) { return s->GetNext(r); };
    const auto getPrev = [](ISections* s, ISections** r) { return s->GetPrev(r); };
    const auto nextSibling = [](ISections* s, ISections** r) { return s->GetNextSibling(r); };
    const auto prevSibling = [](ISections* s, ISections** r) { return s->GetPrevSibling(r); };
    const auto parent = [](ISections* s, ISections** r) { return s->get_Parent(r); };
    const auto find = [](long id) {
        return [id](ISections* s, ISections** r) { return s->FindItemID(id, r); };
    };
    const auto item = [](long index) {
        return [index](ISections* s, ISections** r) { return s->get_Items(index, r); };
    };
    using T = SectionsTest;
    const Case cases[] = {
        {"first child of A", &T::a, getFirst, &T::a1},
        {"last child of A", &T::a, getLast, &T::a2},
        {"first child of a leaf", &T::b, getFirst, nullptr},
        {"next of A2 is B", &T::a2, getNext, &T::b},
        {"next of A is A1", &T::a, getNext, &T::a1},
        {"next of the last leaf", &T::b, getNext, nullptr},
        {"previous of B is A2", &T::b, getPrev, &T::a2},
        {"previous of A1 is A", &T::a1, getPrev, &T::a},
        {"next sibling of A", &T::a, nextSibling, &T::b},
        {"next sibling of the last child", &T::b, nextSibling, nullptr},
        {"previous sibling of the first child", &T::a1, prevSibling, nullptr},
        {"parent of A1", &T::a1, parent, &T::a},
        {"FindItemID 1 of A", &T::a, find(1), &T::a2},
        {"FindItemID of a grandchild's ID only", &T::b, find(0), nullptr},
        {"Items 1 of A", &T::a, item(1), &T::a2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TComPtr<ISections> from = Wrap(this->*c.from);
        TComPtr<ISections> result;
        ASSERT_EQ(c.navigate(from.Get(), result.Put()), S_OK);
        EXPECT_NE(result.Get(), from.Get());
        EXPECT_EQ(Handed(result), c.expected ? this->*c.expected : nullptr);
    }
    // Parent of the root and the root's previous are empty wrappers too.
    TComPtr<ISections> top = Wrap(root.get()), none;
    ASSERT_EQ(top->get_Parent(none.Put()), S_OK);
    EXPECT_EQ(Handed(none), nullptr);
    ASSERT_EQ(top->GetPrev(none.Put()), S_OK);
    EXPECT_EQ(Handed(none), nullptr);
}

TEST_F(SectionsMembersTest, PropertyPutsStoreWhatTheTreeKeeps) {
    TComPtr<ISections> sa = Wrap(a), sb = Wrap(b);
    long value = 0;
    // The stored width of a section with children does not count.
    EXPECT_EQ(sa->put_Width(500), S_OK);
    EXPECT_EQ(sa->get_Width(&value), S_OK);
    EXPECT_EQ(value, 100);
    EXPECT_EQ(sb->put_Width(-3), S_OK); // no check
    EXPECT_EQ(b->StoredWidth(), -3);
    // Heights of 2 and below become 2.
    EXPECT_EQ(sb->put_Height(1), S_OK);
    EXPECT_EQ(b->Height(), 2);
    // Only the low byte of an alignment is kept.
    TxAlignment alignment = ::taLeftJustify;
    EXPECT_EQ(sb->put_Alignment(static_cast<TxAlignment>(258)), S_OK);
    EXPECT_EQ(sb->get_Alignment(&alignment), S_OK);
    EXPECT_EQ(alignment, ::taCenter);
    // Any non-zero boolean is true; true comes back as -1, never 1.
    VARIANT_BOOL wrap = 0;
    EXPECT_EQ(sb->put_WordWrap(1), S_OK);
    EXPECT_EQ(sb->get_WordWrap(&wrap), S_OK);
    EXPECT_EQ(wrap, VARIANT_TRUE);
    EXPECT_EQ(sb->put_WordWrap(VARIANT_FALSE), S_OK);
    EXPECT_EQ(sb->get_WordWrap(&wrap), S_OK);
    EXPECT_EQ(wrap, VARIANT_FALSE);
}

TEST_F(SectionsMembersTest, CaptionsCrossAsBstrsOfTheFullLength) {
    TComPtr<ISections> sb = Wrap(b);
    // An embedded zero is part of the text both ways.
    const wchar_t withZero[] = L"ab\0cd";
    TBstr text = TBstr::FromWide(withZero, 5);
    EXPECT_EQ(sb->put_Caption(text.Get()), S_OK);
    EXPECT_EQ(b->Caption(), std::string("ab\0cd", 5));
    TBstr back;
    EXPECT_EQ(sb->get_Caption(back.Put()), S_OK);
    EXPECT_EQ(back.Length(), 5u);
    EXPECT_EQ(std::wstring(back.Get(), 5), std::wstring(withZero, 5));
    // The empty caption is a null BSTR both ways.
    EXPECT_EQ(sb->put_Caption(nullptr), S_OK);
    EXPECT_EQ(b->Caption(), "");
    BSTR empty = reinterpret_cast<BSTR>(0x1);
    EXPECT_EQ(sb->get_Caption(&empty), S_OK);
    EXPECT_EQ(empty, nullptr);
}

TEST_F(SectionsMembersTest, ListIndexErrorsCarryTheIndexInTheirDescription) {
    struct Case {
        const char* what;
        std::function<HRESULT(ISections*, ISections*)> call;
        const char* description;
    };
    const Case cases[] = {
        {"Items get 5",
         [](ISections* s, ISections*) {
             TComPtr<ISections> r;
             return s->get_Items(5, r.Put());
         },
         "List index out of bounds (5)"},
        {"Items get -1",
         [](ISections* s, ISections*) {
             TComPtr<ISections> r;
             return s->get_Items(-1, r.Put());
         },
         "List index out of bounds (-1)"},
        {"Items put 2", [](ISections* s, ISections* arg) { return s->put_Items(2, arg); },
         "List index out of bounds (2)"},
        {"Items put with an empty wrapper",
         [](ISections* s, ISections*) {
             TComPtr<ISections> none;
             EXPECT_EQ(CreateSections(nullptr, none.Put()), S_OK);
             return s->put_Items(0, none.Get());
         },
         "Cannot assign a nil to a THeaderColumns"},
    };
    TComPtr<ISections> sa = Wrap(a), sb = Wrap(b);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearErrorInfo();
        EXPECT_EQ(c.call(sa.Get(), sb.Get()), E_UNEXPECTED);
        const TErrorRecord error = TakeErrorInfo();
        EXPECT_TRUE(error.present);
        EXPECT_TRUE(IsEqualGUID(error.guid, IID_ISections));
        EXPECT_EQ(error.description, c.description);
        EXPECT_EQ(a->Count(), 2);
        EXPECT_EQ(a1->Caption(), "A1");
    }
}

TEST_F(SectionsMembersTest, InsertAtABadIndexFailsAndLeavesTheNewChildAtTheEnd) {
    TComPtr<ISections> sa = Wrap(a), result;
    EXPECT_EQ(sa->Insert(10, result.Put()), E_UNEXPECTED);
    EXPECT_FALSE(result);
    EXPECT_EQ(TakeErrorInfo().description, "List index out of bounds (10)");
    ASSERT_EQ(a->Count(), 3);
    EXPECT_EQ(a->Items(2)->Caption(), "");
    // At a good index the child lands there with the parent's next ID.
    EXPECT_EQ(sa->Insert(0, result.Put()), S_OK);
    EXPECT_EQ(SectionOf(result.Get()), a->Items(0));
    EXPECT_EQ(a->Items(0)->ID(), 3);
}

TEST_F(SectionsMembersTest, ExchangeOutOfRangeSucceedsAndChangesNothing) {
    TComPtr<ISections> sa = Wrap(a);
    EXPECT_EQ(sa->Exchange(0, 9), S_OK);
    EXPECT_EQ(a->Items(0), a1);
    EXPECT_EQ(sa->Exchange(0, 1), S_OK);
    EXPECT_EQ(a->Items(0), a2);
}

TEST_F(SectionsMembersTest, ItemsPutCopiesTheSubtreeWithoutWordWrap) {
    a1->SetWordwrap(true);
    TComPtr<ISections> top = Wrap(root.get()), sa = Wrap(a);
    EXPECT_EQ(top->put_Items(1, sa.Get()), S_OK);
    ASSERT_EQ(root->Count(), 2);
    THeaderColumns* copy = root->Items(1);
    EXPECT_EQ(copy, b); // the same node, its content replaced
    EXPECT_EQ(copy->Caption(), "A");
    ASSERT_EQ(copy->Count(), 2);
    EXPECT_EQ(copy->Items(0)->Caption(), "A1");
    EXPECT_FALSE(copy->Items(0)->Wordwrap());
    EXPECT_EQ(copy->Width(), 100);
    // From an ancestor of the target: the copy is taken first and ends.
    EXPECT_EQ(sa->put_Items(0, top.Get()), S_OK);
    EXPECT_EQ(a->Items(0)->Count(), 2);
}

TEST_F(SectionsMembersTest, TwoWrappersOfOneSectionSeeEachOthersEdits) {
    TComPtr<ISections> top = Wrap(root.get()), first, again;
    ASSERT_EQ(top->GetFirstChild(first.Put()), S_OK);
    ASSERT_EQ(top->GetFirstChild(again.Put()), S_OK);
    EXPECT_NE(first.Get(), again.Get());
    TBstr caption = TBstr::FromWide(L"Renamed", 7);
    EXPECT_EQ(first->put_Caption(caption.Get()), S_OK);
    TBstr seen;
    EXPECT_EQ(again->get_Caption(seen.Put()), S_OK);
    EXPECT_EQ(ToAnsi(seen.Get()), "Renamed");
}

TEST_F(SectionsMembersTest, IsParentWalksUpFromTheArgument) {
    TComPtr<ISections> sa = Wrap(a), sa1 = Wrap(a1), top = Wrap(root.get()), none = Wrap(nullptr);
    struct Case {
        ISections* of;
        ISections* argument;
        VARIANT_BOOL expected;
    };
    const Case cases[] = {
        {sa.Get(), sa.Get(), VARIANT_TRUE},    {sa.Get(), sa1.Get(), VARIANT_TRUE},
        {top.Get(), sa1.Get(), VARIANT_TRUE},  {sa1.Get(), sa.Get(), VARIANT_FALSE},
        {sa.Get(), none.Get(), VARIANT_FALSE}, {none.Get(), sa.Get(), VARIANT_FALSE},
    };
    for (const Case& c : cases) {
        VARIANT_BOOL answer = 1;
        EXPECT_EQ(c.of->IsParent(c.argument, &answer), S_OK);
        EXPECT_EQ(answer, c.expected);
    }
}

TEST_F(SectionsMembersTest, AddAndChangedReportAsTheTreeDoes) {
    ReportCounter counter;
    root->SetOnChange(counter.Handler());
    TComPtr<ISections> top = Wrap(root.get()), sa = Wrap(a), added;
    TBstr caption = TBstr::FromWide(L"C", 1);
    // Top-level edits report nothing until Changed(True) on the root.
    EXPECT_EQ(top->Add(caption.Get(), added.Put()), S_OK);
    EXPECT_EQ(counter.calls, 0);
    EXPECT_EQ(SectionOf(added.Get()), root->Items(2));
    EXPECT_EQ(root->Items(2)->Caption(), "C");
    EXPECT_EQ(top->Changed(-1), S_OK);
    EXPECT_EQ(counter.calls, 1);
    EXPECT_EQ(counter.last, root.get());
    // Below the top level an Add reports once, with its parent.
    EXPECT_EQ(sa->Add(caption.Get(), added.Put()), S_OK);
    EXPECT_EQ(counter.calls, 2);
    EXPECT_EQ(counter.last, a);
    // The new child got the tree's handler.
    EXPECT_TRUE(SectionOf(added.Get())->OnChange());
    root->SetOnChange(TChangeHandler()); // the counter goes before the tree
}

TEST_F(SectionsMembersTest, DeleteItemFreesAChildAndRefusesAnythingElse) {
    TComPtr<ISections> top = Wrap(root.get()), sa1 = Wrap(a1), sb = Wrap(b);
    EXPECT_EQ(top->DeleteItem(sa1.Get()), E_UNEXPECTED); // a grandchild
    EXPECT_EQ(a->Count(), 2);
    EXPECT_EQ(SectionOf(sa1.Get()), a1);
    EXPECT_EQ(top->DeleteItem(top.Get()), E_UNEXPECTED); // itself
    EXPECT_EQ(top->DeleteItem(sb.Get()), S_OK);
    EXPECT_EQ(root->Count(), 1);
    EXPECT_EQ(SectionOf(sb.Get()), nullptr);
    EXPECT_EQ(top->DeleteItem(sb.Get()), E_UNEXPECTED); // already gone
}

TEST_F(SectionsMembersTest, ParentPutMovesASectionAndRefusesUnsafeMoves) {
    TComPtr<ISections> top = Wrap(root.get()), sa = Wrap(a), sa1 = Wrap(a1), sb = Wrap(b);
    TComPtr<ISections> none = Wrap(nullptr);
    // A1 moves to the end of B's children and gets B's next ID.
    EXPECT_EQ(sa1->put_Parent(sb.Get()), S_OK);
    EXPECT_EQ(a1->Parent(), b);
    EXPECT_EQ(b->Items(0), a1);
    EXPECT_EQ(a->Count(), 1);
    // Already the parent: nothing happens.
    EXPECT_EQ(sb->put_Parent(top.Get()), S_OK);
    EXPECT_EQ(root->Items(1), b);
    struct Case {
        const char* what;
        ISections* section;
        ISections* newParent;
    };
    const Case refused[] = {
        {"into its own subtree", sb.Get(), sa1.Get()},
        {"onto itself", sa.Get(), sa.Get()},
        {"detached by an empty wrapper", sa.Get(), none.Get()},
        {"the root under one of its sections", top.Get(), sb.Get()},
    };
    THeaderColumns other;
    TComPtr<ISections> otherRoot = Wrap(&other);
    for (const Case& c : refused) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.section->put_Parent(c.newParent), E_UNEXPECTED);
        EXPECT_EQ(root->Count(), 2);
        EXPECT_EQ(a->Parent(), root.get());
        EXPECT_EQ(b->Parent(), root.get());
        EXPECT_EQ(root->Parent(), nullptr);
    }
    // Another tree's root must not become a section of this one (two owners).
    EXPECT_EQ(otherRoot->put_Parent(sa.Get()), E_UNEXPECTED);
    EXPECT_EQ(other.Parent(), nullptr);
    EXPECT_EQ(a->Count(), 1);
}

TEST_F(SectionsMembersTest, AnUnmatchedEndUpdateReportsButKeepsTheChildrenHeard) {
    ReportCounter counter;
    root->SetOnChange(counter.Handler());
    TComPtr<ISections> sa = Wrap(a), sa1 = Wrap(a1);
    EXPECT_EQ(sa1->EndUpdate(), S_OK); // no BeginUpdate before it
    EXPECT_EQ(counter.calls, 1);       // reports as EndUpdate does, through A
    EXPECT_EQ(a1->UpdateCount(), 0);
    // A's own bracket still works, and its children are heard afterwards.
    EXPECT_EQ(sa->BeginUpdate(), S_OK);
    EXPECT_EQ(sa->EndUpdate(), S_OK);
    EXPECT_EQ(a->UpdateCount(), 0);
    const int before = counter.calls;
    TComPtr<ISections> inserted;
    EXPECT_EQ(sa1->Insert(0, inserted.Put()), S_OK);
    EXPECT_GT(counter.calls, before);
    root->SetOnChange(TChangeHandler()); // the counter goes before the tree
}

TEST_F(SectionsMembersTest, ASectionMovedIntoAnotherTreeReportsToThatTree) {
    ReportCounter here, there;
    root->SetOnChange(here.Handler());
    THeaderColumns otherRoot;
    THeaderColumns* group = otherRoot.Add("Group");
    otherRoot.SetOnChange(there.Handler());
    TComPtr<ISections> sa = Wrap(a), sgroup = Wrap(group), added;
    EXPECT_EQ(sa->put_Parent(sgroup.Get()), S_OK);
    EXPECT_EQ(a->Parent(), group);
    here.calls = there.calls = 0;
    EXPECT_EQ(sa->Add(nullptr, added.Put()), S_OK);
    EXPECT_EQ(there.calls, 1);
    EXPECT_EQ(here.calls, 0);
    EXPECT_TRUE(a1->OnChange() == there.Handler());
    EXPECT_EQ(root->Count(), 1);
    root->SetOnChange(TChangeHandler()); // the counters go before the tree
}

} // namespace
} // namespace corvane::test
