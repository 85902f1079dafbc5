// Saving and loading a large section tree: 100,000 sections three levels
// deep (10 top-level sections, 99 under each, 100 leaves under each of
// those), as a bare "HeaderColumns" value and inside a whole control stream.

#include "core/control/Strativ.h"
#include "core/model/HeaderColumns.h"
#include "core/stream/SectionsStream.h"
#include "core/stream/StrativStream.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace corvane;

constexpr int TopLevel = 10;
constexpr int PerTop = 99;
constexpr int PerMiddle = 100;
constexpr int SectionCount = TopLevel + TopLevel * PerTop + TopLevel * PerTop * PerMiddle;
static_assert(SectionCount == 100000);

void BuildTree(THeaderColumns& root) {
    for (int t = 0; t < TopLevel; ++t) {
        THeaderColumns* top = root.Add("Group " + std::to_string(t));
        for (int m = 0; m < PerTop; ++m) {
            THeaderColumns* middle = top->Add("Band " + std::to_string(m));
            middle->SetHeight(20);
            for (int l = 0; l < PerMiddle; ++l) {
                THeaderColumns* leaf = middle->Add("Column " + std::to_string(l));
                leaf->SetWidth(40 + l);
                leaf->SetAlignment(static_cast<TAlignment>(l % 3));
                leaf->SetWordwrap(l % 2 == 0);
            }
        }
    }
}

// A control holding the tree. Built apart and copied in: built in place,
// every section added would rebuild the control's index.
std::unique_ptr<TStrativ> ControlWithTree() {
    THeaderColumns tree;
    BuildTree(tree);
    auto control = std::make_unique<TStrativ>();
    control->SetSections(&tree);
    return control;
}

void ReportRates(benchmark::State& state, size_t bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
    state.counters["sections/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * SectionCount, benchmark::Counter::kIsRate);
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_SaveSections(benchmark::State& state) {
    THeaderColumns root;
    BuildTree(root);
    size_t size = 0;
    for (auto _ : state) {
        std::vector<uint8_t> bytes = SaveHeaderColumnsValue(root);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    ReportRates(state, size);
}
BENCHMARK(BM_SaveSections)->Unit(benchmark::kMillisecond);

void BM_LoadSections(benchmark::State& state) {
    THeaderColumns source;
    BuildTree(source);
    const std::vector<uint8_t> bytes = SaveHeaderColumnsValue(source);
    for (auto _ : state) {
        state.PauseTiming();
        auto root = std::make_unique<THeaderColumns>();
        state.ResumeTiming();
        LoadHeaderColumnsValue(*root, bytes);
        state.PauseTiming();
        root.reset(); // freeing the tree is not part of loading it
        state.ResumeTiming();
    }
    ReportRates(state, bytes.size());
}
BENCHMARK(BM_LoadSections)->Unit(benchmark::kMillisecond);

void BM_SaveControl(benchmark::State& state) {
    const std::unique_ptr<TStrativ> control = ControlWithTree();
    size_t size = 0;
    for (auto _ : state) {
        std::vector<uint8_t> bytes = SaveStrativ(*control);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    ReportRates(state, size);
}
BENCHMARK(BM_SaveControl)->Unit(benchmark::kMillisecond);

// As a host loads a document: into a new control, then Loaded rebuilds the index.
void BM_LoadControl(benchmark::State& state) {
    const std::vector<uint8_t> bytes = SaveStrativ(*ControlWithTree());
    for (auto _ : state) {
        state.PauseTiming();
        auto control = std::make_unique<TStrativ>();
        state.ResumeTiming();
        LoadStrativ(*control, bytes);
        state.PauseTiming();
        control.reset();
        state.ResumeTiming();
    }
    ReportRates(state, bytes.size());
}
BENCHMARK(BM_LoadControl)->Unit(benchmark::kMillisecond);

} // namespace
