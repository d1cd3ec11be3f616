#include "report_tool/grading/edge_coverage.h"

#include <algorithm>
#include <optional>

#include "analysis/edge_geometry.h"
#include "report_tool/reading/report_limits.h"
#include "trace/travel.h"

namespace {

std::int32_t OnBoard(std::int32_t along) {
    return std::clamp(along, std::int32_t{0}, report_limits::kBoardExtent);
}

// A trace that runs one way along the edge (as every accepted trace does) covers the stretch
// between its ends; the clipped ends of the first and last point then say it all.
std::optional<Stretch> OneWayStretch(const TracePointArray& points, Edge edge) {
    bool up = true;
    bool down = true;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const std::int32_t a = OnBoard(AlongEdge(points.begin()[i - 1], edge));
        const std::int32_t b = OnBoard(AlongEdge(points.begin()[i], edge));
        up = up && a <= b;
        down = down && a >= b;
    }
    if (!up && !down) {
        return std::nullopt;
    }
    if (points.empty()) {
        return Stretch{};
    }
    const std::int32_t first = OnBoard(AlongEdge(*points.begin(), edge));
    const std::int32_t last = OnBoard(AlongEdge(points.last(), edge));
    return Stretch{std::min(first, last), std::max(first, last)};
}

std::vector<Stretch> TracedStretches(const TracePointArray& points, Edge edge) {
    if (const auto oneWay = OneWayStretch(points, edge)) {
        return oneWay->from < oneWay->to ? std::vector<Stretch>{*oneWay} : std::vector<Stretch>{};
    }
    std::vector<Stretch> stretches;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const std::int32_t a = OnBoard(AlongEdge(points.begin()[i - 1], edge));
        const std::int32_t b = OnBoard(AlongEdge(points.begin()[i], edge));
        if (a != b) {
            stretches.push_back({std::min(a, b), std::max(a, b)});
        }
    }
    std::sort(stretches.begin(), stretches.end(),
              [](const Stretch& l, const Stretch& r) { return l.from < r.from; });
    std::vector<Stretch> merged;
    for (const Stretch& s : stretches) {
        if (!merged.empty() && s.from <= merged.back().to) {
            merged.back().to = std::max(merged.back().to, s.to);
        } else {
            merged.push_back(s);
        }
    }
    return merged;
}

}  // namespace

EdgeCoverage CoverageOf(const TracePointArray& points, Edge edge) {
    EdgeCoverage coverage;
    coverage.traced = TracedStretches(points, edge);
    std::int32_t at = 0;
    std::int64_t covered = 0;
    for (const Stretch& s : coverage.traced) {
        if (s.from > at) {
            coverage.untraced.push_back({at, s.from});
        }
        covered += s.to - s.from;
        at = s.to;
    }
    if (at < report_limits::kBoardExtent) {
        coverage.untraced.push_back({at, report_limits::kBoardExtent});
    }
    coverage.percent = 100.0 * static_cast<double>(covered) / report_limits::kBoardExtent;
    coverage.endedByTimeOut = !points.empty() && !ReachesFarEnd(points.last(), edge);
    return coverage;
}
