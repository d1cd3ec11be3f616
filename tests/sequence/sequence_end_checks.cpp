// What must hold once the trace window is gone: how it ended, the boards' own values, the
// report file and its mail.

#include "framework/constants.h"
#include "message_text.h"
#include "report/mail_text.h"
#include "report/path_lines.h"
#include "report_tool/grading/report_check.h"
#include "sequence.h"
#include "support/fake_mapi.h"

namespace fs = std::filesystem;

namespace {

bool SameFile(const fs::path& a, const std::wstring& b) {
    try {
        std::error_code ec;
        return fs::equivalent(a, fs::path(b), ec);
    } catch (const std::exception&) {
        return false;  // a name the host's narrow file system cannot hold names no file
    }
}

bool IsUnder(const fs::path& file, const fs::path& folder) {
    std::error_code ec;
    return fs::equivalent(file.parent_path(), folder, ec);
}

constexpr const char* kKinds[] = {"plain", "unwritable", "needs default name", "system dependent",
                                  "empty"};
constexpr const char* kWheres[] = {"nowhere", "at the chosen path", "in Documents", "elsewhere"};

}  // namespace

void Sequence::checkEnd() {
    if (host_->timerCount() != 0) {
        fail("a timer outlived the window");
    }
    if (dlg_->m_edgeTimer != 0 || dlg_->m_speedWarningOpen || dlg_->m_speedWarning != nullptr) {
        fail("the window went with a time-out or a speed warning still marked");
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
    const Finish finish = finishedBy();
    if (world_.diagnosticMode || finish == Finish::Not || host_->mainResult() != fw::kIdOk) {
        fail("the window closed by itself during \"" + ending_ + "\"");
    }
    coverage_.count(finish == Finish::PenUp ? "ending service by pen-up"
                                            : "ending service by time-out");
}

Sequence::Finish Sequence::finishedBy() const {
    // Also under the message about an unreadable record, which the test goes on beneath.
    std::string_view step = ending_;
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
        for (std::size_t i = 0; i < kSettingIds.size(); ++i) {
            if (tavlo_sim::Setting(board, kSettingIds[i]) != own.settings[i]) {
                fail("board " + std::to_string(board) + "'s setting " +
                     std::to_string(kSettingIds[i]) + " is not back to its own value");
            }
        }
        if (!host_->driver.present) {
            continue;  // nobody to tell
        }
        // A service run leaves the traced board's driver state on: it uses the new points.
        // That is the board the run ended with; pen events handled after the end change
        // nothing of it.
        const bool wanted = board == traced || own.driverState;
        const auto state = host_->driver.states.find(board);
        const bool on = state == host_->driver.states.end() || state->second;
        if (on != wanted) {
            fail("board " + std::to_string(board) + "'s driver state is not back");
        }
    }
}

