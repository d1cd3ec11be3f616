// What must hold once the trace window is gone: how it ended, the boards' own values, the
// report file and its mail.
#include <fstream>
#include <iterator>

#include "framework/constants.h"
#include "report/mail_text.h"
#include "sequence.h"
#include "support/fake_mapi.h"

namespace fs = std::filesystem;

namespace {

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

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

enum class Where { Nowhere, Chosen, Documents, Elsewhere };

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
    checkBoardsBack();
    if (world_.diagnosticMode) {
        checkReportAndMail();
    } else {
        checkService();
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
    const bool byPen = ending_ == "pen" || ending_ == "wild pen" || ending_ == "pen batch";
    const bool byTime = ending_ == "time" || ending_ == "time-out" || ending_ == "long time";
    if (world_.diagnosticMode || !(byPen || byTime) || host_->mainResult() != fw::kIdOk) {
        fail("the window closed by itself during \"" + ending_ + "\"");
    }
    coverage_.count(byPen ? "ending service by pen-up" : "ending service by time-out");
}

void Sequence::checkBoardsBack() {
    // Every board has its own values again: a board of the start its values from before the
    // test, a board that came during the test the values it came with.
    for (int board = 1; board <= boardsNow_; ++board) {
        const bool ofStart = static_cast<std::size_t>(board) <= world_.boards.size();
        const auto& own = ofStart ? world_.boards[board - 1].settings : kNewBoardSettings;
        for (std::size_t i = 0; i < kSettingIds.size(); ++i) {
            if (tavlo_sim::Setting(board, kSettingIds[i]) != own[i]) {
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
        const bool traced = !world_.diagnosticMode && board == activeAtEnd_;
        const bool wanted = traced || !ofStart || world_.boards[board - 1].driverState;
        const auto state = host_->driver.states.find(board);
        const bool on = state == host_->driver.states.end() || state->second;
        if (on != wanted) {
            fail("board " + std::to_string(board) + "'s driver state is not back");
        }
    }
}

void Sequence::checkService() {
    const bool completed = ending_ == "pen" || ending_ == "wild pen" || ending_ == "pen batch" ||
                           ending_ == "time" || ending_ == "time-out" || ending_ == "long time";
    for (int board = 0; board <= kMostBoards + 3; ++board) {
        const bool handed = tavlo_sim::LastOrientPoints(board).has_value();
        if (handed != (completed && board == activeAtEnd_)) {
            fail("edge orientation points " + std::string(handed ? "went" : "did not go") +
                 " to board " + std::to_string(board));
        }
    }
    if (!folder_.producedFiles().empty() || !FakeMapi::logonFlags.empty() || !messages_.empty()) {
        fail("a service run wrote, mailed or said something");
    }
}

void Sequence::checkReportAndMail() {
    const std::vector<fs::path> files = folder_.producedFiles();
    for (const fs::path& f : files) {
        if (f.filename().string().starts_with("~rt")) {
            fail("a temporary file was left: " + f.string());
        }
    }
    if (files.size() > 1) {
        fail(std::to_string(files.size()) + " report files were written");
    }
    const std::wstring& chosen = dlg_->m_reportPath;
    const auto named = names_.find(chosen);
    if (named == names_.end()) {
        fail("the report path is not a name the dialog was given");
    }
    const NameKind kind = named->second;
    const bool documents = world_.documents == DocumentsSetup::Writable;
    Where where = Where::Nowhere;
    if (!files.empty()) {
        where = SameFile(files[0], chosen)               ? Where::Chosen
                : IsUnder(files[0], folder_.documents()) ? Where::Documents
                                                         : Where::Elsewhere;
    }
    constexpr const char* kKinds[] = {"plain", "unwritable", "needs default name",
                                      "system dependent", "empty"};
    if (saveAccepted_) {
        coverage_.count(std::string("final name ") + kKinds[static_cast<int>(kind)]);
    }

    bool expected = false;
    switch (kind) {
        case NameKind::Plain:
            expected = where == Where::Chosen;
            break;
        case NameKind::Unwritable:
            expected = where == (documents ? Where::Documents : Where::Nowhere);
            break;
        case NameKind::NeedsDefaultName:
            // Until the default name is used there, such a report is lost.
            expected = documents ? where == Where::Documents ||
                                       (!options_.strict && where == Where::Nowhere)
                                 : where == Where::Nowhere;
            break;
        case NameKind::SystemDependent:
            expected =
                where == Where::Chosen || where == (documents ? Where::Documents : Where::Nowhere);
            break;
        case NameKind::Empty:
            expected = where == Where::Nowhere;
            break;
    }
    if (!expected) {
        constexpr const char* kWheres[] = {"nowhere", "at the chosen path", "in Documents",
                                           "elsewhere"};
        fail(std::string("a report named as ") + kKinds[static_cast<int>(kind)] + " was written " +
             kWheres[static_cast<int>(where)]);
    }
    if (kind == NameKind::Empty) {
        coverage_.count(saveAccepted_ ? "no report asked" : "no report chosen");
        checkMail({}, false);
        if (!messages_.empty()) {
            fail("a message without a report to speak of");
        }
        return;
    }
    coverage_.count(where == Where::Chosen      ? "report at the chosen path"
                    : where == Where::Documents ? "report in documents"
                                                : "report nowhere");
    const bool mail = where != Where::Nowhere && dlg_->m_sendReport;
    checkMail(where != Where::Nowhere ? files[0] : fs::path(), mail);
    if (where != Where::Nowhere) {
        checkReportFile(files[0]);
    }
    const bool mailFailed =
        mail && world_.mail != MailSetup::Sends && world_.mail != MailSetup::LogonNeedsProfile;
    const std::size_t told = (where == Where::Chosen ? 0u : 1u) + (mailFailed ? 1u : 0u);
    if (messages_.size() != told) {
        fail(std::to_string(messages_.size()) + " messages where " + std::to_string(told) +
             " were due");
    }
    if (mailFailed && messages_.back().find(L"could not be sent") == std::wstring::npos) {
        fail("a failed mail was not told");
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

void Sequence::checkReportFile(const fs::path& report) {
    const ReportReading reading = ReadReport(Contents(report));
    if (!reading.content) {
        fail("the report does not read back: " + reading.error);
    }
    // Keys can still change the test while the mail client has the thread, after the report
    // was written; the report is the test as it was then.
    const TestRecord test = atMail_ ? *atMail_ : RecordOf(*dlg_);
    const std::string difference =
        CompareReport(*reading.content, test, host_->toAnsi(test.serialNumber), world_.now);
    if (!difference.empty()) {
        fail("the report differs from the window: " + difference);
    }
}
