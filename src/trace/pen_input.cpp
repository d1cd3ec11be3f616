// Pen events from the board SDK: which board is heard, which points an edge keeps, free strokes
// after the test, and what must be repainted around a new point.
#include "app/rimtrace_dlg.h"
#include "framework/platform.h"
#include "trace/error_dlg.h"
#include "trace/segment_strip.h"
#include "trace/travel.h"

void CRimtraceDlg::OnXYNonProjectedDown(int x, int y, int, int pointerId) {
    if (m_speedWarningOpen) {
        // A touch answers the warning: close it and swallow the rest of this contact.
        if (m_speedWarning != nullptr) {
            m_speedWarning->OnOK();
        }
        m_penUpPending = true;
        return;
    }
    if (m_tracePoints[0].empty()) {
        m_activeBoard = m_sdk.TAVLOGetBoardNumberFromPointerID(pointerId);
    }
    if (!IsActiveBoardPointer(pointerId)) {
        return;
    }
    KillEdgeTimer();
    TakePoint({x, y}, true);
}

void CRimtraceDlg::OnXYNonProjectedMove(int x, int y, int, int pointerId) {
    if (m_speedWarningOpen || m_penUpPending || !IsActiveBoardPointer(pointerId)) {
        return;
    }
    TakePoint({x, y}, false);
}

void CRimtraceDlg::OnXYNonProjectedUp(int x, int y, int, int pointerId) {
    if (m_speedWarningOpen || m_penUpPending) {
        m_penUpPending = false;
        return;
    }
    if (!IsActiveBoardPointer(pointerId)) {
        return;
    }
    const bool tracing = stage::IsTracing(m_stage);
    TakePoint({x, y}, false);
    if (tracing) {
        EndOfEdgeTest(m_tracePoints[stage::ArrayIndex(m_stage)]);
    }
}

void CRimtraceDlg::TakePoint(BoardPoint point, bool contactStarts) {
    if (stage::IsTracing(m_stage)) {
        if (OfferToStage(point)) {
            InvalidateSegment(m_tracePoints[stage::ArrayIndex(m_stage)], false);
        }
    } else if (m_stage == stage::kFinished) {
        if (contactStarts) {
            // Every contact after the test is its own free stroke; its first point needs no
            // repaint, as it has no segment yet.
            m_extraStrokes.startStroke();
            m_extraStrokes.lastStroke().append(point);
        } else {
            AppendToExtraStroke(point);
        }
    }
}

bool CRimtraceDlg::IsActiveBoardPointer(int pointerId) {
    return m_sdk.TAVLOGetBoardNumberFromPointerID(pointerId) == m_activeBoard;
}

bool CRimtraceDlg::OfferToStage(BoardPoint point) {
    TracePointArray& array = m_tracePoints[stage::ArrayIndex(m_stage)];
    switch (TravelOf(m_stage)) {
        case Travel::Down:
            return AcceptPointDownward(array, point);
        case Travel::Right:
            return AcceptPointRightward(array, point);
        case Travel::Up:
            return AcceptPointUpward(array, point);
        case Travel::Left:
            return AcceptPointLeftward(array, point);
    }
    return false;
}

void CRimtraceDlg::AppendToExtraStroke(BoardPoint point) {
    // A contact that began before the test finished (the stage changed under a resting pen) has
    // no stroke yet; it gets one so none of its points is lost.
    if (m_extraStrokes.empty()) {
        m_extraStrokes.startStroke();
    }
    TracePointArray& stroke = m_extraStrokes.lastStroke();
    stroke.append(point);
    InvalidateSegment(stroke, false);
}

bool CRimtraceDlg::AcceptPointDownward(TracePointArray& array, BoardPoint point) {
    return AcceptPoint(array, point, Travel::Down);
}

bool CRimtraceDlg::AcceptPointRightward(TracePointArray& array, BoardPoint point) {
    return AcceptPoint(array, point, Travel::Right);
}

bool CRimtraceDlg::AcceptPointUpward(TracePointArray& array, BoardPoint point) {
    return AcceptPoint(array, point, Travel::Up);
}

bool CRimtraceDlg::AcceptPointLeftward(TracePointArray& array, BoardPoint point) {
    return AcceptPoint(array, point, Travel::Left);
}

bool CRimtraceDlg::AcceptPoint(TracePointArray& array, BoardPoint point, Travel travel) {
    switch (JudgeStep(array, point, travel)) {
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
    if (static_cast<std::uint32_t>(platform.tickCount() - m_lastSpeedWarningTick) > 1000u) {
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
