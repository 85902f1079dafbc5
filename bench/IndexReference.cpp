#include "IndexReference.h"

#include <string>

namespace corvane::bench {

ReferenceLevels::ReferenceLevels(THeaderColumns* ARoot)
    : levelList_(std::make_unique<THeaderColumns>()), leafList_(std::make_unique<THeaderColumns>()) {
    levelList_->SetCaption("");
    leafList_->SetCaption("");
    if (ARoot == nullptr)
        return;
    SetRoot(ARoot);
    if (ARoot->OnChange())
        prevOnChange_ = ARoot->OnChange();
    ARoot->SetOnChange(TChangeHandler::Bind<ReferenceLevels, &ReferenceLevels::Rebuild>(this));
}

ReferenceLevels::~ReferenceLevels() {
    if (root_ != nullptr)
        root_->SetOnChange(prevOnChange_);
    root_ = nullptr;
}

void ReferenceLevels::SetRoot(THeaderColumns* ARoot) {
    if (ARoot != nullptr) {
        root_ = ARoot;
        Rebuild(ARoot);
    } else {
        levelList_->Clear();
        leafList_->Clear();
        root_ = nullptr;
    }
}

void ReferenceLevels::Rebuild(THeaderColumns* /*Section*/) {
    levelList_->BeginUpdate();
    leafList_->BeginUpdate();
    try {
        levelList_->Clear();
        leafList_->Clear();
        for (THeaderColumns* child : root_->Children())
            IndexSection(child, 0);
    } catch (...) {
        levelList_->EndUpdate();
        leafList_->EndUpdate();
        throw;
    }
    levelList_->EndUpdate();
    leafList_->EndUpdate();
}

// Add with an empty caption, of the entry type.
void ReferenceLevels::AddEntry(THeaderColumns* container, THeaderColumns* section) {
    auto* entry = new ReferenceEntry(container);
    entry->SetCaption("");
    entry->Link = section;
}

void ReferenceLevels::IndexSection(THeaderColumns* S, int D) {
    while (levelList_->Count() - 1 < D)
        levelList_->Add("");
    AddEntry(levelList_->Items(D), S);
    if (!S->HasChildren())
        AddEntry(leafList_.get(), S);
    else
        for (THeaderColumns* child : S->Children())
            IndexSection(child, D + 1);
}

} // namespace corvane::bench
