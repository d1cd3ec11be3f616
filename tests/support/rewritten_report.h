#pragma once
// What the program's writer makes of a report as rimtrace-report read it: the points, serial
// number and date as read, the statistics computed from those points. A report the check passes
// must come back as the very bytes it was read from.
#include <array>
#include <string>

#include "analysis/edge_geometry.h"
#include "analysis/edge_statistics.h"
#include "report/report_writer.h"
#include "report_tool/reading/report_model.h"

inline std::string Rewritten(const ParsedReport& report) {
    PointArrays arrays;
    for (std::size_t i = 0; i < arrays.size(); ++i) {
        arrays[i] = report.arrays[i].points;
    }
    StrokeList strokes;
    for (const PointSection& section : report.extraStrokes) {
        strokes.startStroke();
        strokes.lastStroke().append(section.points.begin(), section.points.end());
    }
    std::array<EdgeStats, 4> stats;
    for (Edge edge : kEdges) {
        const auto e = static_cast<std::size_t>(edge);
        const EdgeGeometry g = GeometryOf(edge);
        stats[e] = ComputeEdgeStats(arrays[e], FindTraceStart(arrays[e], g.xLimit, g.yLimit), edge);
    }
    return FormatReport(
        {report.serialNumber, report.writtenAt.value_or(LocalDateTime{}), stats, arrays, strokes});
}
