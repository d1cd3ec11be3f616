#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

#include "analysis/trace_comparison.h"
#include "support/naive_compare.h"
#include "trace/trace_point_array.h"

namespace {

// A left edge as point acceptance leaves it: y strictly increasing in steps of 1..300, x
// wandering a few units around the bezel.
TracePointArray RealisticLeftEdge(std::int64_t points, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::int32_t> step(1, 300);
    std::uniform_int_distribution<std::int32_t> jitter(-3, 3);
    TracePointArray a;
    std::int32_t y = 0;
    std::int32_t x = 20;
    for (std::int64_t i = 0; i < points; ++i) {
        a.append({x, y});
        y += step(random);
        x += jitter(random);
    }
    return a;
}

template <EdgeStats (*Compare)(const TracePointArray&, const TracePointArray&, int, Edge)>
void BM_Compare(benchmark::State& state) {
    const TracePointArray first = RealisticLeftEdge(state.range(0), 1);
    const TracePointArray second = RealisticLeftEdge(state.range(0), 2);
    for (auto _ : state) {
        benchmark::DoNotOptimize(Compare(first, second, 0, Edge::Left));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

// The second pass compares 100 000-point passes per edge on the interface thread.
BENCHMARK(BM_Compare<NaiveCompareTraces>)
    ->Name("BM_CompareTracesNaive")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Compare<CompareTraces>)
    ->Name("BM_CompareTracesFast")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
