// The end of a test at window destruction: the report file, the sending notice, the mail, and
// what the user is told when something fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

#include "framework/constants.h"
#include "report/mail_text.h"
#include "report/path_lines.h"
#include "res/resource.h"
#include "support/fake_mapi.h"
#include "support/temp_folder.h"
#include "support/trace_fixture.h"

using headless::LogEntry;
namespace fs = std::filesystem;

class ReportStep : public TraceTest {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(dir_ / "docs");
        host.documents = (dir_ / "docs").wstring();
        Open();
        StrokeY(20, 100, 1000);
    }

    // Ends the test as if the end-of-test dialog had stored these choices.
    void Finish(const fs::path& report, bool send, std::wstring serial = L"SN-9") {
        dlg->m_reportPath = report.empty() ? L"" : report.wstring();
        dlg->m_sendReport = send;
        dlg->m_serialNumber = std::move(serial);
        host.pressKey(fw::kVkEscape);
    }
    std::vector<std::wstring> Messages() const {
        std::vector<std::wstring> texts;
        for (const auto& e : host.log) {
            if (e.kind == LogEntry::Kind::MessageBox) {
                EXPECT_EQ(e.value, fw::kMbIconExclamation | fw::kMbTopmost);
                texts.push_back(e.text);
            }
        }
        return texts;
    }
    std::wstring SendFailure(const fs::path& p) const {
        return FormatSendFailureMessage(p.wstring());
    }

    TempFolder folder_;
    const fs::path dir_ = folder_.path();
};

TEST_F(ReportStep, ASentReportCarriesTheFormAndTheAttachmentWhileTheNoticeIsUp) {
    FakeMapi::Install(host, FakeMapi::Mode::Ok);
    const fs::path report = dir_ / "r.pts";
    Finish(report, true, L"SN-42");
    ASSERT_TRUE(fs::exists(report));
    ASSERT_EQ(FakeMapi::sent.size(), 1u);
    const FakeMapi::Sent& m = FakeMapi::sent[0];
    EXPECT_EQ(m.recipients, (std::vector<FakeMapi::Recipient>{{1, "edge-trace-data@example.com"},
                                                              {1, "support@example.com"}}));
    EXPECT_EQ(m.subject, "Edge Report");
    EXPECT_EQ(m.body,
              "Please fill in the following information:\n \n"
              "1. The serial number of the interactive whiteboard you tested: SN-42\n"
              " \t\t\t\t\t\t\t\n"
              "2. The name of the LUMORA Support Technician you worked with: \n"
              " \t\t\t\t\t\t\t\n"
              "3. The call ticket number: \n"
              " \t\t\t\t\t\t\t\n"
              "Thank you.");
    EXPECT_EQ(m.attachment, report.string());
    EXPECT_EQ(m.position, 0xFFFFFFFFu);
    EXPECT_EQ(m.flags, 8u);  // the compose window
    EXPECT_TRUE(m.noticeShown);
    EXPECT_EQ(m.boardSettingDuringMail, 0u);  // restored only after the mail step
    EXPECT_EQ(tavlo_sim::Setting(1, 0), 0x32u);
    EXPECT_FALSE(host.showsWindow(IDD_SENDING_REPORT));
}

TEST_F(ReportStep, AStageTimeOutCannotFireWhileTheMailClientIsOpen) {
    FakeMapi::Install(host, FakeMapi::Mode::Ok);
    ASSERT_EQ(dlg->m_edgeTimer, 1u);  // the left edge is waiting for its time-out
    FakeMapi::duringSend = [&] { host.advance(60000); };
    Finish(dir_ / "r.pts", true);
    EXPECT_EQ(dlg->m_stage, stage::kFirstLeft);
    EXPECT_EQ(Count(LogEntry::Kind::Beep), 0u);
}

