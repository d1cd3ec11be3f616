#include "report_tool/picture/picture_layout.h"

#include <algorithm>
#include <cmath>

#include "analysis/edge_geometry.h"
#include "analysis/trace_comparison.h"
#include "report_tool/reading/report_limits.h"

namespace {

constexpr double kWidth = 1240;
constexpr double kMargin = 20;
constexpr double kHeaderHeight = 150;
constexpr double kPanelWidth = 880;
constexpr double kPanelHeight = 190;
constexpr double kPanelGap = 12;
constexpr double kOverviewSize = 290;
// Room in a panel for the title lines above the plot, the axis labels beside and below it.
constexpr double kPlotTop = 48;
constexpr double kPlotLeft = 64;
constexpr double kPlotRight = 16;
constexpr double kPlotBottom = 24;
// The view across an edge reaches at least this far past the outer band, and a little past the
// farthest point.
constexpr double kBandMargin = 1.25;
constexpr double kPointMargin = 1.1;

void Measure(EdgePicture& edge, const ParsedReport& report) {
    const TracePointArray& first = report.section(Pass::First, edge.edge).points;
    const TracePointArray& second = report.section(Pass::Second, edge.edge).points;
    edge.hasPoints = !first.empty();
    edge.grade = GradeEdge(report, edge.edge);
    edge.coverage = CoverageOf(first, edge.edge);
    if (!second.empty()) {
        edge.secondPass = CompareTraces(first, second, edge.grade.start, edge.edge);
    }
    double farthest = 0;
    if (edge.hasPoints) {
        const EdgeStats& stats = edge.grade.stats;
        edge.centre = (static_cast<double>(stats.min) + stats.max) / 2;
        for (const BoardPoint* p = first.begin() + edge.grade.start; p != first.end(); ++p) {
            farthest = std::max(farthest, std::abs(AcrossEdge(*p, edge.edge) - edge.centre));
        }
    } else {
        // Nothing traced: the view sits on the board's own edge.
        const bool far = edge.edge == Edge::Bottom || edge.edge == Edge::Right;
        edge.centre = far ? report_limits::kBoardExtent : 0;
    }
    edge.halfRange =
        std::max(kBandMargin * report_limits::kCorrectableSpread / 2, kPointMargin * farthest);
}

}  // namespace

double EdgePicture::xOf(std::int32_t along) const {
    double t = static_cast<double>(along) / report_limits::kBoardExtent;
    // Left to right in the direction the edge is traced: the right edge upwards and the top
    // edge leftwards start at the far coordinate.
    if (edge == Edge::Right || edge == Edge::Top) {
        t = 1 - t;
    }
    return plot.left + t * plot.width;
}

double EdgePicture::yOf(double across) const {
    // Towards the bezel is up: smaller x on the left edge, larger y on the bottom edge, ...
    const bool outwardGrows = edge == Edge::Bottom || edge == Edge::Right;
    const double offset = (across - centre) / halfRange * (plot.height / 2);
    return plot.top + plot.height / 2 + (outwardGrows ? -offset : offset);
}

Box EdgePicture::bandBox(double width) const {
    const double top =
        std::max(plot.top, std::min(yOf(centre - width / 2), yOf(centre + width / 2)));
    const double bottom =
        std::min(plot.bottom(), std::max(yOf(centre - width / 2), yOf(centre + width / 2)));
    return {plot.left, top, plot.width, std::max(0.0, bottom - top)};
}

Box EdgePicture::stretchBox(const Stretch& s) const {
    const double a = xOf(s.from);
    const double b = xOf(s.to);
    return {std::min(a, b), plot.top, std::abs(b - a), plot.height};
}

PictureLayout LayoutReportPicture(const ParsedReport& report) {
    PictureLayout layout;
    layout.width = kWidth;
    layout.header = {kMargin, kMargin, kWidth - 2 * kMargin, kHeaderHeight - kMargin};
    double top = kHeaderHeight + 10;
    for (std::size_t e = 0; e < layout.edges.size(); ++e) {
        EdgePicture& edge = layout.edges[e];
        edge.edge = static_cast<Edge>(e);
        edge.panel = {kMargin, top, kPanelWidth, kPanelHeight};
        edge.plot = {kMargin + kPlotLeft, top + kPlotTop, kPanelWidth - kPlotLeft - kPlotRight,
                     kPanelHeight - kPlotTop - kPlotBottom};
        Measure(edge, report);
        top += kPanelHeight + kPanelGap;
    }
    std::array<EdgeGrade, 4> grades;
    for (const EdgePicture& edge : layout.edges) {
        grades[static_cast<std::size_t>(edge.edge)] = edge.grade;
    }
    layout.overall = OverallVerdict(grades);
    layout.overview = {kMargin + kPanelWidth + 30, kHeaderHeight + 30, kOverviewSize,
                       kOverviewSize};
    layout.height = top - kPanelGap + kMargin;
    return layout;
}
