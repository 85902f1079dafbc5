#pragma once
// The large tree the index benchmarks use: 100,000 sections three levels
// deep (10 top-level sections, 99 bands under each, 100 columns under each
// band), the same shape as the stream benchmarks'.

#include "core/model/HeaderColumns.h"

#include <string>

namespace corvane::bench {

constexpr int IndexTopLevel = 10;
constexpr int IndexPerTop = 99;
constexpr int IndexPerBand = 100;
constexpr int IndexLeafCount = IndexTopLevel * IndexPerTop * IndexPerBand;
constexpr int IndexSectionCount = IndexTopLevel + IndexTopLevel * IndexPerTop + IndexLeafCount;
static_assert(IndexSectionCount == 100000);

inline void BuildIndexTree(THeaderColumns& root) {
    for (int t = 0; t < IndexTopLevel; ++t) {
        THeaderColumns* top = root.Add("Group " + std::to_string(t));
        for (int b = 0; b < IndexPerTop; ++b) {
            THeaderColumns* band = top->Add("Band " + std::to_string(b));
            for (int c = 0; c < IndexPerBand; ++c)
                band->Add("Column " + std::to_string(c));
        }
    }
}

} // namespace corvane::bench