// Each way the mail client can answer: what it saw, whether the user is told where the report
// is, and what the program traced. The board settings come back in every case.
struct MailCase {
    const char* name;
    std::optional<FakeMapi::Mode> client;  // nullopt: no Mapi32.dll at all
    const char* missingEntry;              // taken out of the library; "" for none
    std::vector<MapiUlong> logons;
    std::size_t mails;
    int logoffs;
    bool told;
    std::wstring trace;  // after "CRimtraceDlg::SendMail: "
};

void PrintTo(const MailCase& c, std::ostream* os) {
    *os << c.name;
}

class MailOutcome : public ReportStep, public ::testing::WithParamInterface<MailCase> {};

TEST_P(MailOutcome, IsWhatTheClientAnswered) {
    const MailCase& c = GetParam();
    FakeMapi::Install(host, c.client.value_or(FakeMapi::Mode::Ok));
    if (c.client) {
        host.libraries[L"Mapi32.dll"].symbols.erase(c.missingEntry);
    } else {
        host.libraries.erase(L"Mapi32.dll");
    }
    const fs::path report = dir_ / "r.pts";
    Finish(report, true);
    EXPECT_TRUE(fs::exists(report));
    EXPECT_EQ(FakeMapi::logonFlags, c.logons);
    EXPECT_EQ(FakeMapi::sent.size(), c.mails);
    EXPECT_EQ(FakeMapi::logoffs, c.logoffs);
    using Texts = std::vector<std::wstring>;
    EXPECT_EQ(Messages(), c.told ? Texts{SendFailure(report)} : Texts{});
    EXPECT_EQ(host.debugLines,
              c.trace.empty() ? Texts{} : Texts{L"CRimtraceDlg::SendMail: " + c.trace + L"\n"});
    EXPECT_EQ(tavlo_sim::Setting(1, 0), 0x32u);
}

