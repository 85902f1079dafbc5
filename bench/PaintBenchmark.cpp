// Full repaints: the control's (cached column edges) against the plain walk,
// which recomputes every rectangle along the whole leaf list. The goal: a
// repaint over 100,000 leaves costs at most twice one over 100.

#include "../tests/core/support/LiteralLayout.h"
#include "PaintBenchSupport.h"

#include <benchmark/benchmark.h>

namespace {

using namespace corvane;

void BM_Paint(benchmark::State& state) {
    const auto header = bench::MakeHeader(static_cast<int>(state.range(0)));
    bench::NullCanvas canvas;
    for (auto _ : state)
        header->Paint(canvas);
}
BENCHMARK(BM_Paint)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_PaintLiteral(benchmark::State& state) {
    const auto header = bench::MakeHeader(static_cast<int>(state.range(0)));
    bench::NullCanvas canvas;
    for (auto _ : state)
        literal::Paint(*header, canvas);
}
BENCHMARK(BM_PaintLiteral)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

// One top section over every column: the plain walk goes along the whole
// leaf list to find where it ends.
void BM_PaintOneGroup(benchmark::State& state) {
    const int leaves = static_cast<int>(state.range(0));
    const auto header = bench::MakeHeader(leaves, leaves);
    bench::NullCanvas canvas;
    for (auto _ : state)
        header->Paint(canvas);
}
BENCHMARK(BM_PaintOneGroup)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_PaintLiteralOneGroup(benchmark::State& state) {
    const int leaves = static_cast<int>(state.range(0));
    const auto header = bench::MakeHeader(leaves, leaves);
    bench::NullCanvas canvas;
    for (auto _ : state)
        literal::Paint(*header, canvas);
}
BENCHMARK(BM_PaintLiteralOneGroup)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The first repaint after a width changed pays for recomputing the edges.
void BM_PaintAfterWidthChange(benchmark::State& state) {
    const auto header = bench::MakeHeader(static_cast<int>(state.range(0)));
    THeaderColumns* leaf = header->Levels().Leaf(0);
    bench::NullCanvas canvas;
    int width = leaf->Width();
    for (auto _ : state) {
        leaf->SetWidth(++width % 50 + 50);
        header->Paint(canvas);
    }
}
BENCHMARK(BM_PaintAfterWidthChange)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

// After a change of the tree's shape (the last two middle sections swap,
// which the index answers with a rebuild) the spans are computed afresh.
void SwapLastParts(THeaderColumns* root) {
    THeaderColumns* group = root->GetLastChild();
    group->GetLastChild()->SetIndex(group->Count() - 2);
}

void BM_PaintAfterShapeChange(benchmark::State& state) {
    const auto header = bench::MakeHeader(static_cast<int>(state.range(0)));
    bench::NullCanvas canvas;
    for (auto _ : state) {
        SwapLastParts(header->Sections());
        header->Paint(canvas);
    }
}
BENCHMARK(BM_PaintAfterShapeChange)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_PaintLiteralAfterShapeChange(benchmark::State& state) {
    const auto header = bench::MakeHeader(static_cast<int>(state.range(0)));
    bench::NullCanvas canvas;
    for (auto _ : state) {
        SwapLastParts(header->Sections());
        literal::Paint(*header, canvas);
    }
}
BENCHMARK(BM_PaintLiteralAfterShapeChange)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace
