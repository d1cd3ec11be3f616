// The trace window's paint handler: every layer, bottom to top, straight into the paint context.
#include "app/board_layers.h"
#include "app/paint_geometry.h"
#include "app/rimtrace_dlg.h"
#include "app/window_layers.h"

void CRimtraceDlg::OnPaint(fw::DC& dc) {
    const fw::Window* w = window();
    if (w == nullptr) {
        return;
    }
    const fw::Rect client = w->clientRect();
    if (w->isIconic()) {
        dc.eraseIconBackground();
        dc.drawIcon(m_hIcon, IconPosition(client, dc.iconSize()));
        return;
    }
    const fw::Rect r{0, 0, fw::Saturate32(client.width()), fw::Saturate32(client.height())};
    DrawBackgroundTiles(dc, r);
    if (m_showTraces) {
        DrawGrid(dc, r);
    }
    if (const StageRow& row = RowOf(m_stage); row.pass == Pass::Internal) {
        DrawTargetLine(dc, m_internalLines[static_cast<std::size_t>(row.edge)]);
    }
    const PromptPlacement placed = DrawPictureAndPrompt(dc, r, m_picture.get(), m_prompt);
    m_pictureRect = placed.picture;
    m_promptRect = placed.band;
    DrawBoardLayers(dc, {r.right, r.bottom},
                    {m_stage, m_tracePoints, m_extraStrokes, m_showTraces});
    fw::CDialog::OnPaint(dc);
}
