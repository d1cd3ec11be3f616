#include "orient_copy.h"

namespace tavlo_sim {
namespace {

EdgePoints CopyEdge(const TAVLOPointMatrix& matrix) {
    if (matrix.m_rows == nullptr || matrix.m_rowCount < 2 || matrix.m_columnCount <= 0 ||
        matrix.m_rows[0] == nullptr || matrix.m_rows[1] == nullptr) {
        return {};
    }
    const float* xs = matrix.m_rows[0];
    const float* ys = matrix.m_rows[1];
    return {{xs, xs + matrix.m_columnCount}, {ys, ys + matrix.m_columnCount}};
}

}  // namespace

OrientPoints CopyOrientPoints(const CEdgeOrientPoints& record) {
    return {CopyEdge(record.m_top), CopyEdge(record.m_bottom), CopyEdge(record.m_left),
            CopyEdge(record.m_right)};
}

}  // namespace tavlo_sim
