// The result of a pass: statistics of every edge and the one-line result shown in the window.
#include "analysis/edge_geometry.h"
#include "analysis/edge_statistics.h"
#include "analysis/edge_verdict.h"
#include "analysis/trace_comparison.h"
#include "app/rimtrace_dlg.h"
#include "framework/platform.h"
#include "report/text_format.h"
#include "res/resource.h"

namespace {
int StartOf(const TracePointArray& firstPass, Edge edge) {
    const EdgeGeometry g = GeometryOf(edge);
    return FindTraceStart(firstPass, g.xLimit, g.yLimit);
}

const TracePointArray& FirstPass(const PointArrays& arrays, Edge edge) {
    return arrays[ArrayOf(Pass::First, edge)];
}
}  // namespace

void CRimtraceDlg::AnalyzeFirstPass() {
    for (Edge edge : kEdges) {
        const auto e = static_cast<std::size_t>(edge);
        const TracePointArray& first = FirstPass(m_tracePoints, edge);
        m_edgeStats[e] = ComputeEdgeStats(first, StartOf(first, edge), edge);
    }
    const std::wstring format = fw::CurrentPlatform().loadString(IDS_TEST_COMPLETE);
    m_prompt =
        FormatText(format, {SpreadInFifties(m_edgeStats[0]), SpreadInFifties(m_edgeStats[1]),
                            SpreadInFifties(m_edgeStats[2]), SpreadInFifties(m_edgeStats[3])});
    m_picture.reset();
    InvalidatePromptAndPicture();
}

void CRimtraceDlg::AnalyzeSecondPass() {
    for (Edge edge : kEdges) {
        const auto e = static_cast<std::size_t>(edge);
        const TracePointArray& first = FirstPass(m_tracePoints, edge);
        m_secondPassStats[e] = CompareTraces(first, m_tracePoints[ArrayOf(Pass::Second, edge)],
                                             StartOf(first, edge), edge);
    }
    const std::wstring format = fw::CurrentPlatform().loadString(IDS_SECOND_PASS_COMPLETE);
    const auto& s = m_secondPassStats;
    m_prompt = FormatText(format, {s[0].max, double{s[0].avg}, s[1].max, double{s[1].avg}, s[2].max,
                                   double{s[2].avg}, s[3].max, double{s[3].avg}});
    m_picture.reset();
    InvalidatePromptAndPicture();
}
