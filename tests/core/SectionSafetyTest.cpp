// Moves that would damage the tree are refused before anything changes,
// copies from inside the own family work from a snapshot, references never
// dangle, and a long random run of edits keeps every invariant of the tree,
// its index and its references.

#include "HeaderColumnsTestTree.h"
#include "core/framework/Exceptions.h"
#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"
#include "core/model/SectionRef.h"
#include "support/EagerIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace corvane {
namespace {

using testing::AddTree;
using testing::ChangeLog;
using testing::Describe;
using testing::Find;

// Everything observable about a tree's structure, for "nothing changed" checks.
std::string Snapshot(const THeaderColumns* node) {
    std::ostringstream out;
    out << node->Caption() << '#' << node->ID() << '/' << node->NextID() << '[';
    for (const THeaderColumns* child : node->Children())
        out << Snapshot(child) << ',';
    out << ']';
    return out.str();
}

// --- Refused moves -----------------------------------------------------

TEST(SectionSafetyTest, SetParentRefusesOwnSubtreeAndChangesNothing) {
    THeaderColumns root;
    AddTree(&root, "A(a1(x),a2),B");
    ChangeLog log;
    root.SetOnChange(log.Handler());
    const std::string before = Snapshot(&root);
    THeaderColumns* a = Find(&root, "A");
    for (const char* target : {"A", "a1", "x", "a2"}) {
        EXPECT_THROW(a->SetParent(Find(&root, target)), EInvalidOperation) << target;
        EXPECT_EQ(before, Snapshot(&root)) << target;
        EXPECT_EQ(&root, a->Parent());
    }
    EXPECT_TRUE(log.calls.empty());
}

TEST(SectionSafetyTest, AddChildRefusesSelfAndAncestorsAndChangesNothing) {
    THeaderColumns root;
    AddTree(&root, "A(a1(x))");
    ChangeLog log;
    root.SetOnChange(log.Handler());
    const std::string before = Snapshot(&root);
    THeaderColumns* x = Find(&root, "x");
    for (THeaderColumns* node : {x, Find(&root, "a1"), Find(&root, "A"), &root}) {
        EXPECT_THROW(x->AddChild(node), EInvalidOperation) << node->Caption();
        EXPECT_EQ(before, Snapshot(&root));
    }
    EXPECT_TRUE(log.calls.empty());
    x->AddChild(nullptr); // nothing to add
    EXPECT_EQ(before, Snapshot(&root));
}

TEST(SectionSafetyTest, AddChildTakesNodeFromItsOldParentFirst) {
    THeaderColumns root;
    root.SetCaption("root");
    AddTree(&root, "A(a1,a2),B");
    ChangeLog log;
    root.SetOnChange(log.Handler());
    THeaderColumns* a = Find(&root, "A");
    THeaderColumns* b = Find(&root, "B");
    b->AddChild(Find(&root, "a1"));
    EXPECT_EQ("A(a2),B(a1)", Describe(&root));
    EXPECT_EQ((std::vector<THeaderColumns*>{a, b}), log.Take());

    // Its own child: taken out and appended again, so never listed twice.
    a->AddChild(Find(&root, "a2"));
    EXPECT_EQ(1, a->Count());
    root.AddChild(b);
    EXPECT_EQ("A(a2),B(a1)", Describe(&root));
}

TEST(SectionSafetyTest, RemoveChildOfNonChildDoesNothing) {
    THeaderColumns root;
    AddTree(&root, "A(a1),B");
    ChangeLog log;
    root.SetOnChange(log.Handler());
    const std::string before = Snapshot(&root);
    THeaderColumns* b = Find(&root, "B");
    b->RemoveChild(Find(&root, "a1"));
    b->RemoveChild(nullptr);
    b->RemoveChild(b);
    b->RemoveChild(&root);
    EXPECT_EQ(before, Snapshot(&root));
    EXPECT_EQ(Find(&root, "A"), Find(&root, "a1")->Parent());
    EXPECT_TRUE(log.calls.empty());
}

TEST(SectionSafetyTest, DeleteItemRefusesWhatIsNotADirectChild) {
    THeaderColumns root;
    AddTree(&root, "A(a1(x)),B");
    ChangeLog log;
    root.SetOnChange(log.Handler());
    const std::string before = Snapshot(&root);
    THeaderColumns free;
    for (THeaderColumns* section : {Find(&root, "x"), Find(&root, "a1"),
                                    static_cast<THeaderColumns*>(nullptr), &root, &free}) {
        const SectionRef ref(section);
        EXPECT_THROW(root.DeleteItem(section), EInvalidOperation);
        EXPECT_EQ(section, ref.get()); // still alive
    }
    EXPECT_THROW(Find(&root, "A")->DeleteItem(Find(&root, "A")), EInvalidOperation);
    EXPECT_EQ(before, Snapshot(&root));
    EXPECT_EQ(0, root.UpdateCount());
    EXPECT_TRUE(log.calls.empty());
}

// --- Copies within one family ---------------------------------------------

TEST(SectionSafetyTest, AssignFromItselfKeepsCopiesOfChildren) {
    THeaderColumns root;
    AddTree(&root, "T(a,b(b1))");
    THeaderColumns* t = Find(&root, "T");
    Find(&root, "a")->SetWidth(10);
    Find(&root, "b1")->SetWidth(5);
    Find(&root, "b")->SetWordwrap(true);
    t->SetWordwrap(true);
    const SectionRef oldA(Find(&root, "a"));
    t->Assign(t);
    EXPECT_EQ("T(a,b(b1))", Describe(&root));
    EXPECT_EQ(15, t->StoredWidth());
    EXPECT_EQ(15, t->Width());
    EXPECT_TRUE(t->Wordwrap()); // its own flag
    EXPECT_FALSE(Find(&root, "b")->Wordwrap());
    EXPECT_EQ((std::vector<int>{2, 3}), (std::vector<int>{t->Items(0)->ID(), t->Items(1)->ID()}));
    EXPECT_EQ(nullptr, oldA.get());
    EXPECT_EQ(0, t->UpdateCount());
}

TEST(SectionSafetyTest, AssignFromDescendantCopiesItsSnapshot) {
    THeaderColumns root;
    AddTree(&root, "T(a,b(b1(z),b2))");
    THeaderColumns* t = Find(&root, "T");
    THeaderColumns* b = Find(&root, "b");
    b->SetTypeCol(4);
    const SectionRef oldB(b);
    t->Assign(b);
    EXPECT_EQ("b(b1(z),b2)", Describe(&root));
    EXPECT_EQ(t, root.Items(0));
    EXPECT_EQ(4, t->TypeCol());
    EXPECT_EQ(150, t->StoredWidth());
    EXPECT_EQ(nullptr, oldB.get());

    t->Assign(Find(&root, "z")); // a grandchild: T ends up a leaf
    EXPECT_EQ("z", Describe(&root));
    EXPECT_EQ(75, t->Width());
}

TEST(SectionSafetyTest, AssignFromAncestorCopiesItsSnapshot) {
    THeaderColumns root;
    root.SetCaption("R");
    AddTree(&root, "A(a1),B");
    THeaderColumns* a = Find(&root, "A");
    a->Assign(&root);
    EXPECT_EQ("R(A(a1),B),B", Describe(&root));
    EXPECT_EQ(a, root.Items(0));
    EXPECT_EQ(150, a->StoredWidth()); // the root's width at the time of the copy
    Find(&root, "a1")->Assign(&root); // from two levels up
    EXPECT_EQ("R(A(R(R(A(a1),B),B)),B),B", Describe(&root));
}

// --- References ----------------------------------------------------------

TEST(SectionSafetyTest, SectionRefReadsNullOnceFreedAndNeverResurrects) {
    SectionRef none;
    EXPECT_EQ(nullptr, none.get());
    EXPECT_FALSE(none);

    auto* node = new THeaderColumns;
    const SectionRef ref(node);
    EXPECT_EQ(node, ref.get());
    EXPECT_TRUE(ref == node);
    delete node;
    EXPECT_EQ(nullptr, ref.get());
    EXPECT_TRUE(ref == nullptr);

    // New sections take the freed slot (and perhaps the same address), but
    // not the old reference.
    std::vector<std::unique_ptr<THeaderColumns>> fresh;
    for (int i = 0; i < 64; ++i) {
        fresh.push_back(std::make_unique<THeaderColumns>());
        EXPECT_EQ(nullptr, ref.get());
        EXPECT_EQ(fresh.back().get(), SectionRef(fresh.back().get()).get());
    }
}

TEST(SectionSafetyTest, SubtreeFreedByClearReadsNull) {
    THeaderColumns root;
    AddTree(&root, "A(a1(x),a2)");
    std::vector<SectionRef> refs;
    for (const char* caption : {"a1", "x", "a2"})
        refs.emplace_back(Find(&root, caption));
    const SectionRef a(Find(&root, "A"));
    Find(&root, "A")->Clear();
    for (const SectionRef& ref : refs)
        EXPECT_EQ(nullptr, ref.get());
    EXPECT_NE(nullptr, a.get());
}

// --- A failing change handler ------------------------------------------

void FailingHandler(void*, THeaderColumns*) {
    throw std::bad_alloc();
}

TEST(SectionSafetyTest, FailedReportOfNewSectionLeavesNoFreedChildBehind) {
    THeaderColumns root;
    AddTree(&root, "T(a)");
    THeaderColumns* t = Find(&root, "T");
    root.SetOnChange(TChangeHandler(&FailingHandler, nullptr));
    EXPECT_THROW(t->Add("b"), std::bad_alloc);
    EXPECT_THROW(new THeaderColumns(t), std::bad_alloc);
    ASSERT_EQ(1, t->Count());
    EXPECT_EQ("a", t->Items(0)->Caption());
    EXPECT_EQ("T(a)", Describe(&root));
}

TEST(SectionSafetyTest, FailedReportInDeleteItemStillFreesSection) {
    THeaderColumns root;
    AddTree(&root, "T(a(x),b)");
    THeaderColumns* t = Find(&root, "T");
    const SectionRef a(Find(&root, "a"));
    const SectionRef x(Find(&root, "x"));
    root.SetOnChange(TChangeHandler(&FailingHandler, nullptr));
    EXPECT_THROW(t->DeleteItem(a.get()), std::bad_alloc);
    EXPECT_EQ(nullptr, a.get());
    EXPECT_EQ(nullptr, x.get());
    EXPECT_EQ("T(b)", Describe(&root));
    EXPECT_EQ(0, t->UpdateCount());
}

TEST(SectionSafetyTest, FailedReportsInClearStillFreeEverything) {
    THeaderColumns root;
    AddTree(&root, "T(a(x),b,c)");
    THeaderColumns* t = Find(&root, "T");
    const SectionRef x(Find(&root, "x"));
    root.SetOnChange(TChangeHandler(&FailingHandler, nullptr));
    EXPECT_THROW(t->Clear(), std::bad_alloc);
    // The first failure stops the edit where it was; brackets are closed.
    EXPECT_EQ(0, t->UpdateCount());
    for (THeaderColumns* child : t->Children())
        EXPECT_EQ(t, child->Parent());
    root.SetOnChange(TChangeHandler());
    t->Clear();
    EXPECT_EQ(nullptr, x.get());
}

// --- Random edits ------------------------------------------------------------

class RandomEditRun;

// The index under test, recording what the tree looked like at each rebuild
// and at each report (what an index rebuilt on every report would show); its
// reports and rebuilds can also be told to fail (as if out of memory) at
// random.
class RecordingLevels : public TLevels {
public:
    RecordingLevels(THeaderColumns* root, RandomEditRun& run) : TLevels(root), run_(run) {}
    void TreeChanged(THeaderColumns* Section) override;
    void Rebuild(THeaderColumns* Section) override;

