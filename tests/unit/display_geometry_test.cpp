// Which monitor the trace window covers, the monitor list behind the next-monitor keys, and the
// guide lines of the internal trace, on the headless host's fake desktop.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "board/internal_lines.h"
#include "framework/constants.h"
#include "support/trace_fixture.h"

using headless::FakeMonitor;
using headless::LogEntry;

TEST(InternalLines, AreInsetByASeventyFifthOfTheWidthOnEverySide) {
    EXPECT_EQ(InternalLines(1024, 768), (std::array<LineSegment, 4>{{{{13, 13}, {13, 755}},
                                                                     {{13, 755}, {1011, 755}},
                                                                     {{1011, 755}, {1011, 13}},
                                                                     {{1011, 13}, {13, 13}}}}));
    // The vertical inset uses the width too.
    EXPECT_EQ(InternalLines(1920, 1080)[0], (LineSegment{{25, 25}, {25, 1055}}));
    // Narrower than 75 pixels: the lines run along the window's edges.
    EXPECT_EQ(InternalLines(74, 50)[2], (LineSegment{{74, 50}, {74, 0}}));
}

class DisplayGeometry : public TraceTest {
  protected:
    fw::Rect LastWindowPos() const {
        for (auto it = host.log.rbegin(); it != host.log.rend(); ++it) {
            if (it->kind == LogEntry::Kind::WindowPos) {
                return it->rect;
            }
        }
        return {};
    }
    void BoardOn(fw::Rect r) { tavlo_sim::SetDisplay(1, {r.left, r.top, r.right, r.bottom}); }
};

struct Desktop {
    std::vector<FakeMonitor> monitors;
    fw::Rect board;
    std::vector<fw::Rect> list;  // the monitor list, the board's monitor first
};

class MonitorList : public DisplayGeometry, public ::testing::WithParamInterface<Desktop> {};

TEST_P(MonitorList, StartsWithTheBoardsMonitorWhichTheWindowCovers) {
    host.monitors = GetParam().monitors;
    BoardOn(GetParam().board);
    Open();
    EXPECT_EQ(dlg->m_monitorRects, GetParam().list);
    const fw::Rect covered = GetParam().list.empty() ? fw::Rect{} : GetParam().list[0];
    EXPECT_EQ(LastWindowPos(), covered);  // no monitor: the window keeps its template place
    EXPECT_TRUE(GetParam().list.empty() || host.log.back().whole);  // repainted where it went
    EXPECT_EQ(dlg->m_internalLines, InternalLines(covered.width(), covered.height()));
}

INSTANTIATE_TEST_SUITE_P(
    Desktops, MonitorList,
    ::testing::Values(
        Desktop{{{{0, 0, 1024, 768}}}, {0, 0, 1024, 768}, {{0, 0, 1024, 768}}},
        // left of the primary monitor: its negative origin is kept
        Desktop{{{{0, 0, 1920, 1080}}, {{-1280, 0, 0, 1024}}},
                {-1200, 100, -100, 900},
                {{-1280, 0, 0, 1024}, {0, 0, 1920, 1080}}},
        Desktop{{{{0, 0, 1024, 768}}, {{0, 0, 1024, 768}}}, {0, 0, 1024, 768}, {{0, 0, 1024, 768}}},
        // the board's monitor cannot be read: the first readable one
        Desktop{{{{0, 0, 1024, 768}, true}, {{1024, 0, 2048, 768}, false}},
                {1100, 0, 2000, 700},
                {{0, 0, 1024, 768}}},
        // a board off every monitor gets the nearest, an empty rectangle too
        Desktop{{{{0, 0, 1024, 768}}, {{1024, 0, 2048, 768}}},
                {3000, 100, 3500, 500},
                {{1024, 0, 2048, 768}, {0, 0, 1024, 768}}},
        Desktop{{{{0, 0, 1024, 768}}, {{1024, 0, 2048, 768}}},
                {0, 0, 0, 0},
                {{0, 0, 1024, 768}, {1024, 0, 2048, 768}}},
        Desktop{{}, {0, 0, 1024, 768}, {}}));

TEST_F(DisplayGeometry, TheNextMonitorKeysCycleThroughEveryMonitorAndWithOneDoNothing) {
    host.monitors = {{{0, 0, 1024, 768}}, {{1024, 0, 2944, 1080}}, {{2944, 0, 4224, 1024}}};
    BoardOn({1100, 0, 2900, 1000});
    Open();
    host.pressKey(fw::kVkSpace);
    EXPECT_EQ(dlg->m_currentMonitor, 1);
    EXPECT_EQ(LastWindowPos(), (fw::Rect{0, 0, 1024, 768}));
    EXPECT_EQ(dlg->m_internalLines, InternalLines(1024, 768));
    host.pressKey(fw::kVkNext);
    EXPECT_EQ(LastWindowPos(), (fw::Rect{2944, 0, 4224, 1024}));
    host.pressKey(fw::kVkSpace);
    EXPECT_EQ(dlg->m_currentMonitor, 0);
    EXPECT_EQ(LastWindowPos(), (fw::Rect{1024, 0, 2944, 1080}));

    host.monitors = {{{0, 0, 1024, 768}}};
    Open();
    const std::size_t logged = host.log.size();
    host.pressKey(fw::kVkSpace);
    EXPECT_EQ(host.log.size(), logged);
}

TEST_F(DisplayGeometry, OnAnEightKMonitorEachBarIsRepaintedToBothEndsOfItsEdge) {
    host.monitors = {{{0, 0, 7680, 4320}}};
    Open();
    // Each edge's stroke, and the pixels at the two ends of its bar.
    const std::array<std::pair<std::function<void()>, std::array<fw::Point, 2>>, 4> edges{{
        {[&] { StrokeY(20, 10, 4080); }, {{{9, 0}, {9, 4319}}}},
        {[&] { StrokeX(4076, 10, 4080); }, {{{0, 4310}, {7679, 4310}}}},
        {[&] { StrokeY(4076, 4080, 10); }, {{{7670, 4319}, {7670, 0}}}},
        {[&] { StrokeX(20, 4080, 10); }, {{{7679, 9}, {0, 9}}}},
    }};
    for (const auto& [stroke, ends] : edges) {
        const std::size_t before = host.log.size();
        stroke();
        for (const fw::Point p : ends) {
            EXPECT_TRUE(std::any_of(
                host.log.begin() + static_cast<std::ptrdiff_t>(before), host.log.end(),
                [p](const LogEntry& e) {
                    return e.kind == LogEntry::Kind::Invalidate && !e.whole && e.rect.left <= p.x &&
                           p.x < e.rect.right && e.rect.top <= p.y && p.y < e.rect.bottom;
                }))
                << "(" << p.x << ", " << p.y << ") not repainted";
        }
    }
}
