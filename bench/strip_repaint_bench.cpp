// What one repaint of a narrow strip costs with the point overlay on and long traces everywhere.
// Each run reports the primitives drawn and the calls issued (primitives plus pen moves).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>

#include "app/rimtrace_dlg.h"
#include "framework/headless/headless_host.h"
#include "framework/headless/recording_dc.h"
#include "tavlo_sim.h"

namespace {

// A 1024 x 768 trace window in stage 4 with the overlay on. Every one of the twelve arrays holds
// `n` points along its edge or internal line, and three free strokes of `n` points each circle
// the middle of the board; a short newest stroke lies inside the circles.
class LongTraces {
  public:
    explicit LongTraces(std::int64_t n) : boards_(3) {
        host_.open(dlg_);
        dlg_.m_stage = stage::kFinished;
        dlg_.m_showTraces = true;
        for (std::int64_t i = 0; i < n; ++i) {
            const auto along = static_cast<std::int32_t>(i * 4096 / n);
            const auto wobble = static_cast<std::int32_t>(i % 13);
            for (std::size_t pass = 0; pass < 2; ++pass) {
                const std::int32_t in = 20 + static_cast<std::int32_t>(pass) * 15 + wobble;
                Append(pass * 4 + 0, {in, along});
                Append(pass * 4 + 1, {along, 4096 - in});
                Append(pass * 4 + 2, {4096 - in, 4096 - along});
                Append(pass * 4 + 3, {4096 - along, in});
            }
            Append(8, {54 + wobble, along});
            Append(9, {along, 4042 - wobble});
            Append(10, {4042 - wobble, 4096 - along});
            Append(11, {4096 - along, 54 + wobble});
        }
        for (const double radius : {1200.0, 1500.0, 1800.0}) {
            dlg_.m_extraStrokes.startStroke();
            for (std::int64_t i = 0; i < n; ++i) {
                const double a =
                    2 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(n);
                dlg_.m_extraStrokes.lastStroke().append(
                    {static_cast<std::int32_t>(2048 + radius * std::cos(a)),
                     static_cast<std::int32_t>(2048 + radius * std::sin(a))});
            }
        }
        dlg_.m_extraStrokes.startStroke();
        for (const BoardPoint p : {BoardPoint{2810, 1650}, {2830, 1750}, {2850, 1850}}) {
            dlg_.m_extraStrokes.lastStroke().append(p);
        }
    }

    CRimtraceDlg& dialog() { return dlg_; }

  private:
    struct FreshBoards {
        explicit FreshBoards(int count) { tavlo_sim::Reset(count); }
    };
    void Append(std::size_t array, BoardPoint p) { dlg_.m_tracePoints[array].append(p); }

    FreshBoards boards_;
    headless::HeadlessHost host_;
    CRimtraceDlg dlg_{true};
};

void RepaintStrip(benchmark::State& state, fw::Rect strip) {
    LongTraces traces(state.range(0));
    std::size_t primitives = 0;
    std::size_t calls = 0;
    for (auto _ : state) {
        const headless::RecordingDC dc = headless::Paint(traces.dialog(), strip);
        primitives = dc.primitives().size();
        calls = dc.issuedCount();
        benchmark::DoNotOptimize(primitives);
    }
    state.counters["primitives"] = static_cast<double>(primitives);
    state.counters["calls"] = static_cast<double>(calls);
}

}  // namespace

// The strip around the newest stroke segment, 19 pixels wide, inside the circling strokes: none
// of the long traces reaches it, so the cost must not grow with them.
static void BM_StripRepaint(benchmark::State& state) {
    RepaintStrip(state, {700, 300, 719, 357});
}
BENCHMARK(BM_StripRepaint)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);

// The left bar's strip: three of the traces run through it, so what is drawn grows with their
// density there (and only with that).
static void BM_LeftEdgeStripRepaint(benchmark::State& state) {
    RepaintStrip(state, {0, 300, 19, 357});
}
BENCHMARK(BM_LeftEdgeStripRepaint)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);

// The whole window, for comparison.
static void BM_WholeRepaint(benchmark::State& state) {
    RepaintStrip(state, {0, 0, 1024, 768});
}
BENCHMARK(BM_WholeRepaint)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);
