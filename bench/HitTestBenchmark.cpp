// Hit tests at points spread over the client area: the control's (binary
// search over cached edges) against the plain walk. The goal: under 2 us
// over 100,000 leaves.

#include "../tests/core/support/LiteralLayout.h"
#include "PaintBenchSupport.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace corvane;

std::vector<TPoint> SpreadPoints() {
    std::vector<TPoint> points;
    for (int i = 0; i < 997; ++i)
        points.push_back(TPoint{i * 1931 % bench::ClientWidth, i * 7 % bench::ClientHeight});
    return points;
}

void BM_SectionAt(benchmark::State& state) {
    const auto header = bench::MakeHeader(static_cast<int>(state.range(0)));
    const std::vector<TPoint> points = SpreadPoints();
    size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(header->SectionAt(points[next]));
        next = (next + 1) % points.size();
    }
}
BENCHMARK(BM_SectionAt)->Arg(100)->Arg(100000)->Unit(benchmark::kNanosecond);

void BM_SectionAtLiteral(benchmark::State& state) {
    const auto header = bench::MakeHeader(static_cast<int>(state.range(0)));
    const std::vector<TPoint> points = SpreadPoints();
    size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(literal::SectionAt(*header, points[next]));
        next = (next + 1) % points.size();
    }
}
BENCHMARK(BM_SectionAtLiteral)->Arg(100)->Arg(100000)->Unit(benchmark::kNanosecond);

// One top section over every column, hit in its band: the plain walk goes
// along the whole leaf list to find its right edge.
void BM_SectionAtOneGroup(benchmark::State& state) {
    const int leaves = static_cast<int>(state.range(0));
    const auto header = bench::MakeHeader(leaves, leaves);
    int x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(header->SectionAt(TPoint{x, 5}));
        x = (x + 97) % bench::ClientWidth;
    }
}
BENCHMARK(BM_SectionAtOneGroup)->Arg(100)->Arg(100000)->Unit(benchmark::kNanosecond);

void BM_SectionAtLiteralOneGroup(benchmark::State& state) {
    const int leaves = static_cast<int>(state.range(0));
    const auto header = bench::MakeHeader(leaves, leaves);
    int x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(literal::SectionAt(*header, TPoint{x, 5}));
        x = (x + 97) % bench::ClientWidth;
    }
}
BENCHMARK(BM_SectionAtLiteralOneGroup)->Arg(100)->Arg(100000)->Unit(benchmark::kNanosecond);

} // namespace
