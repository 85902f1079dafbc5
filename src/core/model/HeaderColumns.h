#pragma once
// One header section and its ordered, owned child sections. A tree of them is
// the content of a header: the root is never shown, its children are the
// top-level sections, the leaves are the columns.

#include "core/framework/Persistent.h"
#include "core/model/ChangeHandler.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

enum TAlignment : uint8_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

class THeaderColumns;
class TFiler;
class TReader;
class TWriter;

// Compares two sections for sorting (list element first, pivot second).
using TSectionCompare = int (*)(THeaderColumns* a, THeaderColumns* b);

class THeaderColumns : public TPersistent {
public:
    static constexpr int DefaultWidth = 75;
    static constexpr int DefaultHeight = 17;
    static constexpr int MinimumHeight = 2;

    // A free-standing node, or one appended to AParent (which reports the
    // change); a new child starts with its tree's NewSectionHeight.
    explicit THeaderColumns(THeaderColumns* AParent = nullptr);
    ~THeaderColumns() override;
    THeaderColumns(const THeaderColumns&) = delete;
    THeaderColumns& operator=(const THeaderColumns&) = delete;

    const char* ClassName() const override { return "THeaderColumns"; }

    // --- Fields and published properties --------------------------------
    int TypeCol() const { return typeCol_; }
    void SetTypeCol(int value) { typeCol_ = value; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    // Computed width: the stored width of a leaf, else the sum over its leaves
    // (32-bit wrap-around on overflow, as the stored format carries it).
    int Width() const;
    int StoredWidth() const { return width_; }
    // Plain store: no notification, no check, also on a node with children.
    void SetWidth(int value);
    int Height() const { return height_; }
    // Values of 2 and below become 2; reports through the parent when it changes.
    void SetHeight(int value);
    // Raw store of the height (copies use it: no minimum, no report).
    void StoreHeight(int value) { height_ = value; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { alignment_ = value; }
    bool Wordwrap() const { return wordwrap_; }
    void SetWordwrap(bool value) { wordwrap_ = value; }
    // The band height new sections of this node's tree start with: the
    // root's setting (DefaultHeight unless the header holding the tree is
    // shown at another pixel density).
    int NewSectionHeight() const;
    void SetNewSectionHeight(int value) { newSectionHeight_ = value; }
    int ID() const { return id_; }
    int NextID() const { return nextId_; }
    int UpdateCount() const { return updateCount_; }
    const TChangeHandler& OnChange() const { return onChange_; }

    // --- Queries -----------------------------------------------------------
    int Count() const { return static_cast<int>(children_.size()); }
    // Raises "List index out of bounds (%d)" for a bad index.
    THeaderColumns* Items(int Index) const;
    THeaderColumns* Parent() const { return parent_; }
    int Index() const;
    int Level() const;
    int AbsoluteIndex() const;
    bool IsParent(const THeaderColumns* Section) const;
    THeaderColumns* FindItemID(int ID) const;
    bool HasChildren() const { return !children_.empty(); }
    const std::vector<THeaderColumns*>& Children() const { return children_; }

    // --- Navigation (pre-order) -------------------------------------------
    THeaderColumns* GetFirstChild() const;
    THeaderColumns* GetLastChild() const;
    THeaderColumns* GetNextSibling() const;
    THeaderColumns* GetPrevSibling() const;
    THeaderColumns* GetNext() const;
    THeaderColumns* GetPrev() const;

    // --- Editing -----------------------------------------------------------
    THeaderColumns* Add(const std::string& Caption);
    THeaderColumns* Insert(int Index);
    // Refuses a section that is not a child of this node.
    void DeleteItem(THeaderColumns* Section);
    void Clear();
    void Exchange(int Index1, int Index2);
    virtual void SetIndex(int NewIndex);
    // Refuses (raises) a move that would make the node its own ancestor, and
    // any move of an owned root.
    void SetParent(THeaderColumns* Value);
    void AddChild(THeaderColumns* Child);
    void RemoveChild(THeaderColumns* Child);
    void AlphaSort(bool Recursive);
    void CustomSort(TSectionCompare Compare, bool Recursive);
    void Assign(const TPersistent* Source) override;
    void SetOnChange(const TChangeHandler& Handler);

    // --- Persistence (HeaderColumnsStream.cpp) --------------------------------
    // Defines "HeaderColumns", the whole subtree as one nested list.
    void DefineProperties(TFiler& Filer) override;
    // The list of this node and, nested in it, of every descendant.
    virtual void WriteData(TWriter& Writer);
    // Reads such a list into this node, replacing its children.
    virtual void ReadData(TReader& Reader);

    // --- Change notification --------------------------------------------
    virtual void BeginUpdate();
    virtual void EndUpdate();
    void Changed(bool All);
    virtual void DoChange(THeaderColumns* Section);

    // The caption comparison used by AlphaSort (the platform's collation).
    static int CompareCaptions(THeaderColumns* a, THeaderColumns* b);

    // Marks a parentless node as the root its holder (a header control) owns
    // for its whole life: it never becomes anyone's child, so no other tree
    // can free it.
    void MakeOwnedRoot();
    bool IsOwnedRoot() const { return ownedRoot_; }

    // Slot of this node in the section registry (see SectionRef).
    uint32_t RegistrySlot() const { return slot_; }

private:
    void AssignFrom(const THeaderColumns& Source);
    // Leaves the parent's list without a report (for a node going away).
    void ForgetParent() noexcept;
    // Frees every descendant of node (node itself stays), reporting nothing.
    static void FreeDescendantsQuietly(THeaderColumns* node) noexcept;
    // Sorts the children with Compare (no bracket, no report).
    void SortChildren(TSectionCompare Compare);
    void QuickSort(TSectionCompare Compare, int L, int R);
    // The handler that Changed(All) on this node will call (unassigned when
    // it reaches none), found as Changed and DoChange find it: stale indexes
    // rely on it, so an override of DoChange must report the same way.
    TChangeHandler ReportTarget(bool All) const;

    int width_ = DefaultWidth;
    int height_ = DefaultHeight;
    int newSectionHeight_ = DefaultHeight; // read on the root only
    int id_ = 0;
    int typeCol_ = 0;
    int updateCount_ = 0;
    int nextId_ = 0;
    uint32_t slot_;
    TAlignment alignment_ = taLeftJustify;
    bool wordwrap_ = false;
    bool ownedRoot_ = false;
    THeaderColumns* parent_ = nullptr;
    std::string caption_ = "HeaderColumns";
    TChangeHandler onChange_;
    std::vector<THeaderColumns*> children_; // owned
};

// Closes an update bracket on every path out of a scope.
// A failure of the closing report while another error is already on its way
// out is dropped, so that the first error is the one the caller sees.
class UpdateScope {
public:
    explicit UpdateScope(THeaderColumns& node);
    ~UpdateScope() noexcept(false);
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

private:
    THeaderColumns& node_;
    int pendingErrors_;
};

} // namespace corvane
