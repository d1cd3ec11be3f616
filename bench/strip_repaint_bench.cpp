// What one repaint of a narrow strip costs with the point overlay on and long traces everywhere.
// Each run reports the primitives drawn and the calls issued (primitives plus pen moves).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <numbers>
#include <utility>

#include "app/rimtrace_dlg.h"
#include "framework/headless/headless_host.h"
#include "framework/headless/recording_dc.h"
#include "support/plain_board_layers.h"
#include "tavlo_sim.h"

namespace {

// What the trace window shows: the twelve point arrays and the extra strokes.
struct Traces {
    std::array<TracePointArray, 12> points;
    StrokeList strokes;
};

// Every one of the twelve arrays holds `n` points along its edge or internal line, and three free
// strokes of `n` points each circle the middle of the board; a short newest stroke lies inside
// the circles.
Traces LongTraces(std::int64_t n) {
    Traces t;
    for (std::int64_t i = 0; i < n; ++i) {
        const auto along = static_cast<std::int32_t>(i * 4096 / n);
        const auto wobble = static_cast<std::int32_t>(i % 13);
        for (std::size_t pass = 0; pass < 2; ++pass) {
            const std::int32_t in = 20 + static_cast<std::int32_t>(pass) * 15 + wobble;
            t.points[pass * 4 + 0].append({in, along});
            t.points[pass * 4 + 1].append({along, 4096 - in});
            t.points[pass * 4 + 2].append({4096 - in, 4096 - along});
            t.points[pass * 4 + 3].append({4096 - along, in});
        }
        t.points[8].append({54 + wobble, along});
        t.points[9].append({along, 4042 - wobble});
        t.points[10].append({4042 - wobble, 4096 - along});
        t.points[11].append({4096 - along, 54 + wobble});
    }
    for (const double radius : {1200.0, 1500.0, 1800.0}) {
        t.strokes.startStroke();
        for (std::int64_t i = 0; i < n; ++i) {
            const double a = 2 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(n);
            t.strokes.lastStroke().append({static_cast<std::int32_t>(2048 + radius * std::cos(a)),
                                           static_cast<std::int32_t>(2048 + radius * std::sin(a))});
        }
    }
    t.strokes.startStroke();
    for (const BoardPoint p : {BoardPoint{2810, 1650}, {2830, 1750}, {2850, 1850}}) {
        t.strokes.lastStroke().append(p);
    }
    return t;
}

// A 1024 x 768 trace window in stage 4 with the overlay on, showing one set of traces at a time.
class TraceWindow {
  public:
    TraceWindow() : boards_(3) {
        host_.open(dlg_);
        dlg_.m_stage = stage::kFinished;
        dlg_.m_showTraces = true;
    }

    // Puts `traces` into the window and what it showed into `traces`: a swap, not a copy.
    void swapIn(Traces& traces) {
        std::swap(dlg_.m_tracePoints, traces.points);
        std::swap(dlg_.m_extraStrokes, traces.strokes);
    }

    headless::RecordingDC paint(fw::Rect clip) { return headless::Paint(dlg_, clip); }

    // The primitives of a whole paint had every line of the bars and the overlay been drawn on
    // its own, as the plain painting does: the window's other layers as painted, plus the
    // plain painting's lines.
    std::size_t plainPrimitives() {
        const headless::RecordingDC painted = paint({0, 0, 1024, 768});
        const auto boardSpace =
            std::count_if(painted.primitives().begin(), painted.primitives().end(),
                          [](const headless::Primitive& p) { return p.state.mapping.has_value(); });
        headless::RecordingDC plain({0, 0, 1024, 768});
        PlainBoardLayers(plain, {1024, 768}, dlg_.m_stage, dlg_.m_tracePoints, dlg_.m_extraStrokes,
                         dlg_.m_showTraces);
        return painted.primitives().size() - static_cast<std::size_t>(boardSpace) +
               plain.primitives().size();
    }

  private:
    struct FreshBoards {
        explicit FreshBoards(int count) { tavlo_sim::Reset(count); }
    };

    FreshBoards boards_;
    headless::HeadlessHost host_;
    CRimtraceDlg dlg_{true};
};

// The strip around the newest stroke segment, 19 pixels wide, inside the circling strokes: none
// of the long traces reaches it, so the cost must not grow with them.
constexpr fw::Rect kInnerStrip{700, 300, 719, 357};

void RepaintStrip(benchmark::State& state, fw::Rect strip) {
    TraceWindow window;
    Traces traces = LongTraces(state.range(0));
    window.swapIn(traces);
    std::size_t primitives = 0;
    std::size_t calls = 0;
    for (auto _ : state) {
        const headless::RecordingDC dc = window.paint(strip);
        primitives = dc.primitives().size();
        calls = dc.issuedCount();
        benchmark::DoNotOptimize(primitives);
    }
    state.counters["primitives"] = static_cast<double>(primitives);
    state.counters["calls"] = static_cast<double>(calls);
}

}  // namespace

static void BM_StripRepaint(benchmark::State& state) {
    RepaintStrip(state, kInnerStrip);
}
BENCHMARK(BM_StripRepaint)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);

// CPU time this thread has used: what a paint costs, whatever else the machine is doing.
std::chrono::nanoseconds ThreadCpuTime() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
}

// How much more the inner strip's repaint costs at 100 000 points per array than at 100. The two
// are painted in turns, a batch of each per iteration, and timed in CPU time of this thread, so
// that a busy machine slows neither. Counters: the mean CPU time of one paint of each, in
// microseconds, and `growth`, their ratio.
static void BM_StripRepaintGrowth(benchmark::State& state) {
    constexpr int kBatch = 16;
    TraceWindow window;
    std::array<Traces, 2> scenes{LongTraces(100), LongTraces(100000)};
    std::array<std::chrono::nanoseconds, 2> spent{};
    for (auto _ : state) {
        for (std::size_t i = 0; i < scenes.size(); ++i) {
            window.swapIn(scenes[i]);
            const std::chrono::nanoseconds start = ThreadCpuTime();
            for (int k = 0; k < kBatch; ++k) {
                const headless::RecordingDC dc = window.paint(kInnerStrip);
                benchmark::DoNotOptimize(dc.primitives().data());
            }
            spent[i] += ThreadCpuTime() - start;
            window.swapIn(scenes[i]);
        }
    }
    const auto meanMicros = [&](std::chrono::nanoseconds d) {
        return std::chrono::duration<double, std::micro>(d).count() /
               static_cast<double>(state.iterations() * kBatch);
    };
    state.counters["us_at_100"] = meanMicros(spent[0]);
    state.counters["us_at_100k"] = meanMicros(spent[1]);
    state.counters["growth"] = meanMicros(spent[1]) / meanMicros(spent[0]);
}
BENCHMARK(BM_StripRepaintGrowth)->Unit(benchmark::kMicrosecond);

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

// The whole window, for comparison. Also counts what the plain painting would have issued, and
// `fraction`: the primitives drawn as a part of that.
static void BM_WholeRepaint(benchmark::State& state) {
    RepaintStrip(state, {0, 0, 1024, 768});
    TraceWindow window;
    Traces traces = LongTraces(state.range(0));
    window.swapIn(traces);
    const auto plain = static_cast<double>(window.plainPrimitives());
    state.counters["plain_primitives"] = plain;
    state.counters["fraction"] = state.counters["primitives"] / plain;
}
BENCHMARK(BM_WholeRepaint)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);
