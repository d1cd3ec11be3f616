// The end-of-test dialog as its user sees it: proposed name, Browse, the options, OK and Cancel.
#include <gtest/gtest.h>

#include "framework/constants.h"
#include "report/save_data_dlg.h"
#include "res/resource.h"
#include "support/trace_fixture.h"

using headless::ModalSession;

class SaveDialog : public TraceTest {
  protected:
    // What the dialog holds after it has run.
    struct Choices {
        std::wstring m_fileName;
        bool m_send;
        std::wstring m_serial;
        bool m_secondTrace;
        bool m_internalTrace;
    };
    // Runs the dialog on its own with `user` as its user.
    Choices Run(std::function<void(ModalSession&)> user) {
        host.onModal(IDD_SAVE_DATA, std::move(user));
        CSaveDataDlg dialog;
        result_ = dialog.DoModal();
        return {dialog.m_fileName, dialog.m_send, dialog.m_serial, dialog.m_secondTrace,
                dialog.m_internalTrace};
    }
    std::intptr_t result_ = 0;
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
    const Choices dialog = Run([&](ModalSession& s) {
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
    EXPECT_EQ(asked[0].second, 6u);                        // hide read-only, ask before overwriting
    EXPECT_EQ(dialog.m_fileName, L"E:\\Reports\\chosen");  // no extension is added
}

TEST_F(SaveDialog, OptionsFollowTheirBoxesIndependently) {
    const Choices dialog = Run([](ModalSession& s) {
        s.toggle(IDC_SEND_REPORT);
        s.toggle(IDC_SEND_REPORT);
        s.toggle(IDC_INTERNAL_TRACE);
        s.toggle(IDC_SECOND_TRACE);
        EXPECT_EQ(s.check(IDC_SEND_REPORT), fw::kBstChecked);  // no box touches another
        s.type(IDC_SERIAL_NUMBER, L"SN 12");
        s.click(fw::kIdOk);
    });
    EXPECT_EQ(result_, fw::kIdOk);
    EXPECT_TRUE(dialog.m_send);
    EXPECT_FALSE(dialog.m_internalTrace);
    EXPECT_TRUE(dialog.m_secondTrace);
    EXPECT_EQ(dialog.m_serial, L"SN 12");
}

TEST_F(SaveDialog, CancelCopiesNothing) {
    const Choices dialog = Run([](ModalSession& s) {
        s.type(IDC_SERIAL_NUMBER, L"SN 12");
        s.click(fw::kIdCancel);
    });
    EXPECT_EQ(result_, fw::kIdCancel);
    EXPECT_TRUE(dialog.m_fileName.empty());
    EXPECT_TRUE(dialog.m_serial.empty());
}

class EndOfTestChoices : public TraceTest {
  protected:
    void SetUp() override { Open(); }
    void EndFirstPass(std::function<void(ModalSession&)> user) {
        host.onModal(IDD_SAVE_DATA, std::move(user));
        TraceFourEdges();
    }
};

TEST_F(EndOfTestChoices, EnterAtOnceAcceptsEverythingProposedAndStartsTheInternalTrace) {
    EndFirstPass([](ModalSession& s) { s.click(fw::kIdOk); });
    EXPECT_EQ(dlg->m_stage, stage::kInternalLeft);
    EXPECT_EQ(dlg->m_prompt, host.loadString(IDS_LINE_DOWN));
    EXPECT_EQ(dlg->m_picture, nullptr);
    EXPECT_EQ(dlg->m_reportPath, L"C:\\Tools\\LMEdgeReport_05-03-2007_9.07.05.pts");
    EXPECT_TRUE(dlg->m_sendReport);
    EXPECT_TRUE(dlg->m_serialNumber.empty());
    EXPECT_TRUE(host.log.back().whole);
}

TEST_F(EndOfTestChoices, TheInternalTraceWinsOverTheSecondPass) {
    EndFirstPass([](ModalSession& s) {
        s.toggle(IDC_SECOND_TRACE);
        s.click(fw::kIdOk);
    });
    EXPECT_EQ(dlg->m_stage, stage::kInternalLeft);
}

TEST_F(EndOfTestChoices, NoFollowUpKeepsTheResultOnScreen) {
    EndFirstPass([](ModalSession& s) {
        s.toggle(IDC_INTERNAL_TRACE);
        s.click(fw::kIdOk);
    });
    EXPECT_EQ(dlg->m_stage, stage::kFinished);
    EXPECT_EQ(dlg->m_prompt.rfind(L"Test complete (", 0), 0u);
}

TEST_F(EndOfTestChoices, ATimeOutPendingWhileTheDialogIsOpenChangesNothing) {
    EndFirstPass([&](ModalSession& s) {
        s.advance(30000);
        tavlo_sim::QueueBoardPen(tavlo_sim::PenAction::Down, 1, 10, 10);
        tavlo_sim::QueueBoardPen(tavlo_sim::PenAction::Up, 1, 20, 20);
        s.pump();
        s.click(fw::kIdCancel);
    });
    EXPECT_EQ(dlg->m_stage, stage::kFinished);
    EXPECT_EQ(dlg->m_extraStrokes.size(), 1u);  // pens during the dialog are free strokes
}
