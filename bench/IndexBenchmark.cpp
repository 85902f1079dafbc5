// The level and leaf index (TLevels) against the reference that allocates a
// section node per entry and rebuilds them all on every report
// (IndexReference.h). Before timing, each benchmark checks once that both
// list the same sections.
//
//   BM_IndexRebuild:  one report and one read over a tree of 100,000
//                     sections (10 top-level sections, 99 bands under each,
//                     100 columns under each band), so one full rebuild.
//   BM_IndexAdds/N:   N Add calls under one top-level section, each of which
//                     reports, then one read. The reference rebuilds on every
//                     report; ours once, on the read.

#include "IndexReference.h"
#include "IndexTree.h"
#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace corvane;
using bench::ReferenceLevels;

using bench::BuildIndexTree;
using bench::IndexLeafCount;
using bench::IndexSectionCount;

template <class A, class B> bool SameLists(const A& a, const B& b) {
    if (a.LeafCount() != b.LeafCount() || a.LevelCount() != b.LevelCount())
        return false;
    for (int i = 0; i < a.LeafCount(); ++i)
        if (a.Leaf(i) != b.Leaf(i))
            return false;
    for (int d = 0; d < a.LevelCount(); ++d) {
        if (a.LevelSize(d) != b.LevelSize(d))
            return false;
        for (int k = 0; k < a.LevelSize(d); ++k)
            if (a.LevelSection(d, k) != b.LevelSection(d, k))
                return false;
    }
    return true;
}

// Both indexes built over the same tree list the same sections.
bool IndexesAgree(THeaderColumns& root) {
    const TLevels ours(&root);
    const ReferenceLevels reference(&root);
    return SameLists(ours, reference);
}

template <class Index> void BM_IndexRebuild(benchmark::State& state) {
    THeaderColumns root;
    BuildIndexTree(root);
    if (!IndexesAgree(root)) {
        state.SkipWithError("the index and the reference differ");
        return;
    }
    Index index(&root);
    for (auto _ : state) {
        root.Changed(true);                          // the root reports with itself ...
        benchmark::DoNotOptimize(index.LeafCount()); // ... and the read rebuilds
    }
    if (index.LeafCount() != IndexLeafCount)
        state.SkipWithError("wrong leaf count");
    state.counters["sections/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * IndexSectionCount, benchmark::Counter::kIsRate);
}
BENCHMARK_TEMPLATE(BM_IndexRebuild, TLevels)
    ->Name("BM_IndexRebuild/ours")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_IndexRebuild, ReferenceLevels)
    ->Name("BM_IndexRebuild/reference")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

template <class Index> void BM_IndexAdds(benchmark::State& state) {
    const int adds = static_cast<int>(state.range(0));
    {
        // The check, on the tree the timed loop builds: ours follows the
        // reports, the reference is built once over the result (rebuilding
        // it on each of 100,000 reports would take hours).
        THeaderColumns root;
        THeaderColumns* top = root.Add("Group");
        TLevels ours(&root);
        for (int i = 0; i < adds; ++i)
            top->Add("Column");
        const ReferenceLevels reference(&root);
        if (!SameLists(ours, reference)) {
            state.SkipWithError("the index and the reference differ");
            return;
        }
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto root = std::make_unique<THeaderColumns>();
        THeaderColumns* top = root->Add("Group");
        auto index = std::make_unique<Index>(root.get());
        state.ResumeTiming();
        for (int i = 0; i < adds; ++i)
            top->Add("Column"); // reports with the top-level section
        const int leaves = index->LeafCount();
        state.PauseTiming();
        if (leaves != adds)
            state.SkipWithError("wrong leaf count");
        index.reset();
        root.reset();
        state.ResumeTiming();
    }
    state.counters["adds/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * adds,
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK_TEMPLATE(BM_IndexAdds, TLevels)
    ->Name("BM_IndexAdds/ours")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_IndexAdds, ReferenceLevels)
    ->Name("BM_IndexAdds/reference")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
