#pragma once
// A trace window on the headless host painted into a recording context, and the few ways the
// paint tests look at what was drawn.
#include <algorithm>
#include <initializer_list>
#include <optional>
#include <vector>

#include "framework/headless/recording_dc.h"
#include "support/trace_fixture.h"

inline constexpr fw::Color kBarColor{128, 128, 255};
inline constexpr fw::Color kRed{255, 0, 0};
inline constexpr fw::Color kGray{128, 128, 128};
inline constexpr fw::Color kBlack{0, 0, 0};

inline bool HasPen(const headless::DrawState& s, fw::Color color) {
    return s.pen && s.pen->color == color;
}

// Every line drawn with a pen of `color`, polylines taken apart, in the order drawn.
inline std::vector<headless::LineOp> Lines(const headless::RecordingDC& dc, fw::Color color) {
    std::vector<headless::LineOp> out;
    for (const headless::Primitive& p : dc.primitives()) {
        if (HasPen(p.state, color)) {
            const std::vector<headless::LineOp> segments = headless::SegmentsOf(p);
            out.insert(out.end(), segments.begin(), segments.end());
        }
    }
    return out;
}

inline std::vector<std::int32_t> PenWidths(const headless::RecordingDC& dc, fw::Color color) {
    std::vector<std::int32_t> widths;
    for (const headless::Primitive& p : dc.primitives()) {
        if (HasPen(p.state, color) &&
            std::find(widths.begin(), widths.end(), p.state.pen->width) == widths.end()) {
            widths.push_back(p.state.pen->width);
        }
    }
    return widths;
}

template <class Op>
std::vector<Op> Ops(const headless::RecordingDC& dc) {
    std::vector<Op> out;
    for (const headless::Primitive& p : dc.primitives()) {
        if (const auto* op = std::get_if<Op>(&p.op)) {
            out.push_back(*op);
        }
    }
    return out;
}

inline std::vector<headless::BlitOp> Blits(const headless::RecordingDC& dc, unsigned resourceId) {
    std::vector<headless::BlitOp> out;
    for (const headless::BlitOp& b : Ops<headless::BlitOp>(dc)) {
        if (b.resourceId == resourceId) {
            out.push_back(b);
        }
    }
    return out;
}

// The polyline of one bar: lines that start where the previous one ended, beginning at `from`.
inline std::vector<fw::Point> PolylineFrom(const std::vector<headless::LineOp>& lines,
                                           fw::Point from) {
    std::vector<fw::Point> points;
    const auto first = std::find_if(lines.begin(), lines.end(),
                                    [&](const headless::LineOp& l) { return l.from == from; });
    if (first == lines.end()) {
        return points;
    }
    points.push_back(from);
    for (auto it = first; it != lines.end() && it->from == points.back(); ++it) {
        points.push_back(it->to);
    }
    return points;
}

// The window open on the fake desktop, its arrays filled by hand, painted whole or in part.
class MainPaint : public TraceTest {
  protected:
    void OpenOn(fw::Rect monitor) {
        host.monitors = {{monitor, true}};
        Open();
    }
    void Fill(std::size_t array, std::initializer_list<BoardPoint> points) {
        for (const BoardPoint& p : points) {
            dlg->m_tracePoints[array].append(p);
        }
    }
    void Stroke(std::initializer_list<BoardPoint> points) {
        dlg->m_extraStrokes.startStroke();
        for (const BoardPoint& p : points) {
            dlg->m_extraStrokes.lastStroke().append(p);
        }
    }
    void FillAllFour(std::size_t first) {
        Fill(first + 0, {{20, 100}, {22, 3000}});
        Fill(first + 1, {{100, 4070}, {3000, 4072}});
        Fill(first + 2, {{4070, 4000}, {4072, 1000}});
        Fill(first + 3, {{4000, 20}, {1000, 22}});
    }
    headless::RecordingDC Paint(std::optional<fw::Rect> clip = std::nullopt) {
        return headless::Paint(*dlg, clip);
    }
};
