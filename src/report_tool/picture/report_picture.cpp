#include "report_tool/picture/report_picture.h"

#include <algorithm>

#include "analysis/edge_geometry.h"
#include "report_tool/picture/palette.h"
#include "report_tool/picture/picture_layout.h"
#include "report_tool/picture/picture_text.h"
#include "report_tool/picture/svg_builder.h"
#include "report_tool/reading/report_limits.h"
#include "report_tool/reading/value_text.h"

namespace {

// Lines drawn alike in the panels or on the overview and in the legend.
constexpr LineStyle kSecondPassLine{palette::kSecondPassStroke, 1.6, "6 4"};
constexpr LineStyle kUntracedLine{palette::kUntracedOnBoard, 5, "2 3"};
constexpr LineStyle kInternalLine{palette::kInternalStroke, 1.5};
constexpr LineStyle kExtraStrokeLine{palette::kExtraStroke, 1.5};

void DrawHeader(SvgBuilder& svg, const PictureLayout& layout, const std::string& fileName,
                const CheckedReport& checked) {
    const Box& h = layout.header;
    svg.text({h.left, h.top + 22}, SerialTitle(checked.report), {22, palette::kInk, "start", true});
    // What the points say of the whole report, first thing on the right.
    const Box overall{h.right() - 300, h.top - 4, 300, 32};
    svg.rect(overall, palette::StrongColourOf(layout.overall));
    svg.text({overall.left + overall.width / 2, overall.top + 22}, OverallText(layout.overall),
             {16, palette::kPaper, "middle", true});
    svg.text({h.left, h.top + 46}, WrittenLine(checked.report, fileName), {14, palette::kMutedInk});
    // A valid report's check line in the colour of passing, with a warning in that of an edge to
    // correct, a failed one's in that of failing.
    const bool ok = checked.findings.ok();
    const EdgeVerdict checkVerdict = !ok ? EdgeVerdict::NotCorrectable
                                     : checked.findings.warnings().empty()
                                         ? EdgeVerdict::Passed
                                         : EdgeVerdict::Correctable;
    svg.text({h.left, h.top + 70}, CheckLine(checked.findings),
             {14, palette::ColoursOf(checkVerdict).strong, "start", !ok});
    const double chipWidth = (h.width - 3 * 10) / 4;
    for (const EdgePicture& edge : layout.edges) {
        const double left = h.left + static_cast<int>(edge.edge) * (chipWidth + 10);
        const Box chip{left, h.top + 86, chipWidth, 36};
        svg.rect(chip, palette::StrongColourOf(edge.grade.verdict));
        svg.text({chip.left + 10, chip.top + 23}, ChipText(edge),
                 {14, palette::kPaper, "start", true});
    }
}

std::vector<Pixel> PanelPoints(const EdgePicture& edge, const BoardPoint* from,
                               const BoardPoint* to) {
    std::vector<Pixel> pixels;
    for (const BoardPoint* p = from; p != to; ++p) {
        pixels.push_back({edge.xOf(AlongEdge(*p, edge.edge)), edge.yOf(AcrossEdge(*p, edge.edge))});
    }
    return pixels;
}

void DrawAxes(SvgBuilder& svg, const EdgePicture& edge) {
    const Box& plot = edge.plot;
    for (std::int32_t along = 0; along <= report_limits::kBoardExtent; along += 512) {
        const double x = edge.xOf(along);
        svg.line({x, plot.top}, {x, plot.bottom()}, {palette::kGrid, 1});
        const std::string label = along == 0 ? AlongName(edge.edge) + " 0" : std::to_string(along);
        svg.text({x, plot.bottom() + 15}, label, {11, palette::kMutedInk, "middle"});
    }
    for (double width :
         {double{report_limits::kCorrectableSpread}, double{report_limits::kPassedSpread}}) {
        for (double across : {edge.centre - width / 2, edge.centre + width / 2}) {
            const double y = edge.yOf(across);
            svg.text({plot.left - 6, y + 4}, AcrossName(edge.edge) + " " + WholeNumber(across),
                     {11, palette::kMutedInk, "end"});
        }
    }
}

void DrawPanel(SvgBuilder& svg, const EdgePicture& edge, const ParsedReport& report) {
    const std::optional<EdgeVerdict>& verdict = edge.grade.verdict;
    svg.rect(edge.panel, palette::kPaper, palette::kRule);
    svg.text({edge.panel.left + 12, edge.panel.top + 20}, PanelTitle(edge, report),
             {15, palette::StrongColourOf(verdict), "start", true});
    // The report's own verdict leads the details where it is not what the points say.
    std::vector<TextSpan> details;
    const std::optional<std::string> claim = ClaimText(edge);
    if (claim) {
        details.push_back({*claim, palette::StrongColourOf(edge.grade.claimed), true});
        details.push_back({" · ", palette::kMutedInk});
    }
    const std::string rest = PanelDetails(edge, report);
    details.push_back({rest, palette::kMutedInk});
    svg.text({edge.panel.left + 12, edge.panel.top + 38}, details, {12, palette::kMutedInk});

    const Box& plot = edge.plot;
    svg.rect(plot, palette::kPaper, palette::kFaintInk);
    // The limits only where the points were graded: bands round a trace cut short would show a
    // verdict the edge may never have had.
    if (edge.hasPoints && verdict) {
        const palette::VerdictColours colours = palette::ColoursOf(*verdict);
        svg.rect(edge.bandBox(report_limits::kCorrectableSpread), colours.outerBand);
        svg.rect(edge.bandBox(report_limits::kPassedSpread), colours.innerBand);
    }
    DrawAxes(svg, edge);
    for (const Stretch& s : edge.coverage.untraced) {
        const Box box = edge.stretchBox(s);
        svg.rect(box, palette::kUntracedFill);
        if (box.width > 90) {
            svg.text({box.left + box.width / 2, plot.top + 18}, UntracedLabel(edge, s),
                     {11, palette::kInk, "middle"});
        }
    }
    svg.beginClip(plot);
    const TracePointArray& first = report.section(Pass::First, edge.edge).points;
    const TracePointArray& second = report.section(Pass::Second, edge.edge).points;
    const BoardPoint* counted = first.begin() + edge.grade.start;
    // The landing of the pen, which the statistics leave out, in grey; then the counted trace.
    svg.polyline(PanelPoints(edge, first.begin(), counted == first.end() ? counted : counted + 1),
                 {palette::kFaintInk, 1.5, "3 3"});
    const std::vector<Pixel> trace = PanelPoints(edge, counted, first.end());
    svg.polyline(trace, {palette::kInk, 1.6});
    for (const Pixel& p : trace) {
        svg.circle(p, 1.8, palette::kInk);
    }
    svg.polyline(PanelPoints(edge, second.begin(), second.end()), kSecondPassLine);
    svg.endClip();
}

// The overview shows a little beyond the board, where a trace along the bezel may stray.
constexpr double kBeyondBoard = 160;

Pixel OnBoard(const Box& overview, BoardPoint p) {
    const double scale = overview.width / (report_limits::kBoardExtent + 2 * kBeyondBoard);
    return {overview.left + (p.x + kBeyondBoard) * scale,
            overview.top + (p.y + kBeyondBoard) * scale};
}

std::vector<Pixel> BoardPoints(const Box& overview, const TracePointArray& points) {
    std::vector<Pixel> pixels;
    for (const BoardPoint& p : points) {
        pixels.push_back(OnBoard(overview, p));
    }
    return pixels;
}

// An untraced stretch drawn on the bezel it belongs to.
void DrawUntracedOnBoard(SvgBuilder& svg, const Box& overview, const EdgePicture& edge,
                         const Stretch& s) {
    const std::int32_t side =
        edge.edge == Edge::Bottom || edge.edge == Edge::Right ? report_limits::kBoardExtent : 0;
    const bool alongY = GeometryOf(edge.edge).alongIsY;
    const BoardPoint a = alongY ? BoardPoint{side, s.from} : BoardPoint{s.from, side};
    const BoardPoint b = alongY ? BoardPoint{side, s.to} : BoardPoint{s.to, side};
    svg.line(OnBoard(overview, a), OnBoard(overview, b), kUntracedLine);
}

void DrawOverview(SvgBuilder& svg, const PictureLayout& layout, const ParsedReport& report) {
    const Box& board = layout.overview;
    svg.text({board.left, board.top - 8}, OverviewTitle(), {13, palette::kInk, "start", true});
    svg.rect(board, palette::kPaper, palette::kRule);
    const Pixel corner = OnBoard(board, {0, 0});
    const Pixel farCorner =
        OnBoard(board, {report_limits::kBoardExtent, report_limits::kBoardExtent});
    svg.rect({corner.x, corner.y, farCorner.x - corner.x, farCorner.y - corner.y},
             palette::kBoardFace, palette::kBoardOutline);
    svg.beginClip(board);
    for (const EdgePicture& edge : layout.edges) {
        for (const Stretch& s : edge.coverage.untraced) {
            DrawUntracedOnBoard(svg, board, edge, s);
        }
    }
    for (Edge edge : kEdges) {
        svg.polyline(BoardPoints(board, report.section(Pass::Internal, edge).points),
                     kInternalLine);
    }
    for (const PointSection& stroke : report.extraStrokes) {
        svg.polyline(BoardPoints(board, stroke.points), kExtraStrokeLine);
        if (!stroke.points.empty()) {
            svg.circle(OnBoard(board, *stroke.points.begin()), 2.5, palette::kExtraStroke);
        }
    }
    for (const EdgePicture& edge : layout.edges) {
        svg.polyline(BoardPoints(board, report.section(Pass::First, edge.edge).points),
                     {palette::StrongColourOf(edge.grade.verdict), 2.5});
        svg.polyline(BoardPoints(board, report.section(Pass::Second, edge.edge).points),
                     {palette::kSecondPassStroke, 1.2, "4 3"});
    }
    svg.endClip();
}

void DrawLegend(SvgBuilder& svg, const PictureLayout& layout, const ParsedReport& report) {
    const Box& board = layout.overview;
    double y = board.bottom() + 30;
    const double x = board.left;
    const auto entry = [&](const LineStyle& style, const std::string& text) {
        svg.line({x, y - 4}, {x + 28, y - 4}, style);
        svg.text({x + 36, y}, text, {12, palette::kInk});
        y += 20;
    };
    for (EdgeVerdict v :
         {EdgeVerdict::Passed, EdgeVerdict::Correctable, EdgeVerdict::NotCorrectable}) {
        entry({palette::ColoursOf(v).strong, 3}, "first pass: " + VerdictWord(v));
    }
    if (std::any_of(layout.edges.begin(), layout.edges.end(),
                    [](const EdgePicture& edge) { return !edge.grade.graded; })) {
        entry({palette::kNotGraded, 3}, "first pass: " + GradeWord(std::nullopt));
    }
    entry(kSecondPassLine, "second pass");
    entry(kInternalLine, InternalLegend(report));
    entry(kExtraStrokeLine, ExtraStrokeLegend(report));
    entry(kUntracedLine, "not traced");
    y += 8;
    for (const std::string& line : BandExplanation()) {
        svg.text({x, y}, line, {12, palette::kMutedInk});
        y += 17;
    }
    const Box swatch{x, y, 28, 12};
    svg.rect(swatch, palette::kUntracedFill);
    svg.text({x + 36, y + 11}, "no point covers this stretch", {12, palette::kMutedInk});
}

}  // namespace

std::string RenderReportSvg(const std::string& fileName, const CheckedReport& checked) {
    const PictureLayout layout = LayoutReportPicture(checked.report);
    SvgBuilder svg(layout.width, layout.height);
    svg.rect({0, 0, layout.width, layout.height}, palette::kBackground);
    DrawHeader(svg, layout, fileName, checked);
    for (const EdgePicture& edge : layout.edges) {
        DrawPanel(svg, edge, checked.report);
    }
    DrawOverview(svg, layout, checked.report);
    DrawLegend(svg, layout, checked.report);
    return svg.finish();
}
