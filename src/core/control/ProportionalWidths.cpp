#include "core/control/ProportionalWidths.h"

#include <algorithm>
#include <climits>

namespace corvane {

std::vector<int> ProportionalWidths(const std::vector<int>& weights, int64_t total, int minimum) {
    const size_t n = weights.size();
    std::vector<int> parts(n, minimum);
    if (n == 0)
        return parts;
    minimum = std::max(minimum, 0);
    // Parts stay within the 32-bit range, and so does their sum.
    total = std::max(total, int64_t{minimum} * static_cast<int64_t>(n));
    total = std::min<int64_t>(total, INT_MAX);

    std::vector<bool> fixed(n, false); // held at the minimum
    for (;;) {
        int64_t remaining = total;
        uint64_t weightSum = 0;
        size_t freeCount = 0;
        for (size_t i = 0; i < n; ++i) {
            if (fixed[i]) {
                remaining -= minimum;
            } else {
                weightSum += static_cast<uint64_t>(std::max(weights[i], 0));
                ++freeCount;
            }
        }
        auto weightOf = [&](size_t i) -> uint64_t {
            return weightSum == 0 ? 1 : static_cast<uint64_t>(std::max(weights[i], 0));
        };
        const uint64_t divisor = weightSum == 0 ? freeCount : weightSum;
        // Exact share of part i: remaining * weight / divisor. Both factors
        // are below 2^31, so the product fits 64 bits.
        bool raised = false;
        for (size_t i = 0; i < n; ++i) {
            if (!fixed[i] &&
                static_cast<uint64_t>(remaining) * weightOf(i) < uint64_t(minimum) * divisor) {
                fixed[i] = true;
                raised = true;
            }
        }
        if (raised)
            continue; // the others share what the raised parts left
        std::vector<size_t> order;
        int64_t given = 0;
        std::vector<uint64_t> remainders(n, 0);
        for (size_t i = 0; i < n; ++i) {
            if (fixed[i])
                continue;
            const uint64_t product = static_cast<uint64_t>(remaining) * weightOf(i);
            parts[i] = static_cast<int>(product / divisor);
            remainders[i] = product % divisor;
            given += parts[i];
            order.push_back(i);
        }
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return remainders[a] > remainders[b]; });
        for (size_t k = 0; given < remaining && k < order.size(); ++k, ++given)
            ++parts[order[k]];
        return parts;
    }
}

} // namespace corvane
