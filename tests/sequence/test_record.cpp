#include "test_record.h"

namespace {
std::vector<BoardPoint> Points(const TracePointArray& a) {
    return {a.begin(), a.end()};
}
}  // namespace

TestPoints PointsOf(const CRimtraceDlg& dlg) {
    TestPoints points;
    for (const TracePointArray& a : dlg.m_tracePoints) {
        points.push_back(Points(a));
    }
    for (const TracePointArray& stroke : dlg.m_extraStrokes) {
        points.push_back(Points(stroke));
    }
    return points;
}

TestPoints PointsOf(const ParsedReport& report) {
    TestPoints points;
    for (const PointSection& a : report.arrays) {
        points.push_back(Points(a.points));
    }
    for (const PointSection& stroke : report.freeStrokes) {
        points.push_back(Points(stroke.points));
    }
    return points;
}
