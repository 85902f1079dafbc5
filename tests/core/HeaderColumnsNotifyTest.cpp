// Change notification: which edits reach the tree's handler, how often, and
// with which section. Every case records the handler calls (the caption of
// the section passed, at the time of the call) and compares them with the
// expected sequence written as data.

#include "core/framework/Exceptions.h"
#include "core/model/HeaderColumns.h"
#include "HeaderColumnsTestTree.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace corvane {
namespace {

using testing::AddTree;
using testing::Find;

struct CaptionLog {
    std::vector<std::string> calls;
    static void Record(void* target, THeaderColumns* section) {
        static_cast<CaptionLog*>(target)->calls.push_back(section ? section->Caption() : "<none>");
    }
    TChangeHandler Handler() { return TChangeHandler(&Record, this); }
};

struct NotifyCase {
    const char* name;
    const char* tree; // under a root captioned "root"
    std::function<void(THeaderColumns& root)> edit;
    std::vector<std::string> expected;
};

std::ostream& operator<<(std::ostream& out, const NotifyCase& c) { return out << c.name; }

THeaderColumns& N(THeaderColumns& root, const char* caption) {
    THeaderColumns* node = Find(&root, caption);
    if (node == nullptr)
        throw std::logic_error(std::string("no section ") + caption);
    return *node;
}

const std::vector<NotifyCase>& Cases() {
    static const std::vector<NotifyCase> cases = {
        {"AddOnRoot", "T", [](THeaderColumns& r) { r.Add("new"); }, {}},
        {"AddOnTopLevel", "T", [](THeaderColumns& r) { N(r, "T").Add("new"); }, {"T"}},
        {"AddOnDeeper", "T(U)", [](THeaderColumns& r) { N(r, "U").Add("new"); }, {"U"}},
        {"CreateWithParent", "T", [](THeaderColumns& r) { new THeaderColumns(&N(r, "T")); }, {"T"}},
        {"ChangedAllOnRoot", "T", [](THeaderColumns& r) { r.Changed(true); }, {"root"}},
        {"ChangedOneOnRoot", "T", [](THeaderColumns& r) { r.Changed(false); }, {}},
        {"ChangedAllOnTopLevel", "T", [](THeaderColumns& r) { N(r, "T").Changed(true); }, {}},
        {"ChangedAllOnDeeper", "T(U)", [](THeaderColumns& r) { N(r, "U").Changed(true); }, {"root"}},
        {"ChangedOneOnDeeper", "T(U)", [](THeaderColumns& r) { N(r, "U").Changed(false); }, {"U"}},
        {"ChangedAllWhileParentUpdates", "T(U)",
         [](THeaderColumns& r) {
             N(r, "T").BeginUpdate();
             N(r, "U").Changed(true); // not held back: reports itself
             N(r, "U").Changed(false); // held back
         },
         {"U"}},
        {"InsertOnRoot", "A,B", [](THeaderColumns& r) { r.Insert(0); }, {}},
        {"InsertFirstOnTopLevel", "T(a,b)", [](THeaderColumns& r) { N(r, "T").Insert(0); }, {"T", "root"}},
        {"InsertLastOnTopLevel", "T(a,b)", [](THeaderColumns& r) { N(r, "T").Insert(2); }, {"T"}},
        {"InsertBadIndexOnTopLevel", "T(a)",
         [](THeaderColumns& r) {
             try {
                 N(r, "T").Insert(7);
             } catch (const EListError&) {
             }
         },
         {"T"}},
        {"DeleteItemOnRoot", "A,B", [](THeaderColumns& r) { r.DeleteItem(&N(r, "A")); }, {}},
        {"DeleteItemOnTopLevel", "T(a(x,y),b)",
         [](THeaderColumns& r) { N(r, "T").DeleteItem(&N(r, "a")); }, {"T", "T"}},
        {"ClearOnTopLevel", "T(a(x),b,c)", [](THeaderColumns& r) { N(r, "T").Clear(); },
         {"T", "T", "T", "T"}},
        {"ClearOnTopLevelWithoutChildren", "T", [](THeaderColumns& r) { N(r, "T").Clear(); }, {}},
        {"ClearOnRoot", "A(a),B", [](THeaderColumns& r) { r.Clear(); }, {}},
        {"ClearWhileParentUpdates", "T(U(a,b))",
         [](THeaderColumns& r) {
             N(r, "T").BeginUpdate();
             N(r, "U").Clear();
         },
         {}},
        // Freeing a: its own Clear reports through T (x removed, then the
        // close), then its removal from T reports through the root.
        {"FreeChildOfTopLevel", "T(a(x),b)", [](THeaderColumns& r) { delete &N(r, "a"); },
         {"a", "a", "T"}},
        {"FreeLeafOfTopLevel", "T(a,b)", [](THeaderColumns& r) { delete &N(r, "a"); }, {"T"}},
        {"NestedEndUpdateEachReport", "T",
         [](THeaderColumns& r) {
             THeaderColumns& t = N(r, "T");
             t.BeginUpdate();
             t.BeginUpdate();
             t.EndUpdate();
             t.EndUpdate();
         },
         {"T", "T"}},
        {"EndUpdateOnRoot", "T",
         [](THeaderColumns& r) {
             r.BeginUpdate();
             r.EndUpdate();
         },
         {}},
        {"BeginUpdateSilencesChildrenOnly", "T(U)",
         [](THeaderColumns& r) {
             N(r, "T").BeginUpdate();
             N(r, "U").Add("x");   // U reports through T: silenced
             N(r, "T").Add("y");   // T reports through root: not silenced
             N(r, "T").EndUpdate(); // reports
         },
         {"T", "T"}},
        {"SetIndexTopLevel", "A,B,C", [](THeaderColumns& r) { N(r, "A").SetIndex(2); }, {}},
        {"SetIndexSecondLevel", "T(a,b)", [](THeaderColumns& r) { N(r, "a").SetIndex(1); }, {"root"}},
        {"SetIndexThirdLevel", "T(U(a,b))", [](THeaderColumns& r) { N(r, "b").SetIndex(0); }, {"T"}},
        {"SetIndexSamePosition", "T(a,b)", [](THeaderColumns& r) { N(r, "a").SetIndex(0); }, {}},
        {"SetIndexBad", "T(a,b)",
         [](THeaderColumns& r) {
             try {
                 N(r, "a").SetIndex(2);
             } catch (const EListError&) {
             }
         },
         {}},
        {"ExchangeOnRoot", "A,B", [](THeaderColumns& r) { r.Exchange(0, 1); }, {"root"}},
        {"ExchangeSameIndexOnRoot", "A,B", [](THeaderColumns& r) { r.Exchange(1, 1); }, {"root"}},
        {"ExchangeBadIndexOnRoot", "A,B", [](THeaderColumns& r) { r.Exchange(0, 2); }, {}},
        {"ExchangeOnTopLevel", "T(a,b)", [](THeaderColumns& r) { N(r, "T").Exchange(0, 1); }, {}},
        {"ExchangeOnSecondLevel", "T(U(a,b))", [](THeaderColumns& r) { N(r, "U").Exchange(0, 1); },
         {"root"}},
        {"SetHeightOnRoot", "T", [](THeaderColumns& r) { r.SetHeight(40); }, {}},
        {"SetHeightOnTopLevel", "T", [](THeaderColumns& r) { N(r, "T").SetHeight(40); }, {"T"}},
        {"SetHeightSameValue", "T", [](THeaderColumns& r) { N(r, "T").SetHeight(17); }, {}},
        {"PlainPropertiesReportNothing", "T(a)",
         [](THeaderColumns& r) {
             THeaderColumns& a = N(r, "a");
             a.SetWidth(5);
             a.SetAlignment(taCenter);
             a.SetWordwrap(true);
             a.SetTypeCol(9);
             a.SetCaption("renamed");
         },
         {}},
        {"AlphaSortRoot", "B(z,y),A", [](THeaderColumns& r) { r.AlphaSort(true); }, {}},
        {"AlphaSortTopLevelRecursive", "T(c(z,y),b(x,w))",
         [](THeaderColumns& r) { N(r, "T").AlphaSort(true); }, {"T"}},
        {"AlphaSortSecondLevel", "T(U(b,a))", [](THeaderColumns& r) { N(r, "U").AlphaSort(false); },
         {"U"}},
        {"SetParentBetweenTopLevels", "A(a),B",
         [](THeaderColumns& r) { N(r, "a").SetParent(&N(r, "B")); }, {"A", "B"}},
        {"SetParentToRoot", "A(a),B", [](THeaderColumns& r) { N(r, "a").SetParent(&r); }, {"A"}},
        {"SetParentNoneFromTopLevel", "A(a)",
         [](THeaderColumns& r) {
             THeaderColumns& a = N(r, "a");
             a.SetParent(nullptr);
             delete &a;
         },
         {"A"}},
        {"SetParentSameParent", "A(a)", [](THeaderColumns& r) { N(r, "a").SetParent(&N(r, "A")); }, {}},
        {"AddChildReappendsOwnChild", "A(a,b)", [](THeaderColumns& r) { N(r, "A").AddChild(&N(r, "a")); },
         {"A", "A"}},
        {"RemoveChildOfNonChild", "A(a),B", [](THeaderColumns& r) { N(r, "B").RemoveChild(&N(r, "a")); },
         {}},
        {"RefusedMoveReportsNothing", "A(a(x))",
         [](THeaderColumns& r) {
             try {
                 N(r, "A").SetParent(&N(r, "x"));
             } catch (const EInvalidOperation&) {
             }
         },
         {}},
        {"AssignIntoTopLevel", "T(old)",
         [](THeaderColumns& r) {
             THeaderColumns source;
             source.SetCaption("S");
             AddTree(&source, "s1,s2(z)");
             N(r, "T").Assign(&source);
         },
         // The caption is copied first; then old removed, Clear's close,
         // two Adds, the final close.
         {"S", "S", "S", "S", "S"}},
    };
    return cases;
}

class HeaderColumnsNotifyTest : public ::testing::TestWithParam<NotifyCase> {};

TEST_P(HeaderColumnsNotifyTest, ReportsExactly) {
    const NotifyCase& c = GetParam();
    THeaderColumns root;
    root.SetCaption("root");
    AddTree(&root, c.tree);
    CaptionLog log;
    root.SetOnChange(log.Handler());
    c.edit(root);
    EXPECT_EQ(c.expected, log.calls);
}

INSTANTIATE_TEST_SUITE_P(Edits, HeaderColumnsNotifyTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<NotifyCase>& param) {
                             return std::string(param.param.name);
                         });