    std::vector<SectionRef> leaves;
    std::vector<std::vector<SectionRef>> levels;
    testing::EagerIndex eager;

private:
    RandomEditRun& run_;
};

int ByTypeCol(THeaderColumns* a, THeaderColumns* b) {
    return a->TypeCol() < b->TypeCol() ? -1 : a->TypeCol() > b->TypeCol() ? 1 : 0;
}

// Copy-relevant state of a subtree, taken before an Assign.
struct Shape {
    std::string caption;
    int typeCol, width, height;
    TAlignment alignment;
    std::vector<Shape> children;
    static Shape Of(const THeaderColumns* n) {
        Shape s{n->Caption(), n->TypeCol(), n->Width(), n->Height(), n->Alignment(), {}};
        for (const THeaderColumns* c : n->Children())
            s.children.push_back(Of(c));
        return s;
    }
};

class RandomEditRun {
public:
    RandomEditRun(uint32_t seed, bool failReports) : rng_(seed), failReports_(failReports) {
        root_ = new THeaderColumns;
        root_->SetCaption("root");
        AddTree(root_, "A(a1,a2(x)),B,C(c1)");
        NewIndex();
        Survey(false);
    }

    ~RandomEditRun() {
        index_.reset();
        delete root_;
        for (THeaderColumns* node : detached_)
            delete node;
        for (const Held& held : held_)
            EXPECT_EQ(nullptr, held.ref.get());
    }

