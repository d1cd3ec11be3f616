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
#include "trace/trace_point_array.h"
#include "trace/trace_stage.h"
#include "trace/travel.h"

class CErrorDlg;

// The trace window and the whole of one test: it owns the board connection, receives the pen
// events and holds every point, result and choice until it is destroyed, when the report is
// written from it. Its operations are spread over the subsystem folders (trace, analysis, board,
// report, app); the fields are public so the headless tests can observe the test state.
class CRimtraceDlg : public fw::CDialog,
                     public CTAVLO2EventHandler,
                     public CTAVLO2BoardSettingsEventHandler {
  public:
    explicit CRimtraceDlg(bool diagnosticMode);
    ~CRimtraceDlg() override;

    // Window messages.
    bool OnInitDialog() override;
    void OnPaint(fw::DC& dc) override;
    HICON OnQueryDragIcon() override { return m_hIcon; }
    void OnKeyDown(unsigned key) override;
    bool OnRegisteredMessage(unsigned message) override;
    void OnTimer(fw::TimerId id) override;
    void OnDestroy() override;
    void OnEndSession(bool ending) override;
    void OnNewBoardData();

    // Pen events from the board SDK.
    void OnXYNonProjectedDown(int x, int y, int z, int pointerId) override;
    void OnXYNonProjectedMove(int x, int y, int z, int pointerId) override;
    void OnXYNonProjectedUp(int x, int y, int z, int pointerId) override;

    // Point acceptance per direction of travel.
    bool AcceptPointDownward(TracePointArray& array, BoardPoint point);
    bool AcceptPointRightward(TracePointArray& array, BoardPoint point);
    bool AcceptPointUpward(TracePointArray& array, BoardPoint point);
    bool AcceptPointLeftward(TracePointArray& array, BoardPoint point);
    void InvalidateSegment(const TracePointArray& array, bool toEnd);
    void ShowSpeedWarning();

    // The tracing sequence.
    void SetPrompt(const std::wstring& text, unsigned pictureId);
    void EndOfEdgeTest(const TracePointArray& array);

    // Analysis and hand-over at the end of a pass.
    void AnalyzeFirstPass();
    void AnalyzeSecondPass();
    void SendEdgeOrientPoints();

    // Display geometry.
    void AddMonitor(const fw::Rect& rect);
    void AddMonitorFromHandle(HMONITOR monitor);
    static bool EnumMonitorProc(HMONITOR monitor, void* dialog);
    void PlaceOnMonitor();

    // End of the test: report and mail.
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
    std::array<TracePointArray, 12> m_tracePoints;
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
    // The current contact of the test's board has become a free stroke (it touched down, or
    // went on, after the test was complete); its points stay in that stroke until its pen-up.
    bool m_contactInFreeStroke = false;
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
    bool AcceptPoint(TracePointArray& array, BoardPoint point, Travel travel);
    bool IsActiveBoardPointer(int pointerId);
    // A point of the test's board: to the current edge's array, or to the contact's free stroke
    // after the test.
    void TakePoint(BoardPoint point);
    // Offers a point to the current tracing stage's array; true when it was accepted.
    bool OfferToStage(BoardPoint point);
    void AppendToExtraStroke(BoardPoint point);

    void StartEdgeTimer();
    void KillEdgeTimer();
    void RepaintAll();
    void CompleteStage(bool byTimeout);
    void EndFirstPass(bool byTimeout);
    void StepBack();
    void NextMonitor();
    void InvalidatePromptAndPicture();

    void BuildMonitorList();
    // Takes the boards over for the test; what it found of an earlier run that died.
    EarlierRunOutcome AttachBoards();
    void ReleaseBoards();
    void RestoreBoards();
    // The boards' own values from `firstBoard` on: this test's originals, then the boards an
    // earlier run left waiting.
    RestoreRecord BoardsToGiveBack(int firstBoard) const;
    void RunReportStep();
    // Writes the report where the user chose, else into Documents; the path written, or empty.
    // `tellUser` false: no message box (the session is ending).
    std::wstring WriteReportSomewhere(bool tellUser);
};
