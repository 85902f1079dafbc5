// Memory of a tree of 100,000 sections and of its index, per section, from
// glibc's allocator statistics (mallinfo2: bytes of the heap's chunks in use
// plus mmapped blocks). That is what the process really holds, malloc's
// chunk header and rounding included (a 120-byte node takes a 128-byte
// chunk). Run it alone (--benchmark_filter=BM_IndexMemory): the section
// registry's slot table only grows, so after other benchmarks it may
// already be large and the tree's share of it would not show.

#include "IndexReference.h"
#include "IndexTree.h"
#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"
#include "core/model/SectionRef.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>

namespace {

using namespace corvane;

double HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

void BM_IndexMemory(benchmark::State& state) {
    // Sections freed before this point left slots behind in the registry.
    if (section_registry::FreedCount() > 1000)
        state.SetLabel("not alone: registry growth not counted");
    double tree = 0, index = 0, reference = 0;
    for (auto _ : state) {
        const double start = HeapInUse();
        auto root = std::make_unique<THeaderColumns>();
        bench::BuildIndexTree(*root);
        const double built = HeapInUse();
        tree = built - start;
        {
            TLevels levels(root.get());
            index = HeapInUse() - built;
        }
        {
            bench::ReferenceLevels levels(root.get());
            reference = HeapInUse() - built;
        }
    }
    const double n = bench::IndexSectionCount;
    state.counters["tree B/section"] = tree / n;
    state.counters["index B/section"] = index / n;
    state.counters["total B/section"] = (tree + index) / n;
    state.counters["reference index B/section"] = reference / n;
    state.counters["node bytes"] = sizeof(THeaderColumns);
}
BENCHMARK(BM_IndexMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