    bool reporting() const { return reporting_; }
    bool ShouldFail() { return reporting_ && failReports_ && Chance(3); }

    void Run(int steps) {
        for (step_ = 0; step_ < steps && !::testing::Test::HasFailure(); ++step_)
            Step();
    }

    // Statistics, to show the run covered what it should.
    std::unordered_map<std::string, int> ops, raised;
    int staleLiveEntries = 0;

private:
    struct Held {
        SectionRef ref;
        const THeaderColumns* node;
        bool freed;
    };

    bool Chance(int percent) { return Int(0, 99) < percent; }
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    template <class T> T Pick(const std::vector<T>& v) {
        return v[static_cast<size_t>(Int(0, static_cast<int>(v.size()) - 1))];
    }
    THeaderColumns* AnyNode() { return Pick(live_); }
    // A node, or now and then none.
    THeaderColumns* AnyNodeOrNone() { return Chance(8) ? nullptr : AnyNode(); }
    static bool InSubtree(const THeaderColumns* node, const THeaderColumns* top) {
        for (; node != nullptr; node = node->Parent())
            if (node == top)
                return true;
        return false;
    }
    std::string Where() const { return "step " + std::to_string(step_) + " op " + op_; }

    void NewIndex() {
        index_.reset();
        index_ = std::make_unique<RecordingLevels>(root_, *this);
        index_->Rebuild(root_); // the constructor's rebuild ran before this class existed
        index_->eager.Take(root_);
    }

