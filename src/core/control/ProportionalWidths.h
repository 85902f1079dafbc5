#pragma once
// Sharing a width among columns in proportion to their widths.

#include <cstdint>
#include <vector>

namespace corvane {

// Splits `total` into one part per weight, each in proportion to its weight
// (negative weights count as 0; all 0: equal parts) and at least `minimum`.
// Parts are whole pixels summing exactly to `total`: each gets the whole
// pixels of its exact share, and the pixels left over go one each to the
// largest remainders (the leftmost first on a tie). A part whose share falls
// below `minimum` gets `minimum`, and the others share what is left. A total
// below minimum times the count is raised to it.
std::vector<int> ProportionalWidths(const std::vector<int>& weights, int64_t total, int minimum);

} // namespace corvane
