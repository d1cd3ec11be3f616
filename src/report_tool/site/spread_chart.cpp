#include "report_tool/site/spread_chart.h"

#include <algorithm>

#include "report_tool/picture/palette.h"
#include "report_tool/picture/picture_text.h"
#include "report_tool/picture/svg_builder.h"
#include "report_tool/reading/report_limits.h"
#include "report_tool/reading/value_text.h"
#include "report_tool/site/page_names.h"
#include "report_tool/site/site_rows.h"

namespace {

constexpr double kWidth = 440;
constexpr double kHeight = 180;
constexpr Box kPlot{44, 10, 380, 136};
constexpr double kPointInset = 10;  // the first and last visit stay clear of the plot's sides
// The chart's top, in board units: the not-correctable band shows above the 300 limit.
constexpr double kTop = report_limits::kCorrectableSpread * 4.0 / 3.0;

double YOf(double spread) {
    return kPlot.bottom() - kPlot.height * std::min(spread, kTop) / kTop;
}

double XOf(std::size_t visit, std::size_t visits) {
    if (visits < 2) {
        return kPlot.left + kPlot.width / 2;
    }
    const double usable = kPlot.width - 2 * kPointInset;
    return kPlot.left + kPointInset +
           usable * static_cast<double>(visit) / static_cast<double>(visits - 1);
}

void Bands(SvgBuilder& svg) {
    const double passed = report_limits::kPassedSpread;
    const double correctable = report_limits::kCorrectableSpread;
    const auto band = [&](double from, double to, EdgeVerdict verdict) {
        svg.rect({kPlot.left, YOf(to), kPlot.width, YOf(from) - YOf(to)},
                 palette::ColoursOf(verdict).outerBand);
    };
    band(0, passed, EdgeVerdict::Passed);
    band(passed, correctable, EdgeVerdict::Correctable);
    band(correctable, kTop, EdgeVerdict::NotCorrectable);
    for (double limit : {passed, correctable}) {
        svg.line({kPlot.left, YOf(limit)}, {kPlot.right(), YOf(limit)},
                 {palette::kFaintInk, 1, "4 3"});
        svg.text({kPlot.left - 6, YOf(limit) + 4}, WholeNumber(limit),
                 {11, palette::kMutedInk, "end"});
    }
    svg.text({kPlot.left - 6, YOf(0) + 4}, "0", {11, palette::kMutedInk, "end"});
    svg.rect(kPlot, "none", palette::kFaintInk);
}

std::string Tooltip(const SummaryRow& row, const EdgeSummary& edge) {
    std::string text = DateText(row) + " · ";
    text += edge.spread ? "spread " + std::to_string(*edge.spread) : std::string("no spread");
    text += " · " + GradeWord(edge.verdict);
    const auto claim = edge.differingClaim();
    return claim ? text + " (report says " + VerdictWord(*claim) + ")" : text;
}

}  // namespace

std::string RenderSpreadChart(Edge edge, const std::vector<const SummaryRow*>& oldestFirst) {
    SvgBuilder svg(kWidth, kHeight);
    Bands(svg);
    const auto e = static_cast<std::size_t>(edge);
    const std::size_t visits = oldestFirst.size();
    // The line joins visits whose spread is known; a visit without one breaks it.
    std::vector<Pixel> run;
    const auto endRun = [&] {
        svg.polyline(run, {palette::kMutedInk, 1.5});
        run.clear();
    };
    for (std::size_t i = 0; i < visits; ++i) {
        const auto& spread = oldestFirst[i]->edges[e].spread;
        if (spread) {
            run.push_back({XOf(i, visits), YOf(*spread)});
        } else {
            endRun();
        }
    }
    endRun();
    for (std::size_t i = 0; i < visits; ++i) {
        const SummaryRow& row = *oldestFirst[i];
        const EdgeSummary& summary = row.edges[e];
        const double y = summary.spread ? YOf(*summary.spread) : kPlot.top;
        svg.beginLink("../" + ReportPageName(row.file), Tooltip(row, summary));
        svg.circle(
            {XOf(i, visits), y}, 4.5,
            summary.verdict ? palette::ColoursOf(*summary.verdict).strong : palette::kMutedInk);
        svg.endLink();
    }
    if (visits > 0) {
        const TextStyle first{11, palette::kMutedInk, visits < 2 ? "middle" : "start"};
        svg.text({XOf(0, visits) - (visits < 2 ? 0 : kPointInset), kHeight - 14},
                 DateText(*oldestFirst.front()).substr(0, 10), first);
        if (visits > 1) {
            svg.text({XOf(visits - 1, visits) + kPointInset, kHeight - 14},
                     DateText(*oldestFirst.back()).substr(0, 10), {11, palette::kMutedInk, "end"});
        }
    }
    return svg.finish();
}