    // Runs one edit; `expected` names the error it must raise, if any.
    // True when the edit ended as expected; false when an injected failure
    // stopped it half-way.
    template <class Fn> bool Edit(const std::string& name, const char* expected, Fn fn) {
        op_ = name;
        ++ops[name];
        std::string got;
        reporting_ = true;
        try {
            fn();
        } catch (const std::bad_alloc&) {
            got = "bad_alloc";
        } catch (const EListError&) {
            got = "EListError";
        } catch (const EInvalidOperation&) {
            got = "EInvalidOperation";
        } catch (const EConvertError&) {
            got = "EConvertError";
        }
        reporting_ = false;
        if (!got.empty())
            ++raised[name + ":" + got];
        if (got == "bad_alloc")
            return false;
        EXPECT_EQ(expected ? expected : "", got) << Where();
        return true;
    }

    void Step() {
        const bool frees = DoRandomEdit();
        AdoptDetached();
        Survey(frees);
    }

    // Returns whether the edit may have freed sections.
    bool DoRandomEdit() {
        const bool crowded = live_.size() > 120;
        THeaderColumns* node = AnyNode();
        switch (Int(0, crowded ? 24 : 19)) {
        case 0:
        case 1: {
            const int before = node->Count();
            if (Edit("Add", nullptr, [&] {
                    node->Add(Pick<std::string>({"a", "b", "B", "c", ""}));
                })) {
                EXPECT_EQ(before + 1, node->Count()) << Where();
            }
            return false;
        }
        case 2: {
            const int before = node->Count();
            const int index = Int(-2, before + 2);
            const bool bad = index < 0 || index > before;
            const bool ok = Edit("Insert", bad ? "EListError" : nullptr, [&] {
                try {
                    node->Insert(index);
                } catch (const EListError& e) {
                    EXPECT_EQ("List index out of bounds (" + std::to_string(index) + ")", e.what());
                    throw;
                }
            });
            if (ok) {
                EXPECT_EQ(before + 1, node->Count()) << Where();
                EXPECT_EQ("", node->Items(bad ? before : index)->Caption()) << Where();
            }
            return false;
        }
        case 3: {
            THeaderColumns* section =
                Chance(70) && node->HasChildren() ? Pick(node->Children()) : AnyNodeOrNone();
            const bool child = section != nullptr && section->Parent() == node;
            Edit("DeleteItem", child ? nullptr : "EInvalidOperation",
                 [&] { node->DeleteItem(section); });
            return child;
        }
        case 4:
            if (node->Count() > 8 && !crowded)
                return false; // keep the tree from emptying too often
            Edit("Clear", nullptr, [&] { node->Clear(); });
            return true;
        case 5: {
            const int i = Int(-1, node->Count()), j = Int(-1, node->Count());
            const bool valid = i >= 0 && j >= 0 && i < node->Count() && j < node->Count();
            THeaderColumns* first = valid ? node->Items(i) : nullptr;
            THeaderColumns* second = valid ? node->Items(j) : nullptr;
            if (Edit("Exchange", nullptr, [&] { node->Exchange(i, j); }) && valid) {
                EXPECT_EQ(first, node->Items(j)) << Where();
                EXPECT_EQ(second, node->Items(i)) << Where();
            }
            return false;
        }
        case 6: {
            THeaderColumns* parent = node->Parent();
            const int count = parent ? parent->Count() : 0;
            const int index = Int(-1, count);
            const bool bad =
                parent != nullptr && index != node->Index() && (index < 0 || index >= count);
            if (Edit("SetIndex", bad ? "EListError" : nullptr, [&] { node->SetIndex(index); }) &&
                parent && !bad) {
                EXPECT_EQ(index, node->Index()) << Where();
            }
            return false;
        }
        case 7:
        case 8: {
            THeaderColumns* target = AnyNodeOrNone();
            const bool refused =
                target != nullptr && target != node->Parent() && InSubtree(target, node);
            if (node == root_ && !refused)
                return false; // the root stays a root
            moved_ = node;
            if (Edit("SetParent", refused ? "EInvalidOperation" : nullptr,
                     [&] { node->SetParent(target); }) &&
                !refused) {
                EXPECT_EQ(target, node->Parent()) << Where();
            }
            return false;
        }
        case 9: {
            THeaderColumns* child = AnyNodeOrNone();
            const bool refused = child != nullptr && InSubtree(node, child);
            if (child == root_ && !refused)
                return false;
            moved_ = child;
            if (Edit("AddChild", refused ? "EInvalidOperation" : nullptr,
                     [&] { node->AddChild(child); }) &&
                !refused && child != nullptr) {
                EXPECT_EQ(node, child->Parent()) << Where();
                EXPECT_EQ(child, node->GetLastChild()) << Where();
            }
            return false;
        }
        case 10: {
            THeaderColumns* child =
                Chance(60) && node->HasChildren() ? Pick(node->Children()) : AnyNodeOrNone();
            moved_ = child;
            const bool ours = child != nullptr && child->Parent() == node;
            if (Edit("RemoveChild", nullptr, [&] { node->RemoveChild(child); }) && ours) {
                EXPECT_EQ(nullptr, child->Parent()) << Where();
            }
            return false;
        }
        case 11: {
            // From anywhere: an unrelated node, itself, an ancestor, a descendant.
            THeaderColumns* source = Chance(30)
                                         ? Pick(node->HasChildren() ? node->Children() : live_)
                                     : Chance(10) ? node
                                                  : AnyNode();
            if (Chance(4)) {
                Edit("Assign", "EConvertError",
                     [&] { node->Assign(Chance(50) ? nullptr : index_.get()); });
                return false;
            }
            const Shape shape = Shape::Of(source);
            const bool wrap = node->Wordwrap();
            if (Edit("Assign", nullptr, [&] { node->Assign(source); })) {
                ExpectCopy(shape, node, true);
                EXPECT_EQ(wrap, node->Wordwrap()) << Where();
            }
            return true;
        }
        case 12: {
            const bool recursive = Chance(50);
            if (Edit("AlphaSort", nullptr, [&] { node->AlphaSort(recursive); }))
                ExpectSorted(node, recursive, &THeaderColumns::CompareCaptions);
            return false;
        }
        case 13: {
            for (THeaderColumns* child : node->Children())
                child->SetTypeCol(Int(0, 3));
            if (Edit("CustomSort", nullptr, [&] { node->CustomSort(&ByTypeCol, false); }))
                ExpectSorted(node, false, &ByTypeCol);
            return false;
        }
        case 14: {
            const bool ok = Edit("ChangedRoot", nullptr, [&] { root_->Changed(true); });
            if (ok)
                ExpectIndexShowsTree();
            return false;
        }
        case 15: {
            // A bracket around another edit, as the dialog and hosts use them.
            const SectionRef bracketed(node);
            node->BeginUpdate();
            const bool frees = DoRandomEdit();
            if (THeaderColumns* alive = bracketed.get())
                Edit("EndUpdate", nullptr, [&] { alive->EndUpdate(); });
            return frees;
        }
        case 16: {
            const int height = Int(-3, 30);
            if (Edit("SetHeight", nullptr, [&] { node->SetHeight(height); })) {
                EXPECT_EQ(std::max(height, 2), node->Height()) << Where();
            }
            return false;
        }
        case 17:
            if (Chance(50)) {
                detached_.push_back(new THeaderColumns);
                ++ops["Create"];
            } else {
                Edit("CreateWithParent", nullptr, [&] { new THeaderColumns(node); });
            }
            return false;
        case 18:
            if (Chance(70)) {
                ++ops["Hold"];
                held_.push_back({SectionRef(node), node, false});
            } else if (Chance(50)) {
                ++ops["NewIndex"];
                NewIndex();
            } else {
                ++ops["SetRootNone"];
                index_->SetRoot(nullptr);
                EXPECT_EQ(0, index_->LeafCount());
                index_->SetRoot(root_);
                index_->eager.Take(root_);
                ExpectIndexShowsTree();
            }
            return false;
        default:
            return FreeDetached();
        }
    }

