// Whole interactive tests on the headless host, from pen events to the report's bytes.
#include <gtest/gtest.h>

#include <filesystem>

#include "framework/constants.h"
#include "res/resource.h"
#include "support/temp_folder.h"
#include "support/trace_fixture.h"

using headless::ModalSession;
namespace fs = std::filesystem;

namespace {
// Points go down the left edge in steps the acceptance allows, with the x jitter of a hand.
const std::vector<BoardPoint> kLeftAfterWarning = {{24, 1100}, {22, 1400}, {21, 1700}, {23, 2000},
                                                   {20, 2300}, {22, 2600}, {24, 2900}, {23, 3200},
                                                   {21, 3500}, {22, 3800}};
}  // namespace

class WholeTest : public TraceTest {
  protected:
    void SetUp() override {
        host.clock.advance(60000);
        Open();
    }

    void Path(std::initializer_list<BoardPoint> points) {
        auto it = points.begin();
        Down(it->x, it->y);
        for (++it; it + 1 != points.end(); ++it) {
            Move(it->x, it->y);
        }
        Up(it->x, it->y);
    }

    // The first pass: a too-fast jump on the left edge, a time-out on the bottom edge.
    void FirstPass() {
        host.onModal(IDD_ERROR, [](ModalSession& s) { s.click(fw::kIdOk); });
        Down(20, 50);
        Move(22, 300);
        Move(21, 600);
        Move(25, 1200);  // too fast
        Move(23, 850);
        Move(20, 800);  // backwards
        for (const BoardPoint& p : kLeftAfterWarning) {
            Move(p.x, p.y);
        }
        Up(22, 3950);
        ASSERT_EQ(dlg->m_stage, stage::kFirstBottom);

        Path({{100, 4070},
              {400, 4072},
              {700, 4075},
              {1000, 4071},
              {1300, 4069},
              {1600, 4073},
              {1900, 4074},
              {2000, 4075}});
        host.advance(10000);  // the user stopped half-way
        ASSERT_EQ(dlg->m_stage, stage::kFirstRight);

        const int rightX[4] = {4075, 4130, 4040, 4100};
        Down(rightX[0], 4000);
        for (int i = 1; i < 15; ++i) {
            Move(rightX[i % 4], 4000 - 250 * i);
        }
        Up(rightX[15 % 4], 250);
        ASSERT_EQ(dlg->m_stage, stage::kFirstTop);

        const int topY[4] = {30, 28, 133, 31};
        Down(3990, topY[0]);
        for (int i = 1; i < 13; ++i) {
            Move(3990 - 300 * i, topY[i % 4]);
        }
        Up(90, topY[13 % 4]);  // ends the first pass: the end-of-test dialog runs inside
    }

    void InternalLines() {
        Path({{60, 3000}, {61, 3300}, {59, 3600}, {60, 3900}});
        Path({{3000, 4040}, {3300, 4041}, {3600, 4043}, {3900, 4042}});
        Path({{4040, 1000}, {4041, 700}, {4043, 400}, {4042, 100}});
        Path({{1000, 52}, {700, 55}, {400, 54}, {100, 53}});
    }

    TempFolder folder_;
    const fs::path& dir_ = folder_.path();
};

TEST_F(WholeTest, InternalTraceEndsInTheExactReport) {
    const fs::path report = dir_ / "board.pts";
    std::wstring firstResult;
    host.onModal(IDD_SAVE_DATA, [&](ModalSession& s) {
        firstResult = dlg->m_prompt;
        // The board keeps talking while the dialog is open: an extra stroke.
        tavlo_sim::QueueBoardPen(tavlo_sim::PenAction::Down, 1, 500, 500);
        tavlo_sim::QueueBoardPen(tavlo_sim::PenAction::Move, 1, 600, 650);
        tavlo_sim::QueueBoardPen(tavlo_sim::PenAction::Up, 1, 700, 700);
        s.pump();
        s.type(IDC_FILE_NAME, report.wstring());
        s.type(IDC_SERIAL_NUMBER, L"SN-4711 \u00dc");
        s.toggle(IDC_SEND_REPORT);  // no mail in this test
        EXPECT_EQ(s.check(IDC_INTERNAL_TRACE), fw::kBstChecked);
        s.click(fw::kIdOk);
    });
    FirstPass();
    EXPECT_EQ(firstResult, L"Test complete (0, 0, 1, 2).  Press ESC to exit.");
    ASSERT_EQ(dlg->m_stage, stage::kInternalLeft);

    InternalLines();
    EXPECT_EQ(dlg->m_stage, stage::kFinished);
    EXPECT_EQ(dlg->m_prompt, L"Test complete (0, 0, 1, 2).  Press ESC to exit.");
    Path({{2000, 2000}, {1900, 2100}, {1900, 2100}});
    EXPECT_FALSE(fs::exists(report));  // written only when the window goes

    host.pressKey(fw::kVkEscape);
    EXPECT_FALSE(host.isOpen(*dlg));
    EXPECT_EQ(FileBytes(report),
              FileBytes(fs::path(RIMTRACE_SOURCE_DIR) / "tests/unit/data/whole_test.pts"));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(WholeTest, SecondPassEndsWithTheComparisonLine) {
    host.onModal(IDD_SAVE_DATA, [&](ModalSession& s) {
        s.toggle(IDC_INTERNAL_TRACE);
        s.toggle(IDC_SECOND_TRACE);
        s.click(fw::kIdOk);
    });
    FirstPass();
    ASSERT_EQ(dlg->m_stage, stage::kSecondLeft);

    // Left: x = 25 all along, 1 to 5 units right of the first pass; bottom: y = 4072 all
    // along; right and top: short strokes beyond the first pass's points, ended by time-out.
    Down(25, 0);
    Move(25, 300);
    for (int y = 600; y <= 3900; y += 300) {
        Move(25, y);
    }
    Up(25, 4000);
    Path({{0, 4072},
          {300, 4072},
          {600, 4072},
          {900, 4072},
          {1200, 4072},
          {1500, 4072},
          {1800, 4072},
          {2100, 4072},
          {2400, 4072},
          {2700, 4072},
          {3000, 4072},
          {3300, 4072},
          {3600, 4072},
          {3900, 4072}});
    Path({{4075, 4000}, {4075, 3990}});  // only beyond the first pass's range
    ASSERT_EQ(dlg->m_stage, stage::kSecondRight);
    host.advance(10000);
    ASSERT_EQ(dlg->m_stage, stage::kSecondTop);
    Path({{4000, 30}, {3900, 30}});  // also beyond the first pass's range; ends by time-out
    host.advance(10000);
    EXPECT_EQ(dlg->m_stage, stage::kFinished);
    EXPECT_EQ(dlg->m_prompt,
              L"Second pass complete ((5,2.9), (3,1.9), (0,0.0), (0,0.0)).  Press ESC to exit.");
}