using Mode = FakeMapi::Mode;
// clang-format off
INSTANTIATE_TEST_SUITE_P(EveryAnswer, MailOutcome, ::testing::ValuesIn(std::vector<MailCase>{
    {"Sent", Mode::Ok, "", {0}, 1, 1, false, L""},
    {"AfterTheProfilePrompt", Mode::FirstLogonFails, "", {0, 1}, 1, 1, false, L""},
    {"NoLogon", Mode::BothLogonsFail, "", {0, 1}, 0, 0, true, L"fnMapiLogon failed.  Error = 3."},
    {"Cancelled", Mode::UserCancels, "", {0}, 1, 1, true, L"fnMapiSendMail failed.  Error = 1."},
    {"NotSent", Mode::SendFails, "", {0}, 1, 1, true, L"fnMapiSendMail failed.  Error = 2."},
    {"NoLibrary", std::nullopt, "", {}, 0, 0, true, L""},
    {"NoSendEntry", Mode::Ok, "MAPISendMail", {}, 0, 0, true, L""}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(ReportStep, WithSendingOffTheReportIsWrittenAndNothingElseHappens) {
    FakeMapi::Install(host, FakeMapi::Mode::Ok);
    Finish(dir_ / "r.pts", false);
    EXPECT_TRUE(fs::exists(dir_ / "r.pts"));
    EXPECT_TRUE(FakeMapi::logonFlags.empty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ReportStep, WithoutAReportPathNothingIsWrittenOrSent) {
    FakeMapi::Install(host, FakeMapi::Mode::Ok);
    Finish({}, true);
    EXPECT_TRUE(FakeMapi::logonFlags.empty());
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(fs::is_empty(dir_ / "docs"));
}

TEST_F(ReportStep, AnUnwritablePathSavesTheReportInDocumentsAndMailsThatCopy) {
    FakeMapi::Install(host, FakeMapi::Mode::Ok);
    const fs::path chosen = dir_ / "no-such-folder" / "board.pts";
    const fs::path saved = dir_ / "docs" / "board.pts";
    Finish(chosen, true);
    EXPECT_FALSE(fs::exists(chosen));
    EXPECT_TRUE(fs::exists(saved));
    EXPECT_EQ(Messages(),
              (std::vector<std::wstring>{
                  L"The report could not be written to\n" + PathLines(chosen.wstring()) +
                  L"\nIt was saved here instead:\n" + PathLines(saved.wstring())}));
    ASSERT_EQ(FakeMapi::sent.size(), 1u);
    EXPECT_EQ(FakeMapi::sent[0].attachment, saved.string());
}

TEST_F(ReportStep, WhenNoCopyCanBeWrittenTheUserIsToldAndNothingIsMailed) {
    FakeMapi::Install(host, FakeMapi::Mode::Ok);
    host.documents = (dir_ / "no-docs-either").wstring();
    const fs::path chosen = dir_ / "no-such-folder" / "board.pts";
    Finish(chosen, true);
    EXPECT_TRUE(FakeMapi::logonFlags.empty());
    const auto messages = Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"No report was saved"), std::wstring::npos);
    EXPECT_NE(messages[0].find(PathLines(chosen.wstring())), std::wstring::npos);
    EXPECT_EQ(tavlo_sim::Setting(1, 0), 0x32u);
}

TEST_F(ReportStep, AnExistingReportSurvivesAFailedWrite) {
    // The chosen path is a folder: it cannot be replaced by a file.
    fs::create_directories(dir_ / "taken.pts");
    Finish(dir_ / "taken.pts", false);
    EXPECT_TRUE(fs::is_directory(dir_ / "taken.pts"));
    EXPECT_TRUE(fs::exists(dir_ / "docs" / "taken.pts"));
}

TEST_F(ReportStep, ADriveRelativeNameFallsBackToTheDocumentsFolder) {
    const fs::path chosen = dir_ / "missing-folder" / "D:rep.pts";
    Finish(chosen, false);
    EXPECT_TRUE(fs::exists(dir_ / "docs" / "rep.pts"));
}

TEST_F(ReportStep, WithoutADocumentsFolderTheUserIsToldNothingWasSaved) {
    host.documents.clear();
    const fs::path chosen = dir_ / "missing-folder" / "board.pts";
    Finish(chosen, true);
    EXPECT_EQ(Messages(),
              (std::vector<std::wstring>{L"The report could not be written to\n" +
                                         PathLines(chosen.wstring()) +
                                         L"\nNo report was saved and nothing was sent."}));
}

TEST_F(ReportStep, TheBoardsAreRestoredEvenWhenTheReportStepFailsUnexpectedly) {
    FakeMapi::Install(host, FakeMapi::Mode::Ok);
    FakeMapi::duringSend = [] { throw std::bad_alloc(); };
    dlg->m_reportPath = (dir_ / "r.pts").wstring();
    dlg->m_sendReport = true;
    EXPECT_THROW(host.pressKey(fw::kVkEscape), std::bad_alloc);
    EXPECT_EQ(tavlo_sim::Setting(1, 0), 0x32u);
}

TEST_F(ReportStep, AReportPathTheCodePageCannotSpellIsMailedByItsShortForm) {
    FakeMapi::Install(host, FakeMapi::Mode::Ok);
    const std::wstring report = L"C:\\Reports\\\u62a5\u544a.pts";
    host.shortPaths[report] = L"C:\\Reports\\BAOGAO~1.PTS";
    EXPECT_TRUE(dlg->SendMail(L"a@example.com", L"Edge Report", L"body", report));
    ASSERT_EQ(FakeMapi::sent.size(), 1u);
    EXPECT_EQ(FakeMapi::sent[0].attachment, "C:\\Reports\\BAOGAO~1.PTS");
    EXPECT_EQ(FakeMapi::sent[0].recipients.size(), 1u);
}

namespace {
std::size_t LongestLine(const std::wstring& text) {
    std::size_t longest = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(L'\n', start), text.size());
        longest = std::max(longest, end - start);
        start = end + 1;
    }
    return longest;
}
}  // namespace

