// Which monitor the trace window covers, the monitor list behind the next-monitor keys, and the
// guide lines of the internal trace, on the headless host's fake desktop.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>

#include "board/internal_lines.h"
#include "framework/constants.h"
#include "support/trace_fixture.h"

using headless::LogEntry;

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

TEST(InternalLines, AreInsetByASeventyFifthOfTheWidthOnEverySide) {
    EXPECT_EQ(InternalLines(1024, 768), (std::array<LineSegment, 4>{{{{13, 13}, {13, 755}},
                                                                     {{13, 755}, {1011, 755}},
                                                                     {{1011, 755}, {1011, 13}},
                                                                     {{1011, 13}, {13, 13}}}}));
    // The vertical inset uses the width too.
    const auto lines = InternalLines(1920, 1080);
    EXPECT_EQ(lines[0], (LineSegment{{25, 25}, {25, 1055}}));
    EXPECT_EQ(lines[1].start.y, 1055);
    EXPECT_EQ(lines[2].start.x, 1895);
    EXPECT_EQ(lines[3].start.y, 25);
    // Narrower than 75 pixels: the lines run along the window's edges.
    EXPECT_EQ(InternalLines(74, 50)[2], (LineSegment{{74, 50}, {74, 0}}));
}

TEST_F(DisplayGeometry, TheWindowCoversTheBoardsMonitor) {
    Open();
    EXPECT_EQ(LastWindowPos(), (fw::Rect{0, 0, 1024, 768}));
    EXPECT_EQ(dlg->m_internalLines[0], (LineSegment{{13, 13}, {13, 755}}));
    EXPECT_TRUE(host.log.back().whole);
}

TEST_F(DisplayGeometry, AMonitorLeftOfThePrimaryKeepsItsNegativeOrigin) {
    host.monitors = {{{0, 0, 1920, 1080}}, {{-1280, 0, 0, 1024}}};
    BoardOn({-1200, 100, -100, 900});
    Open();
    ASSERT_EQ(dlg->m_monitorRects.size(), 2u);
    EXPECT_EQ(dlg->m_monitorRects[0], (fw::Rect{-1280, 0, 0, 1024}));
    EXPECT_EQ(LastWindowPos(), (fw::Rect{-1280, 0, 0, 1024}));
    EXPECT_EQ(dlg->m_internalLines, InternalLines(1280, 1024));
}

TEST_F(DisplayGeometry, TheNextMonitorKeysCycleThroughEveryMonitor) {
    host.monitors = {{{0, 0, 1024, 768}}, {{1024, 0, 2944, 1080}}, {{2944, 0, 4224, 1024}}};
    BoardOn({1100, 0, 2900, 1000});
    Open();
    EXPECT_EQ(LastWindowPos(), (fw::Rect{1024, 0, 2944, 1080}));  // the board's monitor first
    host.pressKey(fw::kVkSpace);
    EXPECT_EQ(dlg->m_currentMonitor, 1);
    EXPECT_EQ(LastWindowPos(), (fw::Rect{0, 0, 1024, 768}));
    EXPECT_EQ(dlg->m_internalLines, InternalLines(1024, 768));
    host.pressKey(fw::kVkNext);
    EXPECT_EQ(LastWindowPos(), (fw::Rect{2944, 0, 4224, 1024}));
    host.pressKey(fw::kVkSpace);
    EXPECT_EQ(dlg->m_currentMonitor, 0);
    EXPECT_EQ(LastWindowPos(), (fw::Rect{1024, 0, 2944, 1080}));
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

TEST_F(DisplayGeometry, WithOneMonitorTheKeysDoNothing) {
    Open();
    const std::size_t logged = host.log.size();
    host.pressKey(fw::kVkSpace);
    EXPECT_EQ(host.log.size(), logged);
}

TEST_F(DisplayGeometry, MirroredMonitorsAreListedOnce) {
    host.monitors = {{{0, 0, 1024, 768}}, {{0, 0, 1024, 768}}};
    Open();
    EXPECT_EQ(dlg->m_monitorRects.size(), 1u);
}

TEST_F(DisplayGeometry, AnUnreadableBoardMonitorFallsBackToTheFirstReadableOne) {
    host.monitors = {{{0, 0, 1024, 768}, true}, {{1024, 0, 2048, 768}, false}};
    BoardOn({1100, 0, 2000, 700});
    Open();
    ASSERT_EQ(dlg->m_monitorRects.size(), 1u);
    EXPECT_EQ(dlg->m_monitorRects[0], (fw::Rect{0, 0, 1024, 768}));
}

TEST_F(DisplayGeometry, ABoardOffEveryMonitorGetsTheNearestOne) {
    host.monitors = {{{0, 0, 1024, 768}}, {{1024, 0, 2048, 768}}};
    BoardOn({3000, 100, 3500, 500});
    Open();
    EXPECT_EQ(dlg->m_monitorRects[0], (fw::Rect{1024, 0, 2048, 768}));
    BoardOn({0, 0, 0, 0});  // an empty rectangle is still placed
    Open();
    EXPECT_EQ(dlg->m_monitorRects[0], (fw::Rect{0, 0, 1024, 768}));
}

TEST_F(DisplayGeometry, WithoutAnyMonitorTheWindowKeepsItsTemplatePlace) {
    host.monitors.clear();
    Open();
    EXPECT_TRUE(dlg->m_monitorRects.empty());
    EXPECT_EQ(LastWindowPos(), fw::Rect{});
    host.pressKey(fw::kVkSpace);  // nothing to cycle through
    EXPECT_EQ(dlg->m_currentMonitor, 0);
}
