#include "core/control/SectionOrder.h"

#include "core/model/HeaderColumns.h"
#include "core/model/SectionRef.h"

namespace corvane {

void TSectionOrder::Refresh(const THeaderColumns* root) {
    const uint64_t shape = section_registry::ShapeChanges();
    if (valid_ && root == root_ && shape == shapeChanges_)
        return;
    valid_ = false;
    sections_.clear();
    bySlot_.clear();
    // Iterative, so that a very deep tree cannot exhaust the stack.
    std::vector<THeaderColumns*> pending;
    if (root != nullptr)
        pending.assign(root->Children().rbegin(), root->Children().rend());
    while (!pending.empty()) {
        THeaderColumns* node = pending.back();
        pending.pop_back();
        bySlot_[node->RegistrySlot()] = static_cast<int>(sections_.size());
        sections_.push_back(node);
        pending.insert(pending.end(), node->Children().rbegin(), node->Children().rend());
    }
    root_ = root;
    shapeChanges_ = shape;
    valid_ = true;
}

int TSectionOrder::IndexOf(const THeaderColumns* section) const {
    if (section == nullptr)
        return -1;
    const auto it = bySlot_.find(section->RegistrySlot());
    if (it == bySlot_.end() || sections_[static_cast<size_t>(it->second)] != section)
        return -1;
    return it->second;
}

} // namespace corvane
