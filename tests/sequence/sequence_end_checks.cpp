// What must hold once the trace window is gone: how it ended, the boards' own values, the
// report file and its mail. Where exactly a report goes and what each message says is the
// report step's own tests' business; here, that no report is lost and the user is told.
#include <fstream>

#include "framework/constants.h"
#include "report/path_lines.h"
#include "report_tool/report_check.h"
#include "sequence.h"
#include "support/fake_mapi.h"

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

}  // namespace

bool Names(std::wstring message, const std::wstring& path) {
    std::erase(message, L'\n');
    return message.find(path) != std::wstring::npos;
}

void Sequence::checkEnd() {
    if (host_->timerCount() != 0 || dlg_->m_edgeTimer != 0 || dlg_->m_speedWarningOpen ||
        dlg_->m_speedWarning != nullptr) {
        fail("the window went with a timer or a speed warning still there");
    }
    if (!host_->unexpectedModals.empty()) {
        fail("an unexpected dialog " + std::to_string(host_->unexpectedModals.front()) +
             " was shown");
    }
    for (TraceStage s : stagesSeen_) {
        coverage_.count("stage " + std::to_string(s));
    }
    checkEnding();
    checkBoardsBack(world_.diagnosticMode ? 0 : activeAtEnd_);
    ledger_.givenBack(boardsNow_);
    checkRecord();
    if (!ledger_.named().empty()) {
        coverage_.count("end left boards not attached in the record");
    }
    if (world_.diagnosticMode) {
        checkReportAndMail();
    } else {
        checkService();
    }
    if (kills_ > 0) {
        coverage_.count("ended after a restart");
    }
}

void Sequence::checkEnding() {
    struct Ending {
        std::string_view step;
        std::string_view name;
        int result;
    };
    constexpr Ending kClosings[] = {
        {"escape", "escape", fw::kIdCancel},
        {"enter", "enter", fw::kIdOk},
        {"close", "close", fw::kIdCancel},
        {"warning: close", "close during the speed warning", fw::kIdCancel},
        {"save: close", "close during the end-of-test dialog", fw::kIdCancel},
    };
    for (const Ending& e : kClosings) {
        if (ending_ == e.step) {
            if (host_->mainResult() != e.result) {
                fail("the window ended with result " + std::to_string(host_->mainResult()));
            }
            coverage_.count("ending " + std::string(e.name));
            return;
        }
    }
    const Finish finish = FinishedBy(ending_);
    if (world_.diagnosticMode || finish == Finish::Not || host_->mainResult() != fw::kIdOk) {
        fail("the window closed by itself during \"" + ending_ + "\"");
    }
    coverage_.count(finish == Finish::PenUp ? "ending service by pen-up"
                                            : "ending service by time-out");
}

Sequence::Finish Sequence::FinishedBy(std::string_view step) {
    // Also under the message about an unreadable record, which the test goes on beneath.
    if (step.starts_with("message box: ")) {
        step.remove_prefix(13);
    }
    if (step == "pen" || step == "wild pen" || step == "pen batch") {
        return Finish::PenUp;
    }
    if (step == "time" || step == "time-out" || step == "long time") {
        return Finish::TimeOut;
    }
    return Finish::Not;
}

void Sequence::checkBoardsBack(std::int32_t traced) {
    // Every board has its own values again: a board of a start its values from before any test,
    // a board that came during the test the values it came with.
    for (int board = 1; board <= boardsNow_; ++board) {
        const OwnBoard& own = ledger_.owed(board);
        const OwnBoard now = BoardNow(board, host_->driver);
        if (SettingsOf(now) != SettingsOf(own)) {
            fail("board " + std::to_string(board) + "'s settings are not back to its own");
        }
        // A service run leaves the traced board's driver state on: it uses the new points.
        // That is the board the run ended with; pen events after the end change nothing of it.
        if (host_->driver.present && now.driverState != (board == traced || own.driverState)) {
            fail("board " + std::to_string(board) + "'s driver state is not back");
        }
    }
}

void Sequence::checkService() {
    const bool completed = FinishedBy(ending_) != Finish::Not;
    for (int board = 0; board <= kMostBoards + 3; ++board) {
        const bool handed = tavlo_sim::LastOrientPoints(board).has_value();
        if (handed != (completed && board == activeAtEnd_)) {
            fail("edge orientation points " + std::string(handed ? "went" : "did not go") +
                 " to board " + std::to_string(board));
        }
    }
    if (!folder_.producedFiles(filesBefore_).empty() || !FakeMapi::logonFlags.empty() ||
        !messages_.empty()) {
        fail("a service run wrote, mailed or said something");
    }
}

