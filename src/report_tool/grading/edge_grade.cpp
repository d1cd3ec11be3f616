#include "report_tool/grading/edge_grade.h"

#include <algorithm>

#include "analysis/edge_geometry.h"
#include "analysis/edge_statistics.h"
#include "analysis/edge_verdict.h"

EdgeGrade GradeEdge(const ParsedReport& report, Edge edge) {
    const auto e = static_cast<std::size_t>(edge);
    const PointSection& section = report.section(Pass::First, edge);
    const EdgeGeometry g = GeometryOf(edge);
    EdgeGrade grade;
    grade.graded = section.readWhole();
    grade.start = FindTraceStart(section.points, g.xLimit, g.yLimit);
    grade.stats = ComputeEdgeStats(section.points, grade.start, edge);
    if (grade.graded) {
        grade.verdict = ClassifyEdge(grade.stats);
    }
    grade.claimed = report.stats[e].verdict;
    return grade;
}

std::array<EdgeGrade, 4> GradeEdges(const ParsedReport& report) {
    std::array<EdgeGrade, 4> grades;
    for (Edge edge : kEdges) {
        grades[static_cast<std::size_t>(edge)] = GradeEdge(report, edge);
    }
    return grades;
}

std::optional<EdgeVerdict> OverallVerdict(const std::array<EdgeGrade, 4>& edges) {
    // The verdicts are declared from best to worst.
    std::optional<EdgeVerdict> worst = EdgeVerdict::Passed;
    bool allGraded = true;
    for (const EdgeGrade& edge : edges) {
        allGraded = allGraded && edge.verdict.has_value();
        if (edge.verdict) {
            worst = std::max(*worst, *edge.verdict);
        }
    }
    return allGraded || worst == EdgeVerdict::NotCorrectable ? worst : std::nullopt;
}