void Sequence::checkService() {
    const bool completed = finishedBy() != Finish::Not;
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

Sequence::ReportPlace Sequence::checkReportPlace(const std::wstring& chosen,
                                                 const std::wstring& proposed) {
    const std::vector<fs::path> files = folder_.producedFiles(filesBefore_);
    for (const fs::path& f : files) {
        if (f.filename().string().starts_with("~rt")) {
            fail("a temporary file was left: " + f.string());
        }
    }
    if (files.size() > 1) {
        fail(std::to_string(files.size()) + " report files were written");
    }
    const auto named = names_.find(chosen);
    if (named == names_.end()) {
        fail("the report path is not a name the dialog was given");
    }
    ReportPlace place{named->second, Where::Nowhere, {}};
    if (!files.empty()) {
        place.file = files[0];
        place.where = SameFile(files[0], chosen)               ? Where::Chosen
                      : IsUnder(files[0], folder_.documents()) ? Where::Documents
                                                               : Where::Elsewhere;
    }
    const Where fallback =
        world_.documents == DocumentsSetup::Writable ? Where::Documents : Where::Nowhere;
    bool expected = false;
    switch (place.kind) {
        case NameKind::Plain:
            expected = place.where == Where::Chosen;
            break;
        case NameKind::Unwritable:
        case NameKind::NeedsDefaultName:
            expected = place.where == fallback;
            break;
        case NameKind::SystemDependent:
            expected = place.where == Where::Chosen || place.where == fallback;
            break;
        case NameKind::Empty:
            expected = place.where == Where::Nowhere;
            break;
    }
    if (!expected) {
        fail(std::string("a report named as ") + kKinds[static_cast<int>(place.kind)] +
             " was written " + kWheres[static_cast<int>(place.where)]);
    }
    if (place.where == Where::Documents) {
        checkDocumentsName(place, chosen, proposed);
    }
    return place;
}

void Sequence::checkDocumentsName(const ReportPlace& place, const std::wstring& chosen,
                                  const std::wstring& proposed) {
    // The same file name in Documents; the proposed name when Documents cannot take that
    // either; and never in place of a file that is there: "name (2).pts", "name (3).pts"...
    const std::wstring typed = FileNameOf(chosen);
    const std::wstring base =
        place.kind == NameKind::NeedsDefaultName || typed.empty() ? FileNameOf(proposed) : typed;
    const fs::path basePath(base);
    fs::path candidate = folder_.documents() / basePath;
    for (int copy = 2; copy < 1000; ++copy) {
        if (filesBefore_.count(candidate) == 0 && placedInDocuments_.count(candidate) == 0) {
            break;
        }
        candidate = folder_.documents() / basePath.stem();
        candidate += " (" + std::to_string(copy) + ")";
        candidate += basePath.extension();
    }
    if (place.file != candidate) {
        fail("the report went to " + place.file.string() + " in Documents, not " +
             candidate.string());
    }
    if (candidate.filename() != basePath) {
        coverage_.count("report in documents under a numbered name");
    }
    if (base != typed) {
        coverage_.count("report in documents under the proposed name");
    }
}

void Sequence::checkReportAndMail() {
    const std::wstring& chosen = dlg_->m_reportPath;
    const ReportPlace place = checkReportPlace(chosen, dlg_->m_proposedReportName);
    if (saveAccepted_) {
        coverage_.count(std::string("final name ") + kKinds[static_cast<int>(place.kind)]);
    }
    if (place.kind == NameKind::Empty) {
        coverage_.count(saveAccepted_ ? "no report asked" : "no report chosen");
        checkMail({}, false);
        if (!messages_.empty()) {
            fail("a message without a report to speak of");
        }
        return;
    }
    coverage_.count(place.where == Where::Chosen      ? "report at the chosen path"
                    : place.where == Where::Documents ? "report in documents"
                                                      : "report nowhere");
    const bool mail = place.where != Where::Nowhere && dlg_->m_sendReport;
    checkMail(place.file, mail);
    if (place.where != Where::Nowhere) {
        checkReportFile(place.file, atMail_ ? *atMail_ : RecordOf(*dlg_));
    }
    const bool mailFailed =
        mail && world_.mail != MailSetup::Sends && world_.mail != MailSetup::LogonNeedsProfile;
    checkMessages(place, chosen, dlg_->m_proposedReportName, mailFailed);
}

void Sequence::checkMessages(const ReportPlace& place, const std::wstring& chosen,
                             const std::wstring& proposed, bool mailFailed) {
    // The texts as the user reads them, each path whole once the line breaks are taken out.
    std::vector<std::wstring> expected;
    const std::wstring notWritten = L"The report could not be written to" + chosen;
    constexpr std::wstring_view kNothing = L"No report was saved and nothing was sent.";
    std::wstring written = chosen;
    if (place.where == Where::Documents) {
        written = place.file.wstring();
        expected.push_back(notWritten + L"It was saved here instead:" + written);
    } else if (place.where == Where::Nowhere && world_.documents == DocumentsSetup::None) {
        expected.push_back(notWritten + std::wstring(kNothing));
    } else if (place.where == Where::Nowhere) {
        const fs::path tried = folder_.documents() / fs::path(FileNameOf(proposed));
        expected.push_back(notWritten + L"nor to" + tried.wstring() + std::wstring(kNothing));
    }
    if (mailFailed) {
        expected.push_back(L"The Report could not be sent.  The file can be found here " + written +
                           L".");
    }
    if (messages_.size() != expected.size()) {
        fail(std::to_string(messages_.size()) + " messages where " +
             std::to_string(expected.size()) + " were due");
    }
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (WithoutLineBreaks(messages_[i]) != expected[i]) {
            fail("the message \"" + Narrow(messages_[i]) + "\" is not \"" + Narrow(expected[i]) +
                 "\"");
        }
    }
}