fs::path Sequence::checkReport(const std::wstring& chosen, const TestPoints& test) {
    const std::vector<fs::path> files = folder_.producedFiles(filesBefore_);
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
        if (placedInDocuments_.count(file) != 0 || filesBefore_.count(file) != 0) {
            fail("the report replaced " + file.string());
        }
        if (file.empty() && world_.documents == DocumentsSetup::Writable) {
            fail("the report was lost though Documents takes it");
        }
    }
    coverage_.count(file.empty()  ? "report nowhere"
                    : inDocuments ? "report in documents"
                                  : "report at the chosen path");
    if (inDocuments) {
        const std::wstring name = file.filename().wstring();
        if (name.find(L" (") != std::wstring::npos) {
            coverage_.count("report in documents under a numbered name");
        }
        if (name.starts_with(L"LMEdgeReport_") &&
            chosen.find(L"LMEdgeReport_") == std::wstring::npos) {
            coverage_.count("report in documents under the proposed name");
        }
    }
    if (!file.empty()) {
        // Read as support reads it: strictly, and graded again from its own points.
        const CheckedReport checked = CheckReportFile(file);
        if (!checked.findings.ok()) {
            const Finding& first = checked.findings.problems().front();
            fail("the report does not pass the check: line " + std::to_string(first.line) + ": " +
                 first.text);
        }
        if (PointsOf(checked.report) != test) {
            fail("the report holds other points than the test");
        }
    }
    return file;
}

void Sequence::checkReportAndMail() {
    const std::wstring& chosen = dlg_->m_reportPath;
    const fs::path file = checkReport(chosen, atMail_ ? *atMail_ : PointsOf(*dlg_));
    const bool mail = !file.empty() && dlg_->m_sendReport;
    checkMail(file, mail);
    // The user is told where the report is when it is not where they chose it (or that there is
    // none), and when it could not be mailed.
    const bool moved = !chosen.empty() && !SameFile(file, chosen);
    const bool mailFailed = mail && !world_.mail->sends;
    if (messages_.size() != (moved ? 1u : 0u) + (mailFailed ? 1u : 0u)) {
        fail(std::to_string(messages_.size()) + " messages for a report " +
             (moved ? "moved" : "in place") + (mailFailed ? " and a failed mail" : ""));
    }
    const std::wstring where = moved ? file.wstring() : chosen;
    for (const std::wstring& message : messages_) {
        if (!file.empty() && !Names(message, where)) {
            fail("a message does not say where the report is: " + host_->toAnsi(message));
        }
    }
}

void Sequence::checkMail(const fs::path& report, bool expectMail) {
    const bool used = !FakeMapi::logonFlags.empty() || !FakeMapi::sent.empty();
    if (!expectMail) {
        if (used) {
            fail("a mail was started without a report to send");
        }
        return;
    }
    // How the mail client answers each call is the report step's tests' business.
    if (used == (world_.mail->missing != nullptr)) {
        fail(std::string(used ? "the mail client was used" : "no mail was tried") + " where " +
             world_.mail->outcome);
    }
    coverage_.count(world_.mail->outcome);
    std::error_code ec;
    if (!FakeMapi::sent.empty() &&
        !fs::equivalent(fs::path(FakeMapi::sent.front().attachment), report, ec)) {
        fail("the mail's attachment is not the report written");
    }
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

void Sequence::checkSessionEnd() {
    const SessionEnd& end = *sessionEnd_;
    coverage_.count("session ended");
    checkBoardsBack(world_.diagnosticMode ? 0 : end.activeBoard);
    checkRecord();
    if (end.mailed && !end.tearingDown) {
        fail("the end of the session started the mail client");
    }
    for (int board = 0; board <= kMostBoards + 3 && !world_.diagnosticMode; ++board) {
        if (tavlo_sim::LastOrientPoints(board)) {
            fail("a service run ended by the session handed points to board " +
                 std::to_string(board));
        }
    }
    checkReport(end.reportPath, end.test);
    if (end.tearingDown) {
        coverage_.count("session ended during the report step");
    } else if (!messages_.empty()) {
        fail("a message box was shown for the end of the session");
    } else if (!end.reportPath.empty()) {
        coverage_.count("session ended with a report chosen");
    }
}
