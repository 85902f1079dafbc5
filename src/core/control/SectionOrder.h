#pragma once
// The sections of one tree in pre-order (the order assistive technology lists
// them in), kept until the tree changes shape.

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace corvane {

class THeaderColumns;

class TSectionOrder {
public:
    // Lists the sections below root afresh when any tree changed shape since
    // the last look (or root is another one).
    void Refresh(const THeaderColumns* root);

    int Count() const { return static_cast<int>(sections_.size()); }
    THeaderColumns* At(int index) const { return sections_[static_cast<size_t>(index)]; }
    // Position in the list, -1 when the section is not in it.
    int IndexOf(const THeaderColumns* section) const;

private:
    const THeaderColumns* root_ = nullptr;
    uint64_t shapeChanges_ = 0;
    bool valid_ = false;
    std::vector<THeaderColumns*> sections_;
    std::unordered_map<uint32_t, int> bySlot_;
};

} // namespace corvane
