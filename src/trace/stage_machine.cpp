// The tracing sequence: end of an edge on pen-up or time-out, the completion steps of every
// stage, the end of a pass, and the keys of the trace window.
#include "app/rimtrace_dlg.h"
#include "framework/constants.h"
#include "framework/platform.h"
#include "trace/stage_table.h"
#include "trace/travel.h"
#include "rules/board_rules.h"

namespace {
constexpr fw::TimerId kEdgeTimerId = 1;

void Beep() {
    fw::CurrentPlatform().messageBeep(fw::kBeepDefault);
}
}  // namespace

void CRimtraceDlg::SetPrompt(const std::wstring& text, unsigned pictureId) {
    m_prompt = text;
    m_picture.reset();
    if (pictureId != 0) {
        m_picture = fw::CurrentPlatform().loadBitmap(pictureId);
    }
    InvalidatePromptAndPicture();
}

void CRimtraceDlg::InvalidatePromptAndPicture() {
    if (window() != nullptr) {
        window()->invalidate(&m_promptRect, true);
        window()->invalidate(&m_pictureRect, true);
    }
}

void CRimtraceDlg::RepaintAll() {
    if (window() != nullptr) {
        window()->invalidate(nullptr, true);
    }
}

void CRimtraceDlg::StartEdgeTimer() {
    m_edgeTimer = window() != nullptr ? window()->setTimer(kEdgeTimerId, rules::kEdgeTimeoutMs) : 0;
}

void CRimtraceDlg::KillEdgeTimer() {
    if (m_edgeTimer != 0) {
        if (window() != nullptr) {
            window()->killTimer(m_edgeTimer);
        }
        m_edgeTimer = 0;
    }
}

void CRimtraceDlg::EndOfEdgeTest(const TracePointArray& array) {
    if (array.empty()) {
        return;
    }
    if (ReachesFarEnd(array.last(), RowOf(m_stage).edge)) {
        InvalidateSegment(array, true);
        CompleteStage(false);
    } else {
        StartEdgeTimer();
    }
}

void CRimtraceDlg::OnTimer(fw::TimerId id) {
    // Killing a timer does not take back a tick already queued; while the speed warning is up
    // the edge must not end, and closing the warning restarts the time-out anyway.
    if (id != m_edgeTimer || id == 0 || m_speedWarningOpen) {
        return;
    }
    KillEdgeTimer();
    CompleteStage(true);
}

void CRimtraceDlg::CompleteStage(bool byTimeout) {
    // A time-out armed for this edge (the speed warning restarts it while the pen may still be
    // tracing) must not go on to end the next edge.
    KillEdgeTimer();
    const StageRow& row = RowOf(m_stage);
    for (const CompletionStep step : byTimeout ? row.byTimeout : row.byPenUp) {
        switch (step) {
            case CompletionStep::Prompt:
                ShowPromptOf(row.next);
                break;
            case CompletionStep::Stage:
                m_stage = row.next;
                break;
            case CompletionStep::Repaint:
                RepaintAll();
                break;
            case CompletionStep::Beep:
                Beep();
                break;
            case CompletionStep::PassEnd:
                EndPass(row.passEnd, byTimeout);
                break;
            case CompletionStep::End:
                return;
        }
    }
}

void CRimtraceDlg::EndPass(PassEnd end, bool byTimeout) {
    switch (end) {
        case PassEnd::FirstPass:
            EndFirstPass(byTimeout);
            break;
        case PassEnd::SecondPass:
            if (m_diagnosticMode) {
                AnalyzeSecondPass();
            }
            break;
        case PassEnd::InternalTrace:
            AnalyzeFirstPass();
            break;
        case PassEnd::None:
            break;
    }
}

void CRimtraceDlg::ShowPromptOf(TraceStage s) {
    const StageRow& row = RowOf(s);
    SetPrompt(fw::CurrentPlatform().loadString(row.promptId), row.pictureId);
}

void CRimtraceDlg::EndFirstPass(bool byTimeout) {
    if (!m_diagnosticMode) {
        SendEdgeOrientPoints();
        m_pointsHandedOver = true;
        EndDialog(fw::kIdOk);
        return;
    }
    AnalyzeFirstPass();
    ShowSaveDialog();
    if (byTimeout) {
        RepaintAll();
    }
}

void CRimtraceDlg::OnKeyDown(unsigned key) {
    switch (key) {
        case fw::kVkSpace:
        case fw::kVkNext:
            NextMonitor();
            break;
        case fw::kVkDelete:
            StepBack();
            RepaintAll();
            break;
        case fw::kVkD:
            m_showTraces = !m_showTraces;
            RepaintAll();
            break;
        default:
            break;
    }
}

void CRimtraceDlg::StepBack() {
    // A first press discards the edge in progress, a second goes back one edge; never across
    // the start of a pass.
    const StageRow& row = RowOf(m_stage);
    if (!row.deleteClears) {
        return;
    }
    TracePointArray& current = m_tracePoints[static_cast<std::size_t>(row.array)];
    if (!current.empty() || row.deleteBackTo < 0) {
        current.clear();
        return;
    }
    m_stage = row.deleteBackTo;
    ShowPromptOf(m_stage);
    m_tracePoints[static_cast<std::size_t>(RowOf(m_stage).array)].clear();
}

void CRimtraceDlg::NextMonitor() {
    if (m_monitorRects.size() > 1) {
        m_currentMonitor = static_cast<std::int32_t>(
            (static_cast<std::size_t>(m_currentMonitor) + 1) % m_monitorRects.size());
        PlaceOnMonitor();
    }
}