TEST(HeaderColumnsNotifyRoutingTest, DoChangeWithoutSectionReportsParent) {
    THeaderColumns root;
    root.SetCaption("root");
    AddTree(&root, "T(U)");
    CaptionLog log;
    root.SetOnChange(log.Handler());
    Find(&root, "U")->DoChange(nullptr);
    Find(&root, "T")->DoChange(Find(&root, "U"));
    root.DoChange(nullptr); // no parent: nothing
    EXPECT_EQ((std::vector<std::string>{"T", "U"}), log.calls);
}

TEST(HeaderColumnsNotifyRoutingTest, ReportsGoToTheParentsHandler) {
    // The handler of the node that reports (the parent) is the one called.
    THeaderColumns root;
    root.SetCaption("root");
    AddTree(&root, "T(U)");
    CaptionLog rootLog, topLog;
    root.SetOnChange(rootLog.Handler());
    Find(&root, "T")->SetOnChange(topLog.Handler());
    Find(&root, "U")->Add("x");  // U -> T's DoChange
    Find(&root, "T")->Add("y");  // T -> root's DoChange
    EXPECT_EQ((std::vector<std::string>{"U"}), topLog.calls);
    EXPECT_EQ((std::vector<std::string>{"T"}), rootLog.calls);
}

TEST(HeaderColumnsNotifyRoutingTest, SetOnChangeCoversWholeSubtree) {
    THeaderColumns root;
    AddTree(&root, "A(a(x)),B");
    CaptionLog log;
    root.SetOnChange(log.Handler());
    for (THeaderColumns* n = &root; n != nullptr; n = n->GetNext())
        EXPECT_EQ(log.Handler(), n->OnChange()) << n->Caption();
    root.SetOnChange(TChangeHandler());
    for (THeaderColumns* n = &root; n != nullptr; n = n->GetNext())
        EXPECT_FALSE(n->OnChange()) << n->Caption();
}

} // namespace
} // namespace corvane