void Sequence::checkMessageFits(std::wstring_view text) {
    // A message box breaks its text only at blanks and line ends, and grows to fit the longest
    // stretch without one: no stretch may be longer than a line of a path.
    std::size_t stretch = 0;
    for (wchar_t c : text) {
        stretch = c == L' ' || c == L'\n' ? 0 : stretch + 1;
        if (stretch > kMessageLineChars) {
            fail("a message box wider than the screen: " + Narrow(text));
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
    if (!world_.diagnosticMode) {
        for (int board = 0; board <= kMostBoards + 3; ++board) {
            if (tavlo_sim::LastOrientPoints(board)) {
                fail("a service run ended by the session handed points to board " +
                     std::to_string(board));
            }
        }
    }
    const ReportPlace place = checkReportPlace(end.reportPath, end.proposedName);
    if (end.tearingDown) {
        coverage_.count("session ended during the report step");
    } else if (!messages_.empty()) {
        fail("a message box was shown for the end of the session");
    } else if (!end.reportPath.empty()) {
        coverage_.count("session ended with a report chosen");
    }
    if (place.where != Where::Nowhere) {
        checkReportFile(place.file, end.test);
    }
}
void Sequence::checkMail(const fs::path& report, bool expectMail) {
    const std::vector<MapiUlong>& logons = FakeMapi::logonFlags;
    const std::vector<FakeMapi::Sent>& sent = FakeMapi::sent;
    if (!expectMail) {
        if (!logons.empty() || !sent.empty()) {
            fail("a mail was started without a report to send");
        }
        return;
    }
    using Logons = std::vector<MapiUlong>;
    bool asExpected = false;
    std::string outcome;
    switch (world_.mail) {
        case MailSetup::Sends:
            asExpected = logons == Logons{0} && sent.size() == 1;
            outcome = "mail sent";
            break;
        case MailSetup::LogonNeedsProfile:
            asExpected = logons == Logons{0, 1} && sent.size() == 1;
            outcome = "mail sent after the profile logon";
            break;
        case MailSetup::LogonFails:
            asExpected = logons == Logons{0, 1} && sent.empty();
            outcome = "mail logon failed";
            break;
        case MailSetup::UserCancels:
            asExpected = logons == Logons{0} && sent.size() == 1;
            outcome = "mail cancelled by the user";
            break;
        case MailSetup::SendFails:
            asExpected = logons == Logons{0} && sent.size() == 1;
            outcome = "mail send failed";
            break;
        case MailSetup::NoLibrary:
            asExpected = logons.empty() && sent.empty();
            outcome = "mail library missing";
            break;
        case MailSetup::NoEntryPoint:
            asExpected = logons.empty() && sent.empty();
            outcome = "mail entry point missing";
            break;
    }
    if (!asExpected) {
        fail("the mail client saw " + std::to_string(logons.size()) + " logons and " +
             std::to_string(sent.size()) + " mails (" + outcome + ")");
    }
    coverage_.count(outcome);
    if (sent.empty()) {
        return;
    }
    const FakeMapi::Sent& m = sent.front();
    std::error_code ec;
    if (!fs::equivalent(fs::path(m.attachment), report, ec)) {
        fail("the mail's attachment " + m.attachment + " is not the report written");
    }
    const std::string body = host_->toAnsi(FormatMailBody(BlankControls(dlg_->m_serialNumber)));
    if (m.subject != "Edge Report" || m.body != body) {
        fail("the mail's subject or form is not the report's");
    }
}

void Sequence::checkReportFile(const fs::path& report, const TestRecord& test) {
    // Read as support reads it: strictly, and graded again from its own points.
    const CheckedReport checked = CheckReportFile(report);
    if (!checked.findings.ok()) {
        const Finding& first = checked.findings.problems().front();
        fail("the report does not pass the check: line " + std::to_string(first.line) + ": " +
             first.text);
    }
    const std::string difference =
        CompareReport(checked.report, test, host_->toAnsi(test.serialNumber), world_.now);
    if (!difference.empty()) {
        fail("the report differs from the window: " + difference);
    }
}
