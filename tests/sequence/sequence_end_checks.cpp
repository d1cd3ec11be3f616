// What must hold once the trace window is gone: how it ended, the boards' own values, the
// report file and its mail. Where exactly a report goes and what each message says is the
// report step's own tests' business; here, that no report is lost and the user is told.
#include <fstream>

#include "framework/constants.h"
#include "report/path_lines.h"
#include "report_tool/grading/report_check.h"
#include "sequence.h"

namespace fs = std::filesystem;

namespace {

// The path the program makes of a report name; none for a name the host's narrow file system
// cannot hold.
std::optional<fs::path> FileSystemPath(const std::wstring& name) {
    try {
        return fs::path(name);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool SameFile(const fs::path& file, const std::wstring& name) {
    const auto path = FileSystemPath(name);
    std::error_code ec;
    return path && fs::equivalent(file, *path, ec);
}

// Whether the report could have been written under `name`: the file system decides, not a model
// of names. A file that is there is left as it was.
bool TakesAFile(const std::wstring& name) {
    const auto path = FileSystemPath(name);
    if (!path || !path->has_filename()) {
        return false;
    }
    std::error_code ec;
    const bool existed = fs::exists(*path, ec);
    const bool opens = std::ofstream(*path, std::ios::app).good();
    if (!existed) {
        fs::remove(*path, ec);
    }
    return opens;
}

template <typename Arrays, typename Strokes>
TestPoints PointsOf(const Arrays& arrays, const Strokes& strokes, auto pointsOf) {
    TestPoints points;
    for (const auto& a : arrays) {
        points.emplace_back(pointsOf(a).begin(), pointsOf(a).end());
    }
    for (const auto& stroke : strokes) {
        points.emplace_back(pointsOf(stroke).begin(), pointsOf(stroke).end());
    }
    return points;
}

}  // namespace

bool Names(std::wstring message, const std::wstring& path) {
    std::erase(message, L'\n');
    return message.find(path) != std::wstring::npos;
}

TestPoints PointsOf(const CRimtraceDlg& dlg) {
    return PointsOf(dlg.m_tracePoints, dlg.m_extraStrokes,
                    [](const TracePointArray& a) -> const TracePointArray& { return a; });
}

Sequence::Finish Sequence::FinishedBy(std::string_view step) {
    // Also under the message about an unreadable record, which the test goes on beneath.
    if (step.starts_with("message box: ")) {
        step.remove_prefix(13);
    }
    if (step == "pen" || step == "wild pen" || step == "pen batch") {
        return Finish::PenUp;
    }
    return step == "time" || step == "time-out" || step == "long time" ? Finish::TimeOut
                                                                       : Finish::Not;
}

void Sequence::checkEnd() {
    // The window ended by a closing route, or a service run by finishing its test; or the
    // user's session ended, and the process with it.
    const SessionEnd* const session = sessionEnd_ ? &*sessionEnd_ : nullptr;
    bool completed = false;
    if (session) {
        coverage_.count("session ended");
    } else {
        if (host_->timerCount() != 0 || dlg_->m_edgeTimer != 0 || dlg_->m_speedWarningOpen ||
            dlg_->m_speedWarning != nullptr || !host_->unexpectedModals.empty()) {
            fail("the window went with a timer, a speed warning or an unexpected dialog");
        }
        for (TraceStage s : stagesSeen_) {
            coverage_.count("stage " + std::to_string(s));
        }
        constexpr std::pair<std::string_view, std::string_view> kClosings[] = {
            {"escape", "escape"},
            {"enter", "enter"},
            {"close", "close"},
            {"warning: close", "close during the speed warning"},
            {"save: close", "close during the end-of-test dialog"}};
        const auto closing = std::find_if(std::begin(kClosings), std::end(kClosings),
                                          [this](const auto& c) { return c.first == run_.ending; });
        const Finish finish = FinishedBy(run_.ending);
        completed = closing == std::end(kClosings);
        if (!completed) {
            coverage_.count("ending " + std::string(closing->second));
        } else if (world_.diagnosticMode || finish == Finish::Not) {
            fail("the window closed by itself during \"" + run_.ending + "\"");
        } else {
            coverage_.count(finish == Finish::PenUp ? "ending service by pen-up"
                                                    : "ending service by time-out");
        }
    }
    const std::int32_t activeBoard = session ? session->activeBoard : run_.activeAtEnd;
    checkBoardsBack(world_.diagnosticMode ? 0 : activeBoard);
    ledger_.givenBack(boardsNow_);
    checkRecord();
    if (!ledger_.named().empty()) {
        coverage_.count("end left boards not attached in the record");
    }
    if (kills_ > 0) {
        coverage_.count("ended after a restart");
    }
    const bool mailUsed =
        session ? session->mailed : !FakeMapi::logonFlags.empty() || !FakeMapi::sent.empty();
    if (!world_.diagnosticMode) {
        // A service run hands the points to exactly the board it finished with, and writes,
        // mails and says nothing.
        for (int board = 0; board <= kMostBoards + 3; ++board) {
            if (tavlo_sim::LastOrientPoints(board).has_value() !=
                (completed && board == activeBoard)) {
                fail("the edge orientation points and board " + std::to_string(board));
            }
        }
        if (!folder_.producedFiles(run_.filesBefore).empty() || mailUsed ||
            !run_.messages.empty()) {
            fail("a service run wrote, mailed or said something");
        }
        return;
    }
    const std::wstring chosen = session ? session->reportPath : dlg_->m_reportPath;
    const fs::path file = checkReport(chosen, session       ? session->test
                                              : run_.atMail ? *run_.atMail
                                                            : PointsOf(*dlg_));
    if (session && session->tearingDown) {
        coverage_.count("session ended during the report step");
        return;  // what the report step had mailed and told by then is its own
    }
    if (session) {
        // No mail and no message: no window can be shown once the session ends.
        if (mailUsed || !run_.messages.empty()) {
            fail("the end of the session mailed or told something");
        }
        if (!chosen.empty()) {
            coverage_.count("session ended with a report chosen");
        }
        return;
    }
    // A mail is tried exactly when there is a report to mail and a library to try it with; how
    // the mail client answers each call is the report step's tests' business.
    const bool mail = !file.empty() && dlg_->m_sendReport;
    if (mailUsed != (mail && world_.mail->missing == nullptr)) {
        fail(std::string(mailUsed ? "a mail was tried" : "no mail was tried") + " where " +
             (mail ? world_.mail->outcome : "there is nothing to mail"));
    }
    std::error_code ec;
    if (!FakeMapi::sent.empty() &&
        !fs::equivalent(fs::path(FakeMapi::sent.front().attachment), file, ec)) {
        fail("the mail's attachment is not the report written");
    }
    if (mail) {
        coverage_.count(world_.mail->outcome);
    }
    // The user is told where the report is when it is not where they chose it (or that there is
    // none), and when it could not be mailed.
    const bool moved = !chosen.empty() && !SameFile(file, chosen);
    const bool mailFailed = mail && !world_.mail->sends;
    if (run_.messages.size() != (moved ? 1u : 0u) + (mailFailed ? 1u : 0u)) {
        fail(std::to_string(run_.messages.size()) + " messages for a report " +
             (moved ? "moved" : "in place") + (mailFailed ? " and a failed mail" : ""));
    }
    for (const std::wstring& message : run_.messages) {
        if (!file.empty() && !Names(message, moved ? file.wstring() : chosen)) {
            fail("a message does not say where the report is: " + host_->toAnsi(message));
        }
    }
}

void Sequence::checkBoardsBack(std::int32_t traced) {
    // Every board has its own values again: a board of a start its values from before any test,
    // a board that came during the test the values it came with.
    for (int board = 1; board <= boardsNow_; ++board) {
        const OwnBoard& own = ledger_.owed(board);
        const OwnBoard now = BoardNow(board, host_->driver);
        // A service run leaves the traced board's driver state on: it uses the new points.
        // That is the board the run ended with; pen events after the end change nothing of it.
        if (SettingsOf(now) != SettingsOf(own) ||
            (host_->driver.present && now.driverState != (board == traced || own.driverState))) {
            fail("board " + std::to_string(board) + " does not have its own values back");
        }
    }
}

fs::path Sequence::checkReport(const std::wstring& chosen, const TestPoints& test) {
    const std::vector<fs::path> files = folder_.producedFiles(run_.filesBefore);
    if (files.size() > 1 || (chosen.empty() && !files.empty())) {
        fail(std::to_string(files.size()) + " files were written for the report \"" +
             host_->toAnsi(chosen) + "\"");
    }
    const fs::path file = files.empty() ? fs::path() : files[0];
    const bool inDocuments = !file.empty() && file.parent_path() == folder_.documents();
    if (chosen.empty()) {
        coverage_.count("no report chosen");
        return file;
    }
    // Where the chosen name takes a file, the report is there; otherwise in Documents, never in
    // place of a file that was there, or nowhere when Documents cannot take it either.
    if (!SameFile(file, chosen)) {
        if (TakesAFile(chosen)) {
            fail("the report is not at the chosen path, which takes a file");
        }
        if (!file.empty() && !inDocuments) {
            fail("the report went to " + file.string());
        }
        if (run_.placedInDocuments.count(file) != 0 || run_.filesBefore.count(file) != 0) {
            fail("the report replaced " + file.string());
        }
        if (file.empty() && world_.documents == DocumentsSetup::Writable) {
            fail("the report was lost though Documents takes it");
        }
    }
    coverage_.count(file.empty()  ? "report nowhere"
                    : inDocuments ? "report in documents"
                                  : "report at the chosen path");
    const std::wstring name = file.filename().wstring();
    if (inDocuments && name.find(L" (") != std::wstring::npos) {
        coverage_.count("report in documents under a numbered name");
    }
    if (inDocuments && name.starts_with(L"LMEdgeReport_") &&
        chosen.find(L"LMEdgeReport_") == std::wstring::npos) {
        coverage_.count("report in documents under the proposed name");
    }
    if (!file.empty()) {
        // Read as support reads it: strictly, and graded again from its own points.
        const CheckedReport checked = CheckReportFile(file);
        if (!checked.findings.ok()) {
            const Finding& first = checked.findings.problems().front();
            fail("the report does not pass the check: line " + std::to_string(first.line) + ": " +
                 first.text);
        }
        const TestPoints read =
            PointsOf(checked.report.arrays, checked.report.extraStrokes,
                     [](const PointSection& s) -> const TracePointArray& { return s.points; });
        if (read != test) {
            fail("the report holds other points than the test");
        }
    }
    return file;
}

void Sequence::checkMessageFits(std::wstring_view text) {
    // A message box breaks its text only at blanks and line ends, and grows to fit the longest
    // stretch without one: no stretch may be longer than a line of a path.
    std::size_t stretch = 0;
    for (wchar_t c : text) {
        stretch = c == L' ' || c == L'\n' ? 0 : stretch + 1;
        if (stretch > kMessageLineChars) {
            fail("a message box wider than the screen: " + host_->toAnsi(text));
        }
    }
}
