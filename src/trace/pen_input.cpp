// Pen events from the board SDK: which board is heard, which points an edge keeps, extra strokes
// after the test, and what must be repainted around a new point.
#include "app/rimtrace_dlg.h"
#include "framework/platform.h"
#include "trace/error_dlg.h"
#include "trace/segment_strip.h"
#include "trace/travel.h"
#include "rules/board_rules.h"

void CRimtraceDlg::OnXYNonProjectedDown(int x, int y, int, int pointerId) {
    if (m_pointsHandedOver) {
        return;
    }
    if (m_speedWarningOpen) {
        // A touch answers the warning: close it and swallow the rest of this contact.
        if (m_speedWarning != nullptr) {
            m_speedWarning->OnOK();
        }
        m_penUpPending = true;
        return;
    }
    const int board = m_sdk.TAVLOGetBoardNumberFromPointerID(pointerId);
    // A pointer that maps to no board (number 0, or a nonsense negative one) never becomes the
    // test's board: its traces would reach nothing.
    if (m_tracePoints[ArrayOf(Pass::First, Edge::Left)].empty() && board >= 1) {
        m_activeBoard = board;
    }
    if (!IsActiveBoardPointer(pointerId)) {
        return;
    }
    KillEdgeTimer();
    m_contactInExtraStroke = false;
    TakePoint({x, y});
}

void CRimtraceDlg::OnXYNonProjectedMove(int x, int y, int, int pointerId) {
    if (m_pointsHandedOver || m_speedWarningOpen || m_penUpPending ||
        !IsActiveBoardPointer(pointerId)) {
        return;
    }
    TakePoint({x, y});
}

void CRimtraceDlg::OnXYNonProjectedUp(int x, int y, int, int pointerId) {
    if (m_pointsHandedOver) {
        return;
    }
    if (m_speedWarningOpen || m_penUpPending) {
        m_penUpPending = false;
        return;
    }
    if (!IsActiveBoardPointer(pointerId)) {
        return;
    }
    if (IsTracing(m_stage) && !m_contactInExtraStroke) {
        // The edge is the one this point was offered to, even if a nested dialog moved on. The
        // end of the edge may run the end-of-test dialog, whose own contacts set and clear
        // m_contactInExtraStroke; this contact has no further use for it.
        TracePointArray& edge = m_tracePoints[static_cast<std::size_t>(RowOf(m_stage).array)];
        TakePoint({x, y});
        EndOfEdgeTest(edge);
        return;
    }
    TakePoint({x, y});
    m_contactInExtraStroke = false;
}

void CRimtraceDlg::TakePoint(BoardPoint point) {
    if (m_contactInExtraStroke) {
        // A contact that became an extra stroke stays one, even when the end-of-test dialog it
        // answered (a pen tap on OK) has meanwhile started the next pass.
        AppendToExtraStroke(point);
    } else if (IsTracing(m_stage)) {
        if (OfferToStage(point)) {
            InvalidateSegment(m_tracePoints[static_cast<std::size_t>(RowOf(m_stage).array)], false);
        }
    } else if (m_stage == stage::kFinished) {
        // Every contact after the test is its own extra stroke, also one that began before the
        // test finished under a resting pen; its first point has no segment to repaint.
        m_extraStrokes.startStroke();
        m_contactInExtraStroke = true;
        AppendToExtraStroke(point);
    }
}

bool CRimtraceDlg::IsActiveBoardPointer(int pointerId) {
    const int board = m_sdk.TAVLOGetBoardNumberFromPointerID(pointerId);
    // Before any board touched down the test follows none, not "board 0".
    return board >= 1 && board == m_activeBoard;
}

bool CRimtraceDlg::OfferToStage(BoardPoint point) {
    const StageRow& row = RowOf(m_stage);
    TracePointArray& array = m_tracePoints[static_cast<std::size_t>(row.array)];
    switch (row.edge) {
        case Edge::Left:
            return AcceptPointDownward(array, point);
        case Edge::Bottom:
            return AcceptPointRightward(array, point);
        case Edge::Right:
            return AcceptPointUpward(array, point);
        case Edge::Top:
            return AcceptPointLeftward(array, point);
    }
    return false;
}

void CRimtraceDlg::AppendToExtraStroke(BoardPoint point) {
    TracePointArray& stroke = m_extraStrokes.lastStroke();
    stroke.append(point);
    InvalidateSegment(stroke, false);
}

bool CRimtraceDlg::AcceptPointDownward(TracePointArray& array, BoardPoint point) {
    return AcceptPoint(array, point, Edge::Left);
}

bool CRimtraceDlg::AcceptPointRightward(TracePointArray& array, BoardPoint point) {
    return AcceptPoint(array, point, Edge::Bottom);
}

bool CRimtraceDlg::AcceptPointUpward(TracePointArray& array, BoardPoint point) {
    return AcceptPoint(array, point, Edge::Right);
}

bool CRimtraceDlg::AcceptPointLeftward(TracePointArray& array, BoardPoint point) {
    return AcceptPoint(array, point, Edge::Top);
}

bool CRimtraceDlg::AcceptPoint(TracePointArray& array, BoardPoint point, Edge edge) {
    switch (JudgeStep(array, point, edge)) {
        case StepVerdict::Accept:
            array.append(point);
            return true;
        case StepVerdict::Reject:
            return false;
        case StepVerdict::TooFast:
            break;
    }
    fw::Platform& platform = fw::CurrentPlatform();
    // Unsigned difference: harmless across the tick counter's wrap-around.
    if (static_cast<std::uint32_t>(platform.tickCount() - m_lastSpeedWarningTick) >
        rules::kWarningIntervalMs) {
        m_lastSpeedWarningTick = platform.tickCount();
        ShowSpeedWarning();
    }
    return false;
}

void CRimtraceDlg::InvalidateSegment(const TracePointArray& array, bool toEnd) {
    if (array.size() < 2 || window() == nullptr) {
        return;
    }
    const fw::Rect client = window()->clientRect();
    const fw::Rect box =
        SegmentBox(array.element(array.size() - 2), array.element(array.size() - 1), client);
    if (m_showTraces) {
        window()->invalidate(&box, true);
    }
    const fw::Rect strip = FeedbackStrip(m_stage, box, client, array.size(), toEnd);
    window()->invalidate(&strip, true);
}
