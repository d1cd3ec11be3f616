#include <benchmark/benchmark.h>

#include "trace/trace_point_array.h"

// Appending is on the path of every accepted pen point.
static void BM_AppendPoints(benchmark::State& state) {
    for (auto _ : state) {
        TracePointArray a;
        for (std::int32_t i = 0; i < state.range(0); ++i) {
            a.append({i, i});
        }
        benchmark::DoNotOptimize(a.size());
    }
}
BENCHMARK(BM_AppendPoints)->Arg(1000)->Arg(100000);