    bool FreeDetached() {
        if (detached_.empty())
            return false;
        const size_t i = static_cast<size_t>(Int(0, static_cast<int>(detached_.size()) - 1));
        THeaderColumns* node = detached_[i];
        detached_.erase(detached_.begin() + static_cast<std::ptrdiff_t>(i));
        Edit("FreeDetached", nullptr, [&] { delete node; });
        return true;
    }

    // Detached roots are owned here; a section that edits took out of its
    // tree joins them, one that was put into a tree leaves them.
    void AdoptDetached() {
        if (moved_ != nullptr && moved_ != root_ && moved_->Parent() == nullptr &&
            std::find(detached_.begin(), detached_.end(), moved_) == detached_.end())
            detached_.push_back(moved_);
        moved_ = nullptr;
        detached_.erase(std::remove_if(detached_.begin(), detached_.end(),
                                       [](THeaderColumns* n) { return n->Parent() != nullptr; }),
                        detached_.end());
    }

    void ExpectCopy(const Shape& from, const THeaderColumns* to, bool top) {
        EXPECT_EQ(from.caption, to->Caption()) << Where();
        EXPECT_EQ(from.typeCol, to->TypeCol()) << Where();
        EXPECT_EQ(from.alignment, to->Alignment()) << Where();
        EXPECT_EQ(from.width, to->StoredWidth()) << Where();
        EXPECT_EQ(from.height, to->Height()) << Where();
        if (!top) {
            EXPECT_FALSE(to->Wordwrap()) << Where();
        }
        ASSERT_EQ(from.children.size(), to->Children().size()) << Where();
        for (size_t i = 0; i < from.children.size(); ++i)
            ExpectCopy(from.children[i], to->Children()[i], false);
    }

