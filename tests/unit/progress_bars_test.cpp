// The progress bars and the internal trace's target line pinned at 1024 x 768. The bars of every
// stage, however long or wild the traces, are held against the plain painting in
// partial_repaint_test.cpp; these pins hold that yardstick to numbers written out by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/bar_plan.h"
#include "framework/headless/recording_dc.h"
#include "support/paint_fixture.h"

using headless::LineOp;
using headless::RecordingDC;

TEST_F(MainPaint, AfterTheFirstPassItsFourBarsFrameTheWindowEachToItsFarEnd) {
    Open();
    FillAllFour(0);
    FillAllFour(4);  // second-trace points are not shown in stage 4
    dlg->m_stage = stage::kFinished;
    const auto lines = Lines(Paint(), kBarColor);
    EXPECT_EQ(PolylineFrom(lines, {38, 0}),
              (std::vector<fw::Point>{{38, 0}, {38, 100}, {38, 3000}, {38, 4096}}));
    EXPECT_EQ(PolylineFrom(lines, {0, 4058}),
              (std::vector<fw::Point>{{0, 4058}, {100, 4058}, {3000, 4058}, {4096, 4058}}));
    EXPECT_EQ(PolylineFrom(lines, {4058, 4096}),
              (std::vector<fw::Point>{{4058, 4096}, {4058, 4000}, {4058, 1000}, {4058, 0}}));
    EXPECT_EQ(PolylineFrom(lines, {4096, 38}),
              (std::vector<fw::Point>{{4096, 38}, {4000, 38}, {1000, 38}, {0, 38}}));
    EXPECT_EQ(lines.size(), 12u);
}

TEST(BarPlan, EachPassFinishesExactlyTheEdgesItHasMovedPast) {
    const auto finished = [](TraceStage s) {
        std::string flags;
        for (const BarPlan& bar : PlanBars(s, 38)) {
            flags += bar.finish ? 'F' : '-';
        }
        return flags;
    };
    EXPECT_EQ(finished(0), "----");
    EXPECT_EQ(finished(2), "FF--");
    EXPECT_EQ(finished(4), "FFFF");
    EXPECT_EQ(finished(5), "----");
    EXPECT_EQ(finished(7), "FF--");
    EXPECT_EQ(finished(8), "FFF-");
    EXPECT_EQ(finished(9), "----");
    EXPECT_EQ(finished(12), "----");
    EXPECT_TRUE(PlanBars(-1, 38).empty());
    EXPECT_TRUE(PlanBars(13, 38).empty());
}

TEST_F(MainPaint, InternalTraceBarsRunThroughTheirPointsAt54And4042) {
    Open();
    Fill(8, {{60, 100}, {70, 500}, {65, 900}});
    Fill(9, {{100, 4030}, {600, 4050}});
    Fill(10, {{4030, 4000}, {4050, 3000}});
    Fill(11, {{4000, 60}, {3000, 50}});
    FillAllFour(0);  // first-trace bars are not shown in the internal trace
    dlg->m_stage = stage::kInternalBottom;
    EXPECT_EQ(Lines(Paint(), kBarColor), (std::vector<LineOp>{{{54, 100}, {54, 500}},
                                                              {{54, 500}, {54, 900}},
                                                              {{100, 4042}, {600, 4042}},
                                                              {{4042, 4000}, {4042, 3000}},
                                                              {{4000, 54}, {3000, 54}}}));
}

TEST_F(MainPaint, OnlyTheInternalTraceShowsItsCurrentTargetLineInClientPixels) {
    Open();
    dlg->m_stage = stage::kInternalBottom;
    const RecordingDC dc = Paint();
    // 1024 / 75 = 13 pixels in from every side; segment 1 runs along the bottom.
    EXPECT_EQ(Lines(dc, kBlack), (std::vector<LineOp>{{{13, 755}, {1011, 755}}}));
    EXPECT_EQ(PenWidths(dc, kBlack), std::vector<std::int32_t>{3});
    for (const TraceStage s : {stage::kFinished, stage::kCount}) {
        dlg->m_stage = s;
        EXPECT_TRUE(Lines(Paint(), kBlack).empty()) << s;
    }
}
