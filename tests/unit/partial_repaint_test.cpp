// Repainting part of the window: the bars and the overlay, batched into polylines and clipped,
// show in every clip box what the plain painting of every line shows, at a cost that follows the
// clip box rather than the traces.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "framework/headless/recording_dc.h"
#include "res/resource.h"
#include "support/paint_fixture.h"
#include "support/plain_board_layers.h"

using headless::LineOp;
using headless::Mapping;
using headless::PolylineOp;
using headless::Primitive;
using headless::RecordingDC;
using headless::SegmentsOf;

namespace {

// Long traces along every edge and line, and two long extra strokes: 1200 points each, so their
// boxes stand three levels high.
void FillLongTraces(CRimtraceDlg& dlg) {
    for (std::int32_t i = 0; i < 1200; ++i) {
        const std::int32_t wobble = (i * 7) % 13;
        for (std::size_t pass = 0; pass < 2; ++pass) {
            const std::int32_t in = 20 + static_cast<std::int32_t>(pass) * 15 + wobble;
            dlg.m_tracePoints[pass * 4 + 0].append({in, 48 + 3 * i});
            dlg.m_tracePoints[pass * 4 + 1].append({48 + 3 * i, 4096 - in});
            dlg.m_tracePoints[pass * 4 + 2].append({4096 - in, 4048 - 3 * i});
            dlg.m_tracePoints[pass * 4 + 3].append({4048 - 3 * i, in});
        }
        dlg.m_tracePoints[8].append({54 + wobble, 48 + 3 * i});
        dlg.m_tracePoints[9].append({48 + 3 * i, 4042 - wobble});
        dlg.m_tracePoints[10].append({4042 - wobble, 4048 - 3 * i});
        dlg.m_tracePoints[11].append({4048 - 3 * i, 54 + wobble});
    }
    StrokeList& strokes = dlg.m_extraStrokes;
    strokes.startStroke();
    for (std::int32_t i = 0; i < 1200; ++i) {
        strokes.lastStroke().append({3 * i, 3 * i});
    }
    strokes.startStroke();
    for (std::int32_t i = 0; i < 1200; ++i) {
        strokes.lastStroke().append({2048 + (i % 2 == 0 ? -300 : 300), 3 * i});
    }
}

// Traces no pen would leave but the painting must still show as defined: edges that run back
// and forth, points beside and far outside the board, long jumps across the window, and one-point
// arrays and strokes.
void FillWildTraces(CRimtraceDlg& dlg, std::uint32_t seed) {
    std::mt19937 random(seed);
    const auto uniform = [&](std::int32_t lo, std::int32_t hi) {
        return std::uniform_int_distribution<std::int32_t>(lo, hi)(random);
    };
    for (std::size_t i = 0; i < 12; ++i) {
        if (i == 3 || i == 9) {
            dlg.m_tracePoints[i].append({uniform(0, 4096), uniform(0, 4096)});
            continue;
        }
        BoardPoint p{uniform(-200, 4300), uniform(-200, 4300)};
        for (int n = uniform(1, 1500); n > 0; --n) {
            p.x = std::clamp(p.x + uniform(-120, 120), -300, 4400);
            p.y = std::clamp(p.y + uniform(-120, 120), -300, 4400);
            dlg.m_tracePoints[i].append(
                uniform(0, 200) == 0 ? BoardPoint{uniform(-5000, 9000), uniform(-5000, 9000)} : p);
        }
    }
    for (int s = 0; s < 5; ++s) {
        dlg.m_extraStrokes.startStroke();
        for (int n = s == 4 ? 1 : uniform(2, 1500); n > 0; --n) {
            const bool jump = uniform(0, 50) == 0;
            dlg.m_extraStrokes.lastStroke().append(
                jump ? BoardPoint{uniform(INT32_MIN, INT32_MAX), uniform(-100, 4200)}
                     : BoardPoint{uniform(0, 4096), uniform(0, 4096)});
        }
    }
}

// Clip boxes anywhere in a 1024 x 768 window, from one pixel to a third of it across.
std::vector<fw::Rect> RandomClips(std::uint32_t seed, int count) {
    std::mt19937 random(seed);
    const auto uniform = [&](std::int32_t lo, std::int32_t hi) {
        return std::uniform_int_distribution<std::int32_t>(lo, hi)(random);
    };
    std::vector<fw::Rect> clips;
    for (int i = 0; i < count; ++i) {
        const std::int32_t left = uniform(-20, 1023);
        const std::int32_t top = uniform(-20, 767);
        clips.push_back({left, top, left + uniform(1, 340), top + uniform(1, 256)});
    }
    return clips;
}

// The strips of the four bars and the internal lines, and the whole window.
const std::vector<fw::Rect> kStrips{
    {0, 300, 19, 357}, {480, 749, 560, 768}, {1005, 200, 1024, 260}, {600, 0, 680, 19},
    {0, 0, 19, 19},    {0, 0, 1024, 768},    {-6, 100, 32, 200},     {300, 736, 400, 774}};

// A line drawn in board space with its pen (width, then colour), in a form that sorts.
using Line =
    std::tuple<std::int32_t, std::uint32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t>;

// Every line drawn in board space, polylines taken apart, sorted; with a clip box, only those
// that can paint inside it: the line's box grown by half the pen's width (in pixels of the
// larger scale) and one pixel for rounding. Lines of one pen paint the same pixels in any order,
// and the layers' order is the layer test's, so two paints with the same lines show the same
// picture there.
std::vector<Line> BoardLines(const RecordingDC& dc, std::optional<fw::Rect> clip = {}) {
    constexpr double kX = 1024.0 / 4096;
    constexpr double kY = 768.0 / 4096;
    std::vector<Line> lines;
    for (const Primitive& p : dc.primitives()) {
        if (!p.state.mapping) {
            continue;
        }
        EXPECT_EQ(p.state.mapping, (Mapping{{4096, 4096}, {1024, 768}}));
        const fw::PenSpec pen = p.state.pen.value_or(fw::PenSpec{});
        const double reach = pen.width * kX / 2 + 1;
        for (const LineOp& l : SegmentsOf(p)) {
            if (clip && !(std::min(l.from.x, l.to.x) * kX - reach < clip->right &&
                          std::max(l.from.x, l.to.x) * kX + reach > clip->left &&
                          std::min(l.from.y, l.to.y) * kY - reach < clip->bottom &&
                          std::max(l.from.y, l.to.y) * kY + reach > clip->top)) {
                continue;
            }
            const std::uint32_t rgb = pen.color.r << 16 | pen.color.g << 8 | pen.color.b;
            lines.emplace_back(pen.width, rgb, l.from.x, l.from.y, l.to.x, l.to.y);
        }
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

}  // namespace

// The bars and the overlay as painted, held against the plain painting that draws every line
// of the definition on its own: in every clip box the same lines can paint, and no line is drawn
// that the plain painting does not draw.
class SamePicture : public MainPaint {
  protected:
    void ExpectSamePicture(const std::vector<fw::Rect>& clips) {
        RecordingDC plainDc({0, 0, 1024, 768});
        PlainBoardLayers(plainDc, {1024, 768}, dlg->m_stage, dlg->m_tracePoints,
                         dlg->m_extraStrokes, dlg->m_showTraces);
        const std::vector<Line> plain = BoardLines(plainDc);
        for (const fw::Rect& clip : clips) {
            SCOPED_TRACE(::testing::Message() << "clip " << clip.left << "," << clip.top << "-"
                                              << clip.right << "," << clip.bottom);
            const RecordingDC dc = Paint(clip);
            const std::vector<Line> drawn = BoardLines(dc);
            const std::vector<Line> inside = BoardLines(dc, clip);
            const std::vector<Line> plainInside = BoardLines(plainDc, clip);
            EXPECT_EQ(inside.size(), plainInside.size());
            EXPECT_TRUE(inside == plainInside) << "the lines that can paint there differ";
            EXPECT_TRUE(std::includes(plain.begin(), plain.end(), drawn.begin(), drawn.end()))
                << "a line the plain painting does not draw";
            EXPECT_TRUE(dc.balanced());
        }
    }
};

class SamePictureByStage : public SamePicture, public ::testing::WithParamInterface<TraceStage> {};

TEST_P(SamePictureByStage, LongTracesInTheWholeWindowAndInStrips) {
    Open();
    FillLongTraces(*dlg);
    dlg->m_stage = GetParam();
    for (const bool traces : {true, false}) {
        dlg->m_showTraces = traces;
        std::vector<fw::Rect> clips = kStrips;
        const auto random = RandomClips(static_cast<std::uint32_t>(GetParam()), 6);
        clips.insert(clips.end(), random.begin(), random.end());
        ExpectSamePicture(clips);
    }
}

TEST_P(SamePictureByStage, WildTracesInTheWholeWindowAndInStrips) {
    Open();
    FillWildTraces(*dlg, 1000 + static_cast<std::uint32_t>(GetParam()));
    dlg->m_stage = GetParam();
    dlg->m_showTraces = true;
    std::vector<fw::Rect> clips = kStrips;
    const auto random = RandomClips(2000 + static_cast<std::uint32_t>(GetParam()), 8);
    clips.insert(clips.end(), random.begin(), random.end());
    ExpectSamePicture(clips);
}

INSTANTIATE_TEST_SUITE_P(Stages, SamePictureByStage, ::testing::Range(-1, 14));

TEST_F(MainPaint, AWholePaintDrawsEachBarInOneCallAndEachOverlayArrayInTwo) {
    Open();
    FillLongTraces(*dlg);
    dlg->m_stage = stage::kFinished;
    dlg->m_showTraces = true;
    const RecordingDC dc = Paint();
    std::size_t barCalls = 0;
    std::size_t overlayCalls = 0;
    for (const Primitive& p : dc.primitives()) {
        if (HasPen(p.state, kBarColor)) {
            EXPECT_TRUE(std::holds_alternative<PolylineOp>(p.op));
            ++barCalls;
        } else if (HasPen(p.state, kRed)) {
            EXPECT_FALSE(std::holds_alternative<LineOp>(p.op));
            ++overlayCalls;
        }
    }
    EXPECT_EQ(barCalls, 4u);
    EXPECT_EQ(overlayCalls, 2u * (12 + 2));
    EXPECT_TRUE(dc.balanced());
}

TEST_F(MainPaint, AStripRepaintDrawsOnlyTheLinesNearTheStrip) {
    Open();
    FillLongTraces(*dlg);
    dlg->m_stage = stage::kFinished;
    dlg->m_showTraces = true;
    const std::size_t whole = BoardLines(Paint()).size();
    for (const fw::Rect& clip : kStrips) {
        if (clip.width() * clip.height() < 1024 * 768 / 100) {
            EXPECT_LT(BoardLines(Paint(clip)).size() * 10, whole) << clip.left << "," << clip.top;
        }
    }
    // The tiles that reach into a strip are all there, down to the last column and row of one.
    const auto tiles = Blits(Paint(fw::Rect{389, 149, 399, 160}), IDB_BACKGROUND);
    EXPECT_EQ(tiles.size(), 4u);  // the corner where four tiles meet
}