    void ExpectSorted(const THeaderColumns* node, bool recursive, TSectionCompare compare) {
        for (int i = 1; i < node->Count(); ++i)
            EXPECT_LE(compare(node->Items(i - 1), node->Items(i)), 0) << Where();
        if (recursive)
            for (const THeaderColumns* child : node->Children())
                ExpectSorted(child, true, compare);
    }

    void ExpectIndexShowsTree() {
        std::vector<SectionRef> leaves;
        std::vector<std::vector<SectionRef>> levels;
        Expected(root_, leaves, levels);
        ExpectIndexEquals(leaves, levels, "fresh");
    }

    void ExpectIndexEquals(const std::vector<SectionRef>& leaves,
                           const std::vector<std::vector<SectionRef>>& levels, const char* what) {
        ASSERT_EQ(static_cast<int>(leaves.size()), index_->LeafCount()) << Where() << ' ' << what;
        for (size_t i = 0; i < leaves.size(); ++i)
            EXPECT_EQ(leaves[i].get(), index_->Leaf(static_cast<int>(i))) << Where() << ' ' << what;
        ASSERT_EQ(static_cast<int>(levels.size()), index_->LevelCount()) << Where() << ' ' << what;
        for (size_t d = 0; d < levels.size(); ++d) {
            ASSERT_EQ(static_cast<int>(levels[d].size()), index_->LevelSize(static_cast<int>(d)))
                << Where();
            for (size_t k = 0; k < levels[d].size(); ++k)
                EXPECT_EQ(levels[d][k].get(),
                          index_->LevelSection(static_cast<int>(d), static_cast<int>(k)))
                    << Where() << ' ' << what;
        }
    }

public:
    // Pre-order lists of a tree, as the index should hold them.
    static void Expected(const THeaderColumns* root, std::vector<SectionRef>& leaves,
                         std::vector<std::vector<SectionRef>>& levels) {
        leaves.clear();
        levels.clear();
        if (root == nullptr)
            return;
        struct Walk {
            std::vector<SectionRef>& leaves;
            std::vector<std::vector<SectionRef>>& levels;
            void operator()(const THeaderColumns* n, size_t depth) {
                if (levels.size() <= depth)
                    levels.resize(depth + 1);
                levels[depth].emplace_back(n);
                if (!n->HasChildren())
                    leaves.emplace_back(n);
                for (const THeaderColumns* c : n->Children())
                    (*this)(c, depth + 1);
            }
        } walk{leaves, levels};
        for (const THeaderColumns* c : root->Children())
            walk(c, 0);
    }

private:
    // Walks every tree, checks every invariant, and refreshes the live list.
    void Survey(bool mayHaveFreed) {
        std::unordered_map<const THeaderColumns*, const THeaderColumns*> owner;
        std::vector<THeaderColumns*> walked;
        std::vector<THeaderColumns*> tops{root_};
        tops.insert(tops.end(), detached_.begin(), detached_.end());
        for (THeaderColumns* top : tops) {
            ASSERT_EQ(nullptr, top->Parent()) << Where();
            ASSERT_TRUE(owner.emplace(top, nullptr).second) << Where() << ": a top is listed twice";
            std::vector<THeaderColumns*> pending{top};
            while (!pending.empty()) {
                THeaderColumns* n = pending.back();
                pending.pop_back();
                walked.push_back(n);
                ASSERT_LT(walked.size(), 5000u) << Where() << ": endless tree";
                EXPECT_EQ(0, n->UpdateCount()) << Where();
                std::unordered_set<int> ids;
                for (int i = 0; i < n->Count(); ++i) {
                    THeaderColumns* c = n->Items(i);
                    ASSERT_EQ(n, c->Parent())
                        << Where() << ": child's parent is not its list owner";
                    ASSERT_TRUE(owner.emplace(c, n).second)
                        << Where() << ": node in two lists, or a cycle";
                    EXPECT_EQ(i, c->Index()) << Where();
                    EXPECT_TRUE(ids.insert(c->ID()).second) << Where() << ": ID given twice";
                    EXPECT_LT(c->ID(), n->NextID()) << Where();
                    pending.push_back(c);
                }
            }
        }
        // Width and position spot checks.
        THeaderColumns* probe = Pick(walked);
        uint32_t sum = 0;
        for (THeaderColumns* n = probe->HasChildren() ? probe->GetFirstChild() : probe;
             n != nullptr && InSubtree(n, probe); n = n->GetNext())
            if (!n->HasChildren())
                sum += static_cast<uint32_t>(n->StoredWidth());
        EXPECT_EQ(static_cast<int>(sum), probe->Width()) << Where();
        int position = 0;
        for (THeaderColumns* n = probe; n->GetPrev() != nullptr; n = n->GetPrev())
            ++position;
        EXPECT_EQ(position, probe->AbsoluteIndex()) << Where();

        // References: what the walk no longer reaches must read nullptr.
        const std::unordered_set<const THeaderColumns*> reached(walked.begin(), walked.end());
        std::unordered_map<const THeaderColumns*, SectionRef> refs;
        for (const THeaderColumns* n : walked) {
            const auto old = refs_.find(n);
            if (old != refs_.end() && old->second.get() == n) {
                refs.emplace(n, old->second);
                continue;
            }
            // New here, or a freed node's address taken by a new one.
            if (old != refs_.end()) {
                EXPECT_TRUE(mayHaveFreed)
                    << Where() << ": a reference to a live section reads null";
            }
            refs.emplace(n, SectionRef(n));
        }
        for (const auto& [node, ref] : refs_)
            if (reached.count(node) == 0) {
                EXPECT_TRUE(mayHaveFreed) << Where() << ": a section got lost";
                EXPECT_EQ(nullptr, ref.get())
                    << Where() << ": freed or lost section still referenced";
            }
        refs_.swap(refs);
        for (Held& held : held_) {
            if (!held.freed && (reached.count(held.node) == 0 || held.ref.get() == nullptr))
                held.freed = true;
            EXPECT_EQ(held.freed ? nullptr : held.node, held.ref.get()) << Where();
        }
        if (held_.size() > 64)
            held_.erase(held_.begin(), held_.begin() + 32);

        // The index: exactly the tree at its last rebuild, every entry alive.
        const int leafCount = index_->LeafCount(); // a read may rebuild first
        (void)leafCount;
        ExpectIndexEquals(index_->leaves, index_->levels, "as last rebuilt");
        if (!failReports_) {
            index_->eager.Read(root_);
            ExpectIndexEquals(index_->eager.leaves, index_->eager.levels,
                              "as rebuilt on every report");
        }
        for (int i = 0; i < index_->LeafCount(); ++i) {
            const THeaderColumns* leaf = index_->Leaf(i);
            ASSERT_NE(nullptr, leaf) << Where();
            ASSERT_EQ(1u, reached.count(leaf))
                << Where() << ": index hands out a freed or lost section";
            if (!InSubtree(leaf, root_))
                ++staleLiveEntries;
        }
        for (int d = 0; d < index_->LevelCount(); ++d)
            for (int k = 0; k < index_->LevelSize(d); ++k)
                ASSERT_EQ(1u, reached.count(index_->LevelSection(d, k))) << Where();

        live_ = walked;
    }

