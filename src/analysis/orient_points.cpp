// The service run's hand-over: the four first-pass edges as the board's edge orientation points.
#include <memory>

#include "app/rimtrace_dlg.h"

namespace {

// The rows of one edge's matrix: owned here, lent to the SDK for the length of the call.
struct MatrixRows {
    std::unique_ptr<float*[]> rowPointers;
    std::unique_ptr<float[]> xs;
    std::unique_ptr<float[]> ys;
};

MatrixRows FillMatrix(TAVLOPointMatrix& matrix, const TracePointArray& points) {
    const std::size_t n = points.size();
    MatrixRows rows{std::make_unique<float*[]>(2), std::make_unique<float[]>(n),
                    std::make_unique<float[]>(n)};
    for (std::size_t j = 0; j < n; ++j) {
        rows.xs[j] = static_cast<float>(points.element(j).x);
        rows.ys[j] = static_cast<float>(points.element(j).y);
    }
    rows.rowPointers[0] = rows.xs.get();
    rows.rowPointers[1] = rows.ys.get();
    matrix.m_rows = rows.rowPointers.get();
    matrix.m_rowCount = 2;
    matrix.m_columnCount = static_cast<int>(n);
    return rows;
}

}  // namespace

void CRimtraceDlg::SendEdgeOrientPoints() {
    CEdgeOrientPoints record;
    // The record's member order is top, bottom, left, right; the arrays are left, bottom,
    // right, top.
    TAVLOPointMatrix* const matrices[4] = {&record.m_left, &record.m_bottom, &record.m_right,
                                           &record.m_top};
    MatrixRows rows[4];
    for (const Edge edge : kEdges) {
        const auto e = static_cast<std::size_t>(edge);
        rows[e] = FillMatrix(*matrices[e], m_tracePoints[ArrayOf(Pass::First, edge)]);
    }
    m_boardSettings.TAVLOSetEdgeOrientPoints(m_activeBoard, record);
    // The rows are freed here, before the record goes: the SDK only borrowed them.
    for (std::size_t e = 0; e < 4; ++e) {
        *matrices[e] = TAVLOPointMatrix{};
        rows[e] = MatrixRows{};
    }
}