TEST_F(ReportStep, ANameDocumentsCannotTakeEitherGoesThereUnderTheProposedName) {
    FakeMapi::Install(host, FakeMapi::Mode::Ok);
    // Longer than any file name the file system takes, in a folder that does not exist.
    const std::wstring chosen =
        (dir_ / "no-such-folder").wstring() + L"/" + std::wstring(300, L'n') + L".pts";
    host.onModal(IDD_SAVE_DATA, [&](headless::ModalSession& s) {
        s.type(IDC_FILE_NAME, chosen);
        s.toggle(IDC_INTERNAL_TRACE);
        s.click(fw::kIdOk);
    });
    TraceFourEdges();
    ASSERT_EQ(dlg->m_reportPath, chosen);
    host.pressKey(fw::kVkEscape);

    // The name the dialog proposed when it opened (the host's clock: 5 March 2007, 9:07:05).
    const fs::path saved = dir_ / "docs" / "LMEdgeReport_05-03-2007_9.07.05.pts";
    EXPECT_TRUE(fs::exists(saved));
    const auto messages = Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"The report could not be written to\n" + PathLines(chosen) +
                               L"\nIt was saved here instead:\n" + PathLines(saved.wstring()));
    // However long the paths, no line is wider than a message box may grow on a small screen.
    EXPECT_LE(LongestLine(messages[0]), kMessageLineChars);
    ASSERT_EQ(FakeMapi::sent.size(), 1u);
    EXPECT_EQ(FakeMapi::sent[0].attachment, saved.string());
}

TEST_F(ReportStep, AFallbackNeverReplacesAReportAlreadyInDocuments) {
    std::ofstream(dir_ / "docs" / "board.pts") << "last week's board";
    std::ofstream(dir_ / "docs" / "board (2).pts") << "the week before";
    Finish(dir_ / "no-such-folder" / "board.pts", false);
    EXPECT_EQ(FileBytes(dir_ / "docs" / "board.pts"), "last week's board");
    EXPECT_TRUE(fs::exists(dir_ / "docs" / "board (3).pts"));
}

TEST_F(ReportStep, ALongPathInTheSendFailureIsBrokenAtItsSeparators) {
    const std::wstring path =
        L"C:\\Users\\technician-with-a-long-name\\Documents\\Customers\\"
        L"Northwind School\\Room 12\\LMEdgeReport_05-03-2007_9.07.05.pts";
    const std::wstring message = FormatSendFailureMessage(path);
    EXPECT_LE(LongestLine(message), kMessageLineChars);
    std::wstring joined = message;
    std::erase(joined, L'\n');
    EXPECT_EQ(joined, L"The Report could not be sent.  The file can be found here " + path + L".");
}

TEST_F(ReportStep, LineBreaksInTheSerialNumberCannotForgeLinesOfTheReportOrTheMail) {
    FakeMapi::Install(host, FakeMapi::Mode::Ok);
    const fs::path report = dir_ / "r.pts";
    Finish(report, true, L"SN\r\n# left\r\n3\n1,2\t\u0085\u007Fx");
    const std::string bytes = FileBytes(report);
    std::vector<std::string> labels;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "last line without CR LF";
        const std::string line = bytes.substr(start, end - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "a bare line end: " << line;
        if (!line.empty() && line[0] == '#') {
            labels.push_back(line);
        }
        start = end + 2;
    }
    ASSERT_GE(labels.size(), 2u);
    EXPECT_EQ(labels[1], "# serial number: SN  # left  3 1,2   x");
    const std::vector<std::string> sections(labels.begin() + 3 + 4 * 8, labels.end());
    EXPECT_EQ(sections,
              (std::vector<std::string>{"# left", "# bottom", "# right", "# top", "# left 2",
                                        "# bottom 2", "# right 2", "# top 2", "# left extra",
                                        "# bottom extra", "# right extra", "# top extra"}));
    ASSERT_EQ(FakeMapi::sent.size(), 1u);
    EXPECT_NE(FakeMapi::sent[0].body.find(
                  "you tested: SN  # left  3 1,2   x\n \t\t\t\t\t\t\t\n2. The name"),
              std::string::npos);
}