    std::mt19937 rng_;
    bool failReports_;
    bool reporting_ = false;
    int step_ = 0;
    std::string op_ = "start";
    THeaderColumns* root_ = nullptr;
    THeaderColumns* moved_ = nullptr;
    std::vector<THeaderColumns*> detached_;
    std::vector<THeaderColumns*> live_;
    std::unordered_map<const THeaderColumns*, SectionRef> refs_;
    std::vector<Held> held_;
    std::unique_ptr<RecordingLevels> index_;
};

void RecordingLevels::TreeChanged(THeaderColumns* Section) {
    if (run_.ShouldFail())
        throw std::bad_alloc();
    eager.Take(Root());
    TLevels::TreeChanged(Section);
}

void RecordingLevels::Rebuild(THeaderColumns* Section) {
    if (run_.ShouldFail())
        throw std::bad_alloc();
    RandomEditRun::Expected(Root(), leaves, levels);
    TLevels::Rebuild(Section);
}

void RunSeeds(bool failReports) {
    std::unordered_map<std::string, int> ops, raised;
    int stale = 0;
    for (uint32_t seed : {1u, 2u, 3u, 20240601u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RandomEditRun run(seed, failReports);
        run.Run(4000);
        for (const auto& [k, v] : run.ops)
            ops[k] += v;
        for (const auto& [k, v] : run.raised)
            raised[k] += v;
        stale += run.staleLiveEntries;
    }
    // The run must have reached the interesting cases, not only the easy ones.
    for (const char* key :
         {"Insert:EListError", "DeleteItem:EInvalidOperation", "SetIndex:EListError",
          "SetParent:EInvalidOperation", "AddChild:EInvalidOperation", "Assign:EConvertError"})
        EXPECT_GT(raised[key], 10) << key;
    for (const char* key :
         {"Add", "Clear", "Exchange", "RemoveChild", "Assign", "AlphaSort", "CustomSort",
          "ChangedRoot", "EndUpdate", "FreeDetached", "Hold", "NewIndex", "SetRootNone"})
        EXPECT_GT(ops[key], 20) << key;
    if (failReports) {
        EXPECT_GT(raised["Add:bad_alloc"], 10);
        // Fewer than Adds: only a DeleteItem below the top level reports.
        EXPECT_GT(raised["DeleteItem:bad_alloc"], 2);
    }
    // Unreported removals from the top level leave live, detached sections
    // listed until the next report; they must occur, and were all alive.
    EXPECT_GT(stale, 0);
}

TEST(SectionSafetyTest, RandomEditsKeepTreeIndexAndReferencesSound) {
    RunSeeds(false);
}

TEST(SectionSafetyTest, RandomEditsWithFailingReportsKeepTreeSound) {
    RunSeeds(true);
}

} // namespace
} // namespace corvane
