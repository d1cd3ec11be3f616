#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "TAVLO.h"
#include "analysis/edge_stats.h"
#include "app/line_segment.h"
#include "board/earlier_run.h"
#include "board/restore_record.h"
#include "board/restore_record_file.h"
#include "board/saved_board_settings.h"
#include "framework/dc.h"
#include "framework/dialog.h"
#include "framework/geometry.h"
#include "trace/point_arrays.h"
#include "trace/trace_point_array.h"
#include "trace/stage_table.h"
#include "trace/trace_stage.h"
#include "trace/travel.h"

class CErrorDlg;

// The trace window and the whole of one test: it owns the board connection, receives the pen
// events and holds every point, result and choice until it is destroyed, when the report is
// written from it. The fields are public so the headless tests can observe the test state.
//
// Its operations live with the part of the program they belong to; each group below names its
// file:
//   app/rimtrace_dlg.cpp         life of the window: construction, initialisation, board data,
//                                tear-down, end of the session
//   app/main_paint.cpp           OnPaint
//   trace/pen_input.cpp          the three pen events, point acceptance, InvalidateSegment
//   trace/speed_warning.cpp      ShowSpeedWarning
//   trace/stage_machine.cpp      end of an edge, time-out, completion, keys (OnKeyDown, OnTimer,
//                                Delete, next monitor), SetPrompt
//   analysis/pass_analysis.cpp   AnalyzeFirstPass, AnalyzeSecondPass
//   analysis/orient_points.cpp   SendEdgeOrientPoints
//   board/display_geometry.cpp   the monitor list and PlaceOnMonitor
//   board/settings_guard.cpp     taking the boards over and giving them back, the restore record
//   report/report_step.cpp       ShowSaveDialog, WriteReport, the report step of OnDestroy
//   report/send_mail.cpp         SendMail
class CRimtraceDlg : public fw::CDialog,
                     public CTAVLO2EventHandler,
                     public CTAVLO2BoardSettingsEventHandler {
  public:
    explicit CRimtraceDlg(bool diagnosticMode);
    ~CRimtraceDlg() override;

    // Window messages (app/rimtrace_dlg.cpp; OnPaint in app/main_paint.cpp; OnKeyDown and
    // OnTimer in trace/stage_machine.cpp).
    bool OnInitDialog() override;
    void OnPaint(fw::DC& dc) override;
    HICON OnQueryDragIcon() override { return m_hIcon; }
    void OnKeyDown(unsigned key) override;
    bool OnRegisteredMessage(unsigned message) override;
    void OnTimer(fw::TimerId id) override;
    void OnDestroy() override;
    void OnEndSession(bool ending) override;
    void OnNewBoardData();

    // Pen events from the board SDK and point acceptance (trace/pen_input.cpp; the warning in
    // trace/speed_warning.cpp).
    void OnXYNonProjectedDown(int x, int y, int z, int pointerId) override;
    void OnXYNonProjectedMove(int x, int y, int z, int pointerId) override;
    void OnXYNonProjectedUp(int x, int y, int z, int pointerId) override;
    bool AcceptPointDownward(TracePointArray& array, BoardPoint point);
    bool AcceptPointRightward(TracePointArray& array, BoardPoint point);
    bool AcceptPointUpward(TracePointArray& array, BoardPoint point);
    bool AcceptPointLeftward(TracePointArray& array, BoardPoint point);
    void InvalidateSegment(const TracePointArray& array, bool toEnd);
    void ShowSpeedWarning();

    // The tracing sequence (trace/stage_machine.cpp, reading trace/stage_table.h).
    void SetPrompt(const std::wstring& text, unsigned pictureId);
    void EndOfEdgeTest(const TracePointArray& array);

    // Analysis and hand-over at the end of a pass (analysis/pass_analysis.cpp,
    // analysis/orient_points.cpp).
    void AnalyzeFirstPass();
    void AnalyzeSecondPass();
    void SendEdgeOrientPoints();

    // Display geometry (board/display_geometry.cpp).
    void AddMonitor(const fw::Rect& rect);
    void AddMonitorFromHandle(HMONITOR monitor);
    static bool EnumMonitorProc(HMONITOR monitor, void* dialog);
    void PlaceOnMonitor();

    // End of the test: report and mail (report/report_step.cpp, report/send_mail.cpp).
    void ShowSaveDialog();
    bool WriteReport(const std::wstring& path);
    bool SendMail(const std::wstring& recipients, const std::wstring& subject,
                  const std::wstring& body, const std::wstring& attachment);

    // The test state, in declaration order.
    HICON m_hIcon = nullptr;
    std::vector<fw::Rect> m_monitorRects;
    std::int32_t m_currentMonitor = 0;
    std::wstring m_prompt;
    CTAVLO2 m_sdk{false};
    CTAVLO2BoardSettings m_boardSettings{nullptr};
    PointArrays m_tracePoints;
    fw::Rect m_promptRect;
    fw::Rect m_pictureRect;
    std::uint32_t m_lastSpeedWarningTick = 0;
    bool m_showTraces = false;
    std::array<EdgeStats, 4> m_edgeStats{};
    std::unique_ptr<fw::Bitmap> m_picture;
    StrokeList m_extraStrokes;
    std::wstring m_reportPath;
    bool m_sendReport = false;
    std::wstring m_serialNumber;
    fw::TimerId m_edgeTimer = 0;
    bool m_diagnosticMode;
    std::int32_t m_activeBoard = 0;
    std::vector<SavedBoardSettings> m_savedBoardSettings;
    std::array<EdgeStats, 4> m_secondPassStats{};
    std::array<LineSegment, 4> m_internalLines{};
    bool m_speedWarningOpen = false;
    CErrorDlg* m_speedWarning = nullptr;
    bool m_penUpPending = false;
    TraceStage m_stage = stage::kFirstLeft;
    // The current contact of the test's board has become an extra stroke (it touched down, or
    // went on, after the test was complete); its points stay in that stroke until its pen-up.
    bool m_contactInExtraStroke = false;
    // Where the boards' own values wait on disk while the test runs, and the boards an earlier run
    // that died left there which are not attached now.
    RestoreRecordFile m_restoreRecord{{}};
    RestoreRecord m_boardsForLaterRuns;
    // The boards have their own values back (normal end, end of the session or a crash).
    bool m_boardsGivenBack = false;
    // The user's session ended: boards and report were dealt with then; nothing is left to do.
    bool m_sessionEnded = false;
    // OnDestroy has begun: the report step runs or has run.
    bool m_tearingDown = false;
    // The service run handed its points to the board and ended the window: pen events still
    // waiting in the same batch from the board belong to no test and must not pick another board.
    bool m_pointsHandedOver = false;
    // The file name the end-of-test dialog proposed: where a report goes that cannot be written
    // under the name the user chose.
    std::wstring m_proposedReportName;

  private:
    // Pen input (trace/pen_input.cpp).
    bool AcceptPoint(TracePointArray& array, BoardPoint point, Edge edge);
    bool IsActiveBoardPointer(int pointerId);
    // A point of the test's board: to the current edge's array, or to the contact's extra stroke
    // after the test.
    void TakePoint(BoardPoint point);
    // Offers a point to the current tracing stage's array; true when it was accepted.
    bool OfferToStage(BoardPoint point);
    void AppendToExtraStroke(BoardPoint point);

    // The sequence (trace/stage_machine.cpp).
    void StartEdgeTimer();
    void KillEdgeTimer();
    void RepaintAll();
    void CompleteStage(bool byTimeout);
    void EndPass(PassEnd end, bool byTimeout);
    void EndFirstPass(bool byTimeout);
    // The prompt and picture of stage `s`.
    void ShowPromptOf(TraceStage s);
    void StepBack();
    void NextMonitor();
    void InvalidatePromptAndPicture();

    // The boards (board/display_geometry.cpp, board/settings_guard.cpp).
    void BuildMonitorList();
    // Takes the boards over for the test; what it found of an earlier run that died.
    EarlierRunOutcome AttachBoards();
    void ReleaseBoards();
    void RestoreBoards();
    // The boards' own values from `firstBoard` on: this test's originals, then the boards an
    // earlier run left waiting.
    RestoreRecord BoardsToGiveBack(int firstBoard) const;

    // The report (report/report_step.cpp).
    void RunReportStep();
    // Writes the report where the user chose, else into Documents; the path written, or empty.
    // `tellUser` false: no message box (the session is ending).
    std::wstring WriteReportSomewhere(bool tellUser);
};
