#pragma once
#include <array>
#include <optional>
#include <vector>

#include "analysis/edge_stats.h"
#include "report_tool/grading/edge_coverage.h"
#include "report_tool/grading/edge_grade.h"
#include "report_tool/picture/svg_builder.h"
#include "report_tool/reading/report_model.h"

// Where everything of a report's picture goes, and what each edge panel shows: the first pass
// graded again from its points with the program's analysis, its coverage, and the scales that
// magnify the position across the edge so that the 50 and 300 limits show as bands centred on
// the trace. An edge passes when its trace stays inside the inner band, and can be corrected
// while it stays inside the outer one. Positions are board units, 4096 across the board.
struct EdgePicture {
    Edge edge = Edge::Left;
    Box panel;
    Box plot;
    bool hasPoints = false;
    EdgeGrade grade;
    EdgeCoverage coverage;
    std::optional<EdgeStats> secondPass;  // the program's comparison, when there is one
    double centre = 0;                    // across the edge, mid-way between min and max
    double halfRange = 0;                 // board units from the centre to the plot's top

    double xOf(std::int32_t along) const;
    double yOf(double across) const;
    Box bandBox(double width) const;  // a band of that many board units, centred
    Box stretchBox(const Stretch& s) const;
};

struct PictureLayout {
    double width = 0;
    double height = 0;
    Box header;
    std::array<EdgePicture, 4> edges;
    std::optional<EdgeVerdict> overall;  // the worst edge's verdict
    Box overview;                        // the whole board, 0..4096 on both axes
};

PictureLayout LayoutReportPicture(const ParsedReport& report);
