// The tracing sequence: end of an edge on pen-up or time-out, the completion steps of every
// stage, the end of a pass, and the keys of the trace window.
#include "app/rimtrace_dlg.h"
#include "framework/constants.h"
#include "framework/platform.h"
#include "trace/stage_prompts.h"
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
    if (ReachesFarEnd(array.last(), TravelOf(m_stage))) {
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
    const TraceStage from = m_stage;
    fw::Platform& platform = fw::CurrentPlatform();
    const auto promptNext = [&] {
        const StagePrompt next = PromptOf(from + 1);
        SetPrompt(platform.loadString(next.stringId), next.pictureId);
    };
    switch (from) {
        case 0:
        case 1:
        case 2:
        case 5:
        case 6:
        case 7:
            promptNext();
            m_stage = from + 1;
            if (byTimeout) {
                RepaintAll();
            }
            Beep();
            break;
        case 9:
        case 10:
        case 11:
            promptNext();
            m_stage = from + 1;
            RepaintAll();
            Beep();
            break;
        case 3:
            m_stage = stage::kFinished;
            RepaintAll();
            Beep();
            EndFirstPass(byTimeout);
            break;
        case 8:
            m_stage = stage::kFinished;
            Beep();
            if (m_diagnosticMode) {
                AnalyzeSecondPass();
            }
            if (byTimeout) {
                RepaintAll();
            }
            break;
        case 12:
            m_stage = stage::kFinished;
            if (byTimeout) {
                Beep();
                RepaintAll();
            } else {
                RepaintAll();
                Beep();
            }
            AnalyzeFirstPass();
            break;
        default:
            break;
    }
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
    const bool firstPass = m_stage >= 1 && m_stage <= 3;
    const bool secondPass = m_stage >= 6 && m_stage <= 8;
    if (m_stage == stage::kFirstLeft || m_stage == stage::kSecondLeft) {
        m_tracePoints[stage::ArrayIndex(m_stage)].clear();
        return;
    }
    if (!firstPass && !secondPass) {
        return;
    }
    TracePointArray& current = m_tracePoints[stage::ArrayIndex(m_stage)];
    if (!current.empty()) {
        current.clear();
        return;
    }
    m_stage -= 1;
    const StagePrompt back = PromptOf(m_stage);
    SetPrompt(fw::CurrentPlatform().loadString(back.stringId), back.pictureId);
    m_tracePoints[stage::ArrayIndex(m_stage)].clear();
}

void CRimtraceDlg::NextMonitor() {
    if (m_monitorRects.size() > 1) {
        m_currentMonitor = static_cast<std::int32_t>(
            (static_cast<std::size_t>(m_currentMonitor) + 1) % m_monitorRects.size());
        PlaceOnMonitor();
    }
}
