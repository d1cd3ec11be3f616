// The end-of-test dialog as its user sees it: proposed name, Browse, the options, OK and Cancel.
#include <gtest/gtest.h>

#include "framework/constants.h"
#include "report/save_data_dlg.h"
#include "res/resource.h"
#include "support/trace_fixture.h"

using headless::ModalSession;

class SaveDialog : public TraceTest {
  protected:
    // Runs the dialog on its own with `user` as its user; the file name it holds afterwards.
    std::wstring Run(std::function<void(ModalSession&)> user) {
        host.onModal(IDD_SAVE_DATA, std::move(user));
        CSaveDataDlg dialog;
        dialog.DoModal();
        return dialog.m_fileName;
    }
};

TEST_F(SaveDialog, ProposesANameBesideTheProgramWithTheTimeItOpened) {
    host.exePath = L"D:\\Tools\\rimtrace.exe";
    host.now = {2008, 1, 1, 0, 5, 9};
    std::wstring proposed;
    Run([&](ModalSession& s) {
        proposed = s.text(IDC_FILE_NAME);
        EXPECT_EQ(s.check(IDC_SEND_REPORT), fw::kBstChecked);
        EXPECT_EQ(s.check(IDC_INTERNAL_TRACE), fw::kBstChecked);
        EXPECT_EQ(s.check(IDC_SECOND_TRACE), fw::kBstUnchecked);
        EXPECT_TRUE(s.text(IDC_SERIAL_NUMBER).empty());
        s.click(fw::kIdCancel);
    });
    EXPECT_EQ(proposed, L"D:\\Tools\\LMEdgeReport_01-01-2008_0.05.09.pts");
}

TEST_F(SaveDialog, BrowseReplacesTheNameOnlyWhenTheUserConfirms) {
    std::vector<std::pair<std::wstring, unsigned>> asked;
    std::optional<std::wstring> answer;
    host.saveAsUser = [&](std::wstring_view initial, unsigned flags) {
        asked.emplace_back(initial, flags);
        return answer;
    };
    const std::wstring fileName = Run([&](ModalSession& s) {
        s.type(IDC_FILE_NAME, L"typed.pts");
        s.click(IDC_BROWSE);  // cancelled
        EXPECT_EQ(s.text(IDC_FILE_NAME), L"typed.pts");
        answer = L"E:\\Reports\\chosen";
        s.click(IDC_BROWSE);
        EXPECT_EQ(s.text(IDC_FILE_NAME), L"E:\\Reports\\chosen");
        s.click(fw::kIdOk);
    });
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].first, L"typed.pts");
    EXPECT_EQ(asked[0].second, 6u);               // hide read-only, ask before overwriting
    EXPECT_EQ(fileName, L"E:\\Reports\\chosen");  // no extension is added
}

// Where the end-of-test dialog's answer leads once the first pass is over.
struct Choice {
    const char* name;
    bool toggleInternal;
    bool toggleSecond;
    bool toggleSend;  // twice when the send box is not toggled: a box keeps only its own state
    bool ok;
    TraceStage next;
    unsigned prompt;  // 0: the result line stays
};

class EndOfTestChoices : public TraceTest, public ::testing::WithParamInterface<Choice> {};

TEST_P(EndOfTestChoices, LeadOnOrKeepTheResultOnScreen) {
    const Choice& c = GetParam();
    Open();
    host.onModal(IDD_SAVE_DATA, [&](ModalSession& s) {
        if (c.toggleInternal) {
            s.toggle(IDC_INTERNAL_TRACE);
        }
        if (c.toggleSecond) {
            s.toggle(IDC_SECOND_TRACE);
        }
        s.toggle(IDC_SEND_REPORT);
        if (!c.toggleSend) {
            s.toggle(IDC_SEND_REPORT);
        }
        s.type(IDC_SERIAL_NUMBER, L"SN-1");
        s.click(c.ok ? fw::kIdOk : fw::kIdCancel);
    });
    TraceFourEdges();
    EXPECT_EQ(dlg->m_stage, c.next);
    if (c.prompt != 0) {
        EXPECT_EQ(dlg->m_prompt, host.loadString(c.prompt));
        EXPECT_TRUE(host.log.back().whole);
    } else {
        EXPECT_EQ(dlg->m_prompt.rfind(L"Test complete (", 0), 0u);
    }
    EXPECT_EQ(dlg->m_reportPath, c.ok ? L"C:\\Tools\\LMEdgeReport_05-03-2007_9.07.05.pts" : L"");
    EXPECT_EQ(dlg->m_serialNumber, c.ok ? L"SN-1" : L"");
    EXPECT_EQ(dlg->m_sendReport, c.ok && !c.toggleSend);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, EndOfTestChoices,
    ::testing::Values(
        Choice{"OkStartsTheInternalTrace", false, false, false, true, stage::kInternalLeft,
               IDS_LINE_DOWN},
        Choice{"TheInternalTraceWinsOverTheSecondPass", false, true, false, true,
               stage::kInternalLeft, IDS_LINE_DOWN},
        Choice{"TheSecondPassAlone", true, true, false, true, stage::kSecondLeft, IDS_TRACE_LEFT},
        Choice{"NoFurtherTracingAndNoMail", true, false, true, true, stage::kFinished, 0},
        Choice{"CancelStoresNothing", false, true, false, false, stage::kFinished, 0}),
    [](const ::testing::TestParamInfo<Choice>& info) { return info.param.name; });
