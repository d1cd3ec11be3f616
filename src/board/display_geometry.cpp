// The monitor that shows the board, the list of all monitors the window can be moved to, and the
// placement of the window over one of them.
#include <algorithm>

#include "app/rimtrace_dlg.h"
#include "board/internal_lines.h"
#include "framework/constants.h"
#include "framework/platform.h"

void CRimtraceDlg::BuildMonitorList() {
    const int board = m_sdk.TAVLOGetCurrentBoard();
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    m_boardSettings.TAVLOGetBoardDisplayRectangle(board, &top, &left, &bottom, &right);
    fw::Platform& platform = fw::CurrentPlatform();
    AddMonitorFromHandle(platform.monitorFromRect({left, top, right, bottom}));
    platform.enumDisplayMonitors(&CRimtraceDlg::EnumMonitorProc, this);
}

void CRimtraceDlg::AddMonitor(const fw::Rect& rect) {
    if (std::find(m_monitorRects.begin(), m_monitorRects.end(), rect) == m_monitorRects.end()) {
        m_monitorRects.push_back(rect);
    }
}

void CRimtraceDlg::AddMonitorFromHandle(HMONITOR monitor) {
    if (const auto rect = fw::CurrentPlatform().monitorRect(monitor)) {
        AddMonitor(*rect);
    }
}

bool CRimtraceDlg::EnumMonitorProc(HMONITOR monitor, void* dialog) {
    if (dialog != nullptr) {
        static_cast<CRimtraceDlg*>(dialog)->AddMonitorFromHandle(monitor);
    }
    return true;
}

void CRimtraceDlg::PlaceOnMonitor() {
    if (m_monitorRects.empty() || window() == nullptr) {
        return;
    }
    const fw::Rect r = m_monitorRects[static_cast<std::size_t>(m_currentMonitor)];
    const auto w = static_cast<std::int32_t>(std::min<std::int64_t>(r.width(), INT32_MAX));
    const auto h = static_cast<std::int32_t>(std::min<std::int64_t>(r.height(), INT32_MAX));
    window()->setWindowPos(r.left, r.top, w, h, fw::kSwpNoZOrder);
    m_internalLines = InternalLines(w, h);
    window()->invalidate(nullptr, true);
}
